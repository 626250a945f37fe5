#include "options.h"

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <map>

namespace archive {

const char kUsage[] =
    "usage: tqwrite -o ARCHIVE [OPTIONS] TRACK...\n"
    "       tqwrite --set LIST DIR\n"
    "\n"
    "Tracks, in order, each optionally followed by --title TEXT:\n"
    "  --mp3 FILE             the bytes of an MP3 file (title: its file name)\n"
    "  --tone BYTES[:HZ]      generated frames of a steady tone (440 Hz)\n"
    "  --silence BYTES        generated silent frames\n"
    "Tag texts:\n"
    "  --album TEXT  --artist TEXT  --maker TEXT\n"
    "  --user-number N        in units of 10,000 (written after the maker)\n"
    "  --prefix               start each tag text with \"Tunequilt - \" (again when repeated)\n"
    "Raw mode (--raw): nothing is checked for how it reads back, and\n"
    "  --mark TEXT  --comment TEXT  --count TEXT\n"
    "  --record TEXT          a whole record, repeatable; {offset} and {length}\n"
    "                         stand for those of the track of the same number\n"
    "  --artist-size N  --album-size N  --comment-size N   a frame's size byte, 0-255\n"
    "  --pad BYTE             fills the count and the records (default 32)\n"
    "  --truncate N           keep only the first N bytes\n"
    "replace what would be written. A LIST holds one archive a line: a file name\n"
    "under DIR, then its options; indented lines continue it, # lines describe it.\n";

namespace {

bool parse_number(const std::string& option, const std::string& text, std::uint64_t limit, std::uint64_t& value,
                  std::string& error) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long parsed = std::strtoull(text.c_str(), &end, 10);
    if (text.empty() || text[0] == '-' || *end != '\0' || errno != 0 || parsed > limit) {
        error = option + " takes a number from 0 to " + std::to_string(limit) + ", not \"" + text + "\"";
        return false;
    }
    value = parsed;
    return true;
}

constexpr std::uint64_t kLargestTrack = std::uint64_t{1} << 40;

bool parse_tone(const std::string& text, Payload& payload, std::string& error) {
    const std::size_t colon = text.find(':');
    std::uint64_t hz = 440;
    if (colon != std::string::npos && !parse_number("--tone's frequency", text.substr(colon + 1), 20000, hz, error)) {
        return false;
    }
    if (hz == 0) {
        error = "--tone needs a frequency above 0 Hz";
        return false;
    }
    payload.kind = Payload::Kind::Tone;
    payload.tone_hz = static_cast<int>(hz);
    return parse_number("--tone", text.substr(0, colon), kLargestTrack, payload.bytes, error);
}

using Handler = std::function<bool(Command&, const std::string&, std::string&)>;

struct Option {
    bool takes_value;
    bool raw_only;
    Handler handle;
};

bool size_byte(std::optional<int>& field, const std::string& option, const std::string& value, std::string& error) {
    std::uint64_t size = 0;
    if (!parse_number(option, value, 255, size, error)) return false;
    field = static_cast<int>(size);
    return true;
}

const std::map<std::string, Option>& options() {
    static const std::map<std::string, Option> table = {
        {"-o", {true, false, [](Command& c, const std::string& v, std::string&) { return c.output = v, true; }}},
        {"--album", {true, false, [](Command& c, const std::string& v, std::string&) { return c.request.album = v, true; }}},
        {"--artist",
         {true, false, [](Command& c, const std::string& v, std::string&) { return c.request.artist = v, true; }}},
        {"--maker", {true, false, [](Command& c, const std::string& v, std::string&) { return c.request.maker = v, true; }}},
        {"--user-number",
         {true, false, [](Command& c, const std::string& v, std::string&) { return c.request.user_number = v, true; }}},
        {"--prefix", {false, false, [](Command& c, const std::string&, std::string&) { return ++c.request.prefixes, true; }}},
        {"--mp3",
         {true, false,
          [](Command& c, const std::string& v, std::string&) {
              Track track;
              track.payload.kind = Payload::Kind::File;
              track.payload.path = v;
              c.request.tracks.push_back(track);
              return true;
          }}},
        {"--tone",
         {true, false,
          [](Command& c, const std::string& v, std::string& e) {
              Track track;
              if (!parse_tone(v, track.payload, e)) return false;
              c.request.tracks.push_back(track);
              return true;
          }}},
        {"--silence",
         {true, false,
          [](Command& c, const std::string& v, std::string& e) {
              Track track;
              if (!parse_number("--silence", v, kLargestTrack, track.payload.bytes, e)) return false;
              c.request.tracks.push_back(track);
              return true;
          }}},
        {"--title",
         {true, false,
          [](Command& c, const std::string& v, std::string& e) {
              if (c.request.tracks.empty()) {
                  e = "--title comes after the track it names";
                  return false;
              }
              if (c.request.tracks.back().title) {
                  e = "track " + std::to_string(c.request.tracks.size()) + " has two titles";
                  return false;
              }
              c.request.tracks.back().title = v;
              return true;
          }}},
        {"--raw", {false, false, [](Command& c, const std::string&, std::string&) { return c.request.raw = true, true; }}},
        {"--mark", {true, true, [](Command& c, const std::string& v, std::string&) { return c.request.mark = v, true; }}},
        {"--comment", {true, true, [](Command& c, const std::string& v, std::string&) { return c.request.comment = v, true; }}},
        {"--count", {true, true, [](Command& c, const std::string& v, std::string&) { return c.request.count = v, true; }}},
        {"--record",
         {true, true, [](Command& c, const std::string& v, std::string&) { return c.request.records.push_back(v), true; }}},
        {"--artist-size",
         {true, true, [](Command& c, const std::string& v, std::string& e) {
              return size_byte(c.request.artist_size, "--artist-size", v, e);
          }}},
        {"--album-size",
         {true, true, [](Command& c, const std::string& v, std::string& e) {
              return size_byte(c.request.album_size, "--album-size", v, e);
          }}},
        {"--comment-size",
         {true, true, [](Command& c, const std::string& v, std::string& e) {
              return size_byte(c.request.comment_size, "--comment-size", v, e);
          }}},
        {"--pad",
         {true, true,
          [](Command& c, const std::string& v, std::string& e) {
              std::uint64_t byte = 0;
              if (!parse_number("--pad", v, 255, byte, e)) return false;
              c.request.pad = static_cast<char>(byte);
              return true;
          }}},
        {"--truncate",
         {true, true,
          [](Command& c, const std::string& v, std::string& e) {
              std::uint64_t at = 0;
              if (!parse_number("--truncate", v, UINT64_MAX, at, e)) return false;
              c.request.truncate = at;
              return true;
          }}},
    };
    return table;
}

}  // namespace

bool parse_command(const std::vector<std::string>& args, Command& command, std::string& error) {
    command = Command{};
    std::string raw_option;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto found = options().find(args[i]);
        if (found == options().end()) {
            error = "unknown option \"" + args[i] + "\"";
            return false;
        }
        const Option& option = found->second;
        if (option.takes_value && i + 1 == args.size()) {
            error = args[i] + " needs a value";
            return false;
        }
        if (option.raw_only && raw_option.empty()) raw_option = args[i];
        if (!option.handle(command, option.takes_value ? args[++i] : std::string(), error)) return false;
    }
    if (!raw_option.empty() && !command.request.raw) {
        error = raw_option + " writes a field verbatim and needs --raw";
        return false;
    }
    if (command.output.empty()) {
        error = "no output archive (-o ARCHIVE)";
        return false;
    }
    return true;
}

}  // namespace archive
