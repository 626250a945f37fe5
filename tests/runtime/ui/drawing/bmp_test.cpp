// BMP files: decoding each kind, saving and loading again, and headers that
// lie about their sizes.
#include <climits>
#include <functional>

#include "drawing/bmp_format.h"
#include "bmp_bytes.h"
#include "drawing_test_support.h"

namespace {

const std::uint8_t* data_of(const std::string& bytes) { return reinterpret_cast<const std::uint8_t*>(bytes.data()); }

// Every pixel of a picture, top row first.
std::vector<std::uint32_t> pixels_of(RuntimeObject* picture) {
    std::vector<std::uint32_t> out;
    for (int y = 0; y < pictureHeightGetter(picture, 0); ++y)
        for (int x = 0; x < pictureWidthGetter(picture, 0); ++x) out.push_back(pixel_of(picture, x, y));
    return out;
}

std::vector<std::uint32_t> table_of_256(std::vector<std::uint32_t> first) {
    first.resize(256, 0);
    return first;
}

struct DecodeCase {
    const char* what;
    BmpLayout layout;
    std::vector<std::uint32_t> pixels;  // 3 x 2, top row first
};

// Rows are stored bottom first unless the height is negative.
const DecodeCase kDecodeCases[] = {
    {"1 bit", {3, 2, 1, 0, 40, {0xFF0000, 0x00FF00}, {}, {0xA0, 0, 0, 0, 0x40, 0, 0, 0}},
     {0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00}},
    {"4 bits", {3, 2, 4, 0, 40, {0x000000, 0x123456, 0xABCDEF}, {}, {0x12, 0x00, 0, 0, 0x21, 0x10, 0, 0}},
     {0xABCDEF, 0x123456, 0x123456, 0x123456, 0xABCDEF, 0x000000}},
    // The old header has no colour count: its table always has 256 entries.
    {"8 bits, core header", {3, 2, 8, 0, 12, table_of_256({0x010203, 0x040506}), {}, {1, 0, 1, 0, 0, 1, 0, 0}},
     {0x010203, 0x040506, 0x010203, 0x040506, 0x010203, 0x040506}},
    {"8 bits, index past the table reads black", {3, 2, 8, 0, 40, {0xFFFFFF}, {}, {0, 9, 0, 0, 200, 0, 0, 0}},
     {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x000000, 0xFFFFFF}},
    {"16 bits 5-5-5", {3, 2, 16, 0, 40, {}, {}, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0, 0xFF, 0x7F, 0, 0, 0, 0, 0, 0}},
     {0xFFFFFF, 0x000000, 0x000000, 0xFF0000, 0x00FF00, 0x0000FF}},
    {"16 bits 5-6-5 fields", {3, 2, 16, 3, 40, {}, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
     {0x000000, 0x000000, 0x000000, 0xFF0000, 0x00FF00, 0x0000FF}},
    {"24 bits", {3, 2, 24, 0, 40, {}, {}, {0x56, 0x34, 0x12, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0,
                                             1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0}},
     {0x030201, 0x060504, 0x090807, 0x123456, 0x000000, 0xFFFFFF}},
    {"32 bits, top row first", {3, -2, 32, 0, 40, {}, {}, {0x56, 0x34, 0x12, 0, 1, 2, 3, 0, 4, 5, 6, 0xFF,
                                                             7, 8, 9, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}},
     {0x123456, 0x030201, 0x060504, 0x090807, 0x000000, 0xFFFFFF}},
    {"32 bits, fields", {3, 2, 32, 3, 40, {}, {0xFF, 0xFF00, 0xFF0000}, {0x11, 0x22, 0x33, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                                          0x12, 0x34, 0x56, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
     {0x123456, 0x000000, 0x000000, 0x112233, 0x000000, 0x000000}},
};

TEST(BmpReading, EachKindOfPixelDecodes) {
    for (const DecodeCase& c : kDecodeCases) {
        const std::string file = bmp_file(c.layout);
        Held picture(bmp_read_file(data_of(file), file.size()));
        ASSERT_NE(picture.get(), nullptr) << c.what;
        EXPECT_EQ(pictureWidthGetter(picture, 0), 3) << c.what;
        EXPECT_EQ(pictureHeightGetter(picture, 0), 2) << c.what;
        EXPECT_EQ(pixels_of(picture), c.pixels) << c.what;
        const std::string dib = packed_dib(c.layout);
        Held same(bmp_read_packed_dib(data_of(dib), dib.size()));
        ASSERT_NE(same.get(), nullptr) << c.what;
        EXPECT_EQ(pixels_of(same), c.pixels) << c.what;
    }
}

// A valid 8-bit file (2 x 2, two colours) to damage. Offsets: file header
// 0-13, info header 14-53 (width 18, height 22, bits 28, compression 30,
// colours used 46), colour table 54-61, rows 62-69.
std::string valid_file() {
    BmpLayout s;
    s.width = 2;
    s.height = 2;
    s.bits = 8;
    s.palette = {0x000000, 0xFFFFFF};
    s.rows = {0, 1, 0, 0, 1, 0, 0, 0};
    return bmp_file(s);
}

struct Damage {
    const char* what;
    std::function<void(std::string&)> apply;
};

const Damage kDamages[] = {
    {"shorter than the file header", [](std::string& b) { b.resize(10); }},
    {"not BM", [](std::string& b) { b[1] = 'A'; }},
    {"info header past the end", [](std::string& b) { patch_le(b, 14, 200); }},
    {"unknown header size", [](std::string& b) { patch_le(b, 14, 20); }},
    {"width 0", [](std::string& b) { patch_le(b, 18, 0); }},
    {"negative width", [](std::string& b) { patch_le(b, 18, static_cast<std::uint32_t>(-2)); }},
    {"height 0", [](std::string& b) { patch_le(b, 22, 0); }},
    {"most negative height", [](std::string& b) { patch_le(b, 22, 0x80000000u); }},
    {"rows past the end", [](std::string& b) { patch_le(b, 22, 3); }},
    {"width whose row size overflows", [](std::string& b) { patch_le(b, 18, 0x7FFFFFFF); }},
    {"sides whose product overflows", [](std::string& b) { patch_le(b, 18, 0x10000); patch_le(b, 22, 0x10000); }},
    {"pixel offset past the end", [](std::string& b) { patch_le(b, 10, 0x7FFFFFF0); }},
    {"pixel offset inside the file header", [](std::string& b) { patch_le(b, 10, 4); }},
    {"last row cut short", [](std::string& b) { b.resize(b.size() - 1); }},
    {"colour table past the end", [](std::string& b) { patch_le(b, 46, 200); }},
    {"more colours than 8 bits name", [](std::string& b) { patch_le(b, 46, 257); }},
    {"7 bits per pixel", [](std::string& b) { patch_le(b, 28, 7, 2); }},
    {"0 bits per pixel", [](std::string& b) { patch_le(b, 28, 0, 2); }},
    {"run-length compressed", [](std::string& b) { patch_le(b, 30, 1); }},
    {"bit fields for 8 bits", [](std::string& b) { patch_le(b, 30, 3); }},
    {"empty", [](std::string& b) { b.clear(); }},
};

TEST(BmpReading, HeadersThatLieGiveNil) {
    ASSERT_NE(Held(bmp_read_file(data_of(valid_file()), valid_file().size())).get(), nullptr);
    for (const Damage& d : kDamages) {
        std::string bytes = valid_file();
        d.apply(bytes);
        // Exactly the damaged bytes in a buffer of their own: a read past
        // them would leave it.
        std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
        EXPECT_EQ(bmp_read_file(exact.data(), exact.size()), nullptr) << d.what;
    }
}

TEST(BmpReading, DamagedPackedDibsGiveNil) {
    BmpLayout fields;
    fields.width = 1;
    fields.height = 1;
    fields.bits = 32;
    fields.compression = 3;
    fields.masks = {0xF0F0, 0x0F00, 0x00FF};  // red is not one run of bits
    fields.rows = {0, 0, 0, 0};
    BmpLayout no_masks = fields;
    no_masks.masks.clear();
    no_masks.rows.clear();
    const BmpLayout layouts[] = {fields, no_masks};
    for (const BmpLayout& s : layouts) {
        const std::string dib = packed_dib(s);
        std::vector<std::uint8_t> exact(dib.begin(), dib.end());
        EXPECT_EQ(bmp_read_packed_dib(exact.data(), exact.size()), nullptr);
    }
    EXPECT_EQ(bmp_read_packed_dib(nullptr, 100), nullptr);
}

class BmpFiles : public TempFolder {
protected:
    void SetUp() override {
        TempFolder::SetUp();
        drawing_classes_describe();
        objects_ = RuntimeDebugObjectCount(nullptr);
    }
    void TearDown() override {
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_);
        TempFolder::TearDown();
    }
    std::int32_t objects_ = 0;
};

TEST_F(BmpFiles, SavedPicturesLoadBackPixelForPixel) {
    const int sizes[][2] = {{1, 1}, {3, 2}, {5, 7}, {64, 3}};
    for (const auto& size : sizes) {
        Held original(newPicture(size[0], size[1], 32));
        {
            Held surface(pictureRGBSurfaceGetter(original, 0));
            for (int y = 0; y < size[1]; ++y)
                for (int x = 0; x < size[0]; ++x) rgbSurfaceSetPixel(surface, x, y, 0x010203u * (x + 1) + 0x0F0000u * y);
        }
        Held file(item("round.bmp"));
        FolderItemSaveAsPicture(file, original);
        const std::string bytes = read_file(at("round.bmp"));
        ASSERT_GE(bytes.size(), 54u);
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(bytes[28], 24);  // bits per pixel
        Held loaded(FolderItemOpenImage(file));
        ASSERT_NE(loaded.get(), nullptr) << size[0] << "x" << size[1];
        EXPECT_EQ(pixels_of(loaded), pixels_of(original)) << size[0] << "x" << size[1];
    }
}

TEST_F(BmpFiles, WhatCannotBeReadOrWrittenLeavesFilesAlone) {
    write_file(at("notes.txt"), "BMnot really a picture");
    Held text(item("notes.txt"));
    EXPECT_EQ(FolderItemOpenImage(text), nullptr);
    Held missing(item("missing.bmp"));
    EXPECT_EQ(FolderItemOpenImage(missing), nullptr);
    EXPECT_EQ(FolderItemOpenImage(nullptr), nullptr);

    Held picture(newPicture(4, 4, 32));
    Held other_format(item("photo.png"));
    FolderItemSaveAsPicture(other_format, picture);
    EXPECT_FALSE(file_exists(at("photo.png")));
    FolderItemSaveAsPicture(text, nullptr);
    EXPECT_EQ(read_file(at("notes.txt")), "BMnot really a picture");
    // A folder in the way: nothing written, nothing left behind.
    CreateDirectoryA(at("taken.bmp").c_str(), nullptr);
    Held taken(item("taken.bmp"));
    FolderItemSaveAsPicture(taken, picture);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(at("tvt*").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

}  // namespace
