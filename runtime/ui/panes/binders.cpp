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

// Controls are not held: they live as long as their window, which lets go
// of them only after their panes, and with them all notifications, are gone.
// Holding them would make a cycle of two controls bound to each other.
// Parts have no such owner and are held.
struct Binder {
    RuntimeObject header;
    RuntimeObject* source;
    RuntimeObject* target;
};

Binder* binder_of(RuntimeObject* object) { return reinterpret_cast<Binder*>(object); }

bool held(const RuntimeObject* object) { return object && !is_control(object); }

void binder_release(RuntimeObject* object, RuntimeClass*) {
    Binder* b = binder_of(object);
    RuntimeObject *source = b->source, *target = b->target;
    b->source = b->target = nullptr;
    if (held(source)) RuntimeUnlockObject(source);
    if (held(target)) RuntimeUnlockObject(target);
}

void keep(Binder* b, RuntimeObject* source, RuntimeObject* target) {
    b->source = held(source) ? RuntimeLockObject(source) : source;
    b->target = held(target) ? RuntimeLockObject(target) : target;
}

// Registers the binder for the source's data changes, or else for its
// selection changes; a source that reports neither is read once.
void watch(RuntimeObject* binder, RuntimeObject* source) {
    if (auto add = interface_code<Receive>(source, "dataNotifier", "addDataNotificationReceiver"))
        add(source, binder);
    else if (auto listen =
                 interface_code<Receive>(source, "listSelectionNotifier", "addListSelectionNotificationReceiver"))
        listen(source, binder);
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

// The source's actions reach the target through the binder.
void perform_on_target(RuntimeObject* object) {
    RuntimeObject* target = binder_of(object)->target;
    if (auto perform = interface_code<void (*)(RuntimeObject*)>(target, "actionNotificationReceiver", "PerformAction"))
        perform(target);
}

void bind_action(RuntimeObject* binder, RuntimeObject* source, RuntimeObject* target) {
    auto add = interface_code<Receive>(source, "actionSource", "addActionNotificationReceiver");
    if (!add || !target) return;
    // Only the target is needed later: a part as source (a check box's
    // action) would otherwise hold its box, which holds the binder.
    keep(binder_of(binder), nullptr, target);
    add(source, binder);
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
    builtin_implements(which, "bindingInterface", bind_following<react>);
    builtin_implements(which, "dataNotificationReceiver", react);
    builtin_implements(which, "listSelectionNotificationReceiver", no_step, react);
}

void describe_one_step(B which, void (*bind)(RuntimeObject*, RuntimeObject*, RuntimeObject*)) {
    RuntimeClass* cls = builtin_class(which);
    cls->instance_size = sizeof(Binder);
    cls->destructor = binder_release;
    builtin_implements(which, "bindingInterface", bind);
}

}  // namespace

void binders_describe() {
    describe_following<enable_target>(B::EnablingBinder);
    describe_following<copy_string>(B::StringBinder);
    describe_one_step(B::ActionBinder, bind_action);
    builtin_implements(B::ActionBinder, "actionNotificationReceiver", perform_on_target);
    describe_one_step(B::ListBinder, bind_list);
}
