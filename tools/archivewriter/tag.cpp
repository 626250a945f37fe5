#include "tag.h"

#include "archive.h"

namespace archive {

namespace {

constexpr std::size_t kHeaderBytes = 10;

void put_u32_be(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

// Header, text-encoding byte (0, single-byte text) and the text.
void put_frame(std::string& tag, const char* id, const std::string& text, std::optional<int> size) {
    tag += id;
    put_u32_be(tag, size ? static_cast<std::uint32_t>(*size) : static_cast<std::uint32_t>(text.size() + 1));
    tag += std::string(2, '\0');
    tag += '\0';
    tag += text;
}

}  // namespace

bool build_tag(const TagTexts& texts, std::string& tag, std::string& error) {
    const std::uint32_t body = kTagBytes - kHeaderBytes;
    tag = "ID3";
    tag += '\x03';
    tag += '\0';
    tag += '\0';
    // Syncsafe: seven bits a byte, so 1,315 is 0x00 0x00 0x0A 0x23.
    for (int shift = 21; shift >= 0; shift -= 7) tag += static_cast<char>((body >> shift) & 0x7F);
    put_frame(tag, "TIT1", texts.mark, std::nullopt);
    put_frame(tag, "TPE1", texts.artist, texts.artist_size);
    put_frame(tag, "TALB", texts.album, texts.album_size);
    put_frame(tag, "COMM", texts.comment, texts.comment_size);
    if (tag.size() > kTagBytes) {
        error = "the tag's frames take " + std::to_string(tag.size()) + " bytes; the tag holds " +
                std::to_string(kTagBytes);
        return false;
    }
    tag.resize(kTagBytes, '\0');
    return true;
}

}  // namespace archive
