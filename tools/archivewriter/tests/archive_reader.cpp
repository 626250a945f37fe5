#include "archive_reader.h"

#include <cmath>
#include <cstdlib>

namespace archive::test {

namespace {

struct Stream {
    const std::string& bytes;
    std::uint64_t position = 0;
    std::string read(long count) {
        if (count <= 0 || position >= bytes.size()) return "";
        std::string piece = bytes.substr(position, static_cast<std::size_t>(count));
        position += piece.size();
        return piece;
    }
};

bool blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::string trim(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::string nth_field(const std::string& text, int n) {
    std::size_t start = 0;
    for (int field = 1; field < n; ++field) {
        const std::size_t sep = text.find("[][]", start);
        if (sep == std::string::npos) return "";
        start = sep + 4;
    }
    const std::size_t end = text.find("[][]", start);
    return end == std::string::npos ? text.substr(start) : text.substr(start, end - start);
}

std::string without_prefix(std::string text) {
    const std::string prefix = "Tunequilt - ";
    for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at)) {
        text.erase(at, prefix.size());
    }
    return text;
}

double string_val(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

ReadArchive read_archive(const std::string& bytes) {
    ReadArchive out;
    Stream in{bytes};
    out.header = in.read(10);
    in.position = 21;
    out.mark = in.read(15);
    in.position = 43;
    std::string* texts[3] = {&out.artist, &out.album, &out.comment};
    for (int frame = 0; frame < 3; ++frame) {
        const std::string size = in.read(1);
        out.sizes[frame] = size.empty() ? 0 : static_cast<unsigned char>(size[0]);
        in.position += 3;
        *texts[frame] = in.read(out.sizes[frame] - 1);
        if (frame < 2) in.position += 7;
    }
    in.position = 1325;
    out.count_text = trim(in.read(12));
    out.count = static_cast<long>(string_val(out.count_text));
    for (long i = 0; i < out.count && in.position < bytes.size(); ++i) out.records.push_back(trim(in.read(501)));
    return out;
}

Copied copy_track(const std::string& bytes, const std::string& record) {
    const double length = string_val(nth_field(record, 1)) * 10000.0;
    const double offset = string_val(nth_field(record, 2)) * 10000.0;
    Copied out;
    Stream in{bytes};
    in.position = static_cast<std::uint64_t>(std::trunc(offset));
    if (in.position > bytes.size()) in.position = bytes.size();
    out.start = in.position;
    const double end = static_cast<double>(in.position) + length;
    const double chunk = 262144.0;
    while (static_cast<double>(in.position) + chunk <= end) {
        const std::string piece = in.read(262144);
        out.pieces.push_back(piece.size());
        out.data += piece;
        if (piece.empty()) return out;
    }
    if (static_cast<double>(in.position) < end) {
        const std::string piece = in.read(static_cast<long>(std::trunc(end - static_cast<double>(in.position))));
        out.pieces.push_back(piece.size());
        out.data += piece;
    }
    return out;
}

}  // namespace archive::test
