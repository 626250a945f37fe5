// Drawing a picture into a DC: straight copies for opaque pictures; for
// transparent or masked ones the classic two passes, the destination ANDed
// with a monochrome mask (white where the picture is left out) and then ORed
// with the picture's pixels blackened there.
#include <algorithm>

#include "graphics_entry_points.h"
#include "graphics_object.h"
#include "objects/memory.h"
#include "picture.h"

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

bool light(std::uint32_t rgb) { return ((rgb >> 16) & 0xFF) + ((rgb >> 8) & 0xFF) + (rgb & 0xFF) >= 3 * 128; }

// The two bitmaps of the source rectangle for the masked passes.
class MaskedSource {
public:
    MaskedSource(const PictureData& data, const PictureData* mask, bool white_transparent, const RECT& source)
        : width_(source.right - source.left), height_(source.bottom - source.top) {
        RuntimeObject* copy = picture_new(width_, height_);
        copy_ = copy;
        PictureData* pixels = picture_data(copy);
        if (!pixels) return;
        const std::uint32_t row_bytes = (static_cast<std::uint32_t>(width_) + 15) / 16 * 2;
        bits_size_ = row_bytes * static_cast<std::uint32_t>(height_);
        bits_ = static_cast<std::uint8_t*>(runtime_alloc(bits_size_));
        for (std::int32_t y = 0; y < height_; ++y) {
            for (std::int32_t x = 0; x < width_; ++x) {
                const std::int32_t sx = source.left + x, sy = source.top + y;
                const std::uint32_t rgb = picture_pixel(data, sx, sy) & 0xFFFFFF;
                const bool left_out = (white_transparent && rgb == kWhite) ||
                                      (mask && light(picture_pixel(*mask, sx, sy)));
                picture_pixel(*pixels, x, y) = left_out ? 0 : rgb;
                if (left_out) bits_[y * row_bytes + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        mask_bitmap_ = CreateBitmap(width_, height_, 1, 1, bits_);
        mask_dc_ = CreateCompatibleDC(nullptr);
        if (mask_dc_ && mask_bitmap_) SelectObject(mask_dc_, mask_bitmap_);
        pixels_dc_ = pixels->dc;
    }
    ~MaskedSource() {
        if (mask_dc_) DeleteDC(mask_dc_);
        if (mask_bitmap_) DeleteObject(mask_bitmap_);
        runtime_free(bits_, bits_size_);
        RuntimeUnlockObject(copy_);
    }
    MaskedSource(const MaskedSource&) = delete;
    MaskedSource& operator=(const MaskedSource&) = delete;

    void draw(HDC dc, const RECT& target) const {
        if (!mask_dc_ || !mask_bitmap_ || !pixels_dc_) return;
        const COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
        const int w = target.right - target.left, h = target.bottom - target.top;
        StretchBlt(dc, target.left, target.top, w, h, mask_dc_, 0, 0, width_, height_, SRCAND);
        StretchBlt(dc, target.left, target.top, w, h, pixels_dc_, 0, 0, width_, height_, SRCPAINT);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
    }

private:
    std::int32_t width_, height_;
    RuntimeObject* copy_ = nullptr;
    HDC pixels_dc_ = nullptr;
    std::uint8_t* bits_ = nullptr;
    std::uint32_t bits_size_ = 0;
    HBITMAP mask_bitmap_ = nullptr;
    HDC mask_dc_ = nullptr;
};

// The part of `source` inside the picture, with `target` shrunk to match.
bool clip_to_picture(const PictureData& data, RECT& target, RECT& source) {
    const int sw = source.right - source.left, sh = source.bottom - source.top;
    const int tw = target.right - target.left, th = target.bottom - target.top;
    if (sw <= 0 || sh <= 0 || tw <= 0 || th <= 0) return false;
    RECT inside = {std::max<LONG>(source.left, 0), std::max<LONG>(source.top, 0),
                   std::min<LONG>(source.right, data.width), std::min<LONG>(source.bottom, data.height)};
    if (inside.right <= inside.left || inside.bottom <= inside.top) return false;
    const auto scale = [](LONG offset, int to, int from) { return static_cast<LONG>(static_cast<long long>(offset) * to / from); };
    RECT clipped = {target.left + scale(inside.left - source.left, tw, sw), target.top + scale(inside.top - source.top, th, sh),
                    target.left + scale(inside.right - source.left, tw, sw),
                    target.top + scale(inside.bottom - source.top, th, sh)};
    target = clipped;
    source = inside;
    return target.right > target.left && target.bottom > target.top;
}

}  // namespace

void picture_draw(RuntimeObject* picture, HDC dc, const RECT& to, const RECT& from) {
    PictureData* data = picture_data(picture);
    if (!data || !dc) return;
    RECT target = to, source = from;
    if (!clip_to_picture(*data, target, source)) return;
    GdiFlush();
    const bool transparent = reinterpret_cast<PictureObject*>(picture)->transparent != 0;
    const PictureData* mask = picture_data(data->mask);
    const int tw = target.right - target.left, th = target.bottom - target.top;
    const int sw = source.right - source.left, sh = source.bottom - source.top;
    if (!transparent && !mask) {
        if (tw == sw && th == sh) {
            BitBlt(dc, target.left, target.top, tw, th, data->dc, source.left, source.top, SRCCOPY);
        } else {
            const int mode = SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, target.left, target.top, tw, th, data->dc, source.left, source.top, sw, sh, SRCCOPY);
            SetStretchBltMode(dc, mode);
        }
        return;
    }
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    MaskedSource(*data, mask, transparent, source).draw(dc, target);
    SetStretchBltMode(dc, mode);
}

extern "C" {

void RuntimeGraphicsDrawPicture(RuntimeObject* g, RuntimeObject* picture, std::int32_t x, std::int32_t y,
                                std::int32_t w, std::int32_t h, std::int32_t source_x, std::int32_t source_y,
                                std::int32_t source_w, std::int32_t source_h) {
    GraphicsState* state = drawing_state(g);
    PictureData* data = picture_data(picture);
    if (!state || !data) return;
    if (source_w < 0) source_w = data->width - source_x;
    if (source_h < 0) source_h = data->height - source_y;
    if (w < 0) w = source_w;
    if (h < 0) h = source_h;
    picture_draw(picture, state->dc, {x, y, x + w, y + h},
                 {source_x, source_y, source_x + source_w, source_y + source_h});
}

}  // extern "C"
