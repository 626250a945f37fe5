// Registration through a real plugin DLL: every definition form, the
// version rule, class completion, field properties, events, controls, and
// binding of member references to what the plugin registered.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "exceptions/failure_report.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "objects/debugger.h"
#include "objects/objects.h"
#include "plugin_binding.h"
#include "plugin_classes.h"
#include "plugin_members.h"
#include "plugin_records.h"
#include "plugin_test_support.h"
#include "strings/runtime_string.h"

extern "C" void* GetInterfaceRoutine(RuntimeObject*, const char*, const char*);
extern "C" RuntimeObject* PluginNewInstance(const char*);

namespace {
void* g_watched = nullptr;
std::int32_t g_seen = 0;
void on_changed(RuntimeObject* object, std::int32_t value) {
    g_watched = object;
    g_seen = value;
}
}  // namespace

HMODULE fixture_plugin() {
    static HMODULE module = [] {
        builtin_classes_create();
        // An interface of the project that the fixture's Counter implements.
        RuntimeClass* resettable = class_new(string_from_cstr("Resettable"));
        resettable->is_interface = 1;
        class_add_method(resettable, string_from_cstr("Reset"), nullptr);
        std::string path = dos_path(FIXTURE_PLUGIN);
        EXPECT_TRUE(plugin_load(path.c_str()));
        plugin_classes_complete();
        EXPECT_TRUE(class_model_complete());
        // An application subclass of Counter with a handler of its event.
        RuntimeClass* counter = plugin_host_class_named("Counter", 7);
        RuntimeClass* watcher = class_new(string_from_cstr("CounterWatcher"));
        watcher->superclass = counter;
        watcher->instance_size = counter->instance_size;
        class_add_handler(watcher, string_from_cstr("Changed"), 0, reinterpret_cast<void*>(&on_changed));
        return GetModuleHandleA(path.c_str());
    }();
    return module;
}

namespace {

void* bound(const char* reference) {
    RuntimeString* text = string_from_cstr(reference);
    void* address = plugin_member_address(text);
    RuntimeUnlockString(text);
    return address;
}

RuntimeClass* class_named(const char* name) { return plugin_host_class_named(name, std::strlen(name)); }

using IntOfInt = std::int32_t (*)(std::int32_t);

class Registration : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(fixture_plugin(), nullptr);
        objects_before_ = RuntimeDebugObjectCount(nullptr);
        memory_before_ = RuntimeDebugMemoryUsed();
    }
    // Every test gives back what it made.
    void TearDown() override {
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), objects_before_);
        EXPECT_EQ(RuntimeDebugMemoryUsed(), memory_before_);
    }
    std::int32_t objects_before_ = 0;
    std::uint32_t memory_before_ = 0;
};

TEST_F(Registration, GlobalMethodsFollowTheVersionRule) {
    struct Case {
        const char* reference;
        std::int32_t argument;
        std::int32_t result;  // 0: not bound
    } cases[] = {
        {"MOldTwice(x As Integer) As Integer", 21, 42},      // version 1: the function from the exports
        {"MIgnoredTwice(x As Integer) As Integer", 1, 0},    // version 2: nothing
        {"Mthrice(X AS INTEGER) as integer", 5, 15},         // letter case ignored
        {"WThrice(x As Integer) As Integer", 5, -15},        // the second function
        {"MLate() As Integer", 0, 0},                        // see RegistrationAfterTheEntryCall
    };
    for (const Case& c : cases) {
        auto f = reinterpret_cast<IntOfInt>(bound(c.reference));
        if (c.result == 0) {
            EXPECT_EQ(f, nullptr) << c.reference;
        } else {
            ASSERT_NE(f, nullptr) << c.reference;
            EXPECT_EQ(f(c.argument), c.result) << c.reference;
        }
    }
    // Classes need version 3: the one registered under version 1 is absent,
    // as is the control registered under version 2.
    EXPECT_EQ(class_named("EarlyClass"), nullptr);
    EXPECT_EQ(class_named("SecondFormLamp"), nullptr);
}

TEST_F(Registration, RegistrationAfterTheEntryCallIsIgnored) {
    fixture_function<void (*)()>("fixture_register_late")();
    EXPECT_EQ(bound("MLate() As Integer"), nullptr);
    EXPECT_EQ(current_plugin(), nullptr);
}

