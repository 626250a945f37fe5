#include "panes/binders.h"

#include "controls/control_accessors.h"
#include "controls/control_object.h"
#include "descriptions/interface_calls.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "panes/binding_interfaces.h"
#include "strings/runtime_string.h"

namespace {

using B = BuiltinClass;
using Receive = void (*)(RuntimeObject* notifier, RuntimeObject* receiver);

struct Binder {
    RuntimeObject header;
    RuntimeObject* source;  // a reference only when the source is not a control
    RuntimeObject* target;  // one reference
};

Binder* binder_of(RuntimeObject* object) { return reinterpret_cast<Binder*>(object); }

// A control source notifies from its own receiver lists, which hold the
// binder: it outlives the binder. Other sources (parts) are held.
bool holds_source(const RuntimeObject* source) { return source && !is_control(source); }

void binder_release(RuntimeObject* object, RuntimeClass*) {
    Binder* b = binder_of(object);
    RuntimeObject *source = b->source, *target = b->target;
    b->source = b->target = nullptr;
    if (holds_source(source)) RuntimeUnlockObject(source);
    RuntimeUnlockObject(target);
}

void keep(Binder* b, RuntimeObject* source, RuntimeObject* target) {
    b->source = holds_source(source) ? RuntimeLockObject(source) : source;
    b->target = RuntimeLockObject(target);
}

// Registers the binder for the source's data changes, or else for its
// selection changes; false when the source reports neither.
bool watch(RuntimeObject* binder, RuntimeObject* source) {
    if (auto add = interface_code<Receive>(source, "dataNotifier", "addDataNotificationReceiver")) {
        add(source, binder);
        return true;
    }
    if (auto add = interface_code<Receive>(source, "listSelectionNotifier", "addListSelectionNotificationReceiver")) {
        add(source, binder);
        return true;
    }
    return false;
}

bool source_has_data(RuntimeObject* source) {
    if (auto available = interface_code<bool (*)(RuntimeObject*)>(source, "DataAvailableProvider", "DataAvailable"))
        return available(source);
    if (auto value = interface_code<bool (*)(RuntimeObject*)>(source, "BooleanProvider", "GetBoolean"))
        return value(source);
    return false;
}

void enable_target(RuntimeObject* object) {
    Binder* b = binder_of(object);
    if (b->target && is_control(b->target)) controlEnabledSetter(b->target, 0, source_has_data(b->source));
}

void copy_string(RuntimeObject* object) {
    Binder* b = binder_of(object);
    auto get = interface_code<RuntimeString* (*)(RuntimeObject*)>(b->source, "StringProvider", "GetString");
    auto set = interface_code<void (*)(RuntimeObject*, RuntimeString*)>(b->target, "StringInterface", "SetString");
    if (!get || !set) return;
    RuntimeString* text = get(b->source);
    set(b->target, text);
    RuntimeUnlockString(text);
}

void no_step(RuntimeObject*) {}

// Either binder follows its source the same way and reacts in one step.
template <void (*react)(RuntimeObject*)>
void bind_following(RuntimeObject* binder, RuntimeObject* source, RuntimeObject* target) {
    if (!source || !target) return;
    keep(binder_of(binder), source, target);
    react(binder);
    watch(binder, source);
}

void bind_action(RuntimeObject*, RuntimeObject* source, RuntimeObject* target) {
    if (auto add = interface_code<Receive>(source, "actionSource", "addActionNotificationReceiver"))
        if (target) add(source, target);
}

void bind_list(RuntimeObject*, RuntimeObject* source, RuntimeObject* target) {
    if (auto attach = interface_code<Receive>(target, "ListInterface", "setListDataProvider"))
        if (source) attach(target, source);
}

template <void (*react)(RuntimeObject*)>
void describe_following(B which) {
    RuntimeClass* cls = builtin_class(which);
    cls->instance_size = sizeof(Binder);
    cls->destructor = binder_release;
    void* const bind[] = {reinterpret_cast<void*>(bind_following<react>)};
    void* const changed[] = {reinterpret_cast<void*>(react)};
    void* const selection[] = {reinterpret_cast<void*>(no_step), reinterpret_cast<void*>(react)};
    builtin_class_implements(cls, "bindingInterface", bind);
    builtin_class_implements(cls, "dataNotificationReceiver", changed);
    builtin_class_implements(cls, "listSelectionNotificationReceiver", selection);
}

void describe_one_step(B which, void (*bind)(RuntimeObject*, RuntimeObject*, RuntimeObject*)) {
    void* const code[] = {reinterpret_cast<void*>(bind)};
    builtin_class_implements(builtin_class(which), "bindingInterface", code);
}

}  // namespace

void binders_describe() {
    describe_following<enable_target>(B::EnablingBinder);
    describe_following<copy_string>(B::StringBinder);
    describe_one_step(B::ActionBinder, bind_action);
    describe_one_step(B::ListBinder, bind_list);
}
