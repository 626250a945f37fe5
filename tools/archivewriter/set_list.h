// A list of archives to write in one run: one entry a line, a file name and
// then tqwrite's options; indented lines continue the entry, and the "#" lines
// just above it say what it is for.
//
// Words are split at blanks; double quotes keep blanks in a word. Backslash
// escapes work everywhere: \\ \" \t \n \r, \xHH for any byte, and \*N:c for
// the character c written N times.
#pragma once

#include <string>
#include <vector>

namespace archive {

struct SetEntry {
    std::string name;
    std::string description;
    std::vector<std::string> args;
    int line = 0;
};

bool split_words(const std::string& text, std::vector<std::string>& words, std::string& error);
bool parse_set_list(const std::string& text, std::vector<SetEntry>& entries, std::string& error);

}  // namespace archive
