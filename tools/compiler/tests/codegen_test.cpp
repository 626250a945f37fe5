// The code of small sources, byte for byte: frames, call-site records,
// trailers and the encodings that must avoid the trailer mark.
#include <gtest/gtest.h>

#include <sstream>

#include "test_support.h"

namespace tavoc::test {
namespace {

// `pattern` is hex bytes; "??" matches any byte (call displacements and data addresses).
::testing::AssertionResult matches(const Bytes& actual, const std::string& pattern) {
    std::istringstream in(pattern);
    std::vector<int> want;
    std::string b;
    while (in >> b) want.push_back(b == "??" ? -1 : static_cast<int>(std::stoul(b, nullptr, 16)));
    bool ok = want.size() == actual.size();
    for (std::size_t i = 0; ok && i < want.size(); ++i) ok = want[i] < 0 || want[i] == actual[i];
    if (ok) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\n  actual:  " << to_hex(actual) << "\n  pattern: " << pattern;
}

// Import names called from one function, in code order.
std::vector<std::string> imports_of(const CompileResult& r, const std::string& symbol) {
    MapFunction f = find_function(r, symbol);
    std::vector<std::string> out;
    for (auto& [field, name] : call_sites(r))
        if (field >= f.offset && field < f.offset + f.size) out.push_back(name);
    return out;
}

TEST(Frames, PrologueZeroedLocalsEpilogueAndTrailer) {
    CompileResult r = compile_ok(
        "Module M\n"
        "  Sub S()\n"
        "    Dim s As String\n"
        "    Dim n As Integer\n"
        "    n = 5\n"
        "  End Sub\n"
        "End Module\n");
    EXPECT_TRUE(matches(function_bytes(r, "M.S"),
                        "55 89 E5 83 EC 08 31 C0 89 45 FC 89 45 F8 "  // frame, locals zeroed
                        "E8 ?? ?? ?? ?? EB 02 2F 00 "                 // RuntimeStackCheck and its record
                        "B8 05 00 00 00 89 45 F8 "                    // n = 5
                        "FF 75 FC 83 65 FC 00 E8 ?? ?? ?? ?? 83 C4 04 "  // release s, zeroed first
                        "C9 C3 2F 05 FF FC 00"));                      // trailer: string local at EBP-4
    EXPECT_EQ(imports_of(r, "M.S"), (std::vector<std::string>{"RuntimeStackCheck", "RuntimeUnlockString"}));
}

TEST(Frames, ExceptionClauseHandlerEntryAndNoHandlerAction) {
    CompileResult r = compile_ok(
        "Module M\n"
        "  Sub S(f As FolderItem)\n"
        "    f.Delete\n"
        "  Catch e As RuntimeException\n"
        "    MsgBox \"caught\"\n"
        "  End Sub\n"
        "End Module\n");
    Bytes code = function_bytes(r, "M.S");
    EXPECT_TRUE(matches(code,
                        "55 89 E5 83 EC 10 31 C0 89 45 FC 89 45 F8 89 45 F4 89 45 F0 "  // EBP-4 will receive the exception
                        "89 5D F8 89 75 F4 89 7D F0 "                 // the caller's EBX, ESI, EDI
                        "E8 ?? ?? ?? ?? EB 02 2F 00 "
                        "8B 45 08 85 C0 0F 85 09 00 00 00 "          // f, nil test
                        "E8 ?? ?? ?? ?? EB 02 2F 00 "                 // RuntimeNilObject
                        "50 E8 ?? ?? ?? ?? EB 02 2F 00 83 C4 04 "     // FolderItemDelete(f)
                        "E9 16 00 00 00 "                             // over the handler
                        "8D 65 F0 "                                   // handler: the stack pointer back to the frame
                        "B8 ?? ?? ?? ?? 50 E8 ?? ?? ?? ?? "           // MsgBox "caught"
                        "EB 03 2F 07 00 83 C4 04 "                    // action 7: not this frame's handlers
                        "FF 75 FC 83 65 FC 00 E8 ?? ?? ?? ?? "        // release the exception object, zeroed first:
                        "EB 03 2F 07 00 83 C4 04 "                    // a destructor raising there passes the handlers
                        "8B 5D F8 8B 75 F4 8B 7D F0 C9 C3 "           // give back EBX, ESI, EDI
                        "2F 04 00 00 FF FF FF C7 06 FF FC 00"));      // handler at 133-57 = 76, object local
    EXPECT_EQ(imports_of(r, "M.S"), (std::vector<std::string>{"RuntimeStackCheck", "RuntimeNilObject", "FolderItemDelete",
                                                               "RuntimeMsgBox", "RuntimeUnlockObject"}));
    // The handler class index names RuntimeException in the class table.
    EXPECT_NE(r.map.find("     0  RuntimeException (built-in)"), std::string::npos) << r.map;
    EXPECT_EQ(literal_at(r.blocks.data, u32_at(code, 80)), "caught");
}

TEST(Frames, LocalsThatDoNotFitInOneFrameAreRefused) {
    // The unwinder stops at a caller frame more than 4,096 bytes above its
    // callee, so a larger frame would lose its handlers.
    struct Case {
        int doubles;
        const char* error;  // null: it compiles
    } cases[] = {{478, nullptr},  // with the clause's 16 bytes: exactly 3840
                 {479, "test.tav:2:3: the locals of M.S need 3848 bytes; at most 3840 fit in one frame"},
                 {515, "test.tav:2:3: the locals of M.S need 4136 bytes; at most 3840 fit in one frame"}};
    for (const Case& c : cases) {
        std::string source = "Module M\n  Sub S()\n";
        for (int i = 0; i < c.doubles; ++i) source += "    Dim d" + std::to_string(i) + " As Double\n";
        source += "    Inner\n  Catch e As RuntimeException\n  End Sub\n  Sub Inner()\n  End Sub\nEnd Module\n";
        CompileResult r = compile_source(source);
        if (!c.error) {
            EXPECT_TRUE(r.ok) << c.doubles;
            continue;
        }
        ASSERT_EQ(r.errors.size(), 1u) << c.doubles;
        EXPECT_EQ(r.errors[0], c.error);
    }
}

TEST(CallSites, OwnedTemporariesAreListedAndReleased) {
    CompileResult r = compile_ok(
        "Module M\n"
        "  Function Twice(s As String) As String\n"
        "    Return s + s\n"
        "  End Function\n"
        "  Sub S(a As String, b As String)\n"
        "    MsgBox Twice(a) + Twice(b)\n"
        "  End Sub\n"
        "End Module\n");
    EXPECT_TRUE(matches(function_bytes(r, "M.S"),
                        "55 89 E5 83 EC 04 31 C0 89 45 FC "         // no locals: EBP-4 is still the frame's
                        "E8 ?? ?? ?? ?? EB 02 2F 00 "
                        "8B 45 0C 50 E8 ?? ?? ?? ?? EB 02 2F 00 83 C4 04 50 "   // Twice(b), kept on the stack
                        "8B 45 08 50 E8 ?? ?? ?? ?? EB 04 2F 01 04 00 83 C4 04 50 "  // Twice(a): Twice(b) at +4
                        "E8 ?? ?? ?? ?? EB 06 2F 01 00 01 04 00 "               // RuntimeAddString: both owned
                        "50 FF 74 24 04 E8 ?? ?? ?? ?? 83 C4 04 "               // release them, keeping EAX
                        "FF 74 24 08 E8 ?? ?? ?? ?? 83 C4 04 58 83 C4 08 "
                        "50 E8 ?? ?? ?? ?? EB 04 2F 01 00 00 "                  // RuntimeMsgBox(owned sum)
                        "FF 74 24 00 E8 ?? ?? ?? ?? 83 C4 04 83 C4 04 "
                        "C9 C3 2F 00"));
    EXPECT_EQ(imports_of(r, "M.S"),
              (std::vector<std::string>{"RuntimeStackCheck", "RuntimeAddString", "RuntimeUnlockString", "RuntimeUnlockString",
                                        "RuntimeMsgBox", "RuntimeUnlockString"}));
    // Twice returns its result local without releasing it, but lists it for the unwinder.
    Bytes twice = function_bytes(r, "M.Twice");
    EXPECT_TRUE(matches(Bytes(twice.end() - 10, twice.end()), "8B 45 FC C9 C3 2F 05 FF FC 00"));
}

TEST(CallSites, LibraryRoutinesGetTheStackPointerBack) {
    // A system routine pops its own arguments; the caller's stack pointer is
    // set from the frame after the call, so either convention works.
    CompileResult r = compile_ok(
        "Declare Function Sum Lib \"x.dll\" (a As Integer, b As Integer) As Integer\n"
        "Module M\n"
        "  Sub S()\n"
        "    Dim n As Integer\n"
        "    n = Sum(1, 2)\n"
        "  End Sub\n"
        "End Module\n");
    EXPECT_TRUE(matches(function_bytes(r, "M.S"),
                        "55 89 E5 83 EC 04 31 C0 89 45 FC "
                        "E8 ?? ?? ?? ?? EB 02 2F 00 "
                        "B8 02 00 00 00 50 B8 01 00 00 00 50 "
                        "E8 ?? ?? ?? ?? EB 02 2F 00 "               // Sum(1, 2)
                        "8D 65 F4 83 C4 08 "                        // ESP = frame - 2 arguments, then pop them
                        "89 45 FC C9 C3 2F 00"));
}

TEST(Encoding, ConstantsNeverFormTheTrailerMark) {
    CompileResult r = compile_ok(
        "Module M\n"
        "  Function F() As Integer\n"
        "    Return &h2FC3C9\n"
        "  End Function\n"
        "End Module\n");
    Bytes code = function_bytes(r, "M.F");
    // mov eax, NOT value; not eax
    EXPECT_TRUE(matches(Bytes(code.begin() + 20, code.begin() + 30), "B8 36 3C D0 FF F7 D0 89 45 FC"));
    for (std::size_t i = 0; i + 5 < code.size(); ++i)
        EXPECT_FALSE(code[i] == 0xC9 && code[i + 1] == 0xC3 && code[i + 2] == 0x2F) << "at " << i;
}

TEST(Encoding, IntegerArithmeticDisassembles) {
    CompileResult r = compile_ok(
        "Module M\n"
        "  Function F(a As Integer, b As Integer) As Integer\n"
        "    Return (a + b) * (a - b) \\ 3 Mod 5\n"  // ((a + b) * (a - b)) \\ 3, then Mod 5
        "  End Function\n"
        "End Module\n");
    Bytes code = function_bytes(r, "M.F");
    // From the end of RuntimeStackCheck's record to the epilogue.
    std::vector<std::string> listing = disassemble(Bytes(code.begin() + 20, code.end() - 4));
    EXPECT_EQ(listing, (std::vector<std::string>{
                           "mov eax,DWORD PTR [ebp+0x8]", "push eax", "mov eax,DWORD PTR [ebp+0xc]", "mov ecx,eax",
                           "pop eax", "add eax,ecx", "push eax", "mov eax,DWORD PTR [ebp+0x8]", "push eax",
                           "mov eax,DWORD PTR [ebp+0xc]", "mov ecx,eax", "pop eax", "sub eax,ecx",
                           "mov ecx,eax", "pop eax", "imul eax,ecx", "push eax", "mov eax,0x3", "mov ecx,eax",
                           "pop eax", "cdq", "idiv ecx", "push eax", "mov eax,0x5", "mov ecx,eax", "pop eax", "cdq",
                           "idiv ecx", "mov eax,edx", "mov DWORD PTR [ebp-0x4],eax", "mov eax,DWORD PTR [ebp-0x4]"}));
}

}  // namespace
}  // namespace tavoc::test
