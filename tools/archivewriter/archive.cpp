#include "archive.h"

#include <filesystem>

#include "fractions.h"
#include "tag.h"
#include "text_rules.h"

namespace archive {

const char kMark[] = "Tunequilt Album";
const char kPrefix[] = "Tunequilt - ";
const char kSeparator[] = "[][]";

namespace {

bool size_payloads(const Request& request, std::vector<Payload>& payloads, std::string& error) {
    for (const Track& track : request.tracks) {
        Payload payload = track.payload;
        if (payload.kind == Payload::Kind::File) {
            std::error_code failure;
            if (!std::filesystem::exists(payload.path, failure)) {
                error = payload.path + ": no such file";
                return false;
            }
            if (!std::filesystem::is_regular_file(payload.path, failure)) {
                error = payload.path + ": not a file";
                return false;
            }
            payload.bytes = std::filesystem::file_size(payload.path, failure);
            if (failure) {
                error = payload.path + ": " + failure.message();
                return false;
            }
        }
        payloads.push_back(payload);
    }
    return true;
}

std::string default_title(const Track& track, std::size_t number) {
    if (track.payload.kind == Payload::Kind::File) return std::filesystem::path(track.payload.path).filename().string();
    return "Track " + std::to_string(number) + ".mp3";
}

std::string prefixed(const std::string& text, int prefixes) {
    std::string out;
    for (int i = 0; i < prefixes; ++i) out += kPrefix;
    return out + text;
}

bool check_tag_text(const char* what, const std::string& text, std::string& error) {
    if (contains_ignoring_case(text, kPrefix)) {
        error = std::string("the ") + what + " contains \"" + kPrefix + "\", which the reader removes (use --prefix)";
        return false;
    }
    return true;
}

bool is_decimal(const std::string& text) {
    const std::size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    auto digits = [](const std::string& s) { return s.find_first_not_of("0123456789") == std::string::npos; };
    return !whole.empty() && digits(whole) && digits(fraction) && (point == std::string::npos || !fraction.empty());
}

bool compose_tag_texts(const Request& request, TagTexts& texts, std::string& error) {
    texts.mark = request.mark.value_or(kMark);
    texts.artist_size = request.artist_size;
    texts.album_size = request.album_size;
    texts.comment_size = request.comment_size;
    std::string comment = request.maker;
    if (request.user_number) comment += kSeparator + *request.user_number;
    if (!request.raw) {
        if (!check_tag_text("artist", request.artist, error) || !check_tag_text("album", request.album, error) ||
            !check_tag_text("maker", request.maker, error)) {
            return false;
        }
        if (request.maker.find(kSeparator) != std::string::npos) {
            error = std::string("the maker contains the field separator ") + kSeparator;
            return false;
        }
        if (request.user_number && !is_decimal(*request.user_number)) {
            error = "the user number \"" + *request.user_number + "\" is not a decimal number";
            return false;
        }
    }
    texts.artist = prefixed(request.artist, request.prefixes);
    texts.album = prefixed(request.album, request.prefixes);
    texts.comment = request.comment.value_or(prefixed(comment, request.prefixes));
    const std::pair<const char*, const std::string*> frames[] = {
        {"artist", &texts.artist}, {"album", &texts.album}, {"comment", &texts.comment}};
    for (const auto& [what, text] : frames) {
        if (!request.raw && text->size() > kFrameTextLimit) {
            error = std::string("the ") + what + " text has " + std::to_string(text->size()) +
                    " bytes; a frame holds at most " + std::to_string(kFrameTextLimit);
            return false;
        }
    }
    return true;
}

bool fill_slot(std::string& head, const std::string& text, std::size_t slot, char pad, const std::string& what,
               std::string& error) {
    if (text.size() > slot) {
        error = what + " has " + std::to_string(text.size()) + " bytes; it must fit in " + std::to_string(slot);
        return false;
    }
    head += text;
    head += std::string(slot - text.size(), pad);
    return true;
}

std::string replace_all(std::string text, const std::string& find, const std::string& with) {
    for (std::size_t at = text.find(find); at != std::string::npos; at = text.find(find, at + with.size())) {
        text.replace(at, find.size(), with);
    }
    return text;
}

struct Placed {
    std::string offset;
    std::string length;
};

// The texts of every track's offset and length as the directory will place them.
bool place_tracks(const std::vector<Payload>& payloads, std::size_t record_slots, std::vector<Placed>& placed,
                  std::uint64_t& end, std::string& error) {
    end = kDirectoryStart + kRecordBytes * record_slots;
    for (std::size_t i = 0; i < payloads.size(); ++i) {
        const std::optional<std::string> offset = offset_text(end);
        const std::optional<std::string> length = length_text(payloads[i].bytes, end);
        if (!offset || !length) {
            error = "track " + std::to_string(i + 1) + ": " + std::to_string(payloads[i].bytes) + " bytes at offset " +
                    std::to_string(end) + " cannot be written as fractions of 10,000 that read back exactly";
            return false;
        }
        placed.push_back({*offset, *length});
        end += payloads[i].bytes;
    }
    return true;
}

bool compose_records(const Request& request, const std::vector<Placed>& placed, std::vector<std::string>& records,
                     std::string& error) {
    if (!request.records.empty()) {
        for (std::size_t i = 0; i < request.records.size(); ++i) {
            const std::string& text = request.records[i];
            const bool refers = text.find("{offset}") != std::string::npos || text.find("{length}") != std::string::npos;
            if (refers && i >= placed.size()) {
                error = "record " + std::to_string(i + 1) + " refers to the offset or length of a track it does not have";
                return false;
            }
            records.push_back(refers ? replace_all(replace_all(text, "{offset}", placed[i].offset), "{length}",
                                                   placed[i].length)
                                     : text);
        }
        return true;
    }
    for (std::size_t i = 0; i < request.tracks.size(); ++i) {
        const std::string title = request.tracks[i].title.value_or(default_title(request.tracks[i], i + 1));
        if (!request.raw) {
            if (const std::optional<std::string> problem = title_problem(title)) {
                error = "the title of track " + std::to_string(i + 1) + " \"" + title + "\" " + *problem;
                return false;
            }
        }
        records.push_back(placed[i].length + kSeparator + placed[i].offset + kSeparator + title);
    }
    return true;
}

}  // namespace

bool plan_archive(const Request& request, Plan& plan, std::string& error) {
    plan = Plan{};
    if (!size_payloads(request, plan.payloads, error)) return false;
    if (request.bare) {
        for (const Payload& payload : plan.payloads) plan.total += payload.bytes;
        return true;
    }
    TagTexts texts;
    if (!compose_tag_texts(request, texts, error) || !build_tag(texts, plan.head, error)) return false;

    const std::size_t slots = request.records.empty() ? request.tracks.size() : request.records.size();
    std::vector<Placed> placed;
    if (!place_tracks(plan.payloads, slots, placed, plan.total, error)) return false;
    std::vector<std::string> records;
    if (!compose_records(request, placed, records, error)) return false;

    const std::string count = request.count.value_or(std::to_string(records.size()));
    if (!fill_slot(plan.head, count, kCountBytes, request.pad, "the track count \"" + count + "\"", error)) return false;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!fill_slot(plan.head, records[i], kRecordBytes, request.pad, "record " + std::to_string(i + 1), error)) {
            return false;
        }
    }
    if (request.truncate && *request.truncate > plan.total) {
        error = "cannot cut at byte " + std::to_string(*request.truncate) + ": the archive has " +
                std::to_string(plan.total) + " bytes";
        return false;
    }
    plan.truncate = request.truncate;
    return true;
}

}  // namespace archive
