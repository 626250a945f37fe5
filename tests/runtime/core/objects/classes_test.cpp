// Built-in classes, type tests and casts, and completing the class model.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "objects/builtin_classes.h"
#include "objects/builtin_events.h"
#include "support/code_builder.h"
#include "objects/code_lookup.h"
#include "objects/debugger.h"
#include "support/object_test_support.h"
#include "objects/objects.h"

namespace {

std::string name_of(const RuntimeClass* cls) { return cls ? string_cstr(cls->name) : "(none)"; }

TEST(BuiltinClasses, NamesSizesAndSuperclasses) {
    using B = BuiltinClass;
    struct Case {
        B which;
        const char* name;
        std::uint32_t size;
        const char* superclass;
    } cases[] = {
        {B::Object, "Object", 24, "(none)"},
        {B::Application, "Application", 28, "Object"},
        {B::Dialog, "Dialog", 120, "Window"},
        {B::Applet, "Applet", 120, "Window"},
        {B::RectControl, "RectControl", 88, "Control"},
        {B::Listbox, "Listbox", 540, "RectControl"},
        {B::Oval, "Oval", 100, "RectControl"},
        {B::Line, "Line", 112, "Control"},
        {B::NotePlayer, "NotePlayer", 100, "Control"},
        {B::QuitMenuItem, "QuitMenuItem", 72, "MenuItem"},
        {B::TypeMismatchException, "typeMismatchException", 24, "RuntimeException"},
        {B::EndException, "EndException", 24, "RuntimeException"},
        {B::TextInputStream, "TextInputStream", 1060, "Object"},
        {B::PrinterSetup, "PrinterSetup", 204, "Object"},
        {B::Runtime, "Runtime", 28, "Object"},
        {B::SysPopupRowTag, "sys$popupRowTag", 24, "Object"},
        {B::SysKeyboard, "Sys$Keyboard", 24, "Object"},
    };
    for (const Case& c : cases) {
        const RuntimeClass* cls = builtin_class(c.which);
        ASSERT_NE(cls, nullptr) << c.name;
        EXPECT_EQ(name_of(cls), c.name);
        EXPECT_EQ(cls->instance_size, c.size) << c.name;
        EXPECT_EQ(name_of(cls->superclass), c.superclass) << c.name;
        EXPECT_EQ(cls->builtin, 1) << c.name;
    }
}

TEST(BuiltinClasses, EveryOneIsFoundByItsNameInAnyCase) {
    for (int i = 0; i < static_cast<int>(BuiltinClass::Count); ++i) {
        RuntimeClass* cls = builtin_class(static_cast<BuiltinClass>(i));
        std::string name = string_cstr(cls->name);
        EXPECT_EQ(builtin_class_named(name.data(), name.size()), cls) << name;
        for (char& c : name) c = static_cast<char>(c ^ (((c | 0x20) >= 'a' && (c | 0x20) <= 'z') ? 0x20 : 0));
        EXPECT_EQ(builtin_class_named(name.data(), name.size()), cls) << name;
    }
    for (const char* missing : {"", "Objec", "Objects", "Window1", "Sys$"})
        EXPECT_EQ(builtin_class_named(missing, std::strlen(missing)), nullptr) << missing;
}

TEST(BuiltinClasses, ApplicationEventsInTableOrderWithTheirSlots) {
    builtin_classes_create();
    struct Case {
        EventDefinition* slot;
        const char* name;
        const char* parameters;
        const char* result;
    } cases[] = {
        {g_application_events.open, "Open", "", ""},
        {g_application_events.close, "Close", "", ""},
        {g_application_events.enable_menu_items, "EnableMenuItems", "", ""},
        {g_application_events.new_document, "NewDocument", "", ""},
        {g_application_events.open_document, "OpenDocument", "item As FolderItem", ""},
        {g_application_events.handle_apple_event, "HandleAppleEvent",
         "event As AppleEvent, eventClass As String, eventID As String", "Boolean"},
        {g_application_events.activate, "Activate", "", ""},
        {g_application_events.deactivate, "Deactivate", "", ""},
    };
    const EventDefinition* defined = builtin_class(BuiltinClass::Application)->events;
    for (const Case& c : cases) {
        ASSERT_NE(defined, nullptr) << c.name;
        EXPECT_EQ(defined, c.slot) << c.name;
        EXPECT_STREQ(string_cstr(defined->name), c.name);
        EXPECT_STREQ(string_cstr(defined->parameters), c.parameters) << c.name;
        EXPECT_STREQ(string_cstr(defined->result), c.result) << c.name;
        defined = defined->next;
    }
    EXPECT_EQ(defined, nullptr);
    EXPECT_EQ(builtin_class(BuiltinClass::Window)->events, nullptr);
}

// Image-like classes: Shape <- Circle, the interface Drawable implemented by Shape.
class TypeTests : public FailureReports {
protected:
    void SetUp() override {
        FailureReports::SetUp();
        shape_ = make_class("Shape");
        circle_ = make_class("Circle", shape_);
        drawable_ = make_class("Drawable");
        drawable_->is_interface = 1;
        class_add_method(drawable_, text("Draw"), nullptr);
        class_add_interface(shape_, drawable_);
        class_add_method(shape_, text("draw"), reinterpret_cast<void*>(0x1000));
        other_ = make_class("Other");
        table_[0] = shape_;
        table_[1] = circle_;
        table_[2] = drawable_;
        table_[3] = other_;
        table_[4] = nullptr;
        table_[kIllegalCastIndex] = builtin_class(BuiltinClass::IllegalCastException);
        table_[kNilObjectIndex] = builtin_class(BuiltinClass::NilObjectException);
        class_table_install(table_, 7);
        ASSERT_TRUE(class_model_complete());
    }
    void TearDown() override {
        class_table_install(nullptr, 0);
        FailureReports::TearDown();
    }

