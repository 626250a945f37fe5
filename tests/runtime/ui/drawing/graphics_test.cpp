// Graphics drawing into pictures, read back pixel by pixel.
#include "drawing/graphics.h"
#include "drawing_test_support.h"
#include "values/array.h"

namespace {

class GraphicsTest : public LeakChecked {};

// An Integer array of the language: element 0 unused, then x, y pairs.
class Points {
public:
    explicit Points(std::initializer_list<int> xy) : array_(RuntimeCreateArray()) {
        RuntimeArrayCreateAddIndex(array_, 0, static_cast<std::int32_t>(xy.size()));
        int i = 1;
        for (int v : xy) RuntimeDirectWriteIntArray(array_, i++, v);
    }
    ~Points() { RuntimeDisposeIntArray(array_); }
    operator RuntimeArray*() const { return array_; }

private:
    RuntimeArray* array_;
};

TEST_F(GraphicsTest, ColoursComeBackExactlyThroughEveryPrimitive) {
    const std::uint32_t colours[] = {0x123456, 0x000000, 0xFFFFFE, 0xFF0001, 0x00FF80, 0x808080, 0x010203};
    for (std::uint32_t colour : colours) {
        DrawnPicture c(40, 20);
        graphicsForeColorSetter(c.graphics, 0, colour);
        EXPECT_EQ(graphicsForeColorGetter(c.graphics, 0), colour);
        RuntimeGraphicsFillRect(c.graphics, 0, 0, 5, 5);
        RuntimeGraphicsDrawLine(c.graphics, 10, 2, 15, 2);
        RuntimeGraphicsFillOval(c.graphics, 20, 0, 8, 8);
        graphicsPixelSetter(c.graphics, 35, 15, colour);
        RuntimeGraphicsDrawString(c.graphics, Str("||"), 30, 12, 0);
        EXPECT_EQ(c.at(2, 2), colour) << std::hex << colour;
        EXPECT_EQ(c.at(12, 2), colour) << std::hex << colour;
        EXPECT_EQ(c.at(24, 4), colour) << std::hex << colour;
        EXPECT_EQ(c.at(35, 15), colour) << std::hex << colour;
        EXPECT_EQ(graphicsPixelGetter(c.graphics, 2, 2), colour) << std::hex << colour;
    }
}

struct LineCase {
    int pen_width, pen_height;
    int x1, y1, x2, y2;
    RECT covered;  // right and bottom inclusive
};

TEST_F(GraphicsTest, PenSizeThickensLinesAndFramesAndResetsToOnePixel) {
    const LineCase cases[] = {
        {1, 1, 10, 5, 30, 5, {10, 5, 30, 5}},    // both end points drawn
        {1, 1, 30, 5, 10, 5, {10, 5, 30, 5}},    // the same backwards
        {1, 1, 4, 2, 4, 12, {4, 2, 4, 12}},
        {2, 2, 10, 5, 30, 5, {10, 5, 31, 6}},    // the pen hangs right and below
        {3, 1, 4, 2, 4, 12, {4, 2, 6, 12}},
        {1, 4, 10, 5, 30, 5, {10, 5, 30, 8}},
        {3, 3, 5, 5, 15, 15, {5, 5, 17, 17}},
        {0, 3, 10, 5, 30, 5, {-1, -1, -1, -1}},  // a pen side of 0 draws nothing
    };
    for (const LineCase& l : cases) {
        DrawnPicture c(40, 40);
        graphicsPenWidthSetter(c.graphics, 0, l.pen_width);
        graphicsPenHeightSetter(c.graphics, 0, l.pen_height);
        RuntimeGraphicsDrawLine(c.graphics, l.x1, l.y1, l.x2, l.y2);
        EXPECT_EQ(rect_text(c.ink_bounds()), rect_text(l.covered))
            << "pen " << l.pen_width << "x" << l.pen_height << " from " << l.x1 << "," << l.y1;
        // Every pixel of a horizontal or vertical line's band is drawn.
        if ((l.y1 == l.y2 || l.x1 == l.x2) && l.covered.left >= 0) {
            const auto area = (l.covered.right - l.covered.left + 1) * (l.covered.bottom - l.covered.top + 1);
            EXPECT_EQ(static_cast<long>(c.ink().size()), area);
        }
    }

    DrawnPicture c(40, 40);
    graphicsPenWidthSetter(c.graphics, 0, 3);
    graphicsPenHeightSetter(c.graphics, 0, 2);
    RuntimeGraphicsDrawRect(c.graphics, 0, 0, 20, 10);
    EXPECT_EQ(c.at(2, 5), 0u);           // left band 3 wide
    EXPECT_EQ(c.at(3, 5), 0xFFFFFFu);
    EXPECT_EQ(c.at(10, 1), 0u);          // top band 2 high
    EXPECT_EQ(c.at(10, 2), 0xFFFFFFu);
    EXPECT_EQ(c.at(17, 8), 0u);          // right and bottom inside the rectangle
    EXPECT_EQ(c.at(20, 9), 0xFFFFFFu);
    graphicsPenWidthSetter(c.graphics, 0, 1);
    graphicsPenHeightSetter(c.graphics, 0, 1);
    EXPECT_EQ(graphicsPenWidthGetter(c.graphics, 0), 1);
    RuntimeGraphicsDrawLine(c.graphics, 25, 20, 35, 20);
    EXPECT_EQ(c.at(30, 20), 0u);
    EXPECT_EQ(c.at(30, 21), 0xFFFFFFu);
    EXPECT_EQ(c.at(35, 20), 0u);
    EXPECT_EQ(c.at(36, 20), 0xFFFFFFu);
}

TEST_F(GraphicsTest, FillsCoverTheirRectangleExactly) {
    DrawnPicture c(50, 50);
    RuntimeGraphicsFillRect(c.graphics, 5, 6, 10, 4);
    EXPECT_EQ(rect_text(c.ink_bounds()), rect_text({5, 6, 14, 9}));
    EXPECT_EQ(c.ink().size(), 40u);
    DrawnPicture oval(50, 50);
    RuntimeGraphicsFillOval(oval.graphics, 10, 10, 21, 11);
    EXPECT_EQ(rect_text(oval.ink_bounds()), rect_text({10, 10, 30, 20}));
    EXPECT_EQ(oval.at(10, 10), 0xFFFFFFu);  // corners stay out
    DrawnPicture round(50, 50);
    RuntimeGraphicsFillRoundRect(round.graphics, 2, 3, 30, 20, 10, 10);
    EXPECT_EQ(rect_text(round.ink_bounds()), rect_text({2, 3, 31, 22}));
    RuntimeGraphicsClearRect(round.graphics, 0, 0, 50, 50);
    EXPECT_TRUE(round.ink().empty());
    DrawnPicture frame(50, 50);
    RuntimeGraphicsDrawOval(frame.graphics, 0, 0, 20, 20);
    EXPECT_EQ(rect_text(frame.ink_bounds()), rect_text({0, 0, 19, 19}));
    EXPECT_EQ(frame.at(10, 10), 0xFFFFFFu);  // not filled
}

TEST_F(GraphicsTest, DrawStringSitsOnItsBaseline) {
    DrawnPicture c(200, 100);
    Str text("HIH");
    graphicsTextFontSetter(c.graphics, 0, Str("Tahoma"));
    graphicsTextSizeSetter(c.graphics, 0, 20);
    const int ascent = RuntimeGraphicsTextAscent(c.graphics);
    const int width = RuntimeGraphicsStringWidth(c.graphics, text);
    ASSERT_GT(ascent, 8);
    ASSERT_GT(width, 10);
    RuntimeGraphicsDrawString(c.graphics, text, 20, 50, 0);
    const RECT ink = c.ink_bounds();
    EXPECT_EQ(ink.bottom, 49) << rect_text(ink);  // capitals end on the row above the baseline
    EXPECT_GE(ink.top, 50 - ascent) << rect_text(ink);
    EXPECT_GE(ink.left, 20);
    EXPECT_LE(ink.right, 20 + width);
    EXPECT_EQ(graphicsTextSizeGetter(c.graphics, 0), 20);

    // A second line starts one text height lower; bold text is wider.
    DrawnPicture lines(200, 100);
    graphicsTextFontSetter(lines.graphics, 0, Str("Tahoma"));
    graphicsTextSizeSetter(lines.graphics, 0, 20);
    const int height = RuntimeGraphicsTextHeight(lines.graphics);
    RuntimeGraphicsDrawString(lines.graphics, Str("H\r\nH"), 20, 30, 0);
    EXPECT_EQ(lines.ink_bounds().bottom, 30 + height - 1);
    graphicsBoldSetter(lines.graphics, 0, 1);
    EXPECT_TRUE(graphicsBoldGetter(lines.graphics, 0));
    EXPECT_GT(RuntimeGraphicsStringWidth(lines.graphics, Str("HHHHHHHH")), 0);
}

TEST_F(GraphicsTest, TextLeavesTheBackgroundBetweenItsStrokes) {
    DrawnPicture c(120, 40);
    graphicsForeColorSetter(c.graphics, 0, 0xFF0000);
    RuntimeGraphicsFillRect(c.graphics, 0, 0, 120, 40);
    graphicsForeColorSetter(c.graphics, 0, 0x000000);
    RuntimeGraphicsDrawString(c.graphics, Str("Wide ink, MMM"), 2, 30, 0);
    int white = 0, black = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 120; ++x) {
            white += c.at(x, y) == 0xFFFFFF;
            black += c.at(x, y) == 0x000000;
        }
    }
    EXPECT_EQ(white, 0);  // no opaque text background
    EXPECT_GT(black, 20);
}

