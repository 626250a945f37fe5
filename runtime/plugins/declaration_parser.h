// Member declarations of plugins: "List(row As Integer) As String". The
// declaration text is kept as given; the parse gives the name, the
// parameters and the result type.
#pragma once

#include <cstddef>
#include <cstdint>

struct RuntimeClass;
struct RuntimeString;

enum class PluginValueType : std::uint8_t { None, Integer, String, Boolean, Single, Double, Color, Object };

struct PluginType {
    PluginValueType value;
    RuntimeClass* cls;  // for Object
};

// A listed type name (letter case ignored) or the name of a known class;
// value None when it is neither.
PluginType plugin_type_named(const char* name, std::size_t length);

struct DeclaredParameter {
    PluginType type;
    bool by_reference;
};

struct ParsedDeclaration {
    RuntimeString* name;
    RuntimeString* parameter_text;  // between the parentheses; nil for none
    DeclaredParameter* parameters;
    std::uint32_t parameter_count;
    PluginType result;  // None without "As"
};

// Null when the declaration is accepted (`out` filled; it lives as long as
// the program); otherwise the diagnostic, owned by the caller:
// "Invalid plugin method format: " or "Invalid return type: " and the text.
RuntimeString* parse_declaration(const char* text, ParsedDeclaration& out);