    RuntimeClass* shape_;
    RuntimeClass* circle_;
    RuntimeClass* drawable_;
    RuntimeClass* other_;
    static constexpr std::int16_t kIllegalCastIndex = 5, kNilObjectIndex = 6;
    RuntimeClass* table_[7];
};

TEST_F(TypeTests, IsaFollowsSuperclassesAndInterfaces) {
    RuntimeObject* circle = object_new(circle_);
    RuntimeObject* other = object_new(other_);
    struct Case {
        RuntimeObject* object;
        std::int32_t index;
        std::int32_t expected;
    } cases[] = {
        {circle, 1, 1}, {circle, 0, 1}, {circle, 2, 1},  // own class, superclass, superclass's interface
        {circle, 3, 0}, {other, 0, 0},  {other, 2, 0},   // unrelated
        {circle, 4, 0}, {circle, 7, 0}, {circle, -1, 0},  // empty entry, outside the table
        {nullptr, 0, 0}, {nullptr, 2, 0},                 // nil is of no class
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RuntimeObjectIsa(c.object, c.index), c.expected) << c.index;
        // Whatever passes the test passes the cast and comes back unchanged.
        if (c.expected) {
            EXPECT_EQ(RuntimeCheckCast(c.object, c.index), c.object);
        }
    }
    RuntimeUnlockObject(circle);
    RuntimeUnlockObject(other);
}

TEST_F(TypeTests, NilPassesEveryCast) {
    for (std::int32_t index : {0, 1, 2, 3, 4, 99, -1}) EXPECT_EQ(RuntimeCheckCast(nullptr, index), nullptr) << index;
}

// A compiled-style function that calls `target(object, index)` behind a call
// record and has handlers for IllegalCastException (sets 1) and
// NilObjectException (sets 2); it releases the caught exception.
std::uintptr_t emit_guarded_call(CodeBuilder& c, const void* target, RuntimeObject* object, std::int32_t index,
                                 std::int16_t cast_index, std::int16_t nil_index, volatile std::uint32_t* caught) {
    auto imm = [](const volatile void* p) {
        return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p));
    };
    std::uintptr_t entry = c.here();
    c.prologue(1);  // [ebp-4] receives the exception
    c.push_imm(static_cast<std::uint32_t>(index));
    c.push_imm(imm(object));
    c.call(target);
    c.add_esp(8);
    std::size_t passed = c.jump();
    std::uintptr_t on_cast = c.here();
    c.store_global(const_cast<std::uint32_t*>(caught), 1);
    std::size_t cast_done = c.jump();
    std::uintptr_t on_nil = c.here();
    c.store_global(const_cast<std::uint32_t*>(caught), 2);
    c.land(passed);
    c.land(cast_done);
    c.push_local(1);
    c.call(reinterpret_cast<void*>(&RuntimeUnlockObject), {}, false);
    c.add_esp(4);
    c.leave_ret();
    c.bytes({0x2F});
    c.trailer_handler(cast_index, on_cast);
    c.trailer_handler(nil_index, on_nil);
    c.bytes({0x00});
    return entry;
}

