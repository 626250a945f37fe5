// Times StringNthField and StringReplaceAll against straightforward
// std::string versions of the same operations and prints the ratios.
// Built with the tests but not one of them: run it by hand under Wine.
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "strings/string_functions.h"

namespace {

double seconds_now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename F>
double time_of(int rounds, F body) {
    double start = seconds_now();
    for (int i = 0; i < rounds; ++i) body();
    return seconds_now() - start;
}

// 501 bytes: 50 fields of 9 letters and digits and a comma, and a final "x".
std::string record_text() {
    std::string text;
    for (int i = 0; i < 50; ++i) {
        char field[16];
        std::snprintf(field, sizeof field, "field%04d,", i);
        text += field;
    }
    return text + "x";
}

// 1,325 bytes of prose in which "the" occurs in several cases.
std::string prose_text() {
    const std::string sentence = "The quick brown fox jumps over the lazy dog while THE cat watches. ";
    std::string text;
    while (text.size() + sentence.size() <= 1325) text += sentence;
    return text + std::string(1325 - text.size(), '.');
}

std::string nth_field(const std::string& s, const std::string& sep, int n) {
    std::size_t begin = 0;
    for (int field = 1; field < n; ++field) {
        std::size_t at = s.find(sep, begin);
        if (at == std::string::npos) return std::string();
        begin = at + sep.size();
    }
    std::size_t end = s.find(sep, begin);
    return s.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

std::string lowered(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Letter case ignored, like StringReplaceAll.
std::string replace_all(const std::string& s, const std::string& find, const std::string& with) {
    const std::string low = lowered(s), low_find = lowered(find);
    std::string out;
    std::size_t copied = 0;
    for (std::size_t at = 0; (at = low.find(low_find, at)) != std::string::npos; at += find.size()) {
        out.append(s, copied, at - copied);
        out += with;
        copied = at + find.size();
    }
    out.append(s, copied, std::string::npos);
    return out;
}

RuntimeString* runtime_text(const std::string& s) { return string_from_bytes(s.data(), s.size()); }

}  // namespace

int main() {
    const std::string record = record_text(), prose = prose_text();
    RuntimeString* r_record = runtime_text(record);
    RuntimeString* r_comma = string_from_cstr(",");
    RuntimeString* r_prose = runtime_text(prose);
    RuntimeString* r_the = string_from_cstr("the");
    RuntimeString* r_with = string_from_cstr("a");
    const int rounds = 2000;
    std::size_t sink = 0;

    double fields_runtime = time_of(rounds, [&] {
        for (int n = 1; n <= 51; ++n) {
            RuntimeString* f = StringNthField(r_record, r_comma, n);
            sink += string_length(f);
            RuntimeUnlockString(f);
        }
    });
    double fields_std = time_of(rounds, [&] {
        for (int n = 1; n <= 51; ++n) sink += nth_field(record, ",", n).size();
    });
    double replace_runtime = time_of(rounds, [&] {
        RuntimeString* r = StringReplaceAll(r_prose, r_the, r_with);
        sink += string_length(r);
        RuntimeUnlockString(r);
    });
    double replace_std = time_of(rounds, [&] { sink += replace_all(prose, "the", "a").size(); });

    std::printf("record %u bytes, text %u bytes, %d rounds (checksum %u)\n", static_cast<unsigned>(record.size()),
                static_cast<unsigned>(prose.size()), rounds, static_cast<unsigned>(sink));
    std::printf("StringNthField, all 51 fields: runtime %.3f ms, std::string %.3f ms, ratio %.2f\n",
                fields_runtime * 1e3, fields_std * 1e3, fields_runtime / fields_std);
    std::printf("StringReplaceAll:               runtime %.3f ms, std::string %.3f ms, ratio %.2f\n",
                replace_runtime * 1e3, replace_std * 1e3, replace_runtime / replace_std);
    RuntimeUnlockString(r_record);
    RuntimeUnlockString(r_comma);
    RuntimeUnlockString(r_prose);
    RuntimeUnlockString(r_the);
    RuntimeUnlockString(r_with);
    return 0;
}
