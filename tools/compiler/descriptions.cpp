#include "descriptions.h"

#include <climits>

#include "lexer.h"

namespace tavoc {

void put_packed(image::Bytes& out, std::int32_t value) {
    bool negative = value < 0;
    // The most negative integer keeps its magnitude 0x80000000.
    std::uint32_t magnitude = negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    std::uint8_t first = static_cast<std::uint8_t>((magnitude & 0x3F) | (negative ? 0x40 : 0));
    magnitude >>= 6;
    if (magnitude) first |= 0x80;
    out.push_back(first);
    while (magnitude) {
        std::uint8_t b = magnitude & 0x7F;
        magnitude >>= 7;
        if (magnitude) b |= 0x80;
        out.push_back(b);
    }
}

void put_text(image::Bytes& out, const std::string& text) {
    put_packed(out, static_cast<std::int32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

namespace {

struct Pair {
    std::string name;
    std::string value;
};

// The given value for `name`, or the default.
std::string value_of(const std::vector<PropertyValue>& props, const std::string& name, const std::string& fallback) {
    std::string v = fallback;
    for (const PropertyValue& p : props)
        if (same_name(p.name, name)) v = p.text;
    return v;
}

std::vector<Pair> window_pairs(const WindowDecl& w) {
    static const std::pair<const char*, const char*> defaults[] = {
        {"Frame", "0"},          {"HasBackColor", "False"}, {"BackColor", "16777215"}, {"Backdrop", "0"},
        {"Title", "Untitled"},   {"Visible", "True"},       {"FullScreen", "False"},   {"MenuBarVisible", "True"},
        {"CloseBox", "True"},    {"GrowIcon", "False"},     {"ZoomIcon", "False"},     {"BalloonHelp", ""},
        {"MacProcID", "0"},      {"Placement", "0"},        {"Width", "300"},          {"Height", "300"},
        {"MinWidth", "64"},      {"MinHeight", "64"},       {"MaxWidth", "32000"},     {"MaxHeight", "32000"}};
    std::vector<Pair> out{{"Name", w.name}};
    for (auto& [name, fallback] : defaults) out.push_back({name, value_of(w.properties, name, fallback)});
    return out;
}

bool is_control(const ClassInfo* cls) {
    for (const ClassInfo* k = cls; k; k = k->super)
        if (k->builtin && k->name == "Control") return true;
    return false;
}

// Controls carry the 15 common pairs before their class's; other placed
// objects (timers) only their name and index.
std::vector<Pair> control_pairs(const ControlDecl& c) {
    static const std::pair<const char*, const char*> common[] = {
        {"TabPanelIndex", "0"},  {"Visible", "True"},      {"Left", "0"},           {"Top", "0"},
        {"Width", "80"},         {"Height", "20"},         {"BalloonHelp", ""},     {"DisabledBalloonHelp", ""},
        {"AutoDeactivate", "True"}, {"LockLeft", "False"}, {"LockTop", "False"},    {"LockRight", "False"},
        {"LockBottom", "False"}};
    std::vector<Pair> out{{"Name", c.name}, {"Index", std::to_string(c.has_index ? c.index : INT32_MIN)}};
    if (is_control(c.base))
        for (auto& [name, fallback] : common) out.push_back({name, value_of(c.properties, name, fallback)});
    for (ClassInfo* k = c.base; k; k = k->super)
        if (!k->design.empty()) {
            for (const DesignProp& d : k->design) out.push_back({d.name, value_of(c.properties, d.name, d.default_text)});
            break;
        }
    return out;
}

void put_pairs(image::Bytes& out, const std::vector<Pair>& pairs) {
    for (const Pair& p : pairs) {
        put_text(out, p.name);
        put_text(out, p.value);
    }
}

void put_items(image::Bytes& out, const std::vector<MenuItemDecl>& items, ClassTable& classes) {
    put_packed(out, static_cast<std::int32_t>(items.size()));
    for (const MenuItemDecl& i : items) {
        put_packed(out, 0);  // kind: a created item
        put_text(out, i.text);
        put_text(out, i.name);
        put_packed(out, i.has_index ? i.index : INT32_MIN);
        put_text(out, i.key);
        put_text(out, "");
        put_text(out, "");
        out.push_back(0);
        out.push_back(i.items.empty() ? 0 : 1);
        put_packed(out, classes.index(i.cls));
        if (!i.items.empty()) put_items(out, i.items, classes);
    }
}

void put_be32(image::Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

}  // namespace

image::Bytes window_description(const WindowDecl& w, ClassTable& classes) {
    image::Bytes body;
    std::vector<Pair> pairs = window_pairs(w);
    put_packed(body, static_cast<std::int32_t>(pairs.size()));
    put_packed(body, classes.index(w.cls));
    put_pairs(body, pairs);
    put_packed(body, static_cast<std::int32_t>(w.controls.size()));
    for (const auto& c : w.controls) {
        std::vector<Pair> cp = control_pairs(*c);
        put_packed(body, classes.index(c->cls));
        put_packed(body, static_cast<std::int32_t>(cp.size()));
        put_pairs(body, cp);
    }
    put_packed(body, static_cast<std::int32_t>(w.bindings.size()));
    for (const BindingDecl& b : w.bindings) {
        put_packed(body, b.source_position);
        put_text(body, b.source_interface);
        put_packed(body, b.target_position);
        put_text(body, b.target_interface);
        put_packed(body, classes.index(b.binder));
        put_text(body, b.source_part);
        put_text(body, b.target_part);
    }
    image::Bytes out;
    image::put_u32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

image::Bytes menu_bar_stream(const Program& program, ClassTable& classes) {
    image::Bytes out;
    put_packed(out, static_cast<std::int32_t>(program.menus.size()));
    for (const MenuDecl& m : program.menus) {
        put_packed(out, 0);  // kind: a popup menu
        put_text(out, m.title);
        put_text(out, m.name);
        put_packed(out, INT32_MIN);
        put_text(out, "");
        put_text(out, "");
        put_text(out, "");
        out.push_back(0);
        out.push_back(0);
        put_packed(out, 0);
        put_items(out, m.items, classes);
    }
    return out;
}

image::Bytes settings_stream(const ProjectDecl& p) {
    image::Bytes out;
    out.push_back(1);   // display option flag
    put_be32(out, 0);   // not used
    put_be32(out, p.script_code);
    put_packed(out, static_cast<std::int32_t>(p.file_types.size()));
    for (const FileTypeDecl& f : p.file_types) {
        put_text(out, f.name);
        put_text(out, f.creator);
        put_text(out, f.type);
        put_text(out, f.extensions);
    }
    put_packed(out, static_cast<std::int32_t>(p.messages.size()));
    for (const std::string& m : p.messages) put_text(out, m);
    out.push_back(p.mdi ? 1 : 0);
    put_text(out, p.title);
    return out;
}

}  // namespace tavoc