TEST_F(GraphicsTest, WrappedTextBreaksBetweenWords) {
    DrawnPicture c(200, 200);
    graphicsTextFontSetter(c.graphics, 0, Str("Tahoma"));
    graphicsTextSizeSetter(c.graphics, 0, 14);
    const int height = RuntimeGraphicsTextHeight(c.graphics);
    const int word = RuntimeGraphicsStringWidth(c.graphics, Str("HHHH"));
    RuntimeGraphicsDrawString(c.graphics, Str("HHHH HHHH HHHH"), 10, 20, word + word / 2);
    const RECT ink = c.ink_bounds();
    EXPECT_EQ(ink.bottom, 20 + 2 * height - 1) << rect_text(ink);  // three lines
    EXPECT_LE(ink.right, 10 + word);
}

TEST_F(GraphicsTest, PolygonsFillAndFrameTheirPoints) {
    DrawnPicture c(40, 40);
    graphicsForeColorSetter(c.graphics, 0, 0x0000FF);
    graphicsFillPolygon(c.graphics, Points({10, 10, 30, 10, 10, 30}));
    EXPECT_EQ(c.at(12, 12), 0x0000FFu);  // inside
    EXPECT_EQ(c.at(10, 10), 0x0000FFu);  // every vertex
    EXPECT_EQ(c.at(30, 10), 0x0000FFu);
    EXPECT_EQ(c.at(10, 30), 0x0000FFu);
    EXPECT_EQ(c.at(25, 25), 0xFFFFFFu);  // beyond the long side
    EXPECT_EQ(c.at(9, 20), 0xFFFFFFu);
    EXPECT_EQ(rect_text(c.ink_bounds()), rect_text({10, 10, 30, 30}));

    DrawnPicture frame(40, 40);
    graphicsDrawPolygon(frame.graphics, Points({5, 5, 25, 5, 25, 25, 5, 25}));
    EXPECT_EQ(rect_text(frame.ink_bounds()), rect_text({5, 5, 25, 25}));
    EXPECT_EQ(frame.at(15, 5), 0u);
    EXPECT_EQ(frame.at(25, 15), 0u);
    EXPECT_EQ(frame.at(15, 25), 0u);
    EXPECT_EQ(frame.at(5, 15), 0u);
    EXPECT_EQ(frame.at(15, 15), 0xFFFFFFu);

    // Fewer than three points fill nothing; an odd last element is not read.
    DrawnPicture few(40, 40);
    graphicsFillPolygon(few.graphics, Points({1, 1, 20, 20, 7}));
    EXPECT_TRUE(few.ink().empty());
}

