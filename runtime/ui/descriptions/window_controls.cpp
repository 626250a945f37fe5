#include "descriptions/window_controls.h"

#include <cstring>

#include "controls/control_object.h"
#include "descriptions/control_dictionary.h"
#include "descriptions/control_templates.h"
#include "descriptions/interface_calls.h"
#include "descriptions/property_tables.h"
#include "image/packed_reader.h"
#include "panes/control_panes.h"
#include "strings/runtime_string.h"
#include "windows/native_view.h"
#include "windows/window_events.h"

namespace {

bool exactly(const RuntimeString* name, const char* text) {
    return string_length(name) == std::strlen(text) && std::memcmp(string_cstr(name), text, string_length(name)) == 0;
}

bool inside(const ShortRect& inner, const ShortRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The last Canvas in the dictionary that wholly encloses `control`.
ControlObject* enclosing_canvas(const ControlDictionary* controls, const ControlObject* control) {
    ControlObject* found = nullptr;
    for (const DictionaryEntry* e = controls->first; e; e = e->order_next)
        if (e->control && is_canvas(e->control) && inside(control->rect, as_control(e->control)->rect))
            found = as_control(e->control);
    return found;
}

struct ReadPair {
    RuntimeString* name;
    RuntimeString* value;
};

bool read_pair(PackedReader& reader, ReadPair& pair) {
    pair = {nullptr, nullptr};
    if (reader.text(pair.name) && reader.text(pair.value)) return true;
    RuntimeUnlockString(pair.name);
    return false;
}

// Reads one control entry and registers its control; false when the
// description ended inside it.
bool read_control(NativeView* view, PackedReader& reader) {
    WindowObject* window = view->window;
    std::int32_t class_index = 0, pair_count = 0;
    if (!reader.packed(class_index)) return false;
    RuntimeObject* object = RuntimeNewObject(class_index);
    const bool control = object && is_control(object);
    if (control) {
        ControlObject* c = as_control(object);
        c->window = window;
        c->view = view;
        c->pane = nullptr;
        c->parent_canvas = nullptr;
    }
    ControlTemplate* made = control_template_new(object ? object->cls : nullptr);
    RuntimeString* name = nullptr;
    std::int32_t index = kNoIndex;
    bool complete = reader.packed(pair_count);
    for (std::int32_t i = 0; complete && i < pair_count; ++i) {
        ReadPair pair;
        if (!(complete = read_pair(reader, pair))) break;
        if (exactly(pair.name, "Index")) index = read_integer(pair.value);
        else if (exactly(pair.name, "Name")) string_assign(&name, pair.value);
        control_template_add_pair(made, pair.name, pair.value);
        property_apply(object, pair.name, pair.value);
        RuntimeUnlockString(pair.name);
        RuntimeUnlockString(pair.value);
    }
    if (complete && object && !control_template_find(window->templates, name)) {
        string_assign(&made->name, name);
        made->index = index;
        made->next = window->templates;
        window->templates = made;
    } else {
        control_template_free(made);
    }
    if (complete && object) {
        if (control) {
            ControlObject* c = as_control(object);
            c->parent_canvas = enclosing_canvas(window->controls, c);
            c->index = index;
        }
        RuntimeString* key = control_key(name, index);
        control_dictionary_add(window->controls, key, object);
        RuntimeUnlockString(key);
    } else {
        RuntimeUnlockObject(object);
    }
    RuntimeUnlockString(name);
    return complete;
}

// The control at `position` in dictionary order, or null.
RuntimeObject* control_at(const ControlDictionary* controls, std::int32_t position) {
    if (position < 0) return nullptr;
    for (const DictionaryEntry* e = controls->first; e; e = e->order_next)
        if (position-- == 0) return e->control;
    return nullptr;
}

// The part that a binding names, or the object itself without a part name;
// a new reference. False when the part cannot be had.
bool bound_part(RuntimeObject* object, RuntimeString* part, RuntimeObject*& out) {
    out = nullptr;
    if (!object) return true;
    if (!part) {
        out = RuntimeLockObject(object);
        return true;
    }
    auto get = reinterpret_cast<RuntimeObject* (*)(RuntimeObject*, RuntimeString*)>(
        interface_method(object, "bindingPartInterface", "getBoundPart"));
    out = get ? get(object, part) : nullptr;
    return out != nullptr;
}

struct BindingEntry {
    std::int32_t source, target, binder_class;
    RuntimeString *source_interface, *target_interface, *source_part, *target_part;
};

bool read_binding(PackedReader& in, BindingEntry& b) {
    b = {0, 0, 0, nullptr, nullptr, nullptr, nullptr};
    return in.packed(b.source) && in.text(b.source_interface) && in.packed(b.target) && in.text(b.target_interface) &&
           in.packed(b.binder_class) && in.text(b.source_part) && in.text(b.target_part);
}

void release_binding(BindingEntry& b) {
    RuntimeUnlockString(b.source_interface);
    RuntimeUnlockString(b.target_interface);
    RuntimeUnlockString(b.source_part);
    RuntimeUnlockString(b.target_part);
}

void bind(const ControlDictionary* controls, const BindingEntry& b) {
    RuntimeObject *source = nullptr, *target = nullptr;
    if (bound_part(control_at(controls, b.source), b.source_part, source) &&
        bound_part(control_at(controls, b.target), b.target_part, target)) {
        RuntimeObject* binder = RuntimeNewObject(b.binder_class);
        auto call = reinterpret_cast<void (*)(RuntimeObject*, RuntimeObject*, RuntimeObject*)>(
            interface_method(binder, "bindingInterface", "bind"));
        if (call) call(binder, source, target);
        RuntimeUnlockObject(binder);
    }
    RuntimeUnlockObject(source);
    RuntimeUnlockObject(target);
}

// A handler may close the window: then the view and the dictionary are
// gone, and only the window object (held by the caller) may be read.
bool open(const WindowObject* window, const NativeView* view) { return window->view == view; }

// Calls `event` for every Control in order while the window stays open.
void each_control(WindowObject* window, NativeView* view, EventDefinition* event) {
    DictionaryEntry* e = window->controls->first;
    while (e) {
        if (e->control && is_control(e->control)) fire_event(e->control, event);
        if (!open(window, view)) return;
        e = e->order_next;
    }
}

}  // namespace

void control_create_pane(ControlObject* control) {
    fire_event(&control->header, g_control_events.create_pane);
    control_pane_created(control);
}

bool window_controls_create(NativeView* view, PackedReader& reader) {
    WindowObject* window = view->window;
    std::int32_t count = 0;
    if (!reader.packed(count)) return false;
    for (std::int32_t i = 0; i < count; ++i)
        if (!read_control(view, reader)) return false;
    std::int32_t bindings = 0;
    if (!reader.packed(bindings)) return false;
    // The bindings are read before anything runs, so that a damaged entry
    // leaves no window half opened.
    const PackedReader at_bindings = reader;
    for (std::int32_t i = 0; i < bindings; ++i) {
        BindingEntry b;
        bool ok = read_binding(reader, b);
        release_binding(b);
        if (!ok) return false;
    }
    reader = at_bindings;

    for (DictionaryEntry* e = window->controls->first; e; e = e->order_next) {
        if (e->control && is_control(e->control)) control_create_pane(as_control(e->control));
        if (!open(window, view)) return true;
    }
    if (window->has_back_colour) view_set_back_colour(view, true, window->back_colour);
    for (std::int32_t i = 0; i < bindings && open(window, view); ++i) {
        BindingEntry b;
        read_binding(reader, b);
        bind(window->controls, b);
        release_binding(b);
    }
    if (!open(window, view)) return true;
    each_control(window, view, g_control_events.open);
    if (!open(window, view)) return true;
    InvalidateRect(view->hwnd, nullptr, TRUE);
    fire_event(as_object(window), g_window_events.open);
    if (open(window, view)) view_opened(view);
    return true;
}
