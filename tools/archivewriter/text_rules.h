// What a text must avoid to read back unchanged, and what a track title must
// avoid to be a file name Windows can create.
#pragma once

#include <optional>
#include <string>

namespace archive {

// Blank as the reader's trim sees it in the Windows code page.
bool is_blank(unsigned char byte);
bool contains_ignoring_case(const std::string& text, const std::string& find);

// Why `title` cannot be a track's file name, or nothing.
std::optional<std::string> title_problem(const std::string& title);

}  // namespace archive