TEST_F(GraphicsTest, PixelsAtTheEdgesAndOutside) {
    DrawnPicture c(8, 6);
    const POINT corners[] = {{0, 0}, {7, 0}, {0, 5}, {7, 5}};
    for (const POINT& p : corners) graphicsPixelSetter(c.graphics, p.x, p.y, 0x123456);
    for (const POINT& p : corners) {
        EXPECT_EQ(c.at(p.x, p.y), 0x123456u) << p.x << "," << p.y;
        EXPECT_EQ(graphicsPixelGetter(c.graphics, p.x, p.y), 0x123456u) << p.x << "," << p.y;
    }
    const POINT outside[] = {{-1, 0}, {8, 0}, {0, -1}, {0, 6}, {8, 6}, {100000, -100000}, {INT32_MIN, INT32_MAX}};
    for (const POINT& p : outside) {
        graphicsPixelSetter(c.graphics, p.x, p.y, 0xFF0000);
        EXPECT_EQ(graphicsPixelGetter(c.graphics, p.x, p.y), 0u) << p.x << "," << p.y;
    }
    EXPECT_EQ(c.ink().size(), 4u);
}

TEST_F(GraphicsTest, NilAndDetachedGraphicsDrawNothing) {
    RuntimeGraphicsFillRect(nullptr, 0, 0, 5, 5);
    RuntimeGraphicsDrawLine(nullptr, 0, 0, 5, 5);
    RuntimeGraphicsDrawString(nullptr, Str("x"), 0, 0, 0);
    graphicsPixelSetter(nullptr, 0, 0, 0);
    EXPECT_EQ(graphicsPixelGetter(nullptr, 0, 0), 0u);
    EXPECT_EQ(graphicsWidthGetter(nullptr, 0), 0);

    // A Graphics that outlives its picture keeps its properties and draws nothing.
    RuntimeObject* kept = nullptr;
    {
        DrawnPicture c(10, 10);
        kept = RuntimeLockObject(c.graphics);
        EXPECT_EQ(graphicsWidthGetter(kept, 0), 10);
    }
    Held orphan(kept);
    graphicsForeColorSetter(orphan, 0, 0xFF);
    RuntimeGraphicsFillRect(orphan, 0, 0, 5, 5);
    RuntimeGraphicsDrawString(orphan, Str("x"), 0, 0, 0);
    EXPECT_EQ(graphicsForeColorGetter(orphan, 0), 0xFFu);
    EXPECT_EQ(RuntimeGraphicsStringWidth(orphan, Str("x")), 0);
    EXPECT_EQ(graphics_dc(orphan), nullptr);
}

