// How the language's constructs reach the runtime: virtual calls, implicit
// instances, control arrays, loops, conversions and declared routines.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_support.h"

namespace tavoc::test {
namespace {

std::vector<std::string> imports_of(const CompileResult& r, const std::string& symbol) {
    MapFunction f = find_function(r, symbol);
    std::vector<std::string> out;
    for (auto& [field, name] : call_sites(r))
        if (field >= f.offset && field < f.offset + f.size) out.push_back(name);
    return out;
}

bool contains(const Bytes& haystack, const std::string& pattern) {
    Bytes needle = hex(pattern);
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

bool has(const std::vector<std::string>& v, const std::string& s) { return std::find(v.begin(), v.end(), s) != v.end(); }

TEST(Methods, OverriddenMethodsAreCalledThroughTheVirtualMethodTable) {
    CompileResult r = compile_ok(
        "Class A\n  Sub Go()\n  End Sub\n  Sub Stay()\n  End Sub\nEnd Class\n"
        "Class B Inherits A\n  Sub Go()\n  End Sub\nEnd Class\n"
        "Module M\n  Sub Run(x As A)\n    x.Go\n    x.Stay\n  End Sub\nEnd Module\n");
    Bytes run = function_bytes(r, "M.Run");
    // push slot 0; push the object again; FindVTableCode; call eax; its record.
    EXPECT_TRUE(contains(run, "50 6A 00 FF 74 24 04 E8")) << to_hex(run);
    EXPECT_TRUE(contains(run, "83 C4 08 FF D0 EB 02 2F 00")) << to_hex(run);
    EXPECT_EQ(imports_of(r, "M.Run"),
              (std::vector<std::string>{"RuntimeStackCheck", "RuntimeNilObject", "FindVTableCode", "RuntimeNilObject"}));
    // Both classes' tables: A's slot 0 is A.Go, B's slot 0 is B.Go; slot 1 is A.Stay in both.
    const Bytes& d = r.blocks.data;
    for (auto [cls, go] : {std::pair<const char*, const char*>{"class A", "A.Go"}, {"class B", "B.Go"}}) {
        std::uint32_t at = find_data(r, cls);
        std::size_t pos = at + 20;  // after kind, size, name, superclass, has-constructor
        pos += 8;                   // interface flag, interface count
        pos += 4 + 8 * u32_at(d, pos);
        pos += 4 + 12 * u32_at(d, pos);
        pos += 4 + 8 * u32_at(d, pos);
        ASSERT_EQ(u32_at(d, pos), 2u) << cls;
        EXPECT_EQ(u32_at(d, pos + 4), find_function(r, go).offset) << cls;
        EXPECT_EQ(u32_at(d, pos + 8), find_function(r, "A.Stay").offset) << cls;
    }
}

TEST(Interfaces, RecordsAndCallsThroughTheInterfaceTable) {
    CompileResult r = compile_ok(
        "Interface Playable\n  Sub Play()\n  Function Length() As Integer\nEnd Interface\n"
        "Class Track Implements Playable\n  Sub Play()\n  End Sub\n  Function Length() As Integer\n    Return 3\n  End Function\nEnd Class\n"
        "Module M\n  Function Run(p As Playable) As Integer\n    Return p.Length()\n  End Function\n"
        "  Sub Start(t As Track)\n    Dim n As Integer = Run(t)\n  End Sub\nEnd Module\n");
    const Bytes& d = r.blocks.data;
    // The interface comes first in the class table, so that Track can name it.
    std::uint32_t i = find_data(r, "interface Playable");
    EXPECT_EQ(u32_at(d, i), 0u);
    EXPECT_EQ(u32_at(d, i + 12), 0xFFFFFFFFu);  // no superclass
    EXPECT_EQ(u32_at(d, i + 16), 0u);
    EXPECT_EQ(u32_at(d, i + 20), 1u);           // an interface
    EXPECT_EQ(u32_at(d, i + 24), 0u);
    EXPECT_EQ(u32_at(d, i + 28), 2u);           // two methods, names only
    EXPECT_EQ(literal_at(d, u32_at(d, i + 32)), "Play");
    EXPECT_EQ(literal_at(d, u32_at(d, i + 36)), "Length");
    EXPECT_EQ(to_hex(Bytes(d.begin() + i + 40, d.begin() + i + 56)), "00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    std::uint32_t t = find_data(r, "class Track");
    EXPECT_EQ(u32_at(d, t + 20), 0u);
    EXPECT_EQ(u32_at(d, t + 24), 1u);
    EXPECT_EQ(u32_at(d, t + 28), 0u);  // Playable's class index
    EXPECT_NE(r.map.find("     0  Playable"), std::string::npos) << r.map;
    // push the interface's index and the method number 2, then the object again.
    Bytes run = function_bytes(r, "M.Run");
    EXPECT_TRUE(contains(run, "50 6A 00 6A 02 FF 74 24 08 E8")) << to_hex(run);
    EXPECT_TRUE(contains(run, "83 C4 0C FF D0 EB 02 2F 00")) << to_hex(run);
    EXPECT_TRUE(has(imports_of(r, "M.Run"), "FindInterfaceVTableCode"));

    CompileResult bad = compile_source("Interface I\n  Sub Go(n As Integer)\nEnd Interface\nClass C Implements I\nEnd Class\n");
    ASSERT_FALSE(bad.errors.empty());
    EXPECT_EQ(bad.errors[0], "test.tav:4:7: class 'C' does not implement I.Go");
}

TEST(Methods, SuperCallsTheSuperclassMethodDirectly) {
    CompileResult r = compile_ok(
        "Class A\n  Function Name() As String\n    Return \"a\"\n  End Function\nEnd Class\n"
        "Class B Inherits A\n  Function Name() As String\n    Return Super.Name() + \"b\"\n  End Function\nEnd Class\n");
    std::vector<std::string> calls = imports_of(r, "B.Name");
    EXPECT_FALSE(has(calls, "FindVTableCode"));
    EXPECT_FALSE(has(calls, "RuntimeNilObject"));
    MapFunction a = find_function(r, "A.Name");
    MapFunction b = find_function(r, "B.Name");
    Bytes code = function_bytes(r, "B.Name");
    bool calls_a = false;
    for (std::size_t i = 0; i + 5 <= code.size(); ++i)
        if (code[i] == 0xE8 && static_cast<std::uint32_t>(b.offset + i + 5 + u32_at(code, i + 1)) == a.offset) calls_a = true;
    EXPECT_TRUE(calls_a);
    CompileResult bad = compile_source("Module M\n  Sub S()\n    Super.Go\n  End Sub\nEnd Module\n");
    ASSERT_FALSE(bad.errors.empty());
    EXPECT_EQ(bad.errors[0], "test.tav:3:5: 'Super' exists only in classes that have a superclass");
}

TEST(Windows, ImplicitInstanceGetter) {
    CompileResult r = compile_ok("Window W\nEnd Window\n");
    Bytes code = function_bytes(r, "W.$instance");
    // Without locals the frame still has its word at EBP-4, zeroed.
    EXPECT_EQ(to_hex(Bytes(code.begin(), code.begin() + 12)), "55 89 E5 83 EC 04 31 C0 89 45 FC E8");
    EXPECT_EQ(to_hex(Bytes(code.begin() + 16, code.begin() + 20)), "EB 02 2F 00");
    EXPECT_EQ(code[20], 0xA1);  // mov eax, [instance]
    EXPECT_EQ(u32_at(code, 21), find_data(r, "variable W.$instance"));
    EXPECT_EQ(to_hex(Bytes(code.begin() + 25, code.begin() + 33)), "85 C0 0F 84 10 00 00 00");
    EXPECT_EQ(to_hex(Bytes(code.begin() + 33, code.begin() + 35)), "50 50");  // lock it and return it
    EXPECT_EQ(to_hex(Bytes(code.begin() + 44, code.begin() + 49)), "E9 16 00 00 00");
    EXPECT_EQ(code[49], 0x68);
    EXPECT_EQ(u32_at(code, 50), find_data(r, "variable W.$instance"));  // the instance slot, second argument
    EXPECT_EQ(code[54], 0x68);
    EXPECT_EQ(u32_at(code, 55), find_data(r, "window description W"));
    EXPECT_EQ(to_hex(Bytes(code.end() - 4, code.end())), "C9 C3 2F 00");
    EXPECT_EQ(imports_of(r, "W.$instance"),
              (std::vector<std::string>{"RuntimeStackCheck", "RuntimeLockObject", "RuntimeCreateWindow"}));
}

TEST(Windows, ControlsAndControlArraysAreFetchedByName) {
    CompileResult r = compile_ok(
        "Window W\n"
        "  Event Open()\n"
        "    Label.Text = \"x\"\n"
        "    B(1).Caption = W.Label.Text\n"
        "  End Event\n"
        "  Control Label As StaticText\n  End Control\n"
        "  Control B(0) As PushButton\n  End Control\n"
        "  Control B(1) As PushButton\n  End Control\n"
        "End Window\n");
    std::vector<std::string> calls = imports_of(r, "W.Open");
    EXPECT_TRUE(has(calls, "RuntimeControlReference"));
    EXPECT_TRUE(has(calls, "RuntimeControlArrayItemReference"));
    EXPECT_TRUE(has(calls, "staticCaptionSetter"));
    EXPECT_TRUE(has(calls, "stringGetter"));
    // A handler of a control reaches its own window, typed as that window's class.
    CompileResult own = compile_ok(
        "Window W\n  Dim done As Boolean\n"
        "  Control Go As PushButton\n    Event Action()\n      Me.Window.done = True\n    End Event\n  End Control\n"
        "End Window\n");
    EXPECT_TRUE(has(imports_of(own, "W.Go.Action"), "controlWindowGetter"));
    CompileResult bad = compile_source(
        "Window W\n  Event Open()\n    B.Caption = \"x\"\n  End Event\n"
        "  Control B(0) As PushButton\n  End Control\nEnd Window\n");
    ASSERT_FALSE(bad.errors.empty());
    EXPECT_EQ(bad.errors[0], "test.tav:3:5: 'B' is a control array: name a member with (index)");
}

TEST(Arrays, LocalArraysThroughTheArrayEntryPoints) {
    CompileResult r = compile_ok(
        "Module M\n"
        "  Function Sum(a() As Integer) As Integer\n"
        "    Dim i As Integer\n    Dim t As Integer\n"
        "    For i = 0 To a.UBound\n      t = t + a(i)\n    Next\n"
        "    Return t\n"
        "  End Function\n"
        "  Sub S()\n"
        "    Dim a(2) As Integer\n"
        "    a(0) = 5\n"
        "    a.Append 7\n"
        "    Dim n As Integer = Sum(a)\n"
        "    Dim names(-1) As String\n"
        "    names.Append \"x\"\n"
        "    names.Sort\n"
        "    Dim first As String = names(0)\n"
        "    Dim flags(3) As Boolean\n"
        "    flags(1) = True\n"
        "    Redim names(5)\n"
        "    Dim d(1) As Double\n"
        "    d.Remove 0\n"
        "  End Sub\n"
        "End Module\n");
    // Each array belongs to an owner object, created first; releasing the
    // owner (in the epilogue, or by the unwinder) disposes the array.
    EXPECT_EQ(imports_of(r, "M.S"),
              (std::vector<std::string>{"RuntimeStackCheck", "RuntimeNewObject", "RuntimeCreateArray", "RuntimeArrayCreateAddIndex",
                                        "RuntimeDirectWriteIntArray", "RuntimeIntArrayAppend", "RuntimeNewObject", "RuntimeCreateArray",
                                        "RuntimeArrayCreateAddIndex", "RuntimeStringArrayAppend", "RuntimeStringArraySort",
                                        "RuntimeDirectReadStringArray", "RuntimeUnlockString", "RuntimeNewObject",
                                        "RuntimeCreateFastBooleanArray", "RuntimeFastWriteBoolArray", "RuntimeRedimStringArrayLevel",
                                        "RuntimeNewObject", "RuntimeCreateArray", "RuntimeArrayCreateAddIndex", "RuntimeIntArrayRemove",
                                        "RuntimeUnlockString", "RuntimeUnlockObject", "RuntimeUnlockObject", "RuntimeUnlockObject",
                                        "RuntimeUnlockObject"}));
    // Dim a(2): the owner at EBP-8, a new array at EBP-4 handed to it (field
    // 24, elements of kind 0 at field 28), then its one dimension, 0 to 2.
    Bytes code = function_bytes(r, "M.S");
    EXPECT_TRUE(contains(code, "EB 02 2F 00 83 C4 04 89 45 F8 E8")) << to_hex(code);
    EXPECT_TRUE(contains(code, "EB 02 2F 00 89 45 FC 8B 55 F8 89 42 18 31 C0 89 42 1C B8 02 00 00 00 50 6A 00 FF 75 FC E8"))
        << to_hex(code);
    // The trailer lists the owners as object locals, after the string local.
    EXPECT_TRUE(contains(code, "C9 C3 2F 05 FF E8 06 FF F8 06 FF EC 06 FF E0 06 FF D8 00")) << to_hex(code);
    EXPECT_EQ(imports_of(r, "M.Sum"),
              (std::vector<std::string>{"RuntimeStackCheck", "RuntimeUBound", "RuntimeDirectReadIntArray"}));
    struct Bad {
        const char* body;
        const char* message;
    } bad[] = {{"    Dim a(1) As Integer\n    Dim b(1) As Integer\n    a = b\n", "test.tav:5:5: arrays cannot be assigned; change their elements"},
               {"    Dim f(1) As FolderItem\n    f.Sort\n", "test.tav:4:7: FolderItem() has no Sort"},
               {"    Dim d(1) As Double\n    Dim x As Integer = d\n", "test.tav:4:24: cannot use Double() as Integer"},
               {"    Dim d(1) As Double = 2\n", "test.tav:3:26: an array starts empty and has no initial value"}};
    for (const Bad& b : bad) {
        CompileResult e = compile_source(std::string("Module M\n  Sub S()\n") + b.body + "  End Sub\nEnd Module\n");
        ASSERT_FALSE(e.errors.empty()) << b.body;
        EXPECT_EQ(e.errors[0], b.message);
    }
}

TEST(Arrays, SeveralDimensionsUseTheAccessProtocol) {
    CompileResult r = compile_ok(
        "Module M\n  Function F(n As Integer) As Double\n"
        "    Dim m(2, 3) As Double\n    m(1, 2) = n\n    Return m(1, 2) + Total(m)\n  End Function\n"
        "  Function Total(t(,) As Double) As Double\n    Return t.UBound\n  End Function\nEnd Module\n");
    EXPECT_EQ(imports_of(r, "M.F"),
              (std::vector<std::string>{"RuntimeStackCheck", "RuntimeNewObject", "RuntimeCreateArray",
                                        "RuntimeArrayCreateAddIndex", "RuntimeArrayCreateAddIndex", "IntToFP",
                                        "RuntimeArrayStartWriteAccess", "RuntimeWriteDoubleArray", "RuntimeArrayStartReadAccess",
                                        "RuntimeReadDoubleArray", "RuntimeUnlockObject"}));
    // m(1, 2) = n: the value and both indexes first, then the access with copies of them.
    Bytes code = function_bytes(r, "M.F");
    EXPECT_TRUE(contains(code, "83 EC 08 DD 1C 24 B8 01 00 00 00 50 B8 02 00 00 00 50 FF 74 24 04 FF 75 F4 E8")) << to_hex(code);
    EXPECT_TRUE(contains(code, "83 C4 08 FF 74 24 0C FF 74 24 0C FF 74 24 08 FF 75 F4 E8")) << to_hex(code);
    // Total(m) gets the array's pointer: a plain 4-byte argument.
    EXPECT_TRUE(contains(code, "8B 45 F4 50 E8")) << to_hex(code);
    CompileResult bad = compile_source(
        "Module M\n  Sub S()\n    Dim m(2, 3) As Integer\n    m(1) = 2\n    m.Append 3\n  End Sub\nEnd Module\n");
    ASSERT_EQ(bad.errors.size(), 2u);
    EXPECT_EQ(bad.errors[0], "test.tav:4:5: an element of Integer(,) takes 2 index(es)");
    EXPECT_EQ(bad.errors[1], "test.tav:5:7: 'Append' works on arrays of one dimension");
}

TEST(Constants, NamesBecomeTheirValues) {
    CompileResult r = compile_ok(
        "Module Limits\n  Const Chunk = 262144\n  Const Title = \"T\"\n  Const Neg = -2.5\nEnd Module\n"
        "Module M\n  Function F() As Double\n    Const Local = 3\n"
        "    Return Chunk + Local + Limits.Neg + Len(Title)\n  End Function\nEnd Module\n");
    Bytes code = function_bytes(r, "M.F");
    EXPECT_TRUE(contains(code, "B8 00 00 04 00 50 B8 03 00 00 00")) << to_hex(code);
    EXPECT_TRUE(has(imports_of(r, "M.F"), "StringLen"));
    CompileResult bad = compile_source("Module M\n  Const X = Len(\"a\")\nEnd Module\n");
    ASSERT_FALSE(bad.errors.empty());
    EXPECT_EQ(bad.errors[0], "test.tav:2:13: a constant is a number, a string, True or False");
}

TEST(Statements, SelectCaseEvaluatesTheSelectorOnce) {
    CompileResult r = compile_ok(
        "Module M\n  Function F(s As String) As Integer\n"
        "    Select Case s + \"x\"\n    Case \"ax\", \"bx\"\n      Return 1\n    Case Else\n      Return 2\n    End Select\n"
        "  End Function\n"
        "  Function G(n As Integer) As Integer\n"
        "    Select Case n\n    Case 1 To 3\n      Return 1\n    End Select\n"
        "  End Function\nEnd Module\n");
    // One concatenation, then a string comparison per Case item; the hidden copy is released at the end.
    EXPECT_EQ(imports_of(r, "M.F"),
              (std::vector<std::string>{"RuntimeStackCheck", "RuntimeAddString", "RuntimeUnlockString", "RuntimeStringCompare",
                                        "RuntimeStringCompare", "RuntimeUnlockString"}));
    CompileResult bad = compile_source("Module M\n  Sub S()\n    Select Case 1\n    Case \"a\"\n    End Select\n  End Sub\nEnd Module\n");
    ASSERT_FALSE(bad.errors.empty());
    EXPECT_EQ(bad.errors[0], "test.tav:4:10: cannot use Integer as String");
}

TEST(Loops, ForWithNegativeStepCountsDown) {
    CompileResult r = compile_ok(
        "Module M\n  Sub S()\n    Dim i As Integer\n    For i = 10 To 1 Step -2\n      BackgroundTask\n    Next\n  End Sub\nEnd Module\n");
    Bytes code = function_bytes(r, "M.S");
    // i at EBP-4, the limit at EBP-8: compare, leave when i < limit, add -2 to i.
    EXPECT_TRUE(contains(code, "8B 45 FC 8B 4D F8 39 C8 0F 8C")) << to_hex(code);
    EXPECT_TRUE(contains(code, "83 45 FC FE E9")) << to_hex(code);
}

TEST(Conversions, VariantsAndNumbersGoThroughTheRuntime) {
    CompileResult r = compile_ok(
        "Module M\n  Sub S(d As Double)\n"
        "    Dim v As Variant = 3\n"
        "    Dim i As Integer = v\n"
        "    Dim s As String = v\n"
        "    Dim e As Double = i\n"
        "    i = d\n"
        "  End Sub\nEnd Module\n");
    CompileResult mixed = compile_ok(
        "Module M\n  Function F(v As Variant) As Boolean\n    Return v + 1 > 2.5 And v & \"\" = \"3\"\n  End Function\nEnd Module\n");
    EXPECT_EQ(imports_of(mixed, "M.F"), (std::vector<std::string>{"RuntimeStackCheck", "variantToInt", "IntToFP",
                                                                   "variantToString", "RuntimeAddString",
                                                                   "RuntimeUnlockString", "RuntimeStringCompare",
                                                                   "RuntimeUnlockString"}));
    EXPECT_EQ(imports_of(r, "M.S"),
              (std::vector<std::string>{"RuntimeStackCheck", "intToVariant", "RuntimeUnlockObject", "variantToInt",
                                        "variantToString", "RuntimeUnlockString", "IntToFP", "FPToInt",
                                        "RuntimeUnlockObject", "RuntimeUnlockString"}));
}

TEST(Declarations, LibraryRoutinesArePushedRightToLeft) {
    CompileResult r = compile_ok(
        "Declare Sub Beep Lib \"kernel32.dll\" (frequency As Integer, duration As Integer)\n"
        "Module M\n  Sub S()\n    Beep 440, 100\n  End Sub\nEnd Module\n");
    Bytes code = function_bytes(r, "M.S");
    EXPECT_TRUE(contains(code, "B8 64 00 00 00 50 B8 B8 01 00 00 50 E8")) << to_hex(code);
    EXPECT_TRUE(has(imports_of(r, "M.S"), "!Xkernel32.dll!Beep"));
}

TEST(Declarations, LibraryRoutinesGetStringsAsCStrings) {
    CompileResult r = compile_ok(
        "Declare Sub OutputDebugStringA Lib \"kernel32.dll\" (text As String)\n"
        "Module M\n  Sub S(a As String)\n    OutputDebugStringA a + \"!\"\n  End Sub\nEnd Module\n");
    Bytes code = function_bytes(r, "M.S");
    // The owned sum goes to a hidden local at EBP-4 (released at the end); the
    // routine gets its text, or an empty C string for nil.
    EXPECT_TRUE(contains(code, "8B 4D FC 89 45 FC 51 E8")) << to_hex(code);
    EXPECT_TRUE(contains(code, "85 C0 0F 84 09 00 00 00 8B 40 04 40 E9 05 00 00 00 B8")) << to_hex(code);
    EXPECT_TRUE(contains(code, "C9 C3 2F 05 FF FC 00")) << to_hex(code);
    EXPECT_EQ(imports_of(r, "M.S"), (std::vector<std::string>{"RuntimeStackCheck", "RuntimeAddString", "RuntimeUnlockString",
                                                               "!Xkernel32.dll!OutputDebugStringA", "RuntimeUnlockString"}));
}

TEST(Declarations, PluginClassesTheirMembersAndControls) {
    CompileResult r = compile_ok(
        "Declare Class Separator Inherits RectControl\nEnd Class\n"
        "Declare Class Knob Inherits RectControl Size 120\n  Event Turned(steps As Integer)\nEnd Class\n"
        "Declare Class Tool Inherits Object\n"
        "  Property Count As Integer\n"
        "  Property Name As String ReadOnly\n"
        "  Function Area(w As Integer) As Integer Plugin \"Area(w As Integer) As Integer\"\n"
        "  Sub Reset()\n"
        "End Class\n"
        "Window W\n"
        "  Control Sep As Separator\n    Left = -2\n  End Control\n"
        "  Control Dial As Knob\n    Event Turned(steps As Integer)\n    End Event\n  End Control\n"
        "End Window\n"
        "Module M\n  Sub S(t As Tool)\n    t.Count = t.Count + t.Area(3)\n    t.Reset\n    MsgBox t.Name\n  End Sub\nEnd Module\n");
    std::vector<std::string> calls = imports_of(r, "M.S");
    for (const char* name : {"!GTool!Count", "!STool!Count", "!MTool!Area(w As Integer) As Integer", "!MTool!Reset", "!GTool!Name"})
        EXPECT_TRUE(has(calls, name)) << name;
    const Bytes& d = r.blocks.data;
    std::uint32_t sep = find_data(r, "class Separator");
    EXPECT_EQ(u32_at(d, sep), 1u);
    EXPECT_EQ(literal_at(d, u32_at(d, sep + 4)), "Separator");
    std::uint32_t dial = find_data(r, "class control class W.Dial");
    EXPECT_EQ(u32_at(d, dial + 4), 120u);  // the plugin control's size, given by its declaration
    CompileResult bad = compile_source("Declare Class Tool Inherits Object\n  Property Name As String ReadOnly\nEnd Class\n"
                                       "Module M\n  Sub S(t As Tool)\n    t.Name = \"x\"\n  End Sub\nEnd Module\n");
    ASSERT_FALSE(bad.errors.empty());
    EXPECT_EQ(bad.errors[0], "test.tav:6:7: property 'Name' cannot be set");
}

TEST(ProjectItems, AutomaticallyCreatedObjects) {
    CompileResult r = compile_ok("Class Logger\nEnd Class\nModule M\n  Auto Dim log As Logger\nEnd Module\n");
    const Bytes& d = r.blocks.data;
    std::uint32_t item = find_data(r, "auto object log");
    EXPECT_EQ(u32_at(d, item), 5u);
    EXPECT_EQ(u32_at(d, item + 4), 0u);  // Logger, the program's first class
    EXPECT_EQ(u32_at(d, item + 8), find_data(r, "variable log"));
    EXPECT_FALSE(read_relocations(r.blocks.res).at(item + 8));
}

TEST(Handlers, EventAndMenuHandlersInTheClassRecord) {
    CompileResult r = compile_ok(
        "MenuBar\n  Menu F \"File\"\n    Item recent(0) \"none\"\n  End Menu\nEnd MenuBar\n"
        "Window W\n"
        "  Event KeyDown(key As String) As Boolean\n    Return key = \"a\"\n  End Event\n"
        "  MenuHandler recent(index As Integer)\n    Return index = 0\n  End MenuHandler\n"
        "End Window\n");
    const Bytes& d = r.blocks.data;
    std::uint32_t at = find_data(r, "class W");
    EXPECT_EQ(u32_at(d, at + 4), 120u);
    std::size_t pos = at + 28;
    EXPECT_EQ(u32_at(d, pos), 0u);  // methods
    EXPECT_EQ(u32_at(d, pos + 4), 1u);
    EXPECT_EQ(literal_at(d, u32_at(d, pos + 8)), "KeyDown");
    EXPECT_EQ(u32_at(d, pos + 12), find_function(r, "W.KeyDown").offset);
    EXPECT_EQ(u32_at(d, pos + 16), 401u);  // the event number is the handler's key
    EXPECT_EQ(u32_at(d, pos + 20), 1u);
    EXPECT_EQ(literal_at(d, u32_at(d, pos + 24)), "recent");
    EXPECT_EQ(u32_at(d, pos + 28), find_function(r, "W.recent").offset);
}

}  // namespace
}  // namespace tavoc::test
