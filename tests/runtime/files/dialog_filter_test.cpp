// The filter lists that the open and save dialogs are given.
#include <gtest/gtest.h>

#include <string>

#include "../core/support/string_test_support.h"
#include "file_dialogs.h"
#include "file_types.h"
#include "objects/memory.h"

namespace {

// A literal with the NULs inside it.
template <std::size_t N>
std::string bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

class DialogFilters : public ::testing::Test {
protected:
    void SetUp() override {
        const FileType types[] = {
            {string_from_cstr("Songs"), string_from_cstr("ttxt"), string_from_cstr("MP3 "), string_from_cstr(".mp3;.mpg")},
            {string_from_cstr("Text"), string_from_cstr("ttxt"), string_from_cstr("TEXT"), string_from_cstr("txt;;.log")},
            {string_from_cstr("Any"), nullptr, nullptr, nullptr},
            {string_from_cstr("Folder"), nullptr, string_from_cstr("fold"), nullptr},
            {string_from_cstr("Notes"), nullptr, nullptr, string_from_cstr(".txt")},
            {string_from_cstr("notes"), nullptr, nullptr, string_from_cstr(".md")},
        };
        auto* list = static_cast<FileType*>(runtime_alloc(sizeof types));
        for (std::size_t i = 0; i < 6; ++i) list[i] = types[i];
        file_types_install(list, 6);
    }
    void TearDown() override { file_types_install(nullptr, 0); }
};

TEST_F(DialogFilters, PatternsAndDefaultExtensions) {
    struct Case {
        const char* filter;
        std::string list;
        const char* default_extension;
    } cases[] = {
        {"Songs", bytes("Songs\0*.mp3;*.mpg\0\0\0"), "mp3"},
        // A first field without "." sets no default; empty fields are skipped.
        {"text", bytes("text\0*txt;*.log\0\0\0"), ""},
        {"Any", bytes("Any\0*.*\0\0\0"), ""},
        {"Folder", bytes("Folder\0\0\0\0"), ""},
        {"Unknown", bytes("Unknown\0\0\0\0"), ""},
        // Every type of the name adds to one pattern; the later name's default wins.
        {"Notes;Songs", bytes("Notes\0*.txt;*.md\0Songs\0*.mp3;*.mpg\0\0\0"), "mp3"},
        {"Songs;notes", bytes("Songs\0*.mp3;*.mpg\0notes\0*.txt;*.md\0\0\0"), "txt"},
        {"", bytes("\0\0"), ""},
        // An empty name would end the list early; it is left out.
        {"Songs;;Any", bytes("Songs\0*.mp3;*.mpg\0Any\0*.*\0\0\0"), "mp3"},
    };
    for (const Case& c : cases) {
        Str filter(c.filter);
        DialogFilter built = dialog_filter_build(filter);
        EXPECT_EQ(std::string(built.list, built.length), c.list) << c.filter;
        EXPECT_STREQ(string_cstr(built.default_extension), c.default_extension) << c.filter;
        dialog_filter_release(&built);
    }
}

}  // namespace