TEST_F(GraphicsTest, DrawingIntoABorrowedDeviceContextStopsAtDetach) {
    Held target(newPicture(20, 20, 32));
    PictureData* data = picture_data(target);
    // The owner's clip stays in force, as BeginPaint leaves one: the left half.
    IntersectClipRect(data->dc, 0, 0, 10, 20);
    Held g(graphics_for_dc(data->dc, 20, 20));
    EXPECT_EQ(graphics_dc(g), data->dc);
    RuntimeGraphicsFillRect(g, 0, 18, 20, 2);
    EXPECT_EQ(pixel_of(target, 9, 19), 0u);
    EXPECT_EQ(pixel_of(target, 10, 19), 0xFFFFFFu);
    SelectClipRgn(data->dc, nullptr);
    EXPECT_EQ(graphicsHeightGetter(g, 0), 20);
    graphicsForeColorSetter(g, 0, 0x00FF00);
    RuntimeGraphicsFillRect(g, 0, 0, 4, 4);
    graphics_detach(g);
    RuntimeGraphicsFillRect(g, 10, 10, 4, 4);
    EXPECT_EQ(pixel_of(target, 1, 1), 0x00FF00u);
    EXPECT_EQ(pixel_of(target, 11, 11), 0xFFFFFFu);
    // The DC is as it was: its own pen, brush and modes are back.
    EXPECT_EQ(GetCurrentObject(data->dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    graphics_detach(g);
}

TEST_F(GraphicsTest, AGraphicsOverAWindowHasItsClientSizeAndGivesItsDcBack) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 90, 70, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    Held g(graphics_for_window(window));
    ASSERT_NE(g.get(), nullptr);
    EXPECT_EQ(graphicsWidthGetter(g, 0), 90);
    EXPECT_EQ(graphicsHeightGetter(g, 0), 70);
    EXPECT_NE(graphics_dc(g), nullptr);
    graphics_detach(g);
    EXPECT_EQ(graphics_dc(g), nullptr);
    DestroyWindow(window);
    EXPECT_EQ(graphics_for_window(nullptr), nullptr);
    EXPECT_EQ(windowGraphicsGetter(nullptr, 0), nullptr);
    formDrawInto(nullptr, g, 0, 0);
}

TEST_F(GraphicsTest, SystemIconsDrawInk) {
    using Draw = void (*)(RuntimeObject*, std::int32_t, std::int32_t);
    const Draw icons[] = {graphicsDrawStopIcon, graphicsDrawNoteIcon, graphicsDrawCautionIcon};
    for (Draw draw : icons) {
        DrawnPicture c(40, 40);
        draw(c.graphics, 4, 4);
        const RECT ink = c.ink_bounds();
        EXPECT_GE(ink.left, 4);
        EXPECT_LE(ink.right, 35);
        EXPECT_GT(c.ink().size(), 100u);
    }
}

TEST(RuntimeRGB, ComponentsAreClamped) {
    struct Case {
        int r, g, b;
        std::uint32_t colour;
    };
    const Case cases[] = {{0x12, 0x34, 0x56, 0x123456}, {255, 255, 255, 0xFFFFFF}, {-1, 256, 1000, 0x00FFFF},
                          {300, -300, 0, 0xFF0000}, {0, 0, 0, 0}};
    for (const Case& c : cases) EXPECT_EQ(RuntimeRGB(c.r, c.g, c.b), c.colour) << c.r << " " << c.g << " " << c.b;
}

}  // namespace
