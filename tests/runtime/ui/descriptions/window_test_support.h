// Window descriptions built in memory, and a runtime with its window layer
// ready for them, for tests that create windows in-process.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "layer/ui_layer.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "startup/process.h"
#include "startup/ui_services.h"
#include "strings/runtime_string.h"

struct DescriptionPair {
    std::string name, value;
};

struct ControlEntry {
    std::int32_t class_index;
    std::vector<DescriptionPair> pairs;
};

// Packed integers as the compiler writes them, negative ones included.
inline void put_packed_signed(std::vector<std::uint8_t>& out, std::int32_t value) {
    const bool negative = value < 0;
    std::uint32_t magnitude = negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    std::uint8_t first = static_cast<std::uint8_t>((magnitude & 0x3F) | (negative ? 0x40 : 0));
    magnitude >>= 6;
    out.push_back(static_cast<std::uint8_t>(first | (magnitude ? 0x80 : 0)));
    while (magnitude) {
        std::uint8_t next = static_cast<std::uint8_t>(magnitude & 0x7F);
        magnitude >>= 7;
        out.push_back(static_cast<std::uint8_t>(next | (magnitude ? 0x80 : 0)));
    }
}

inline void put_string(std::vector<std::uint8_t>& out, const std::string& text) {
    put_packed_signed(out, static_cast<std::int32_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
}

// The u32 length and the body.
inline std::vector<std::uint8_t> window_description(std::int32_t window_class, const std::vector<DescriptionPair>& pairs,
                                                    const std::vector<ControlEntry>& controls = {}) {
    std::vector<std::uint8_t> body;
    put_packed_signed(body, static_cast<std::int32_t>(pairs.size()));
    put_packed_signed(body, window_class);
    for (const auto& p : pairs) put_string(body, p.name), put_string(body, p.value);
    put_packed_signed(body, static_cast<std::int32_t>(controls.size()));
    for (const auto& c : controls) {
        put_packed_signed(body, c.class_index);
        put_packed_signed(body, static_cast<std::int32_t>(c.pairs.size()));
        for (const auto& p : c.pairs) put_string(body, p.name), put_string(body, p.value);
    }
    put_packed_signed(body, 0);  // bindings
    const std::uint32_t n = static_cast<std::uint32_t>(body.size());
    std::vector<std::uint8_t> out;
    out.reserve(4 + body.size());
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    for (std::uint8_t b : body) out.push_back(b);
    return out;
}

// The window layer as RuntimeInit sets it up, without an image.
inline void window_layer_ready() {
    static bool ready = [] {
        ui_layer_install();
        builtin_classes_create();
        ui_services().describe_classes();
        WNDCLASSA wc = {};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = ui_services().window_procedure;
        wc.cbWndExtra = 4;
        wc.hInstance = process_instance();
        wc.lpszClassName = "TVWindow";
        RegisterClassA(&wc);
        return true;
    }();
    (void)ready;
}

// A class of the tests' own under a built-in one, with event handlers.
inline RuntimeClass* test_class(const char* name, BuiltinClass base,
                                const std::vector<std::pair<const char*, void*>>& handlers = {}) {
    RuntimeClass* cls = class_new(string_from_cstr(name));
    cls->superclass = builtin_class(base);
    cls->instance_size = cls->superclass->instance_size;
    for (auto& h : handlers) class_add_handler(cls, string_from_cstr(h.first), 0, h.second);
    return cls;
}
