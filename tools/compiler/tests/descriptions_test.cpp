// Packed integers, window descriptions, the menu bar and settings streams,
// against hand-worked bytes and an independent reader.
#include <gtest/gtest.h>

#include <climits>

#include "descriptions.h"
#include "test_support.h"

namespace tavoc::test {
namespace {

TEST(PackedIntegers, HandWorkedBytes) {
    struct Case {
        std::int32_t value;
        const char* bytes;
    } cases[] = {{0, "00"},          {3, "03"},          {21, "15"},          {63, "3F"},
                 {64, "80 01"},      {-1, "41"},         {-64, "C0 01"},      {8191, "BF 7F"},
                 {8192, "80 80 01"}, {INT32_MAX, "BF FF FF FF 0F"},           {INT32_MIN, "C0 80 80 80 10"}};
    for (const Case& c : cases) {
        Bytes out;
        put_packed(out, c.value);
        EXPECT_EQ(to_hex(out), c.bytes) << c.value;
        std::size_t pos = 0;
        EXPECT_EQ(read_packed(out, pos), c.value);
        EXPECT_EQ(pos, out.size());
    }
}

struct PairList {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::string value(const std::string& name) const {
        for (auto& [n, v] : pairs)
            if (n == name) return v;
        return "<none>";
    }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (auto& [n, v] : pairs) out.push_back(n);
        return out;
    }
};

PairList read_pairs(const Bytes& b, std::size_t& pos, std::int32_t count) {
    PairList out;
    for (std::int32_t i = 0; i < count; ++i) {
        std::string name = read_text(b, pos);
        out.pairs.push_back({name, read_text(b, pos)});
    }
    return out;
}

const char* const kSource =
    "Window Main\n"
    "  Title = \"Main\"\n"
    "  Width = 364\n"
    "  HasBackColor = True\n"
    "  BackColor = &hEEEEEE\n"
    "  Placement = 2\n"
    "  Control Label As StaticText\n"
    "    Left = -2\n"
    "    Text = \"Album Title:\"\n"
    "    Bold = True\n"
    "  End Control\n"
    "  Control Go(1) As PushButton\n"
    "    Caption = \"Extract\"\n"
    "    Event Action()\n"
    "    End Event\n"
    "  End Control\n"
    "End Window\n";

TEST(WindowDescriptions, BodyStartsWithTheHandWorkedBytes) {
    CompileResult r = compile_ok(kSource);
    std::uint32_t at = find_data(r, "window description Main");
    const Bytes& d = r.blocks.data;
    std::uint32_t length = u32_at(d, at);
    // 21 pairs, class index 0 (the window class), "Name" = "Main", "Frame" = "0".
    EXPECT_EQ(to_hex(Bytes(d.begin() + at + 4, d.begin() + at + 4 + 20)),
              "15 00 04 4E 61 6D 65 04 4D 61 69 6E 05 46 72 61 6D 65 01 30");
    // The body ends exactly after the last binding entry.
    Bytes body(d.begin() + at + 4, d.begin() + at + 4 + length);
    std::size_t pos = 0;
    std::int32_t p = read_packed(body, pos);
    read_packed(body, pos);
    read_pairs(body, pos, p);
    std::int32_t k = read_packed(body, pos);
    for (std::int32_t i = 0; i < k; ++i) {
        read_packed(body, pos);
        read_pairs(body, pos, read_packed(body, pos));
    }
    EXPECT_EQ(read_packed(body, pos), 0);  // no bindings
    EXPECT_EQ(pos, body.size());
}

// A timer placed with the controls: its name and index, then its own pairs
// with their defaults; its handlers live in an unnamed subclass.
TEST(WindowDescriptions, ATimerCarriesOnlyItsNameIndexAndOwnPairs) {
    CompileResult r = compile_ok(
        "Window Main\n"
        "  Control Ticker As Timer\n"
        "    Period = 250\n"
        "    Event Action()\n"
        "    End Event\n"
        "  End Control\n"
        "End Window\n");
    std::uint32_t at = find_data(r, "window description Main");
    Bytes body(r.blocks.data.begin() + at + 4, r.blocks.data.begin() + at + 4 + u32_at(r.blocks.data, at));
    std::size_t pos = 0;
    std::int32_t p = read_packed(body, pos);
    read_packed(body, pos);
    read_pairs(body, pos, p);
    ASSERT_EQ(read_packed(body, pos), 1);
    EXPECT_NE(read_packed(body, pos), 0) << "the unnamed subclass, not the window's class";
    PairList ticker = read_pairs(body, pos, read_packed(body, pos));
    EXPECT_EQ(ticker.names(), (std::vector<std::string>{"Name", "Index", "Mode", "Period"}));
    EXPECT_EQ(ticker.value("Name"), "Ticker");
    EXPECT_EQ(ticker.value("Mode"), "2");
    EXPECT_EQ(ticker.value("Period"), "250");
}

TEST(WindowDescriptions, PairsInTheirOrderWithValuesAsText) {
    CompileResult r = compile_ok(kSource);
    std::uint32_t at = find_data(r, "window description Main");
    Bytes body(r.blocks.data.begin() + at + 4, r.blocks.data.begin() + at + 4 + u32_at(r.blocks.data, at));
    std::size_t pos = 0;
    std::int32_t p = read_packed(body, pos);
    EXPECT_EQ(read_packed(body, pos), 0);
    PairList window = read_pairs(body, pos, p);
    EXPECT_EQ(window.names(), (std::vector<std::string>{"Name", "Frame", "HasBackColor", "BackColor", "Backdrop", "Title",
                                                        "Visible", "FullScreen", "MenuBarVisible", "CloseBox", "GrowIcon",
                                                        "ZoomIcon", "BalloonHelp", "MacProcID", "Placement", "Width",
                                                        "Height", "MinWidth", "MinHeight", "MaxWidth", "MaxHeight"}));
    EXPECT_EQ(window.value("Title"), "Main");
    EXPECT_EQ(window.value("BackColor"), "15658734");
    EXPECT_EQ(window.value("HasBackColor"), "True");
    EXPECT_EQ(window.value("Width"), "364");

    ASSERT_EQ(read_packed(body, pos), 2);
    int label_class = read_packed(body, pos);
    PairList label = read_pairs(body, pos, read_packed(body, pos));
    std::vector<std::string> common = {"Name", "Index", "TabPanelIndex", "Visible", "Left", "Top", "Width", "Height",
                                       "BalloonHelp", "DisabledBalloonHelp", "AutoDeactivate", "LockLeft", "LockTop",
                                       "LockRight", "LockBottom"};
    std::vector<std::string> label_names = common;
    for (const char* n : {"TextFont", "TextSize", "Bold", "Italic", "Underline", "Text", "TextAlign", "TextColor", "MultiLine"})
        label_names.push_back(n);
    EXPECT_EQ(label.names(), label_names);
    EXPECT_EQ(label.value("Index"), "-2147483648");
    EXPECT_EQ(label.value("Left"), "-2");
    EXPECT_EQ(label.value("Text"), "Album Title:");
    EXPECT_EQ(label.value("Bold"), "True");

    int button_class = read_packed(body, pos);
    PairList button = read_pairs(body, pos, read_packed(body, pos));
    EXPECT_EQ(button.value("Name"), "Go");
    EXPECT_EQ(button.value("Index"), "1");
    EXPECT_EQ(button.value("Caption"), "Extract");
    // A control with handlers gets an unnamed subclass; one without uses its class.
    EXPECT_NE(r.map.find(" " + std::to_string(label_class) + "  StaticText (built-in)"), std::string::npos) << r.map;
    EXPECT_NE(r.map.find(" " + std::to_string(button_class) + "  (control class Main.Go)"), std::string::npos) << r.map;
}

TEST(WindowDescriptions, BindingEntriesFollowTheControls) {
    CompileResult r = compile_ok(
        "Declare Class actionBinder Inherits Object\nEnd Class\n"
        "Window W\n"
        "  Control Go As PushButton\n  End Control\n"
        "  Control List As Listbox\n  End Control\n"
        "  Binding Go \"actionSource\" To List \"listTarget\" Part \"rows\" Using actionBinder\n"
        "End Window\n");
    std::uint32_t at = find_data(r, "window description W");
    Bytes body(r.blocks.data.begin() + at + 4, r.blocks.data.begin() + at + 4 + u32_at(r.blocks.data, at));
    std::size_t pos = 0;
    std::int32_t p = read_packed(body, pos);
    read_packed(body, pos);
    read_pairs(body, pos, p);
    std::int32_t k = read_packed(body, pos);
    for (std::int32_t i = 0; i < k; ++i) {
        read_packed(body, pos);
        read_pairs(body, pos, read_packed(body, pos));
    }
    ASSERT_EQ(read_packed(body, pos), 1);
    EXPECT_EQ(read_packed(body, pos), 0);  // Go, the first control
    EXPECT_EQ(read_text(body, pos), "actionSource");
    EXPECT_EQ(read_packed(body, pos), 1);  // List
    EXPECT_EQ(read_text(body, pos), "listTarget");
    int binder = read_packed(body, pos);
    EXPECT_EQ(read_text(body, pos), "");
    EXPECT_EQ(read_text(body, pos), "rows");
    EXPECT_EQ(pos, body.size());
    EXPECT_NE(r.map.find(" " + std::to_string(binder) + "  actionBinder (built-in)"), std::string::npos) << r.map;
}

TEST(Streams, SettingsStreamHandWorked) {
    ProjectDecl p;
    p.title = "T";
    p.file_types.push_back({"tunequiltper", "tqEx", "MP3 ", ""});
    p.messages = {"", "x"};
    Bytes out = settings_stream(p);
    EXPECT_EQ(to_hex(out),
              "01 00 00 00 00 00 00 00 00 "                       // display flag, two unused big-endian words
              "01 0C 74 75 6E 65 71 75 69 6C 74 70 65 72 04 74 71 45 78 04 4D 50 33 20 00 "  // one file type
              "02 00 01 78 "                                      // two message texts
              "00 01 54");                                        // not MDI, title
}

TEST(Streams, MenuBarStreamReadsBack) {
    CompileResult r = compile_ok(
        "MenuBar\n"
        "  Menu FileMenu \"File\"\n"
        "    Item extract \"Extract...\" Key \"E\"\n"
        "    Separator\n"
        "    Item FileQuit \"Quit\" Key \"Q\" Class QuitMenuItem\n"
        "  End Menu\n"
        "End MenuBar\n"
        "Class App Inherits Application\n"
        "  MenuHandler extract()\n"
        "    Return True\n"
        "  End MenuHandler\n"
        "End Class\n");
    std::uint32_t at = find_data(r, "menu bar");
    const Bytes& d = r.blocks.data;
    ASSERT_EQ(u32_at(d, at), 2u);
    Bytes s(d.begin() + at + 8, d.begin() + at + 8 + u32_at(d, at + 4));
    std::size_t pos = 0;
    ASSERT_EQ(read_packed(s, pos), 1);
    EXPECT_EQ(read_packed(s, pos), 0);
    EXPECT_EQ(read_text(s, pos), "File");
    EXPECT_EQ(read_text(s, pos), "FileMenu");
    EXPECT_EQ(read_packed(s, pos), INT32_MIN);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(read_text(s, pos), "");
    pos += 2;
    read_packed(s, pos);
    ASSERT_EQ(read_packed(s, pos), 3);
    struct Item {
        std::string text, name, key;
        int cls;
    };
    std::vector<Item> items;
    for (int i = 0; i < 3; ++i) {
        Item it;
        EXPECT_EQ(read_packed(s, pos), 0);
        it.text = read_text(s, pos);
        it.name = read_text(s, pos);
        EXPECT_EQ(read_packed(s, pos), INT32_MIN);
        it.key = read_text(s, pos);
        read_text(s, pos);
        read_text(s, pos);
        pos += 1;
        EXPECT_EQ(s.at(pos++), 0);  // no submenu
        it.cls = read_packed(s, pos);
        items.push_back(it);
    }
    EXPECT_EQ(pos, s.size());
    EXPECT_EQ(items[0].text, "Extract...");
    EXPECT_EQ(items[0].key, "E");
    EXPECT_EQ(items[1].text, "-");
    EXPECT_EQ(items[2].name, "FileQuit");
    EXPECT_NE(items[0].cls, items[2].cls);
    EXPECT_NE(r.map.find(" " + std::to_string(items[2].cls) + "  QuitMenuItem (built-in)"), std::string::npos) << r.map;
}

}  // namespace
}  // namespace tavoc::test