TEST_F(Registration, AnExistingClassNameLeavesTheClassUntouched) {
    RuntimeClass* folder = builtin_class(BuiltinClass::FolderItem);
    EXPECT_EQ(class_named("folderitem"), folder);
    EXPECT_EQ(folder->instance_size, 32u);
    EXPECT_EQ(plugin_class_entry(folder), nullptr);
    // A control sharing a class's name is refused: both lookups agree.
    RuntimeString* counter = string_from_cstr("Counter");
    EXPECT_EQ(plugin_image_class_named(counter), class_named("Counter"));
    RuntimeUnlockString(counter);
    for (PluginClass* c = plugin_controls_newest(); c; c = c->next) EXPECT_STRNE(string_cstr(c->cls->name), "Counter");
}

TEST_F(Registration, ClassesAreCompletedWithTheirLayout) {
    auto definition = fixture_function<const TAVOClassDefinition* (*)(std::int32_t)>("fixture_class");
    RuntimeClass* counter = class_named("Counter");
    RuntimeClass* big = class_named("BigCounter");
    ASSERT_NE(counter, nullptr);
    ASSERT_NE(big, nullptr);
    // No superclass: the object header, then the plugin's 16 bytes.
    EXPECT_EQ(counter->superclass, builtin_class(BuiltinClass::Object));
    EXPECT_EQ(definition(0)->data_offset, 24u);
    EXPECT_EQ(counter->instance_size, 24u + definition(0)->data_size);
    // Registered after its superclass (so completed first), it still
    // follows the superclass's full size.
    EXPECT_EQ(big->superclass, counter);
    EXPECT_EQ(definition(1)->data_offset, counter->instance_size);
    EXPECT_EQ(big->instance_size, counter->instance_size + 8);
    // The image's provided-class records find plugin classes by name too.
    RuntimeString* name = string_from_cstr("bigcounter");
    EXPECT_EQ(plugin_image_class_named(name), big);
    RuntimeUnlockString(name);
}

TEST_F(Registration, FieldPropertiesReadAndWriteTheInstance) {
    RuntimeObject* counter = PluginNewInstance("Counter");
    RuntimeObject* partner = PluginNewInstance("counter");
    ASSERT_NE(counter, nullptr);
    EXPECT_GE(fixture_function<std::int32_t (*)()>("fixture_constructed")(), 2);
    using Get = std::uintptr_t (*)(RuntimeObject*);
    using Set = void (*)(RuntimeObject*, std::uintptr_t);
    auto get = [](const char* name) { return reinterpret_cast<Get>(bound((std::string("GCounter!") + name).c_str())); };
    auto set = [](const char* name) { return reinterpret_cast<Set>(bound((std::string("SCounter!") + name).c_str())); };

    EXPECT_EQ(get("Count")(counter), 100u);  // the plugin's constructor ran
    RuntimeString* label = string_from_cstr("seven");
    struct Case {
        const char* property;
        std::uintptr_t value;
    } cases[] = {
        {"Count", 7},
        {"Ready", 1},
        {"Label", reinterpret_cast<std::uintptr_t>(label)},
        {"Partner", reinterpret_cast<std::uintptr_t>(partner)},
    };
    for (const Case& c : cases) {
        ASSERT_NE(set(c.property), nullptr) << c.property;
        set(c.property)(counter, c.value);
        std::uintptr_t got = get(c.property)(counter);
        EXPECT_EQ(got, c.value) << c.property;
        if (std::string(c.property) == "Label") RuntimeUnlockString(reinterpret_cast<RuntimeString*>(got));
        if (std::string(c.property) == "Partner") RuntimeUnlockObject(reinterpret_cast<RuntimeObject*>(got));
    }
    // A Boolean field keeps one byte: a value with other high bits is true.
    set("Ready")(counter, 0x100);
    EXPECT_EQ(get("Ready")(counter), 0u);
    // Floating values travel as compiled code passes them: Single in one
    // word, Double in two, results on the FPU stack.
    auto set_double = reinterpret_cast<void (*)(RuntimeObject*, double)>(bound("SCounter!Ratio"));
    auto get_double = reinterpret_cast<double (*)(RuntimeObject*)>(bound("GCounter!Ratio"));
    auto set_single = reinterpret_cast<void (*)(RuntimeObject*, float)>(bound("SCounter!Scale"));
    auto get_single = reinterpret_cast<float (*)(RuntimeObject*)>(bound("GCounter!Scale"));
    set_double(counter, 2.5e10);
    set_single(counter, -0.75f);
    EXPECT_EQ(get_double(counter), 2.5e10);
    EXPECT_EQ(get_single(counter), -0.75f);
    EXPECT_EQ(get("Count")(counter), 7u) << "neighbouring fields untouched";
    // The plugin's own getter, and the property whose type names nothing.
    EXPECT_EQ(get("Doubled")(counter), 14u);
    EXPECT_EQ(get("Broken"), nullptr);
    EXPECT_EQ(set("Doubled"), nullptr);

    // The fields' references are released with the instance.
    RuntimeUnlockString(label);
    EXPECT_EQ(label->refs, 1);
    RuntimeUnlockObject(partner);
    std::int32_t destructed = fixture_function<std::int32_t (*)()>("fixture_destructed")();
    RuntimeUnlockObject(counter);
    EXPECT_EQ(fixture_function<std::int32_t (*)()>("fixture_destructed")(), destructed + 2);
}

