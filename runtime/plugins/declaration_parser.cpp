#include "declaration_parser.h"

#include <cstring>

#include "declaration_tokens.h"
#include "objects/memory.h"
#include "objects/names.h"
#include "plugin_classes.h"
#include "strings/runtime_string.h"

namespace {

struct ListedType {
    const char* name;
    PluginValueType value;
};

const ListedType kListedTypes[] = {
    {"Integer", PluginValueType::Integer}, {"String", PluginValueType::String},
    {"Boolean", PluginValueType::Boolean}, {"Single", PluginValueType::Single},
    {"Double", PluginValueType::Double},   {"Color", PluginValueType::Color},
};

// More parameters than any plugin member takes; past it the declaration is refused.
constexpr std::uint32_t kMostParameters = 32;

enum class Fault { None, Format, ReturnType };

RuntimeString* diagnostic(Fault fault, const char* text) {
    return string_concat({fault == Fault::ReturnType ? "Invalid return type: " : "Invalid plugin method format: ", text});
}

PluginType type_of(const Token& token) {
    if (token.kind != TokenKind::Name) return {PluginValueType::None, nullptr};
    return plugin_type_named(token.start, token.length);
}

Fault parse_parameters(DeclarationTokens& tokens, DeclaredParameter* parameters, std::uint32_t& count,
                       const char*& close) {
    count = 0;
    if (tokens.peek().is(')')) {
        close = tokens.next().start;
        return Fault::None;
    }
    for (;;) {
        Token token = tokens.next();
        bool by_reference = false;
        if (token.kind == TokenKind::Keyword && (token.keyword == Keyword::ByRef || token.keyword == Keyword::ByVal)) {
            by_reference = token.keyword == Keyword::ByRef;
            token = tokens.next();
        }
        if (token.kind != TokenKind::Name) return Fault::Format;
        Token as = tokens.next();
        if (as.kind != TokenKind::Keyword || as.keyword != Keyword::As) return Fault::Format;
        PluginType type = type_of(tokens.next());
        if (type.value == PluginValueType::None || count == kMostParameters) return Fault::Format;
        parameters[count++] = {type, by_reference};
        Token after = tokens.next();
        if (after.is(')')) {
            close = after.start;
            return Fault::None;
        }
        if (!after.is(',')) return Fault::Format;
    }
}

}  // namespace

PluginType plugin_type_named(const char* name, std::size_t length) {
    for (const ListedType& listed : kListedTypes) {
        if (name_compare(listed.name, std::strlen(listed.name), name, length) == 0) return {listed.value, nullptr};
    }
    if (RuntimeClass* cls = plugin_host_class_named(name, length)) return {PluginValueType::Object, cls};
    return {PluginValueType::None, nullptr};
}

RuntimeString* parse_declaration(const char* text, ParsedDeclaration& out) {
    if (!text) text = "";
    DeclarationTokens tokens(text);
    Token name = tokens.next();
    if (name.kind != TokenKind::Name) return diagnostic(Fault::Format, text);

    DeclaredParameter parameters[kMostParameters];
    std::uint32_t count = 0;
    const char* open = nullptr;
    const char* close = nullptr;
    if (tokens.peek().is('(')) {
        open = tokens.next().start + 1;
        if (parse_parameters(tokens, parameters, count, close) != Fault::None) return diagnostic(Fault::Format, text);
    }
    PluginType result = {PluginValueType::None, nullptr};
    Token token = tokens.next();
    if (token.kind == TokenKind::Keyword && token.keyword == Keyword::As) {
        Token type = tokens.next();
        if (type.kind != TokenKind::Name) return diagnostic(Fault::ReturnType, text);
        result = type_of(type);
        if (result.value == PluginValueType::None) return diagnostic(Fault::Format, text);
        token = tokens.next();
    }
    if (token.kind != TokenKind::End) return diagnostic(Fault::Format, text);

    out.name = string_from_bytes(name.start, name.length);
    out.parameter_text = open ? string_from_bytes(open, static_cast<std::size_t>(close - open)) : nullptr;
    out.parameter_count = count;
    out.parameters = nullptr;
    if (count) {
        out.parameters = static_cast<DeclaredParameter*>(runtime_alloc(count * sizeof(DeclaredParameter)));
        std::memcpy(out.parameters, parameters, count * sizeof(DeclaredParameter));
    }
    out.result = result;
    return nullptr;
}
