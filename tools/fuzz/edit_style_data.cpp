// EditField style data as editSetTextAndStyle reads it beside its text:
// the first two bytes are the text's length (low byte first), the rest is
// the style data. Every run handed on must lie inside the text and carry a
// face name the window could take.
#include <cstdlib>
#include <cstring>

#include "controls/edit_field/style_records.h"

namespace {
struct Text {
    LONG length;
    LONG covered;
};

void check_run(void* context, LONG start, LONG end, CHARFORMATA& format) {
    Text& text = *static_cast<Text*>(context);
    if (start != text.covered || end <= start || end > text.length) std::abort();
    if (std::memchr(format.szFaceName, 0, sizeof format.szFaceName) == nullptr) std::abort();
    text.covered = end;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    Text text = {data[0] | (data[1] << 8), 0};
    style_records_each_run(data + 2, static_cast<std::uint32_t>(size - 2), static_cast<std::uint32_t>(text.length),
                           check_run, &text);
    return 0;
}