TEST_F(Registration, MethodsAndEventsReachTheApplicationsHandler) {
    using Bump = std::int32_t (*)(RuntimeObject*, std::int32_t);
    auto bump = reinterpret_cast<Bump>(bound("MCounter!bump(BY as integer) as INTEGER"));
    ASSERT_NE(bump, nullptr);
    EXPECT_EQ(bound("MBigCounter!Bump(by As Integer) As Integer"), reinterpret_cast<void*>(bump));  // inherited
    EXPECT_NE(bound("WCounter!Bump(by As Integer) As Integer"), reinterpret_cast<void*>(bump));
    EXPECT_EQ(bound("MCounter!Reset"), bound("MCounter!Reset()"));  // the bare name finds it too
    EXPECT_EQ(bound("MCounter!Broken(x Integer)"), nullptr);       // rejected declaration

    // An application subclass handling the plugin's event.
    RuntimeClass* counter = class_named("Counter");
    RuntimeClass* watcher = class_named("CounterWatcher");
    RuntimeObject* watched = object_new(watcher);
    RuntimeObject* plain = object_new(counter);
    RuntimeObject* big = PluginNewInstance("BigCounter");
    g_watched = nullptr;
    EXPECT_EQ(bump(watched, 5), 105);
    EXPECT_EQ(g_watched, watched);
    EXPECT_EQ(g_seen, 105);
    g_watched = nullptr;
    EXPECT_EQ(bump(plain, 1), 101);  // no handler: nothing happens
    EXPECT_EQ(g_watched, nullptr);
    // BigCounter handles Changed itself through its event instance.
    auto big_changes = fixture_function<std::int32_t (*)()>("fixture_big_changes");
    std::int32_t before = big_changes();
    bump(big, 1);
    EXPECT_EQ(big_changes(), before + 1);

    // The interface method table comes from the plugin's methods.
    EXPECT_EQ(GetInterfaceRoutine(plain, "resettable", "reset"), bound("MCounter!Reset()"));
    EXPECT_EQ(GetInterfaceRoutine(plain, "NoSuchInterface", "Reset"), nullptr);
    EXPECT_EQ(GetInterfaceRoutine(plain, "Resettable", "NoSuchRoutine"), nullptr);
    for (RuntimeObject* o : {watched, plain, big}) RuntimeUnlockObject(o);
}

namespace {
void told(RuntimeObject*) {}
}  // namespace

// An image's own interface of a built-in interface's name is the one its
// classes implement, and the one a plugin reaches them through.
TEST(PluginServices, AnInterfaceIsFoundByItsNameNotByTheBuiltInOfThatName) {
    RuntimeClass* own = class_new(string_from_cstr("actionNotificationReceiver"));
    own->is_interface = 1;
    class_add_method(own, string_from_cstr("PerformAction"), nullptr)->number = 1;
    static void* table[] = {nullptr, reinterpret_cast<void*>(told)};
    RuntimeClass* receiver = class_new(string_from_cstr("Receiver"));
    ClassInterface* entry = class_add_interface(receiver, own);
    entry->methods = table;
    entry->method_count = 2;
    ASSERT_NE(plugin_host_class_named("actionNotificationReceiver", 26), own);
    RuntimeObject* object = object_new(receiver);
    EXPECT_EQ(GetInterfaceRoutine(object, "ActionNotificationReceiver", "performaction"), table[1]);
    EXPECT_EQ(GetInterfaceRoutine(object, "actionSource", "PerformAction"), nullptr);
    RuntimeUnlockObject(object);
}