TEST_F(TypeTests, AFailedCastRaisesIllegalCastAndNilUseRaisesNilObject) {
    RuntimeObject* circle = object_new(circle_);
    const std::int32_t live_before = RuntimeDebugObjectCount(nullptr);
    const void* cast = reinterpret_cast<void*>(&RuntimeCheckCast);
    struct Case {
        const void* target;
        RuntimeObject* object;
        std::int32_t index;
        std::uint32_t caught;
    } cases[] = {
        {cast, circle, 3, 1},   // Other: unrelated
        {cast, circle, 4, 1},   // an empty class table entry
        {cast, circle, 99, 1},  // outside the table
        {cast, circle, 0, 0},   // its superclass: passes
        {cast, nullptr, 3, 0},  // nil passes
        {reinterpret_cast<void*>(&RuntimeNilObject), nullptr, 0, 2},
    };
    for (const Case& c : cases) {
        CodeBuilder code;
        volatile std::uint32_t caught = 0;
        CodeBuilder::run(emit_guarded_call(code, c.target, c.object, c.index, kIllegalCastIndex, kNilObjectIndex,
                                           &caught));
        EXPECT_EQ(caught, c.caught) << c.index;
        // The exception object went with the handler's release.
        EXPECT_EQ(RuntimeDebugObjectCount(nullptr), live_before) << c.index;
    }
    EXPECT_EQ(circle->refs, 1);
    RuntimeUnlockObject(circle);
}

TEST_F(TypeTests, InterfaceMethodsAreNumberedAndBoundFromTheSuperclass) {
    EXPECT_EQ(drawable_->methods->number, 1u);
    EXPECT_EQ(shape_->methods->number, 0u);
    RuntimeObject* circle = object_new(circle_);
    RuntimeObject* other = object_new(other_);
    EXPECT_EQ(FindInterfaceVTableCode(circle, 1, 2), reinterpret_cast<void*>(0x1000));
    EXPECT_EQ(FindInterfaceVTableCode(circle, 0, 2), nullptr);  // slot 0 stays empty
    EXPECT_EQ(FindInterfaceVTableCode(circle, 2, 2), nullptr);  // past the table
    EXPECT_EQ(FindInterfaceVTableCode(other, 1, 2), nullptr);   // does not implement it
    EXPECT_EQ(FindInterfaceVTableCode(nullptr, 1, 2), nullptr);
    RuntimeUnlockObject(circle);
    RuntimeUnlockObject(other);
}

TEST_F(TypeTests, TheNearestImplementationWinsAndANewGenerationRebuildsTheTables) {
    class_add_interface(circle_, drawable_);
    class_add_method(circle_, text("Draw"), reinterpret_cast<void*>(0x2000));
    ASSERT_TRUE(class_model_complete());
    RuntimeObject* circle = object_new(circle_);
    EXPECT_EQ(FindInterfaceVTableCode(circle, 1, 2), reinterpret_cast<void*>(0x2000));
    RuntimeUnlockObject(circle);
    EXPECT_TRUE(reported().empty());
}

TEST_F(TypeTests, AMissingInterfaceMethodIsReportedTwiceAndStopsCompleting) {
    RuntimeClass* lacking = make_class("Lacking");
    ClassInterface* entry = class_add_interface(lacking, drawable_);
    EXPECT_FALSE(class_model_complete());
    EXPECT_EQ(reported(),
              (std::vector<ReportedFailure>{{131, 2, "objects", 2307}, {131, 4, "objects", 5709}}));
    EXPECT_EQ(entry->methods, nullptr);
    // Repaired, the next completion binds it.
    class_add_method(lacking, text("Draw"), reinterpret_cast<void*>(0x3000));
    reported().clear();
    EXPECT_TRUE(class_model_complete());
    EXPECT_TRUE(reported().empty());
    ASSERT_EQ(entry->method_count, 2u);
    EXPECT_EQ(entry->methods[1], reinterpret_cast<void*>(0x3000));
}

TEST_F(TypeTests, VirtualMethodsComeFromTheObjectsOwnTable) {
    static void* shape_table[] = {reinterpret_cast<void*>(0x10), reinterpret_cast<void*>(0x11)};
    static void* circle_table[] = {reinterpret_cast<void*>(0x10), reinterpret_cast<void*>(0x21),
                                   reinterpret_cast<void*>(0x22)};
    shape_->vtable = shape_table;
    shape_->vtable_length = 2;
    circle_->vtable = circle_table;
    circle_->vtable_length = 3;
    RuntimeObject* circle = object_new(circle_);
    EXPECT_EQ(FindVTableCode(circle, 1), reinterpret_cast<void*>(0x21));
    EXPECT_EQ(FindVTableCode(circle, 2), reinterpret_cast<void*>(0x22));
    EXPECT_EQ(FindVTableCode(circle, 3), nullptr);
    EXPECT_EQ(FindVTableCode(circle, -1), nullptr);
    RuntimeUnlockObject(circle);
}

}  // namespace
