// Track lengths and offsets are stored as decimal texts in units of 10,000
// bytes. The extractor reads them with "%lf", multiplies by 10,000 in double
// precision and truncates, so a text is only good if those exact steps give
// back the intended bytes: "12.3456" gives 123,455, not 123,456.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace archive {

// Bytes per unit of the stored texts.
constexpr double kUnit = 10000.0;
// The extractor's copy chunk.
constexpr std::uint64_t kCopyChunk = 262144;
// Past this a position no longer has room for a fraction in a double.
constexpr std::uint64_t kLargestPosition = std::uint64_t{1} << 52;

// The double the extractor forms from a field: its number times 10,000;
// a text that does not begin with a number gives 0.
double field_product(const std::string& text);

// The byte the copy starts at for an offset field, or nothing where the
// truncated product is not a position in a file (negative, too large).
std::optional<std::uint64_t> offset_position(const std::string& text);

// How many bytes the copy loop takes for a length product, starting at
// `start`, in the loop's own double steps, if the file is long enough;
// lengths past any position give UINT64_MAX.
std::uint64_t copied_bytes(std::uint64_t start, double length_product);

// The shortest text that reads back as `offset`, or nothing.
std::optional<std::string> offset_text(std::uint64_t offset);
// The shortest text that makes the copy from `offset` take exactly `length`.
std::optional<std::string> length_text(std::uint64_t length, std::uint64_t offset);

}  // namespace archive
