#include "controls/edit_field/style_records.h"

#include <cstring>

namespace {

constexpr std::uint8_t kKnownFlags = kStyleBold | kStyleItalic | kStyleUnderline | kStyleFont | kStyleColour;

// The next whole record at `at`, as a character format; false when the
// data ends inside it or its flags are not a record's.
bool read_record(const std::uint8_t* data, std::uint32_t size, std::uint32_t& at, CHARFORMATA& format) {
    if (at >= size) return false;
    const std::uint8_t flags = data[at];
    if (flags & ~kKnownFlags) return false;
    std::uint32_t next = at + 1;
    format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    if (flags & kStyleBold) format.dwEffects |= CFE_BOLD;
    if (flags & kStyleItalic) format.dwEffects |= CFE_ITALIC;
    if (flags & kStyleUnderline) format.dwEffects |= CFE_UNDERLINE;
    if (flags & kStyleFont) {
        if (next >= size) return false;
        const std::uint32_t length = data[next++];
        if (length > size - next) return false;
        const std::uint32_t kept = length < LF_FACESIZE ? length : LF_FACESIZE - 1;
        std::memcpy(format.szFaceName, data + next, kept);
        next += length;
        if (kept) format.dwMask |= CFM_FACE;
    }
    if (flags & kStyleColour) {
        if (size - next < 3) return false;
        format.dwMask |= CFM_COLOR;
        format.crTextColor = RGB(data[next], data[next + 1], data[next + 2]);
        next += 3;
    }
    at = next;
    return true;
}

bool same_format(const CHARFORMATA& a, const CHARFORMATA& b) {
    return a.dwMask == b.dwMask && a.dwEffects == b.dwEffects && a.crTextColor == b.crTextColor &&
           lstrcmpA(a.szFaceName, b.szFaceName) == 0;
}

}  // namespace

void style_records_each_run(const std::uint8_t* data, std::uint32_t size, std::uint32_t length, StyleRunStep step,
                            void* context) {
    std::uint32_t at = 0;
    CHARFORMATA run = {}, next = {};
    LONG run_start = 0, i = 0;
    for (; static_cast<std::uint32_t>(i) < length && read_record(data, size, at, next); ++i) {
        if (i > run_start && !same_format(run, next)) {
            step(context, run_start, i, run);
            run_start = i;
        }
        run = next;
    }
    if (i > run_start) step(context, run_start, i, run);
}
