#include "descriptions/window_controls.h"

#include <cstring>

#include "controls/control_object.h"
#include "descriptions/control_dictionary.h"
#include "descriptions/control_templates.h"
#include "descriptions/interface_calls.h"
#include "descriptions/property_tables.h"
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

void bind(const ControlDictionary* controls, const DescriptionBinding& b) {
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

WindowControls::WindowControls(NativeView* view) : view_(view), window_(view->window) {}

void WindowControls::control(std::int32_t class_index) {
    object_ = RuntimeNewObject(class_index);
    if (object_ && is_control(object_)) {
        ControlObject* c = as_control(object_);
        c->window = window_;
        c->view = view_;
        c->pane = nullptr;
        c->parent_canvas = nullptr;
    }
    made_ = control_template_new(object_ ? object_->cls : nullptr);
    name_ = nullptr;
    index_ = kNoIndex;
}

void WindowControls::control_pair(RuntimeString* name, RuntimeString* value) {
    if (exactly(name, "Index")) index_ = read_integer(value);
    else if (exactly(name, "Name")) string_assign(&name_, value);
    control_template_add_pair(made_, name, value);
    property_apply(object_, name, value);
}

void WindowControls::control_done(bool complete) {
    if (complete && object_ && !control_template_find(window_->templates, name_)) {
        string_assign(&made_->name, name_);
        made_->index = index_;
        made_->next = window_->templates;
        window_->templates = made_;
    } else {
        control_template_free(made_);
    }
    if (complete && object_) {
        if (is_control(object_)) {
            ControlObject* c = as_control(object_);
            c->parent_canvas = enclosing_canvas(window_->controls, c);
            c->index = index_;
        }
        RuntimeString* key = control_key(name_, index_);
        control_dictionary_add(window_->controls, key, object_);
        RuntimeUnlockString(key);
    } else {
        RuntimeUnlockObject(object_);
    }
    RuntimeUnlockString(name_);
    object_ = nullptr;
    made_ = nullptr;
    name_ = nullptr;
}

bool WindowControls::controls_done() {
    for (DictionaryEntry* e = window_->controls->first; e; e = e->order_next) {
        if (e->control && is_control(e->control)) control_create_pane(as_control(e->control));
        if (!open(window_, view_)) return false;
    }
    if (window_->has_back_colour) view_set_back_colour(view_, true, window_->back_colour);
    return true;
}

bool WindowControls::binding(const DescriptionBinding& b) {
    bind(window_->controls, b);
    return open(window_, view_);
}

void WindowControls::bindings_done() {
    each_control(window_, view_, g_control_events.open);
    if (!open(window_, view_)) return;
    InvalidateRect(view_->hwnd, nullptr, TRUE);
    fire_event(as_object(window_), g_window_events.open);
    if (open(window_, view_)) view_opened(view_);
}