TEST_F(Registration, ExtensionsAddToTheNamedClass) {
    RuntimeClass* folder = builtin_class(BuiltinClass::FolderItem);
    EXPECT_NE(bound("MFolderItem!Nickname() As String"), nullptr);
    const ClassProperty* tag = nullptr;
    for (const ClassProperty* p = folder->properties; p; p = p->next) {
        if (std::string(string_cstr(p->name)) == "FixtureTag") tag = p;
    }
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->selector, 28u);  // counted from the end of the object header
    // An extension of a class nobody registered adds nothing anywhere.
    EXPECT_EQ(class_named("NoSuchClass"), nullptr);
}

TEST_F(Registration, ControlsWithoutPaneInBothForms) {
    auto control = fixture_function<const TAVOControlDefinition* (*)(std::int32_t)>("fixture_control");
    auto lamps = fixture_function<std::int32_t (*)()>("fixture_lamps");
    struct Case {
        const char* name;
        int definition;
        std::uint32_t instance_size;
        const char* field;  // a field property at the data offset
    } cases[] = {
        {"Lamp", 0, 100, "Lit"},
        {"OldLamp", 1, 96, "Glow"},  // the old form: its properties became field properties
    };
    for (const Case& c : cases) {
        RuntimeClass* cls = class_named(c.name);
        ASSERT_NE(cls, nullptr) << c.name;
        EXPECT_EQ(cls->superclass, builtin_class(BuiltinClass::RectControl)) << c.name;
        EXPECT_EQ(cls->instance_size, c.instance_size) << c.name;
        EXPECT_EQ(control(c.definition)->data_offset, 92u) << c.name;
        std::int32_t before = lamps();
        RuntimeObject* lamp = object_new(cls);
        EXPECT_EQ(lamps(), before + 1) << "behaviour constructor of " << c.name;
        using Get = std::uintptr_t (*)(RuntimeObject*);
        using Set = void (*)(RuntimeObject*, std::uintptr_t);
        auto set = reinterpret_cast<Set>(bound((std::string("S") + c.name + "!" + c.field).c_str()));
        auto get = reinterpret_cast<Get>(bound((std::string("G") + c.name + "!" + c.field).c_str()));
        ASSERT_NE(set, nullptr) << c.name;
        set(lamp, 1);
        EXPECT_EQ(get(lamp), 1u) << c.name;
        EXPECT_EQ(reinterpret_cast<std::uint8_t*>(lamp)[92], 1) << c.name;
        RuntimeUnlockObject(lamp);
        EXPECT_EQ(lamps(), before) << "behaviour destructor of " << c.name;
    }
    // The old form's method came from the exports array.
    auto twice = reinterpret_cast<IntOfInt>(bound("MOldLamp!Twice(x As Integer) As Integer"));
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice(4), 8);
    // Events get their handles; a rejected declaration gets none.
    auto events = fixture_function<const TAVOEventDefinition* (*)()>("fixture_lamp_events")();
    EXPECT_NE(events[0].handle, nullptr);
    EXPECT_EQ(events[1].handle, nullptr);
}

std::vector<std::string> g_reports;
void collect(int first, std::int16_t code, const char* source, int line) {
    g_reports.push_back(std::to_string(first) + "/" + std::to_string(code) + " " + source + " " + std::to_string(line));
}

TEST_F(Registration, ReferencesOfUnknownKindOrClassAreReported) {
    FailureReportSink previous = failure_report_redirect(&collect);
    struct Case {
        const char* reference;
        const char* report;  // "" for none
    } cases[] = {
        {"XCounter!Count", "131/4 RuntimeMain 480"},
        {"mThrice(x As Integer) As Integer", "131/4 RuntimeMain 480"},
        {"GNoSuchClass!Count", "131/4 RuntimeMain 430"},
        {"MNoSuchMethod()", ""},
        {"GCounter!NoSuchProperty", ""},
    };
    for (const Case& c : cases) {
        g_reports.clear();
        EXPECT_EQ(bound(c.reference), nullptr) << c.reference;
        std::vector<std::string> expected;
        if (*c.report) expected.push_back(c.report);
        EXPECT_EQ(g_reports, expected) << c.reference;
    }
    failure_report_redirect(previous);
}

}  // namespace
