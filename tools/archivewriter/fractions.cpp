#include "fractions.h"

#include <cmath>
#include <cstdio>

namespace archive {

double field_product(const std::string& text) {
    double value = 0;
    if (std::sscanf(text.c_str(), "%lf", &value) != 1) value = 0;
    return value * kUnit;
}

std::optional<std::uint64_t> offset_position(const std::string& text) {
    const double position = std::trunc(field_product(text));
    if (!(position >= 0) || position > static_cast<double>(kLargestPosition)) return std::nullopt;
    return static_cast<std::uint64_t>(position);
}

std::uint64_t copied_bytes(std::uint64_t start, double length_product) {
    const double s = static_cast<double>(start);
    const double end = s + length_product;
    const double chunk = static_cast<double>(kCopyChunk);
    if (!(end > s)) return 0;
    if (!(length_product <= static_cast<double>(kLargestPosition))) return UINT64_MAX;
    // Whole chunks, counted directly and then settled with the loop's own test.
    double whole = std::floor((end - s) / chunk);
    double position = s + std::fmax(whole - 1, 0) * chunk;
    while (position + chunk <= end) position += chunk;
    if (position < end) position += std::trunc(end - position);
    return static_cast<std::uint64_t>(position - s);
}

namespace {

// The exact decimal of `bytes` / 10,000 with `extra` further fraction digits
// ending in 1: a nudge above the value for texts the double falls short of.
std::string decimal_text(std::uint64_t bytes, int extra) {
    std::string text = std::to_string(bytes / 10000);
    char fraction[5];
    std::snprintf(fraction, sizeof fraction, "%04u", static_cast<unsigned>(bytes % 10000));
    std::string digits = fraction;
    if (extra > 0) {
        digits += std::string(static_cast<std::size_t>(extra - 1), '0') + "1";
    } else {
        while (!digits.empty() && digits.back() == '0') digits.pop_back();
    }
    if (!digits.empty()) text += "." + digits;
    return text;
}

constexpr int kMostExtraDigits = 12;

template <typename ReadsBack>
std::optional<std::string> shortest_text(std::uint64_t bytes, ReadsBack reads_back) {
    if (bytes > kLargestPosition) return std::nullopt;
    for (int extra = 0; extra <= kMostExtraDigits; ++extra) {
        std::string text = decimal_text(bytes, extra);
        if (reads_back(text)) return text;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> offset_text(std::uint64_t offset) {
    return shortest_text(offset, [&](const std::string& text) { return offset_position(text) == offset; });
}

std::optional<std::string> length_text(std::uint64_t length, std::uint64_t offset) {
    if (offset > kLargestPosition) return std::nullopt;
    return shortest_text(length, [&](const std::string& text) {
        return copied_bytes(offset, field_product(text)) == length;
    });
}

}  // namespace archive
