// A plugin that takes every registration path once, for the host's tests:
// an old-form method, a version-2 registration, classes with field
// properties, a subclass, an extension of a built-in class, an event
// raised through GetEventInstance, controls in the old and current forms.
#include <cstddef>
#include <cstring>

#include "plugin_interface.h"

namespace {

TAVOResolver g_resolve = nullptr;

template <typename F>
F service(const char* name) {
    return reinterpret_cast<F>(g_resolve(name));
}

using Register = void (*)(const void*);
Register g_register_method = nullptr;  // kept for a call after the entry
void* (*g_event_instance)(void*, void*) = nullptr;

// Counter: Count (Integer), Label (String), Partner (Counter), Ready
// (Boolean), Ratio (Double), Scale (Single), all field properties, and a
// plugin getter for Doubled.
struct CounterData {
    std::int32_t count;
    void* label;
    void* partner;
    std::uint8_t ready;
    double ratio;
    float scale;
};

std::int32_t g_constructed = 0;
std::int32_t g_destructed = 0;

TAVOEventDefinition g_counter_events[] = {{"Changed(value As Integer)", nullptr}};

void counter_constructor(void* instance);
void counter_destructor(void* instance);
std::int32_t bump(void* instance, std::int32_t by);
std::int32_t bump_twice(void* instance, std::int32_t by);
std::int32_t doubled(void* instance);
void reset(void* instance);

const TAVOPropertyDefinition kCounterProperties[] = {
    {"Values", "Count", "Integer", 0, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, 0, 0, 0, nullptr},
    {"Values", "Label", "String", 0, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, 4, 0, 0, nullptr},
    {"Values", "Partner", "Counter", 0, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, 8, 0, 0, nullptr},
    {"Values", "Ready", "boolean", 0, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, 12, 0, 0, nullptr},
    {"Values", "Ratio", "Double", 0, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, offsetof(CounterData, ratio), 0, 0, nullptr},
    {"Values", "Scale", "Single", 0, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, offsetof(CounterData, scale), 0, 0, nullptr},
    {"Values", "Doubled", "Integer", 0, reinterpret_cast<void*>(&doubled), nullptr, 0, 0, 0, nullptr},
    {"Values", "Broken", "NoSuchType", 0, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, 0, 0, 0, nullptr},
};
const TAVOMethodDefinition kCounterMethods[] = {
    {reinterpret_cast<void*>(&bump), reinterpret_cast<void*>(&bump_twice), "Bump(by As Integer) As Integer"},
    {reinterpret_cast<void*>(&reset), nullptr, "Reset()"},
    {reinterpret_cast<void*>(&reset), nullptr, "Broken(x Integer)"},
};

TAVOClassDefinition g_counter = {
    5, "Counter", nullptr, sizeof(CounterData), 0, counter_constructor, counter_destructor,
    kCounterProperties, 8, kCounterMethods, 3, g_counter_events, 1, nullptr, 0, "Resettable, NoSuchInterface"};

CounterData* counter_data(void* instance) {
    return reinterpret_cast<CounterData*>(static_cast<char*>(instance) + g_counter.data_offset);
}

void counter_constructor(void* instance) {
    ++g_constructed;
    counter_data(instance)->count = 100;
}
void counter_destructor(void*) { ++g_destructed; }

std::int32_t bump(void* instance, std::int32_t by) {
    CounterData* data = counter_data(instance);
    data->count += by;
    using Handler = void (*)(void*, std::int32_t);
    if (auto handler = reinterpret_cast<Handler>(g_event_instance(instance, g_counter_events[0].handle))) {
        handler(instance, data->count);
    }
    return data->count;
}
std::int32_t bump_twice(void* instance, std::int32_t by) { return bump(instance, 2 * by); }
std::int32_t doubled(void* instance) { return 2 * counter_data(instance)->count; }
void reset(void* instance) { counter_data(instance)->count = 0; }

// BigCounter inherits Counter (registered after it, so completed first),
// adds Extra and handles Changed itself through an event instance.
std::int32_t g_big_changes = 0;
void big_changed(void*, std::int32_t) { ++g_big_changes; }
std::int32_t exported_twice(std::int32_t x) { return 2 * x; }

const TAVOExport kExports[] = {{0, reinterpret_cast<void*>(&exported_twice)}, {0, reinterpret_cast<void*>(&big_changed)}};
const TAVOPropertyDefinition kBigProperties[] = {
    {"Values", "Extra", "Integer", 0, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, 0, 0, 0, nullptr},
};
const TAVOEventInstanceDefinition kBigInstances[] = {{"Changed", 1}};
TAVOClassDefinition g_big = {5,       "BigCounter", "Counter", 8, 0, nullptr, nullptr, kBigProperties, 1, nullptr, 0,
                             nullptr, 0,            kBigInstances, 1, nullptr};

// Registrations that must change nothing.
TAVOClassDefinition g_taken = {5, "FolderItem", nullptr, 400, 0, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr};
TAVOClassDefinition g_early = {5, "EarlyClass", nullptr, 4, 0, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr};
TAVOClassDefinition g_extension_of_nothing = {5, "NoSuchClass", nullptr, 0, 0, nullptr, nullptr, kBigProperties, 1, nullptr, 0, nullptr, 0, nullptr, 0, nullptr};

// FolderItem gains a method and a field property counted from the header.
void* nickname(void*) { return nullptr; }
const TAVOMethodDefinition kFolderMethods[] = {{reinterpret_cast<void*>(&nickname), nullptr, "Nickname() As String"}};
const TAVOPropertyDefinition kFolderProperties[] = {
    {"", "FixtureTag", "Integer", 0, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, 4, 0, 0, nullptr},
};
TAVOClassDefinition g_folder_extension = {5, "FolderItem", nullptr, 0, 0, nullptr, nullptr, kFolderProperties, 1, kFolderMethods, 1, nullptr, 0, nullptr, 0, nullptr};

// Lamp: a control without pane; Lit redraws when set.
std::int32_t g_lamps = 0;
void lamp_constructor(void*) { ++g_lamps; }
void lamp_destructor(void*) { --g_lamps; }
const TAVOControlBehaviour kLampBehaviour = {lamp_constructor, lamp_destructor};
const TAVOPropertyDefinition kLampProperties[] = {
    {"Appearance", "Lit", "Boolean", 1, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, 0, 0, 0, nullptr},
    {"Appearance", "Shade", "Color", 0, TAVO_FIELD_ACCESSOR, TAVO_FIELD_ACCESSOR, 4, 0, 0, nullptr},
};
TAVOEventDefinition g_lamp_events[] = {{"Toggled(on As Boolean) As Boolean", nullptr}, {"Bad() As Then", nullptr}};
TAVOControlDefinition g_lamp = {5, "Lamp", 8, TAVO_CONTROL_HAS_NO_PANE, {172, 173}, 32, 32, kLampProperties, 2,
                                nullptr, 0, g_lamp_events, 2, &kLampBehaviour, 0, nullptr, 0, nullptr, nullptr, 0};

// The old control form: methods name exports, properties become fields.
const TAVOOldMethodDefinition kOldLampMethods[] = {{0, "Twice(x As Integer) As Integer"}};
const TAVOPropertyDefinition kOldLampProperties[] = {
    {"", "Glow", "Integer", 0, nullptr, nullptr, 0, 0, 0, nullptr},
};
TAVOControlDefinition g_old_lamp = {1, "OldLamp", 4, TAVO_CONTROL_HAS_NO_PANE, {1, 2}, 10, 10, kOldLampProperties, 1,
                                    kOldLampMethods, 1, nullptr, 0, &kLampBehaviour, 0};
TAVOControlDefinition g_v2_lamp = {2, "SecondFormLamp", 4, TAVO_CONTROL_HAS_NO_PANE, {1, 2}, 10, 10};
// Shares the name of a class: refused.
TAVOControlDefinition g_counter_control = {5, "Counter", 4, TAVO_CONTROL_HAS_NO_PANE, {1, 2}, 10, 10};

const TAVOOldMethodDefinition kOldGlobal = {0, "OldTwice(x As Integer) As Integer"};
const TAVOMethodDefinition kIgnoredGlobal = {reinterpret_cast<void*>(&exported_twice), nullptr, "IgnoredTwice(x As Integer) As Integer"};
std::int32_t thrice(std::int32_t x) { return 3 * x; }
std::int32_t thrice_second(std::int32_t x) { return -3 * x; }
const TAVOMethodDefinition kGlobal = {reinterpret_cast<void*>(&thrice), reinterpret_cast<void*>(&thrice_second),
                                      "Thrice(x As Integer) As Integer"};
const TAVOMethodDefinition kLate = {reinterpret_cast<void*>(&thrice), nullptr, "Late() As Integer"};

}  // namespace

