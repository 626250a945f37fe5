// Member declarations: the accepted forms and both diagnostics.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "declaration_parser.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "strings/runtime_string.h"

namespace {

struct Parameter {
    PluginValueType type;
    bool by_reference;
    bool operator==(const Parameter& o) const { return type == o.type && by_reference == o.by_reference; }
};

TEST(Declarations, AcceptedFormsGiveNameParametersAndResult) {
    builtin_classes_create();
    RuntimeClass* folder = builtin_class(BuiltinClass::FolderItem);
    using T = PluginValueType;
    struct Case {
        const char* text;
        const char* name;
        const char* parameter_text;
        std::vector<Parameter> parameters;
        T result;
    } cases[] = {
        // the lower-case "as" is the keyword; FolderItem is a class
        {"SelectFolder as FolderItem", "SelectFolder", "", {}, T::Object},
        {"AddRow(text As String)", "AddRow", "text As String", {{T::String, false}}, T::None},
        {"List(row As Integer) As String", "List", "row As Integer", {{T::Integer, false}}, T::String},
        {"F(ByRef x As Integer)", "F", "ByRef x As Integer", {{T::Integer, true}}, T::None},
        {"Mix(byval a as double, b As BOOLEAN, c As folderitem) As Color", "Mix",
         "byval a as double, b As BOOLEAN, c As folderitem",
         {{T::Double, false}, {T::Boolean, false}, {T::Object, false}}, T::Color},
        {"Empty()", "Empty", "", {}, T::None},
    };
    for (const Case& c : cases) {
        ParsedDeclaration parsed = {};
        RuntimeString* diagnostic = parse_declaration(c.text, parsed);
        ASSERT_EQ(diagnostic, nullptr) << c.text << ": " << string_cstr(diagnostic);
        EXPECT_STREQ(string_cstr(parsed.name), c.name);
        EXPECT_STREQ(string_cstr(parsed.parameter_text), c.parameter_text) << c.text;
        std::vector<Parameter> parameters;
        for (std::uint32_t i = 0; i < parsed.parameter_count; ++i) {
            parameters.push_back({parsed.parameters[i].type.value, parsed.parameters[i].by_reference});
            if (parameters.back().type == T::Object) {
                EXPECT_EQ(parsed.parameters[i].type.cls, folder) << c.text;
            }
        }
        EXPECT_EQ(parameters, c.parameters) << c.text;
        EXPECT_EQ(parsed.result.value, c.result) << c.text;
        if (c.result == T::Object) {
            EXPECT_EQ(parsed.result.cls, folder) << c.text;
        }
    }
}

TEST(Declarations, RejectedFormsComposeTheirDiagnostic) {
    builtin_classes_create();
    const char* format = "Invalid plugin method format: ";
    const char* result = "Invalid return type: ";
    struct Case {
        const char* text;
        const char* diagnostic;
    } cases[] = {
        {"F(x Integer)", format},                   // no "As"
        {"F() As Then", result},                    // a keyword as result type
        {"F() As NoSuchClass", format},             // an identifier naming no class
        {"F() As", result},                         // nothing after "As"
        {"F(x As NoSuchClass)", format},
        {"F(x As Integer", format},                 // unclosed
        {"F(x As Integer,)", format},               // a parameter must follow ","
        {"F(x As Integer; y As Integer)", format},  // neither "," nor ")"
        {"(x As Integer)", format},                 // no name
        {"Then()", format},                         // a keyword as name
        {"F() As Integer extra", format},
        {"", format},
    };
    for (const Case& c : cases) {
        ParsedDeclaration parsed = {};
        RuntimeString* diagnostic = parse_declaration(c.text, parsed);
        ASSERT_NE(diagnostic, nullptr) << c.text;
        EXPECT_EQ(std::string(string_cstr(diagnostic)), std::string(c.diagnostic) + c.text);
        RuntimeUnlockString(diagnostic);
    }
}

}  // namespace
