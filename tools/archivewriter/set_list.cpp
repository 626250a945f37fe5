#include "set_list.h"

#include <cstdlib>
#include <sstream>

namespace archive {

namespace {

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The escape at text[at] (just past the backslash), appended to `word`.
bool escape(const std::string& text, std::size_t& at, std::string& word, std::string& error) {
    if (at >= text.size()) {
        error = "a backslash ends the line";
        return false;
    }
    const char c = text[at++];
    switch (c) {
        case '\\': case '"': word += c; return true;
        case 't': word += '\t'; return true;
        case 'n': word += '\n'; return true;
        case 'r': word += '\r'; return true;
        case 'x': {
            const int high = at < text.size() ? hex_digit(text[at]) : -1;
            const int low = at + 1 < text.size() ? hex_digit(text[at + 1]) : -1;
            if (high < 0 || low < 0) break;
            word += static_cast<char>(high * 16 + low);
            at += 2;
            return true;
        }
        case '*': {
            const std::size_t colon = text.find(':', at);
            const std::string digits = colon == std::string::npos ? "" : text.substr(at, colon - at);
            if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos ||
                colon + 1 >= text.size()) {
                break;
            }
            word.append(std::strtoul(digits.c_str(), nullptr, 10), text[colon + 1]);
            at = colon + 2;
            return true;
        }
        default: break;
    }
    error = std::string("unknown escape \\") + c;
    return false;
}

bool is_word_blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool split_words(const std::string& text, std::vector<std::string>& words, std::string& error) {
    std::size_t at = 0;
    while (true) {
        while (at < text.size() && is_word_blank(text[at])) ++at;
        if (at >= text.size()) return true;
        std::string word;
        bool quoted = false;
        while (at < text.size() && (quoted || !is_word_blank(text[at]))) {
            const char c = text[at++];
            if (c == '"') {
                quoted = !quoted;
            } else if (c == '\\') {
                if (!escape(text, at, word, error)) return false;
            } else {
                word += c;
            }
        }
        if (quoted) {
            error = "a quote is not closed";
            return false;
        }
        words.push_back(word);
    }
}

bool parse_set_list(const std::string& text, std::vector<SetEntry>& entries, std::string& error) {
    entries.clear();
    std::istringstream lines(text);
    std::string line;
    std::string description;
    for (int number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos) {
            description.clear();
            continue;
        }
        if (line[first] == '#') {
            const std::size_t start = line.find_first_not_of(" \t", first + 1);
            if (start != std::string::npos) description += (description.empty() ? "" : " ") + line.substr(start);
            continue;
        }
        std::vector<std::string> words;
        if (!split_words(line, words, error)) {
            error = "line " + std::to_string(number) + ": " + error;
            return false;
        }
        if (first > 0) {
            if (entries.empty()) {
                error = "line " + std::to_string(number) + ": an indented line continues no entry";
                return false;
            }
            entries.back().args.insert(entries.back().args.end(), words.begin(), words.end());
            continue;
        }
        SetEntry entry;
        entry.name = words[0];
        entry.args.assign(words.begin() + 1, words.end());
        entry.description = description;
        entry.line = number;
        entries.push_back(entry);
        description.clear();
    }
    return true;
}

}  // namespace archive