extern "C" __declspec(dllexport) void TAVOPluginMain(TAVOResolver resolve) {
    g_resolve = resolve;
    g_register_method = service<Register>("pluginregistermethod");
    g_event_instance = service<void* (*)(void*, void*)>("GetEventInstance");
    auto version = service<void (*)(std::int32_t)>("RegisterPluginVersion");
    auto exports = service<void (*)(const TAVOExport*)>("RegisterPluginExports");
    auto register_class = service<Register>("PluginRegisterClass");
    auto extend_class = service<Register>("PluginRegisterClassExtension");
    auto register_control = service<Register>("PluginRegisterControl");

    // Version 1 (nothing said yet): the old method form; classes refused.
    exports(kExports);
    g_register_method(&kOldGlobal);
    register_class(&g_early);
    version(2);
    g_register_method(&kIgnoredGlobal);
    register_control(&g_v2_lamp);
    version(5);
    g_register_method(&kGlobal);
    register_class(&g_taken);
    register_class(&g_counter);
    register_class(&g_big);
    extend_class(&g_folder_extension);
    extend_class(&g_extension_of_nothing);
    register_control(&g_lamp);
    register_control(&g_old_lamp);
    register_control(&g_counter_control);
}

// For the tests: what the plugin saw, and a registration after the entry.
extern "C" __declspec(dllexport) void fixture_register_late() { g_register_method(&kLate); }
extern "C" __declspec(dllexport) std::int32_t fixture_constructed() { return g_constructed; }
extern "C" __declspec(dllexport) std::int32_t fixture_destructed() { return g_destructed; }
extern "C" __declspec(dllexport) std::int32_t fixture_big_changes() { return g_big_changes; }
extern "C" __declspec(dllexport) std::int32_t fixture_lamps() { return g_lamps; }
extern "C" __declspec(dllexport) const TAVOClassDefinition* fixture_class(std::int32_t which) {
    return which == 0 ? &g_counter : &g_big;
}
extern "C" __declspec(dllexport) const TAVOControlDefinition* fixture_control(std::int32_t which) {
    return which == 0 ? &g_lamp : &g_old_lamp;
}
extern "C" __declspec(dllexport) const TAVOEventDefinition* fixture_lamp_events() { return g_lamp_events; }
