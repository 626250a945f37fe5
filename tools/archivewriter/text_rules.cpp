#include "text_rules.h"

#include <cctype>

#include "archive.h"

namespace archive {

bool is_blank(unsigned char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r') || byte == 0xA0; }

namespace {

std::string upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool is_device_name(const std::string& title) {
    const std::string stem = upper(title.substr(0, title.find('.')));
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices) {
        if (stem == device) return true;
    }
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

constexpr std::size_t kLongestFileName = 255;

}  // namespace

bool contains_ignoring_case(const std::string& text, const std::string& find) {
    return upper(text).find(upper(find)) != std::string::npos;
}

std::optional<std::string> title_problem(const std::string& title) {
    if (title.empty()) return "is empty";
    if (title.size() > kLongestFileName) {
        return "has " + std::to_string(title.size()) + " characters; a file name has at most " +
               std::to_string(kLongestFileName);
    }
    for (unsigned char c : title) {
        if (c < 0x20 || c == 0x7F) return "contains a control character";
        if (std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos) {
            return std::string("contains '") + static_cast<char>(c) + "', which no file name may";
        }
    }
    const unsigned char last = static_cast<unsigned char>(title.back());
    if (is_blank(last) || last == '.') return "ends in a blank or '.', which Windows drops from file names";
    if (is_device_name(title)) return "is a device name, not a file name";
    if (title.find(kSeparator) != std::string::npos) return std::string("contains the field separator ") + kSeparator;
    return std::nullopt;
}

}  // namespace archive
