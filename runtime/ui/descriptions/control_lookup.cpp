#include "descriptions/control_lookup.h"

#include <cstdio>
#include <cstring>

#include "controls/control_object.h"
#include "descriptions/control_dictionary.h"
#include "descriptions/control_templates.h"
#include "descriptions/property_tables.h"
#include "descriptions/window_controls.h"
#include "exceptions/failure_report.h"
#include "strings/runtime_string.h"
#include "windows/window_events.h"

namespace {

RuntimeObject* find(const WindowObject* window, const RuntimeString* key) {
    return control_dictionary_find(window->controls, string_cstr(key), string_length(key));
}

// A key for a clone of a control outside any array: the name, "*" and the
// first number that makes it unique.
RuntimeString* unique_star_key(const WindowObject* window, const RuntimeString* name) {
    char digits[12];
    for (std::uint32_t n = 1;; ++n) {
        std::snprintf(digits, sizeof digits, "%u", n);
        RuntimeString* key = string_concat({string_cstr(name), "*", digits});
        if (!find(window, key)) return key;
        RuntimeUnlockString(key);
    }
}

bool exactly_name(const RuntimeString* s) { return string_length(s) == 4 && std::memcmp(string_cstr(s), "Name", 4) == 0; }

bool g_cloning = false;

}  // namespace

bool control_cloning() { return g_cloning; }

extern "C" RuntimeObject* RuntimeControlFetch(RuntimeObject* window, RuntimeString* name) {
    return window ? find(as_window(window), name) : nullptr;
}

extern "C" RuntimeObject* RuntimeControlReference(RuntimeObject* window, RuntimeString* name) {
    return RuntimeLockObject(RuntimeControlFetch(window, name));
}

extern "C" RuntimeObject* RuntimeControlArrayItemReference(RuntimeObject* window, RuntimeString* name,
                                                          std::int32_t index) {
    if (!window) return nullptr;
    RuntimeString* key = control_key(name, index);
    RuntimeObject* control = find(as_window(window), key);
    RuntimeUnlockString(key);
    return RuntimeLockObject(control);
}

extern "C" RuntimeObject* RuntimeCloneControlReference(RuntimeObject* window_object, RuntimeString* name) {
    if (!window_object) {
        runtime_failure_report(131, 4, "RuntimeMain", 1858);
        return nullptr;
    }
    WindowObject* window = as_window(window_object);
    ControlTemplate* t = control_template_find(window->templates, name);
    if (!t || !t->cls || !window->controls) return nullptr;
    RuntimeString* first_key = control_key(t->name, t->index);
    RuntimeObject* first = find(window, first_key);
    RuntimeUnlockString(first_key);

    RuntimeObject* clone = object_new(t->cls);
    const bool control = is_control(clone);
    if (control) {
        ControlObject* c = as_control(clone);
        c->pane = nullptr;
        c->view = window->view;
        c->window = window;
        c->parent_canvas = first && is_control(first) ? as_control(first)->parent_canvas : nullptr;
        string_assign(&c->name, t->name);
    }
    std::int32_t index = kNoIndex;
    RuntimeString* key;
    if (t->index == kNoIndex) {
        key = unique_star_key(window, t->name);
    } else {
        index = 0;
        for (;; ++index) {
            key = control_key(t->name, index);
            if (!find(window, key)) break;
            RuntimeUnlockString(key);
        }
    }
    control_dictionary_add(window->controls, key, clone);
    RuntimeUnlockString(key);
    for (TemplatePair* p = t->pairs; p; p = p->next)
        if (!exactly_name(p->name)) property_apply(clone, p->name, p->value);
    RuntimeLockObject(clone);  // the caller's reference; the dictionary keeps the first
    if (control) {
        as_control(clone)->index = index;
        g_cloning = true;
        control_create_pane(as_control(clone));
        g_cloning = false;
        fire_event(clone, g_control_events.open);
    }
    return clone;
}
