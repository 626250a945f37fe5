#include "controls/list_box/pane/list_columns.h"

#include "strings/runtime_string.h"

namespace {

struct Part {
    const char* at;
    std::uint32_t length;
};

// As description integers read: a leading "-" negates, other non-digits are skipped.
std::int64_t part_value(Part part) {
    std::int64_t n = 0;
    for (std::uint32_t i = 0; i < part.length; ++i)
        if (part.at[i] >= '0' && part.at[i] <= '9') n = (n * 10 + (part.at[i] - '0')) & 0xFFFFFFFF;
    const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
    return part.length > 0 && part.at[0] == '-' ? -static_cast<std::int64_t>(value) : value;
}

bool is_share(Part part) {
    std::uint32_t n = part.length;
    while (n > 0 && part.at[n - 1] == ' ') --n;
    return n > 0 && part.at[n - 1] == '%';
}

std::int16_t clamp_width(std::int64_t width) {
    if (width < 0) return 0;
    return static_cast<std::int16_t>(width > 32767 ? 32767 : width);
}

}  // namespace

void list_compute_widths(const RuntimeString* text, std::int32_t available, std::int32_t count, std::int16_t* widths) {
    const char* rest = string_cstr(text);
    std::uint32_t rest_length = string_length(text);
    std::int64_t remaining = available;
    for (std::int32_t i = 0; i < count; ++i) {
        std::int64_t width = remaining / (count - i);
        if (width < 0) width = 0;
        if (rest_length > 0) {
            Part part = {rest, 0};
            while (part.length < rest_length && rest[part.length] != ',') ++part.length;
            const bool comma = part.length < rest_length;
            rest += part.length + (comma ? 1 : 0);
            rest_length -= part.length + (comma ? 1 : 0);
            if (part.length > 0) {
                std::int64_t value = part_value(part);
                if (value < 0) value = 0;
                width = is_share(part) ? available * value / 100 : value;
            }
        }
        widths[i] = clamp_width(width);
        remaining -= widths[i];
    }
}
