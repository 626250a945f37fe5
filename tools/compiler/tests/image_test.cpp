// The image as the loader sees it: link records and call chains, the
// relocation stream, the data block's pointers, class records, literals,
// the entry point and the embedded plugin list, all read back independently.
#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "exports.h"
#include "image_writer.h"
#include "test_support.h"

namespace tavoc::test {
namespace {

const char* const kProgram = R"(
Project
  Title "Tunequilt Extractor v1.0"
  DefaultWindow Main
  FileType "tunequiltper", "tqEx", "MP3 ", ""
End Project
Declare Function GetTickCount Lib "kernel32.dll" () As Integer
Declare Function SelectFolder Plugin "MSelectFolder as FolderItem" () As FolderItem
Class Counter
  Dim hits As Integer
  Dim label As String
  Dim ratio As Double
End Class
Class App Inherits Application
  Event Open()
    Dim c As Counter = New Counter
    c.label = "started at " + Str(GetTickCount())
    Dim f As FolderItem = SelectFolder()
  End Event
End Class
Window Main
  Title = "Main"
  Event Close()
    Quit
  End Event
End Window
)";

TEST(LinkRecords, DataReferencesFirstThenOneImportPerNameWithItsChain) {
    CompileResult r = compile_ok(kProgram);
    std::vector<LinkRecord> records = read_link(r.blocks.link);
    bool imports_started = false;
    std::set<std::string> names;
    for (const LinkRecord& rec : records) {
        ASSERT_TRUE(rec.type == 1 || rec.type == 2);
        if (rec.type == 1) {
            imports_started = true;
            EXPECT_TRUE(names.insert(rec.name).second) << "two records for " << rec.name;
            EXPECT_NE(rec.value, 0u) << rec.name;
            if (rec.name[0] != '!') {
                EXPECT_TRUE(is_runtime_export(rec.name)) << rec.name;
            }
        } else {
            EXPECT_FALSE(imports_started) << "type 0x02 records come first";
            EXPECT_LT(rec.value + 4, r.blocks.code.size());
            EXPECT_LT(u32_at(r.blocks.code, rec.value), r.blocks.data.size());  // a data offset, before relocation
        }
    }
    EXPECT_TRUE(names.count("!Xkernel32.dll!GetTickCount"));
    EXPECT_TRUE(names.count("!MSelectFolder as FolderItem"));
    // Every E8 to an import is on exactly one chain.
    std::map<std::size_t, std::string> sites = call_sites(r);
    std::size_t stack_checks = 0;
    for (auto& [field, name] : sites) stack_checks += name == "RuntimeStackCheck";
    EXPECT_EQ(stack_checks, 4u);  // App.Open, Main.Close, Counter.Destructor, the instance getter; not the entry
}

TEST(EntryPoint, CallsTheStartUpSequenceInOrder) {
    CompileResult r = compile_ok(kProgram);
    const Bytes& d = r.blocks.data;
    MapFunction entry = find_function(r, "$entry");
    EXPECT_EQ(u32_at(d, 0), entry.offset);
    std::vector<std::string> calls;
    for (auto& [field, name] : call_sites(r))
        if (field >= entry.offset && field < entry.offset + entry.size) calls.push_back(name);
    EXPECT_EQ(calls, (std::vector<std::string>{"Win32InstallPlugins", "RuntimeInit", "RuntimeRun", "RuntimeUnlockObject"}));
    // Between RuntimeInit and RuntimeRun it asks for the default window's implicit instance.
    MapFunction getter = find_function(r, "Main.$instance");
    Bytes code = function_bytes(r, "$entry");
    bool calls_getter = false;
    for (std::size_t i = 0; i + 5 <= code.size(); ++i)
        if (code[i] == 0xE8 && static_cast<std::uint32_t>(entry.offset + i + 5 + u32_at(code, i + 1)) == getter.offset)
            calls_getter = true;
    EXPECT_TRUE(calls_getter);
    // RuntimeInit receives the project description, the data block's second word.
    std::uint32_t description = u32_at(d, 4);
    EXPECT_EQ(description, find_data(r, "project description"));
}

TEST(Relocations, MakeEveryPointerAbsoluteAndNothingElse) {
    CompileResult r = compile_ok(kProgram);
    const Bytes& d = r.blocks.data;
    std::map<std::uint32_t, bool> words = read_relocations(r.blocks.res);
    ASSERT_TRUE(words.count(0) && words.count(4));
    EXPECT_TRUE(words[0]);   // entry point: code base
    EXPECT_FALSE(words[4]);  // project description: data base
    for (auto& [at, code] : words) {
        std::uint32_t v = u32_at(d, at);
        if (code) EXPECT_LT(v, r.blocks.code.size()) << at;
        else EXPECT_LT(v, d.size()) << at;
    }
    // The project description: class records, then project items, all relocated.
    std::uint32_t desc = u32_at(d, 4);
    std::uint32_t n = u32_at(d, desc);
    for (std::uint32_t i = 0; i < n; ++i) EXPECT_TRUE(words.count(desc + 4 + 4 * i) && !words[desc + 4 + 4 * i]);
    std::uint32_t m = u32_at(d, desc + 4 + 4 * n);
    EXPECT_EQ(m, 1u);  // the settings stream
    std::uint32_t item = u32_at(d, desc + 8 + 4 * n);
    EXPECT_EQ(u32_at(d, item), 4u);
}

TEST(Relocations, StreamRunsAndGaps) {
    std::vector<Relocation> words;
    for (std::uint32_t i = 0; i < 513; ++i) words.push_back({4 * i, true});   // one run too long for one word
    words.push_back({4 * 513 + 8192 + 100, false});                            // a long gap
    Bytes s = relocation_stream(words);
    EXPECT_EQ(to_hex(Bytes(s.begin(), s.begin() + 4)), "FF 41 00 40");       // 512 words, then 1
    std::map<std::uint32_t, bool> back = read_relocations(s);
    ASSERT_EQ(back.size(), 514u);
    EXPECT_TRUE(back.count(4 * 512) && back[4 * 512]);
    EXPECT_TRUE(back.count(4 * 513 + 8192 + 100) && !back[4 * 513 + 8192 + 100]);
    // The gap of 8292 bytes: 0x8FFF, 0x8FFF, then 100 bytes.
    EXPECT_EQ(to_hex(Bytes(s.begin() + 4, s.end())), "FF 8F FF 8F 63 80 00 42");
}

TEST(ClassRecords, ApplicationClassLayout) {
    CompileResult r = compile_ok(kProgram);
    const Bytes& d = r.blocks.data;
    std::uint32_t at = find_data(r, "class Counter");
    EXPECT_EQ(u32_at(d, at), 0u);                  // kind 0
    EXPECT_EQ(u32_at(d, at + 4), 24u + 4 + 4 + 8);  // fields after Object's 24 bytes
    EXPECT_EQ(literal_at(d, u32_at(d, at + 8)), "Counter");
    int super = static_cast<int>(u32_at(d, at + 12));
    EXPECT_NE(r.map.find(" " + std::to_string(super) + "  Object (built-in)"), std::string::npos) << r.map;
    EXPECT_EQ(u32_at(d, at + 16), 1u);  // a destructor releases the String field
    EXPECT_EQ(u32_at(d, at + 20), 0u);  // no constructor
    EXPECT_EQ(u32_at(d, at + 24), find_function(r, "Counter.Destructor").offset);

    std::uint32_t app = find_data(r, "class App");
    EXPECT_EQ(u32_at(d, app + 4), 28u);
    EXPECT_EQ(u32_at(d, app + 16), 0u);  // no constructor or destructor
    // interface flag, interfaces, methods, then one handler: Open with event key 0.
    EXPECT_EQ(u32_at(d, app + 20), 0u);
    EXPECT_EQ(u32_at(d, app + 24), 0u);
    EXPECT_EQ(u32_at(d, app + 28), 0u);
    EXPECT_EQ(u32_at(d, app + 32), 1u);
    EXPECT_EQ(literal_at(d, u32_at(d, app + 36)), "Open");
    EXPECT_EQ(u32_at(d, app + 40), find_function(r, "App.Open").offset);
    EXPECT_EQ(u32_at(d, app + 44), 0u);
    EXPECT_EQ(u32_at(d, app + 48), 0u);  // no menu handlers
    EXPECT_EQ(u32_at(d, app + 52), 0u);  // empty virtual method table

    std::uint32_t builtin = find_data(r, "class Application");
    EXPECT_EQ(u32_at(d, builtin), 1u);
    EXPECT_EQ(literal_at(d, u32_at(d, builtin + 4)), "Application");
}

TEST(Literals, RecordLayoutAndLongTexts) {
    std::string long_text(300, 'x');
    CompileResult r = compile_ok("Module M\n  Sub S()\n    MsgBox \"" + long_text + "\"\n    MsgBox \"hi\"\n  End Sub\nEnd Module\n");
    const Bytes& d = r.blocks.data;
    std::map<std::uint32_t, bool> words = read_relocations(r.blocks.res);
    int found = 0;
    MapFunction s = find_function(r, "M.S");
    for (const LinkRecord& rec : read_link(r.blocks.link)) {
        if (rec.type != 2 || rec.value < s.offset || rec.value >= s.offset + s.size) continue;
        std::uint32_t record = u32_at(r.blocks.code, rec.value);
        std::uint32_t length = u32_at(d, record + 12);
        std::uint32_t buffer = u32_at(d, record + 4);
        EXPECT_EQ(u32_at(d, record), 1u);                // reference count
        EXPECT_EQ(u32_at(d, record + 8), length + 2);    // buffer size
        EXPECT_TRUE(words.count(record + 4) && !words[record + 4]);  // text pointer relocated by the data base
        EXPECT_EQ(d[buffer], length < 255 ? length : 255);
        EXPECT_EQ(d[buffer + 1 + length], 0);
        std::string text(d.begin() + buffer + 1, d.begin() + buffer + 1 + length);
        EXPECT_TRUE(text == long_text || text == "hi") << text;
        ++found;
    }
    EXPECT_EQ(found, 2);
}

TEST(Plugins, EmbeddedListInCommandLineOrder) {
    std::vector<PluginFile> plugins = {{"tavosel1.dll", Bytes{'M', 'Z', 1, 2, 3}}, {"tavoctl1.dll", Bytes{'M', 'Z', 9}}};
    CompileResult r = compile_ok("Module M\nEnd Module\n", plugins);
    const Bytes& d = r.blocks.data;
    std::uint32_t first = find_data(r, "plugin tavosel1.dll");
    std::uint32_t second = find_data(r, "plugin tavoctl1.dll");
    std::map<std::uint32_t, bool> words = read_relocations(r.blocks.res);
    EXPECT_EQ(u32_at(d, first), second);
    EXPECT_TRUE(words.count(first) && !words[first]);
    EXPECT_EQ(u32_at(d, second), 0u);
    EXPECT_FALSE(words.count(second));
    EXPECT_EQ(u32_at(d, first + 4), 4u + 1 + 12 + 5);
    EXPECT_EQ(u32_at(d, first + 8), 0u);
    EXPECT_EQ(d[first + 12], 12);
    EXPECT_EQ(std::string(d.begin() + first + 13, d.begin() + first + 25), "tavosel1.dll");
    EXPECT_EQ(to_hex(Bytes(d.begin() + first + 25, d.begin() + first + 30)), "4D 5A 01 02 03");
    // The entry point hands the first entry to Win32InstallPlugins.
    Bytes entry = function_bytes(r, "$entry");
    EXPECT_EQ(entry[14], 0x68);
    EXPECT_EQ(u32_at(entry, 15), first);
}

TEST(Programs, TheExtractorSketchCompilesAndImportsOnlyRuntimeNames) {
    Bytes text;
    std::string error;
    ASSERT_TRUE(image::read_file(std::string(TAVOC_FIXTURES) + "/extractor_sketch.tav", text, error)) << error;
    auto start = std::chrono::steady_clock::now();
    CompileResult r = compile({{"extractor_sketch.tav", std::string(text.begin(), text.end())}});
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_TRUE(r.ok) << r.errors[0];
    std::printf("[ perf     ] extractor sketch: %zu bytes of source in %.4f s\n", text.size(), seconds);
    std::set<std::string> imports;
    for (const LinkRecord& rec : read_link(r.blocks.link))
        if (rec.type == 1) imports.insert(rec.name);
    for (const std::string& name : imports) {
        if (name[0] != '!') {
            EXPECT_TRUE(is_runtime_export(name)) << name;
        }
    }
    EXPECT_TRUE(imports.count("!MSelectFolder as FolderItem"));
    // Six windows, each with its implicit instance; the welcome window is the default one.
    for (const char* w : {"Window1", "Window2", "progress", "aboutbox", "herewego"})
        find_function(r, std::string(w) + ".$instance");
    EXPECT_TRUE(r.map.find("menu bar") != std::string::npos);
}

TEST(Programs, TheLanguageTourCompiles) {
    Bytes text;
    std::string error;
    ASSERT_TRUE(image::read_file(std::string(TAVOC_FIXTURES) + "/language_tour.tav", text, error)) << error;
    CompileResult r = compile({{"language_tour.tav", std::string(text.begin(), text.end())}});
    ASSERT_TRUE(r.ok) << r.errors[0];
    std::set<std::string> imports;
    for (const LinkRecord& rec : read_link(r.blocks.link))
        if (rec.type == 1) imports.insert(rec.name);
    for (const char* name : {"FindInterfaceVTableCode", "RuntimeArrayStartWriteAccess", "RuntimeFastWriteBoolArray",
                             "RuntimeIntArraySort", "intToVariant", "!Xkernel32.dll!lstrlenA"})
        EXPECT_TRUE(imports.count(name)) << name;
}

TEST(Performance, AProgramOfTheExtractorsSizeCompilesQuickly) {
    std::string source = "Module Big\n";
    for (int i = 0; i < 400; ++i) {
        source += "  Function F" + std::to_string(i) + "(a As Integer, s As String) As String\n"
                  "    Dim t As String = s + Str(a)\n"
                  "    If Len(t) > 3 Then t = Left(t, 3) + NthField(t, \",\", 2)\n"
                  "    Return t\n"
                  "  End Function\n";
    }
    source += "End Module\n";
    auto start = std::chrono::steady_clock::now();
    CompileResult r = compile_ok(source);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 1.0) << "compiling " << source.size() << " bytes";
    std::printf("[ perf     ] %zu source lines in %.3f s\n", static_cast<std::size_t>(400 * 5 + 2), seconds);
}

}  // namespace
}  // namespace tavoc::test
