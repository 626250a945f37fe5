// Syntax errors: each bad source is reported at its place, and no image is written.
#include <gtest/gtest.h>

#include "test_support.h"

namespace tavoc::test {
namespace {

struct BadSource {
    const char* source;
    const char* message;  // the whole first message, position included
};

class SyntaxErrors : public ::testing::TestWithParam<BadSource> {};

TEST_P(SyntaxErrors, AreReportedAtTheirPosition) {
    CompileResult r = compile_source(GetParam().source);
    EXPECT_FALSE(r.ok);
    ASSERT_FALSE(r.errors.empty());
    EXPECT_EQ(r.errors[0], GetParam().message);
    EXPECT_TRUE(r.blocks.code.empty() && r.blocks.data.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SyntaxErrors,
    ::testing::Values(
        BadSource{"Module M\n  Sub S()\n    MsgBox \"open\n  End Sub\nEnd Module\n",
                  "test.tav:3:12: string literal is not closed on its line"},
        BadSource{"Module M\n  Dim x As Integer ?\nEnd Module\n", "test.tav:2:20: unexpected character '?'"},
        BadSource{"Module M\n  Sub S()\n  End Sub\n", "test.tav:4:1: 'Module M' is not closed by 'End Module'"},
        BadSource{"Module M\n  Function F()\n  End Function\nEnd Module\n",
                  "test.tav:2:15: a Function needs a result type ('As Type')"},
        BadSource{"Module M\n  Dim next As Integer\nEnd Module\n",
                  "test.tav:2:7: 'next' is a keyword and cannot be used as a property name"},
        BadSource{"Module M\n  Sub S()\n    If True Then\n    Else If False Then\n    End If\n  End Sub\nEnd Module\n",
                  "test.tav:4:10: write 'ElseIf', not 'Else If'"},
        BadSource{"Module M\n  Sub S()\n    Dim i As Integer\n    For i = 1 To 2\n    Next j\n  End Sub\nEnd Module\n",
                  "test.tav:5:10: 'Next' names another variable than its 'For'"},
        BadSource{"Module M\n  Sub S()\n    x = (1 + \n  End Sub\nEnd Module\n",
                  "test.tav:3:14: expected an expression but found end of line"},
        BadSource{"Sub S()\nEnd Sub\n",
                  "test.tav:1:1: expected a declaration (Module, Class, Interface, Window, MenuBar, Project or Declare) but found 'Sub'"},
        BadSource{"Module M\n  Dim x As Integer\nEnd Module\nModule N\n  Dim y As Integer = 3\nEnd Module\n",
                  "test.tav:5:20: expected end of line but found '='"},
        BadSource{"Module M\n  Sub S()\n    Dim n As Integer = 99999999999\n  End Sub\nEnd Module\n",
                  "test.tav:3:24: integer literal 99999999999 does not fit in 32 bits"}));

TEST(SyntaxErrors, SeveralAreReportedInOneRun) {
    CompileResult r = compile_source(
        "Module M\n  Sub S()\n    x = = 1\n    y = (\n  End Sub\nEnd Module\n");
    ASSERT_EQ(r.errors.size(), 2u);
    EXPECT_EQ(r.errors[0], "test.tav:3:9: expected an expression but found '='");
    EXPECT_EQ(r.errors[1], "test.tav:4:10: expected an expression but found end of line");
}

TEST(SyntaxErrors, ErrorsNameTheirFile) {
    CompileResult r = compile({{"a.tav", "Module A\nEnd Module\n"}, {"b.tav", "Module B\n  Sub\nEnd Module\n"}});
    ASSERT_EQ(r.errors.size(), 1u);
    EXPECT_EQ(r.errors[0], "b.tav:2:6: expected a name but found end of line");
}

TEST(Lexer, ContinuationCommentsAndCaseOfKeywords) {
    compile_ok(
        "MODULE M ' a comment\n"
        "  dim Total As integer\n"
        "  SUB s()\n"
        "    Rem another comment\n"
        "    total = 1 + _\n"
        "      &h10 + &b11 + &o7 // and one more\n"
        "  end sub\n"
        "End Module\n");
}

TEST(Robustness, EveryPrefixAndDamagedCopyOfARealProgramIsHandled) {
    Bytes text;
    std::string error;
    ASSERT_TRUE(image::read_file(std::string(TAVOC_FIXTURES) + "/extractor_sketch.tav", text, error)) << error;
    std::string source(text.begin(), text.end());
    int failures = 0;
    for (std::size_t cut = 0; cut < source.size(); cut += 13) {
        CompileResult prefix = compile_source(source.substr(0, cut));
        if (!prefix.ok) {
            ++failures;
            EXPECT_FALSE(prefix.errors.empty());
            EXPECT_TRUE(prefix.blocks.code.empty());
        }
        std::string damaged = source;
        damaged.erase(cut, 3);
        compile_source(damaged);
    }
    EXPECT_GT(failures, 0);
}

TEST(Robustness, DeepNestingIsAnErrorNotACrash) {
    std::string deep = "Module M\n  Sub S()\n    Dim x As Integer = " + std::string(5000, '(') + "1" +
                       std::string(5000, ')') + "\n  End Sub\nEnd Module\n";
    CompileResult r = compile_source(deep);
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.errors[0], "test.tav:3:224: expressions are nested too deeply");
    std::string terms;
    for (int i = 0; i < 6000; ++i) terms += "1 + ";
    r = compile_source("Module M\n  Sub S()\n    Dim x As Integer = " + terms + "1\n  End Sub\nEnd Module\n");
    ASSERT_FALSE(r.ok);
    EXPECT_EQ(r.errors[0], "test.tav:3:20030: expression is too long");
}

std::string repeated(const std::string& part, int times) {
    std::string out;
    out.reserve(part.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i) out += part;
    return out;
}

// Each recursive form, 100,000 levels deep: one diagnostic at its place, and
// the declarations after it are still checked (the second error).
TEST(Robustness, EveryRecursiveFormStopsAtItsNestingLimit) {
    constexpr int n = 100000;
    struct Deep {
        const char* what;
        std::string body;  // statements of S, from line 3 on
        const char* message;
    } cases[] = {
        {"parentheses", "    x = " + repeated("(", n) + "1" + repeated(")", n), "expressions are nested too deeply"},
        {"Not", "    b = " + repeated("Not ", n) + "True", "expressions are nested too deeply"},
        {"unary minus", "    x = " + repeated("- ", n) + "1", "expressions are nested too deeply"},
        {"member chain", "    x = o" + repeated(".m", n), "expressions are nested too deeply"},
        {"calls of members", "    x = o" + repeated(".m()", n), "expressions are nested too deeply"},
        {"nested calls", "    x = " + repeated("F(", n) + "1" + repeated(")", n), "expressions are nested too deeply"},
        {"blocks", repeated("    If b Then\n", n) + repeated("    End If\n", n), "statements are nested too deeply"},
        {"one-line Ifs", "    " + repeated("If b Then ", n) + "x = 1", "statements are nested too deeply"},
    };
    for (const Deep& c : cases) {
        CompileResult r = compile_source("Module M\n  Sub S(x As Integer, b As Boolean, o As Object)\n" + c.body +
                                         "\n  End Sub\nEnd Module\nModule N\n  Sub T()\n    y = )\n  End Sub\nEnd Module\n");
        ASSERT_GE(r.errors.size(), 2u) << c.what;
        EXPECT_EQ(r.errors[0].rfind("test.tav:", 0), 0u) << c.what;
        EXPECT_NE(r.errors[0].find(c.message), std::string::npos) << c.what << ": " << r.errors[0];
        EXPECT_NE(r.errors.back().find("expected an expression but found ')'"), std::string::npos)
            << c.what << ": " << r.errors.back();
    }
    CompileResult menus = compile_source("MenuBar\n  Menu M \"m\"\n" + repeated("  Menu S \"s\"\n", n) +
                                         repeated("  End Menu\n", n) + "  End Menu\nEnd MenuBar\n");
    ASSERT_FALSE(menus.errors.empty());
    EXPECT_EQ(menus.errors[0], "test.tav:203:3: menus are nested too deeply");
}

}  // namespace
}  // namespace tavoc::test
