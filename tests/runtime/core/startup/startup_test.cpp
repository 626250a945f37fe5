// Start-up pieces: the command line, the project description, the settings,
// project objects and the periodic task service.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "startup/application.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/debugger.h"
#include "support/description_builder.h"
#include "exceptions/failure_report.h"
#include "file_types.h"
#include "strings/message_texts.h"
#include "objects/objects.h"
#include "startup/periodic_tasks.h"
#include "startup/project_description.h"
#include "startup/project_settings.h"

namespace {

TEST(CommandLine, SplitsIntoDocuments) {
    struct Case {
        const char* line;
        std::vector<std::string> documents;
    } cases[] = {
        {"one two", {"one", "two"}},
        {"  one   two  ", {"one", "two"}},
        {"\"two words\" next", {"two words", "next"}},
        {"a\"b c", {"a\"b", "c"}},  // a quote inside a document is text
        {"\"unterminated quote runs on", {"unterminated quote runs on"}},
        {"\"\" x", {"", "x"}},
        {"   ", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> got;
        const char* cursor = c.line;
        const char* start;
        std::size_t length;
        while (next_document(cursor, start, length)) got.emplace_back(start, length);
        EXPECT_EQ(got, c.documents) << c.line;
    }
}

std::vector<int> g_reports;
void collect(int first, std::int16_t code, const char*, int) { g_reports.push_back(first * 10 + code); }

void handler_code() {}

class Description : public ::testing::Test {
protected:
    void SetUp() override {
        builtin_classes_create();
        g_reports.clear();
        previous_ = failure_report_redirect(&collect);
    }
    void TearDown() override { failure_report_redirect(previous_); }

    DataSpan span() const { return {d.start(), d.size()}; }
    // The only code its records may point at.
    static DescriptionBlocks blocks(const DescriptionBuilder& b) {
        return {{b.start(), b.size()}, {reinterpret_cast<const std::uint8_t*>(&handler_code), 1}};
    }
    RuntimeClass* read_classes(const std::uint8_t* top) { return project_read_classes(top, blocks(d), damage); }

    DescriptionBuilder d;
    FailureReportSink previous_ = nullptr;
    DescriptionDamage damage = DescriptionDamage::none;
};

TEST_F(Description, ApplicationClassTwoLevelsDownIsFound) {
    const std::uint8_t* top = d.top(
        {d.provided_class("application"), d.image_class("Base", 28, 0), d.image_class("App", 40, 1),
         d.image_class("Loose", 24, -1), d.image_class("", 32, 0, {{"Open", reinterpret_cast<void*>(&handler_code)}})},
        {});
    RuntimeClass* app = read_classes(top);
    ASSERT_EQ(damage, DescriptionDamage::none);
    EXPECT_TRUE(g_reports.empty());
    ASSERT_NE(app, nullptr);
    // The unnamed subclass of Application comes last in table order: it wins.
    EXPECT_EQ(app, class_table_at(4));
    EXPECT_EQ(app->name, nullptr);
    EXPECT_EQ(class_table_at(0), builtin_class(BuiltinClass::Application));
    EXPECT_EQ(class_table_at(2)->superclass, class_table_at(1));
    EXPECT_STREQ(string_cstr(class_table_at(2)->name), "App");
    EXPECT_EQ(class_table_at(3)->superclass, nullptr);  // -1: none
    ASSERT_NE(app->handlers, nullptr);
    EXPECT_EQ(app->handlers->code, reinterpret_cast<void*>(&handler_code));

    RuntimeObject* object = RuntimeNewObject(2);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->cls, class_table_at(2));
    EXPECT_TRUE(object_isa(object, builtin_class(BuiltinClass::Application)));
    RuntimeUnlockObject(object);
}

TEST_F(Description, LastApplicationSubclassWins) {
    const std::uint8_t* top =
        d.top({d.provided_class("Application"), d.image_class("First", 28, 0), d.image_class("Second", 28, 0),
               d.image_class("NotAnApp", 24, -1)},
              {});
    RuntimeClass* app = read_classes(top);
    EXPECT_EQ(app, class_table_at(2));
}

TEST_F(Description, UnknownClassNameReachesTheFailureReport) {
    const std::uint8_t* top = d.top({d.provided_class("NoSuchClass"), d.provided_class("Window")}, {});
    read_classes(top);
    EXPECT_EQ(damage, DescriptionDamage::none);
    EXPECT_EQ(g_reports, std::vector<int>{1322});
    EXPECT_EQ(class_table_at(0), nullptr);  // the index stays empty
    EXPECT_EQ(class_table_at(1), builtin_class(BuiltinClass::Window));
}

std::uint32_t word_at(const DescriptionBuilder& b, std::uint32_t address) {
    std::uint32_t value;
    std::memcpy(&value, b.start() + (address - b.address(0)), 4);
    return value;
}

// Each description is damaged in one place; a reader that follows it would
// fault, jump outside the code or walk a superclass chain for ever.
TEST_F(Description, DamagedRecordsAreRefused) {
    using Build = const std::uint8_t* (*)(DescriptionBuilder&);
    using D = DescriptionDamage;
    // The class name's record: word 1 is its text, word 3 its length.
    static auto damaged_name = [](DescriptionBuilder& b, std::uint32_t field, std::uint32_t value) {
        std::uint32_t cls = b.image_class("App", 28, -1);
        std::uint32_t name = word_at(b, cls + 8);
        b.set_word(name - b.address(0) + 4 * field, value);
        return b.top({cls}, {});
    };
    struct Case {
        const char* what;
        Build build;
        DescriptionDamage damage;
    } cases[] = {
        {"class record past the data", [](DescriptionBuilder& b) { return b.top({b.address(b.size() + 64)}, {}); },
         D::outside_data},
        {"name text far away", [](DescriptionBuilder& b) { return damaged_name(b, 1, 0x7FFFFFFF); }, D::outside_data},
        {"name text before the data", [](DescriptionBuilder& b) { return damaged_name(b, 1, b.address(0) - 4); },
         D::outside_data},
        {"name longer than the data", [](DescriptionBuilder& b) { return damaged_name(b, 3, 0x7FFFFFF0); },
         D::outside_data},
        {"name running past the end",
         [](DescriptionBuilder& b) { return damaged_name(b, 3, static_cast<std::uint32_t>(b.size() - 2)); },
         D::outside_data},
        {"handler outside the code",
         [](DescriptionBuilder& b) {
             return b.top({b.image_class("App", 28, -1, {{"Open", reinterpret_cast<void*>(&word_at)}})}, {});
         },
         D::outside_code},
        {"own superclass", [](DescriptionBuilder& b) { return b.top({b.image_class("Loop", 28, 0)}, {}); },
         D::inherits_from_itself},
        {"two classes naming each other",
         [](DescriptionBuilder& b) { return b.top({b.image_class("A", 28, 1), b.image_class("B", 28, 0)}, {}); },
         D::inherits_from_itself},
        {"a chain running into a loop",
         [](DescriptionBuilder& b) {
             return b.top({b.image_class("A", 28, 1), b.image_class("B", 28, 2), b.image_class("C", 28, 1)}, {});
         },
         D::inherits_from_itself},
        {"superclasses named later in the table",
         [](DescriptionBuilder& b) {
             return b.top({b.image_class("C", 28, 2), b.image_class("A", 28, -1), b.image_class("B", 28, 1),
                           b.image_class("Open", 28, 1, {{"Open", reinterpret_cast<void*>(&handler_code)}})},
                          {});
         },
         D::none},
    };
    for (const Case& c : cases) {
        DescriptionBuilder b;
        const std::uint8_t* top = c.build(b);
        DescriptionDamage why = D::outside_code;
        project_read_classes(top, blocks(b), why);
        EXPECT_EQ(why, c.damage) << c.what;
    }
    EXPECT_TRUE(g_reports.empty());
}

TEST_F(Description, ItemsInOrder) {
    std::size_t variable = d.word(0);
    const std::uint8_t* top = d.top({d.provided_class("Object")},
                                    {0, d.item(5, {0, d.address(variable)}), d.item(77, {}), d.item(3, {9})});
    read_classes(top);
    ASSERT_TRUE(project_read_items(top, span()));
    EXPECT_EQ(g_reports, std::vector<int>{1323});  // kind 77
    EXPECT_EQ(RuntimeProjectObject(0), nullptr);
    EXPECT_EQ(RuntimeProjectObject(1), nullptr);  // absent item
    EXPECT_EQ(RuntimeProjectObject(99), nullptr);
    // Kind 5 stores its new object only in its variable.
    RuntimeObject* automatic;
    std::memcpy(&automatic, d.start() + variable, 4);
    ASSERT_NE(automatic, nullptr);
    EXPECT_EQ(automatic->cls, builtin_class(BuiltinClass::Object));
    EXPECT_EQ(RuntimeProjectObject(2), nullptr);
    RuntimeUnlockObject(automatic);
}

// No file types, no texts, no title: what was read before is released.
bool read_empty_settings() {
    const std::uint8_t empty[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    return project_settings_read(empty, sizeof empty);
}

std::vector<std::uint8_t> settings_stream(const std::vector<std::string>& texts, std::uint32_t script) {
    std::vector<std::uint8_t> s = {1, 0, 0, 0, 0};
    for (int shift = 24; shift >= 0; shift -= 8) s.push_back(static_cast<std::uint8_t>(script >> shift));
    put_packed(s, 2);
    for (const char* t : {"Track", "TVOD", "MP3 ", ".mp3;.mpg", "Text", "ttxt", "TEXT", ".txt"}) put_text(s, t);
    put_packed(s, static_cast<std::uint32_t>(texts.size()));
    for (const std::string& t : texts) put_text(s, t);
    s.push_back(0);  // no MDI
    put_text(s, "Tunequilt Extractor v1.0");
    return s;
}

TEST_F(Description, SettingsStream) {
    const std::uint8_t* top =
        d.top({}, {d.settings_item(settings_stream({"", "", "", "", "An exception of class %1 was not handled."}, 13))});
    ASSERT_TRUE(project_read_items(top, span()));
    const ProjectSettings& s = project_settings();
    EXPECT_EQ(s.display_option, 1);
    EXPECT_EQ(s.charset, SHIFTJIS_CHARSET);
    EXPECT_FALSE(s.mdi);
    EXPECT_STREQ(string_cstr(s.title), "Tunequilt Extractor v1.0");
    ASSERT_EQ(file_type_count(), 2u);
    EXPECT_STREQ(string_cstr(file_type_at(0)->type), "MP3 ");
    EXPECT_STREQ(string_cstr(file_type_at(1)->extensions), ".txt");
    RuntimeString* text = message_text(4);
    EXPECT_STREQ(string_cstr(text), "An exception of class %1 was not handled.");
    RuntimeUnlockString(text);
    EXPECT_EQ(message_text(0), nullptr);  // an empty text
    EXPECT_EQ(message_text(5), nullptr);  // beyond the list
}

TEST_F(Description, EmptyMessageListMakesEveryTextEmpty) {
    const std::uint8_t* top = d.top({}, {d.settings_item(settings_stream({}, 0))});
    ASSERT_TRUE(project_read_items(top, span()));
    for (int i : {0, 4, 100}) EXPECT_EQ(message_text(i), nullptr) << i;
    EXPECT_EQ(project_settings().charset, DEFAULT_CHARSET);
}

// Counts no stream of that length can hold: 0x40000001 entries of four
// bytes would have sized the list at four bytes.
TEST(SettingsStream, CountsBeyondTheStreamAreDamageNotAllocations) {
    const struct {
        std::uint32_t file_types, texts;
    } kCases[] = {{0x7FFFFFFF, 0}, {0x40000001, 0}, {0x10000001, 0}, {0, 0x40000001}, {0, 0x7FFFFFFF}};
    for (const auto& c : kCases) {
        std::vector<std::uint8_t> s = {1, 0, 0, 0, 0, 0, 0, 0, 0};
        put_packed(s, c.file_types);
        if (c.file_types == 0) put_packed(s, c.texts);
        for (const char* t : {"Track", "TVOD", "MP3 ", ".mp3"}) put_text(s, t);
        read_empty_settings();
        const std::uint32_t before = RuntimeDebugMemoryUsed();
        EXPECT_FALSE(project_settings_read(s.data(), s.size())) << c.file_types << " " << c.texts;
        EXPECT_LT(RuntimeDebugMemoryUsed() - before, 256u) << c.file_types << " " << c.texts;
        if (c.file_types) {
            EXPECT_EQ(file_type_count(), 1u);  // the one that is there
        }
        if (c.texts) {
            RuntimeString* text = message_text(3);
            EXPECT_STREQ(string_cstr(text), ".mp3");
            RuntimeUnlockString(text);
        }
    }
}

// A stream read later replaces the lists read before, and a list cut short
// keeps its whole entries only: once an empty stream is read, nothing the
// cases read is left allocated.
TEST(SettingsStream, ReadingAgainOrStoppingInsideAnEntryLeavesNothingBehind) {
    const struct {
        const char* what;
        std::vector<std::uint8_t> stream;
    } kCases[] = {
        {"whole, read twice", {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 'T', 1, 't', 1, 'T', 1, '.', 1, 1, 'm', 0, 0}},
        {"cut inside a file type", {0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 1, 'T', 1, 't', 1, 'T', 1, '.', 1, 'U', 1, 'u'}},
        {"fewer texts than counted", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 1, 'a', 1, 'b'}},
    };
    for (const auto& c : kCases) {
        ASSERT_TRUE(read_empty_settings());
        const std::uint32_t before = RuntimeDebugMemoryUsed();
        for (int i = 0; i < 2; ++i) project_settings_read(c.stream.data(), c.stream.size());
        EXPECT_EQ(file_type_count(), c.stream[9] == 0 ? 0u : 1u) << c.what;
        read_empty_settings();
        EXPECT_EQ(RuntimeDebugMemoryUsed(), before) << c.what;
    }
}

TEST(ScriptCodes, SelectCharacterSets) {
    struct Case {
        std::uint32_t script;
        std::uint8_t charset;
    } cases[] = {{12, HEBREW_CHARSET},      {13, SHIFTJIS_CHARSET}, {14, ARABIC_CHARSET},
                 {16, GREEK_CHARSET},       {19, TURKISH_CHARSET},  {21, CHINESEBIG5_CHARSET},
                 {24, THAI_CHARSET},        {34, RUSSIAN_CHARSET},  {0, DEFAULT_CHARSET},
                 {1, DEFAULT_CHARSET},      {99, DEFAULT_CHARSET}};
    for (const Case& c : cases) EXPECT_EQ(charset_for_script(c.script), c.charset) << c.script;
}

// ---- periodic tasks ----------------------------------------------------------

struct CountingTask {
    PeriodicTask task;
    int runs = 0;
    DWORD sleep_ms = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> spans;  // start and end tick of each run
};

void count_run(PeriodicTask* task) {
    auto* t = reinterpret_cast<CountingTask*>(task);
    std::uint32_t start = runtime_ticks_now();
    ++t->runs;
    if (t->sleep_ms) Sleep(t->sleep_ms);
    t->spans.push_back({start, runtime_ticks_now()});
}

TEST(PeriodicTasks, BackgroundTaskRunsOncePerTickCount) {
    CountingTask t;
    t.task = {nullptr, 0, 0, &count_run};
    periodic_task_add(&t.task);
    // Start right after the tick count moved, then call twice within it.
    for (int tries = 0; tries < 50; ++tries) {
        DWORD tick = GetTickCount();
        while (GetTickCount() == tick) {
        }
        int before = t.runs;
        DWORD start = GetTickCount();
        RuntimeBackgroundTask();
        RuntimeBackgroundTask();
        if (GetTickCount() != start) continue;  // the clock moved in between: try again
        EXPECT_EQ(t.runs, before + 1);
        periodic_task_remove(&t.task);
        return;
    }
    periodic_task_remove(&t.task);
    GTEST_SKIP() << "the tick count moved between every pair of calls";
}

TEST(PeriodicTasks, SlowTaskWaitsAFullPeriodAfterItsRunEnded) {
    CountingTask t;
    t.task = {nullptr, 4, 0, &count_run};  // 4 ticks = 64 ms
    t.sleep_ms = 150;                       // longer than the period
    periodic_task_add(&t.task);
    DWORD until = GetTickCount() + 1200;
    while (GetTickCount() < until) timer_service();
    periodic_task_remove(&t.task);
    ASSERT_GE(t.spans.size(), 3u);
    for (std::size_t i = 1; i < t.spans.size(); ++i) {
        EXPECT_GE(t.spans[i].first, t.spans[i - 1].second + 4) << "run " << i;
    }
}

TEST(PeriodicTasks, ActionMayRemoveItsOwnTask) {
    struct Self {
        static void run(PeriodicTask* task) { periodic_task_remove(task); }
    };
    PeriodicTask a = {nullptr, 0, 0, &Self::run};
    CountingTask b;
    b.task = {nullptr, 0, 0, &count_run};
    periodic_task_add(&a);
    periodic_task_add(&b.task);
    timer_service();
    timer_service();
    EXPECT_EQ(b.runs, 2);  // the removal did not cut the list short
    periodic_task_remove(&b.task);
    EXPECT_FALSE(periodic_tasks_pending());
}

}  // namespace
