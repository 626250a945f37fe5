// The picture services of the plugin interface, and the pictures of the
// project description.
#include <cstring>

#include "drawing/graphics.h"
#include "drawing/plugin_picture_services.h"
#include "bmp_bytes.h"
#include "drawing_test_support.h"
#include "startup/project_description.h"

namespace {

class PluginPictures : public LeakChecked {};

// A 2 x 2 packed DIB, 24 bits, bottom row first: red green / blue white.
std::string two_by_two() {
    BmpLayout s;
    s.width = 2;
    s.height = 2;
    s.rows = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0};
    return packed_dib(s);
}

HGLOBAL global_copy(const std::string& bytes) {
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(handle), bytes.data(), bytes.size());
    GlobalUnlock(handle);
    return handle;
}

TEST_F(PluginPictures, PicturesFromGlobalDibsWithAndWithoutTheFreeFlag) {
    const std::uint32_t expected[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    for (int free_flag : {0, 1, 0x100}) {  // only the low byte counts
        HGLOBAL handle = global_copy(two_by_two());
        Held picture(TAVOBuildPictureFromDIB(handle, free_flag));
        ASSERT_NE(picture.get(), nullptr) << free_flag;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(pixel_of(picture, i % 2, i / 2), expected[i]) << free_flag << " " << i;
        const bool freed = (free_flag & 0xFF) != 0;
        if (freed) {
            EXPECT_EQ(GlobalSize(handle), 0u);  // the handle is gone
        } else {
            EXPECT_EQ(GlobalSize(handle), two_by_two().size());
            GlobalFree(handle);
        }
    }
    EXPECT_EQ(TAVOBuildPictureFromDIB(nullptr, 1), nullptr);
    // A damaged DIB gives nil and is still freed when asked.
    HGLOBAL damaged = global_copy(two_by_two().substr(0, 30));
    EXPECT_EQ(TAVOBuildPictureFromDIB(damaged, 1), nullptr);
    EXPECT_EQ(GlobalSize(damaged), 0u);
    EXPECT_EQ(TAVOBuildPictureFromPictureDescription(nullptr), nullptr);
}

TEST_F(PluginPictures, LockedDescriptionsShowThePixelsAndHoldThePicture) {
    Held picture(newPicture(3, 2, 32));
    pictureTransparentSetter(picture, 0, 1);
    TAVOPictureDescription* d = lockPictureDescription(picture);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->width, 3);
    EXPECT_EQ(d->height, 2);
    EXPECT_EQ(d->depth, 32);
    EXPECT_EQ(d->row_bytes, 12);
    EXPECT_EQ(d->transparent, 1);
    EXPECT_EQ(picture.get()->refs, 2);
    static_cast<std::uint32_t*>(d->pixels)[1 * 3 + 2] = 0x123456;  // (2, 1)
    TAVOPictureClearCache(picture);
    EXPECT_EQ(pixel_of(picture, 2, 1), 0x123456u);
    unlockPictureDescription(picture);
    EXPECT_EQ(picture.get()->refs, 1);
    unlockPictureDescription(picture);  // one unlock too many releases nothing
    EXPECT_EQ(picture.get()->refs, 1);
    EXPECT_EQ(lockPictureDescription(nullptr), nullptr);
    unlockPictureDescription(nullptr);
}

