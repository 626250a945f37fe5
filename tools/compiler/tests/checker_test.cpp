// Errors of meaning: names, types, handlers and declarations.
#include <gtest/gtest.h>

#include <algorithm>
#include <sys/resource.h>
#include <functional>
#include <string>
#include <vector>

#include "prelude.h"
#include "test_support.h"

namespace tavoc::test {
namespace {

struct BadProgram {
    const char* source;
    const char* message;
};

class CheckErrors : public ::testing::TestWithParam<BadProgram> {};

TEST_P(CheckErrors, AreReportedAtTheirPosition) {
    CompileResult r = compile_source(GetParam().source);
    EXPECT_FALSE(r.ok);
    ASSERT_FALSE(r.errors.empty());
    EXPECT_EQ(r.errors[0], GetParam().message);
    EXPECT_TRUE(r.blocks.code.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckErrors,
    ::testing::Values(
        BadProgram{"Module M\n  Dim x As Integr\nEnd Module\n", "test.tav:2:12: unknown type 'Integr'"},
        BadProgram{"Module M\n  Sub S()\n    y = 1\n  End Sub\nEnd Module\n", "test.tav:3:5: unknown name 'y'"},
        BadProgram{"Module M\n  Sub S()\n    Dim i As Integer = \"text\"\n  End Sub\nEnd Module\n",
                   "test.tav:3:24: cannot use String as Integer"},
        BadProgram{"Module M\n  Sub S()\n    MsgBox \"a\", \"b\"\n  End Sub\nEnd Module\n",
                   "test.tav:3:5: 'MsgBox' takes 1 argument(s), not 2"},
        BadProgram{"Module M\n  Sub S()\n    Dim n As Integer = Len()\n  End Sub\nEnd Module\n",
                   "test.tav:3:24: 'Len' takes 1 argument(s), not 0"},
        BadProgram{"Class A Inherits Application\n  Event Opening()\n  End Event\nEnd Class\n",
                   "test.tav:2:3: 'Application' has no event 'Opening'"},
        BadProgram{"Class A Inherits Application\n  Event OpenDocument(f As String)\n  End Event\nEnd Class\n",
                   "test.tav:2:3: the handler of 'OpenDocument' must take (item As FolderItem)"},
        BadProgram{"Class A Inherits Application\n  MenuHandler FileSave()\n  End MenuHandler\nEnd Class\n",
                   "test.tav:2:3: there is no menu item 'FileSave'"},
        BadProgram{"Module M\n  Sub S(f As FolderItem)\n    f.AbsolutePath = \"x\"\n  End Sub\nEnd Module\n",
                   "test.tav:3:7: property 'AbsolutePath' cannot be set"},
        BadProgram{"Module M\n  Sub S()\n    Exit For\n  End Sub\nEnd Module\n",
                   "test.tav:3:5: 'Exit' is not inside such a loop"},
        BadProgram{"Module M\n  Sub S()\n    Return 3\n  End Sub\nEnd Module\n",
                   "test.tav:3:5: this method returns no value"},
        BadProgram{"Module M\n  Function F() As Integer\n    Return\n  End Function\nEnd Module\n",
                   "test.tav:3:5: 'Return' needs a value of type Integer"},
        BadProgram{"Module M\n  Sub S()\n    Raise New FolderItem\n  End Sub\nEnd Module\n",
                   "test.tav:3:11: only exceptions (RuntimeException and its subclasses) can be raised"},
        BadProgram{"Window W\nEnd Window\nModule M\n  Sub S()\n    Dim w As W = New W\n  End Sub\nEnd Module\n",
                   "test.tav:5:18: windows are created through their implicit instance, not New"},
        BadProgram{"Class Listbox\nEnd Class\n", "test.tav:1:7: 'Listbox' is already the name of a built-in class"},
        BadProgram{"Class A\n  Dim x As Integer\n  Dim X As String\nEnd Class\n", "test.tav:3:7: property 'X' is defined twice"},
        BadProgram{"Module M\nEnd Module\nModule m\nEnd Module\n", "test.tav:3:8: 'm' is already the name of a module"},
        BadProgram{"Module A\n  Dim n As Integer\nEnd Module\nModule B\n  Dim n As Integer\nEnd Module\n"
                   "Class C\n  Sub S()\n    n = 1\n  End Sub\nEnd Class\n",
                   "test.tav:9:5: 'n' is in modules A and B: write A.n"},
        BadProgram{"Class C\nEnd Class\nWindow c\nEnd Window\n", "test.tav:3:8: 'c' is already the name of a class"},
        BadProgram{"Module M\n  Sub S(a As String, b As Integer)\n    If a = b Then Exit Sub\n  End Sub\nEnd Module\n",
                   "test.tav:3:12: cannot use Integer as String"},
        BadProgram{"Module M\n  Sub S(w As Window)\n    If w < Nil Then Exit Sub\n  End Sub\nEnd Module\n",
                   "test.tav:3:10: objects compare only with = and <>"},
        BadProgram{"Module M\n  Sub S()\n  Catch e As FolderItem\n  End Sub\nEnd Module\n",
                   "test.tav:3:14: 'FolderItem' is not an exception class"},
        BadProgram{"Class A\n  Sub Go(n As Integer)\n  End Sub\nEnd Class\nClass B Inherits A\n  Sub Go(s As String)\n  End Sub\nEnd Class\n",
                   "test.tav:6:3: 'Go' overrides a method of A with another signature"},
        BadProgram{"Class A Inherits B\nEnd Class\nClass B Inherits A\nEnd Class\n",
                   "test.tav:1:7: class 'A' inherits from itself"},
        BadProgram{"Window W\n  Colour = 3\nEnd Window\n", "test.tav:2:3: windows have no description property 'Colour'"},
        BadProgram{"Window W\n  Control B As PushButton\n    Txt = \"x\"\n  End Control\nEnd Window\n",
                   "test.tav:3:5: PushButton has no description property 'Txt'"},
        BadProgram{"Window W\n  Control B As FolderItem\n  End Control\nEnd Window\n",
                   "test.tav:2:16: 'FolderItem' is not a control class"},
        BadProgram{"Window W\n  Control T As Timer\n    Left = 5\n  End Control\nEnd Window\n",
                   "test.tav:3:5: Timer has no description property 'Left'"},
        BadProgram{"Project\n  DefaultWindow Nowhere\nEnd Project\n", "test.tav:2:17: there is no window 'Nowhere'"},
        BadProgram{"Module M\n  Sub S()\n    Me.x = 1\n  End Sub\nEnd Module\n",
                   "test.tav:3:5: 'Me' exists only in classes and windows"},
        BadProgram{"Module M\n  Sub S(s As String)\n    Dim n As Integer = s.Length\n  End Sub\nEnd Module\n",
                   "test.tav:3:26: String has no member 'Length'"},
        BadProgram{"Module M\n  Sub S(w As Window)\n    Dim c As Control = w\n  End Sub\nEnd Module\n",
                   "test.tav:3:24: cannot use Window as Control"}));

TEST(Checker, ProgramsThatUseTheLanguageCompile) {
    compile_ok(R"(
Class Shape
  Dim sides As Integer
  Dim name As String
  Function Area() As Double
    Return 0
  End Function
  Function Describe() As String
    Return name + " with " + Str(sides) + " sides"
  End Function
End Class
Class Square Inherits Shape
  Dim side As Double
  Sub Constructor()
    sides = 4
    name = "square"
  End Sub
  Function Area() As Double
    Return side * side
  End Function
End Class
Module Geometry
  Dim total As Double
  Sub Add(s As Shape)
    total = total + s.Area()
    If s IsA Square Then
      Dim q As Square = Square(s)
      q.side = q.side + 1
    ElseIf s = Nil Then
      Raise New NilObjectException
    Else
      MsgBox s.Describe()
    End If
  End Sub
  Function Sum(n As Integer) As Integer
    Dim i As Integer
    Dim t As Integer
    For i = n To 1 Step -1
      If i Mod 2 = 0 Then t = t + i \ 2
    Next
    While t > 100
      t = t - 100
      If t = 7 Then Exit While
    Wend
    Do
      t = t + 1
    Loop Until t >= 10 Or Not (t <> 3)
    Return t
  End Function
  Function Ratio(a As Integer, b As Integer) As Double
    Dim v As Variant = a / b
    Return v
  End Function
End Module
)");
}

// Chains far deeper than any cycle guard: a valid one compiles, a cycle
// through it is reported once, where it closes.
TEST(Checker, InheritanceChainsOfAnyDepth) {
    constexpr int depth = 5000;
    auto chain = [](const std::string& first_super) {
        std::string source = "Class C0" + first_super + "\nEnd Class\n";
        for (int i = 1; i < depth; ++i)
            source += "Class C" + std::to_string(i) + " Inherits C" + std::to_string(i - 1) + "\nEnd Class\n";
        return source;
    };
    std::string app = "Class App Inherits Application\n  Event Open()\n    Dim c As C0 = New C" +
                      std::to_string(depth - 1) + "\n  End Event\nEnd Class\n";
    compile_ok(chain("") + app);
    CompileResult looped = compile_source(chain(" Inherits C" + std::to_string(depth - 1)) + app);
    EXPECT_EQ(looped.errors, std::vector<std::string>{"test.tav:1:7: class 'C0' inherits from itself"});
}

// Lookups are hashed: eight times the names take eight to thirty times as
// long (caches, which this machine's neighbours share), far from the
// sixty-four times of a search per name (best of three runs).
TEST(Checker, ManyNamesCompileInLinearTime) {
    auto params = [](int n) {
        std::string s = "Module M\n  Function F(";
        for (int i = 0; i < n; ++i) s += (i ? ", p" : "p") + std::to_string(i) + " As Integer";
        return s + ") As Integer\n    Return p" + std::to_string(n - 1) + "\n  End Function\nEnd Module\n";
    };
    auto locals = [](int n) {
        std::string s = "Module M\n  Sub S()\n";
        for (int i = 0; i < n; ++i) s += "    Dim v" + std::to_string(i) + " As Integer = v" + std::to_string(i ? i - 1 : 0) + "\n";
        return s + "  End Sub\nEnd Module\n";
    };
    auto classes = [](int n) {
        std::string s;
        for (int i = 0; i < n; ++i) s += "Class C" + std::to_string(i) + "\n  Dim x As C" + std::to_string(n - 1 - i) + "\nEnd Class\n";
        return s;
    };
    auto members = [](int n) {
        std::string s = "Class K\n";
        for (int i = 0; i < n; ++i) s += "  Dim f" + std::to_string(i) + " As Integer\n";
        s += "  Function Sum() As Integer\n";
        for (int i = 0; i < n; i += 7) s += "    f0 = f0 + f" + std::to_string(i) + "\n";
        return s + "  End Function\nEnd Class\n";
    };
    struct Form {
        const char* what;
        std::function<std::string(int)> source;
    } forms[] = {{"parameters", params}, {"locals", locals}, {"classes", classes}, {"members", members}};
    // The compiler's own processor time: neither other work on the machine
    // nor the kernel's handling of fresh pages (costly and uneven on a
    // virtual machine) counts.
    auto user_seconds = [] {
        rusage usage = {};
        getrusage(RUSAGE_SELF, &usage);
        return static_cast<double>(usage.ru_utime.tv_sec) + static_cast<double>(usage.ru_utime.tv_usec) / 1e6;
    };
    auto best_seconds = [&](const std::string& source) {
        double best = 1e9;
        for (int run = 0; run < 3; ++run) {
            const double start = user_seconds();
            compile_source(source);
            best = std::min(best, user_seconds() - start);
        }
        return best;
    };
    for (const Form& f : forms) {
        double small = best_seconds(f.source(12500)), large = best_seconds(f.source(100000));
        EXPECT_LT(large / small, 40.0) << f.what << ": " << small << " s for 12,500, " << large << " s for 100,000";
    }
}

TEST(Checker, ABrokenPreludeEntryIsReported) {
    // The prelude is data: an entry point that the runtime does not export is an error.
    Program program;
    std::vector<SourceFile> none;
    Diagnostics diags(none);
    load_prelude("class Thing 24\n  method Go = NoSuchEntryPoint(Me)\n", program, diags);
    ASSERT_EQ(diags.messages().size(), 1u);
    EXPECT_EQ(diags.messages()[0], "<prelude>:2:15: prelude: 'NoSuchEntryPoint' is not an entry point of the runtime");
}

TEST(Checker, TheBuiltInPreludeIsValid) {
    Program program;
    std::vector<SourceFile> none;
    Diagnostics diags(none);
    load_prelude(kPreludeText, program, diags);
    EXPECT_TRUE(diags.messages().empty()) << diags.messages()[0];
    EXPECT_NE(program.find_class("Listbox"), nullptr);
    EXPECT_EQ(program.find_class("listbox")->instance_size, 540);
}

}  // namespace
}  // namespace tavoc::test
