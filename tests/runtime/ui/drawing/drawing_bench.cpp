// Graphics against the same GDI calls made directly, into a 1,000 x 1,000
// picture: whole-picture FillRect and 10,000 DrawLine calls. Run by hand;
// prints the best of several rounds of each and the ratios.
#include <windows.h>

#include <cstdio>

#include "drawing/graphics.h"
#include "drawing/graphics_entry_points.h"
#include "drawing/picture.h"
#include "drawing/picture_entry_points.h"

namespace {

constexpr int kSide = 1000, kFills = 100, kLines = 10000, kRounds = 7;

double now_ms() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double best_of(Work work) {
    double best = 1e300;
    for (int round = 0; round < kRounds; ++round) {
        GdiFlush();
        const double start = now_ms();
        work();
        GdiFlush();
        const double took = now_ms() - start;
        if (took < best) best = took;
    }
    return best;
}

// The end points of line i: long and short lines in every direction.
void line_points(int i, int& x1, int& y1, int& x2, int& y2) {
    x1 = (i * 37) % kSide;
    y1 = (i * 91) % kSide;
    x2 = (i * 53 + 400) % kSide;
    y2 = (i * 17 + 700) % kSide;
}

}  // namespace

int main() {
    RuntimeObject* picture = newPicture(kSide, kSide, 32);
    RuntimeObject* g = pictureGraphicsGetter(picture, 0);
    HDC dc = graphics_dc(g);
    graphicsForeColorSetter(g, 0, 0x336699);

    const double fill_runtime = best_of([&] {
        for (int i = 0; i < kFills; ++i) RuntimeGraphicsFillRect(g, 0, 0, kSide, kSide);
    });
    const double line_runtime = best_of([&] {
        for (int i = 0; i < kLines; ++i) {
            int x1, y1, x2, y2;
            line_points(i, x1, y1, x2, y2);
            RuntimeGraphicsDrawLine(g, x1, y1, x2, y2);
        }
    });

    // The same calls straight to GDI with the same pen and brush selected.
    HBRUSH brush = CreateSolidBrush(RGB(0x33, 0x66, 0x99));
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0x33, 0x66, 0x99));
    HGDIOBJ old_pen = SelectObject(dc, pen);
    const RECT all = {0, 0, kSide, kSide};
    const double fill_direct = best_of([&] {
        for (int i = 0; i < kFills; ++i) FillRect(dc, &all, brush);
    });
    const double line_direct = best_of([&] {
        for (int i = 0; i < kLines; ++i) {
            int x1, y1, x2, y2;
            line_points(i, x1, y1, x2, y2);
            MoveToEx(dc, x1, y1, nullptr);
            LineTo(dc, x2, y2);
            SetPixelV(dc, x2, y2, RGB(0x33, 0x66, 0x99));
        }
    });
    SelectObject(dc, old_pen);
    DeleteObject(pen);
    DeleteObject(brush);

    std::printf("FillRect %dx%d x %d: Graphics %.2f ms, GDI %.2f ms, ratio %.2f\n", kSide, kSide, kFills, fill_runtime,
                fill_direct, fill_runtime / fill_direct);
    std::printf("DrawLine x %d: Graphics %.2f ms, GDI %.2f ms, ratio %.2f\n", kLines, line_runtime, line_direct,
                line_runtime / line_direct);
    RuntimeUnlockObject(g);
    RuntimeUnlockObject(picture);
    return 0;
}