TEST_F(PluginPictures, DrawPrimitiveStretchesAndLeavesOutTransparentPixels) {
    Held source(newPicture(2, 1, 32));
    {
        Held surface(pictureRGBSurfaceGetter(source, 0));
        rgbSurfaceSetPixel(surface, 0, 0, 0x0000FF);  // blue, then white
    }
    struct Case {
        bool transparent;
        bool masked;  // the blue pixel masked out
        std::uint32_t left, right;
    };
    const Case cases[] = {{false, false, 0x0000FF, 0xFFFFFF}, {true, false, 0x0000FF, 0x00FF00},
                          {false, true, 0x00FF00, 0xFFFFFF}, {true, true, 0x00FF00, 0x00FF00}};
    for (const Case& c : cases) {
        Held copy(newPicture(2, 1, 32));
        {
            Held from(pictureRGBSurfaceGetter(source, 0)), to(pictureRGBSurfaceGetter(copy, 0));
            for (int x = 0; x < 2; ++x) rgbSurfaceSetPixel(to, x, 0, rgbSurfaceGetPixel(from, x, 0));
        }
        pictureTransparentSetter(copy, 0, c.transparent);
        if (c.masked) {
            Held mask(pictureMaskGetter(copy, 0));
            Held surface(pictureRGBSurfaceGetter(mask, 0));
            EXPECT_EQ(rgbSurfaceGetPixel(surface, 1, 0), 0u);  // a new mask leaves everything in
            rgbSurfaceSetPixel(surface, 0, 0, 0xFFFFFF);
        }
        DrawnPicture target(10, 4);
        graphicsForeColorSetter(target.graphics, 0, 0x00FF00);
        RuntimeGraphicsFillRect(target.graphics, 0, 0, 10, 4);
        const RECT r = {2, 1, 8, 3};  // each source pixel 3 x 2
        drawPicturePrimitive(copy, graphics_dc(target.graphics), &r);
        for (int y = 1; y < 3; ++y) {
            for (int x = 2; x < 5; ++x) EXPECT_EQ(target.at(x, y), c.left) << c.transparent << c.masked << x << "," << y;
            for (int x = 5; x < 8; ++x) EXPECT_EQ(target.at(x, y), c.right) << c.transparent << c.masked << x << "," << y;
        }
        EXPECT_EQ(target.at(1, 1), 0x00FF00u);
        EXPECT_EQ(target.at(8, 1), 0x00FF00u);
        EXPECT_EQ(target.at(4, 0), 0x00FF00u);
        EXPECT_EQ(target.at(4, 3), 0x00FF00u);
    }
    drawPicturePrimitive(nullptr, nullptr, nullptr);
}

TEST_F(PluginPictures, PluginGraphicsIsThePicturesOwn) {
    Held picture(newPicture(4, 4, 32));
    Held g(pluginPictureGraphicsGetter(picture));
    Held again(pictureGraphicsGetter(picture, 0));
    EXPECT_EQ(g.get(), again.get());
    RuntimeGraphicsFillRect(g, 0, 0, 2, 2);
    EXPECT_EQ(pixel_of(picture, 1, 1), 0u);
    EXPECT_EQ(pluginPictureGraphicsGetter(nullptr), nullptr);
}

TEST(ProjectPictures, ItemsBuildPicturesFoundByTheirId) {
    drawing_classes_describe();
    BmpLayout s;
    s.width = 1;
    s.height = 1;
    s.rows = {0x56, 0x34, 0x12, 0};
    std::string item;
    put_le(item, 4711, 4);
    item += bmp_file(s);
    item += "trailing bytes of the next item";
    const DataSpan span = {reinterpret_cast<const std::uint8_t*>(item.data()), item.size()};
    Held picture(project_item_factories().picture(span.start, span));
    ASSERT_NE(picture.get(), nullptr);
    EXPECT_EQ(pixel_of(picture, 0, 0), 0x123456u);
    Held found(RuntimePictureReference(4711));
    EXPECT_EQ(found.get(), picture.get());
    EXPECT_EQ(RuntimePictureReference(4712), nullptr);

    // A file header that claims more bytes than the data block has.
    std::string cut = item.substr(0, 4 + 14 + 40 + 2);
    const DataSpan short_span = {reinterpret_cast<const std::uint8_t*>(cut.data()), cut.size()};
    EXPECT_EQ(project_item_factories().picture(short_span.start, short_span), nullptr);
    const DataSpan tiny = {reinterpret_cast<const std::uint8_t*>(item.data()), 10};
    EXPECT_EQ(project_item_factories().picture(tiny.start, tiny), nullptr);
}

}  // namespace
