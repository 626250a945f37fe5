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
    "  --tone BYTES[:HZ]      generated frames of a steady tone near HZ (440),\n"
    "                         in steps of 83 1/3 Hz\n"
    "  --silence BYTES        generated silent frames\n"
    "Tag texts:\n"
    "  --album TEXT  --artist TEXT  --maker TEXT\n"
    "  --user-number N        in units of 10,000 (written after the maker)\n"
    "  --prefix               start each tag text with \"Tunequilt - \" (again when repeated)\n"
    "Raw mode (--raw) checks nothing for how it reads back; these replace\n"
    "what would be written:\n"
    "  --mark TEXT  --comment TEXT  --count TEXT\n"
    "  --record TEXT          a whole record, repeatable; {offset} and {length}\n"
    "                         stand for those of the track of the same number\n"
    "  --artist-size N  --album-size N  --comment-size N   a frame's size byte, 0-255\n"
    "  --pad BYTE             fills the count and the records (default 32)\n"
    "  --truncate N           keep only the first N bytes\n"
    "Bare mode (--bare) writes only the tracks' data, one after another: with\n"
    "one generated track, a plain MP3 file.\n"
    "\n"
    "A LIST holds one archive a line: a file name under DIR, then its options;\n"
    "indented lines continue it and the # lines above it describe it.\n";

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

template <typename Field>
Handler text_into(Field Request::*field) {
    return [field](Command& c, const std::string& value, std::string&) {
        c.request.*field = value;
        return true;
    };
}

Handler size_byte_into(std::optional<int> Request::*field, const std::string& option) {
    return [field, option](Command& c, const std::string& value, std::string& error) {
        std::uint64_t size = 0;
        if (!parse_number(option, value, 255, size, error)) return false;
        c.request.*field = static_cast<int>(size);
        return true;
    };
}

Handler track(Payload::Kind kind) {
    return [kind](Command& c, const std::string& value, std::string& error) {
        Track added;
        added.payload.kind = kind;
        if (kind == Payload::Kind::File) {
            added.payload.path = value;
        } else if (kind == Payload::Kind::Tone) {
            if (!parse_tone(value, added.payload, error)) return false;
        } else if (!parse_number("--silence", value, kLargestTrack, added.payload.bytes, error)) {
            return false;
        }
        c.request.tracks.push_back(added);
        return true;
    };
}

bool set_title(Command& c, const std::string& value, std::string& error) {
    if (c.request.tracks.empty()) {
        error = "--title comes after the track it names";
        return false;
    }
    if (c.request.tracks.back().title) {
        error = "track " + std::to_string(c.request.tracks.size()) + " has two titles";
        return false;
    }
    c.request.tracks.back().title = value;
    return true;
}

bool set_pad(Command& c, const std::string& value, std::string& error) {
    std::uint64_t byte = 0;
    if (!parse_number("--pad", value, 255, byte, error)) return false;
    c.request.pad = static_cast<char>(byte);
    return true;
}

bool set_truncate(Command& c, const std::string& value, std::string& error) {
    std::uint64_t at = 0;
    if (!parse_number("--truncate", value, UINT64_MAX, at, error)) return false;
    c.request.truncate = at;
    return true;
}

const std::map<std::string, Option>& options() {
    static const std::map<std::string, Option> table = {
        {"-o", {true, false, [](Command& c, const std::string& v, std::string&) { return c.output = v, true; }}},
        {"--album", {true, false, text_into(&Request::album)}},
        {"--artist", {true, false, text_into(&Request::artist)}},
        {"--maker", {true, false, text_into(&Request::maker)}},
        {"--user-number", {true, false, text_into(&Request::user_number)}},
        {"--prefix", {false, false, [](Command& c, const std::string&, std::string&) { return ++c.request.prefixes, true; }}},
        {"--mp3", {true, false, track(Payload::Kind::File)}},
        {"--tone", {true, false, track(Payload::Kind::Tone)}},
        {"--silence", {true, false, track(Payload::Kind::Silence)}},
        {"--title", {true, false, set_title}},
        {"--raw", {false, false, [](Command& c, const std::string&, std::string&) { return c.request.raw = true, true; }}},
        {"--bare", {false, false, [](Command& c, const std::string&, std::string&) { return c.request.bare = true, true; }}},
        {"--mark", {true, true, text_into(&Request::mark)}},
        {"--comment", {true, true, text_into(&Request::comment)}},
        {"--count", {true, true, text_into(&Request::count)}},
        {"--record",
         {true, true, [](Command& c, const std::string& v, std::string&) { return c.request.records.push_back(v), true; }}},
        {"--artist-size", {true, true, size_byte_into(&Request::artist_size, "--artist-size")}},
        {"--album-size", {true, true, size_byte_into(&Request::album_size, "--album-size")}},
        {"--comment-size", {true, true, size_byte_into(&Request::comment_size, "--comment-size")}},
        {"--pad", {true, true, set_pad}},
        {"--truncate", {true, true, set_truncate}},
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
    if (command.request.bare && command.request.raw) {
        error = "--bare writes no archive fields; it takes no --raw";
        return false;
    }
    if (command.output.empty()) {
        error = "no output archive (-o ARCHIVE)";
        return false;
    }
    return true;
}

}  // namespace archive
