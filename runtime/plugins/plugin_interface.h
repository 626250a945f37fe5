// The interface between the runtime and its plugin DLLs, shared by both
// sides. A plugin exports TAVOPluginMain, is handed a resolver and asks it
// for every runtime service by name; it describes what it adds with the
// records below, which must stay valid for the life of the process (the
// runtime keeps pointers into them and writes two of their fields).
// Everything crosses the boundary with the C calling convention.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// Returns the runtime service of that name, or null when there is none.
typedef void* (*TAVOResolver)(const char* name);
// The one export of a plugin.
typedef void (*TAVOPluginEntry)(TAVOResolver resolver);

// An accessor given as this value reads or writes the field itself.
#define TAVO_FIELD_ACCESSOR (reinterpret_cast<void*>(static_cast<std::intptr_t>(-1)))

struct TAVOMethodDefinition {
    void* function;
    void* second_function;    // bound by imports of kind W; may be null
    const char* declaration;  // "List(row As Integer) As String"
};

// The form of a method definition before interface version 3.
struct TAVOOldMethodDefinition {
    std::int32_t export_index;  // into the plugin's exports array
    const char* declaration;
};

struct TAVOPropertyDefinition {
    const char* group;  // not read by the runtime
    const char* name;
    const char* type;
    std::uint32_t flags;  // bit 0: a control is redrawn after the property is set
    void* getter;         // TAVO_FIELD_ACCESSOR, a function, or null
    void* setter;
    std::uint32_t offset;  // of the field within the plugin's data area
    std::uint32_t reserved;
    std::uint32_t value_count;   // enumerated values; not read by the runtime
    const char* const* value_names;
};

struct TAVOEventDefinition {
    const char* declaration;  // "MouseDown(X As Integer, Y As Integer) As Boolean"
    void* handle;             // written by the runtime; passed to GetEventInstance
};

struct TAVOEventInstanceDefinition {
    const char* event_name;
    std::int32_t export_index;  // the exports entry whose function handles it
};

// One entry of the array a plugin hands to RegisterPluginExports.
struct TAVOExport {
    std::uint32_t tag;
    void* function;
};

struct TAVOClassDefinition {
    std::int32_t version;  // not read: the plugin's interface version decides
    const char* name;
    const char* superclass;  // empty or null: none
    std::uint32_t data_size;
    std::uint32_t data_offset;  // written by the runtime
    void (*constructor)(void* instance);
    void (*destructor)(void* instance);
    const TAVOPropertyDefinition* properties;
    std::int32_t property_count;
    const TAVOMethodDefinition* methods;
    std::int32_t method_count;
    TAVOEventDefinition* events;
    std::int32_t event_count;
    const TAVOEventInstanceDefinition* event_instances;
    std::int32_t event_instance_count;
    const char* interfaces;  // comma-separated interface class names
};

// Callbacks of a control, each may be null.
struct TAVOControlBehaviour {
    void (*constructor)(void* control);
    void (*destructor)(void* control);
    void (*redraw)(void* control, void* graphics);
    std::uint8_t (*mouse_down)(void* control, std::int32_t x, std::int32_t y, std::int32_t modifiers);
    void (*mouse_drag)(void* control, std::int32_t x, std::int32_t y);
    void (*mouse_up)(void* control, std::int32_t x, std::int32_t y);
    void (*gained_focus)(void* control);
    void (*lost_focus)(void* control);
    std::uint8_t (*key_down)(void* control, std::uint8_t character, std::uint8_t key_code, std::uint16_t modifiers);
    void (*open)(void* control);
    void (*close)(void* control);
    void (*idle)(void* control);
    void (*refresh)(void* control);
    void (*unused)(void* control);
};

enum : std::uint32_t {
    TAVO_CONTROL_TAKES_FOCUS = 1,
    TAVO_CONTROL_HAS_NO_PANE = 4,
    TAVO_CONTROL_REPORTS_BOUNDS = 8,
};

struct TAVOBindingDescription {
    const char* interface_name;
    const char* description;  // "%1 pressed"
};

// Interface version 3 and later; version 1 has the same layout with old
// method definitions and without the fields from event_instances on.
struct TAVOControlDefinition {
    std::int32_t version;  // 1 old form, 2 ignored, 3 current, 4 reads event instances and interfaces
    const char* name;
    std::uint32_t data_size;
    std::uint32_t flags;
    std::uint32_t identifiers[2];  // not read by the runtime
    std::int32_t default_width;
    std::int32_t default_height;
    const TAVOPropertyDefinition* properties;
    std::int32_t property_count;
    const void* methods;  // TAVOMethodDefinition, or TAVOOldMethodDefinition in version 1
    std::int32_t method_count;
    TAVOEventDefinition* events;
    std::int32_t event_count;
    const TAVOControlBehaviour* behaviour;
    std::uint32_t data_offset;  // written by the runtime
    const TAVOEventInstanceDefinition* event_instances;
    std::int32_t event_instance_count;
    const char* interfaces;
    const TAVOBindingDescription* bindings;  // not read by the runtime
    std::int32_t binding_count;
};

// What lockPictureDescription shows of a Picture until the matching
// unlockPictureDescription: its pixels may be read and written in place
// (TAVOPictureClearCache afterwards).
struct TAVOPictureDescription {
    std::int32_t width;
    std::int32_t height;
    std::int32_t depth;      // bits per pixel: 32, one word 0x00RRGGBB
    std::int32_t row_bytes;  // from one row to the next, the top row first
    void* pixels;
    void* bitmap;              // the DIB section (HBITMAP)
    std::uint8_t transparent;  // white pixels are left out when drawn
    std::uint8_t reserved[3];
};

}  // extern "C"

static_assert(sizeof(void*) == 4, "the plugin interface is 32-bit");
static_assert(sizeof(TAVOMethodDefinition) == 12, "method definition");
static_assert(sizeof(TAVOPropertyDefinition) == 40, "property definition");
static_assert(sizeof(TAVOEventDefinition) == 8, "event definition");
static_assert(sizeof(TAVOEventInstanceDefinition) == 8, "event instance definition");
static_assert(offsetof(TAVOClassDefinition, data_offset) == 16, "class data offset");
static_assert(offsetof(TAVOClassDefinition, interfaces) == 60, "class interfaces");
static_assert(offsetof(TAVOControlDefinition, properties) == 32, "control properties");
static_assert(offsetof(TAVOControlDefinition, behaviour) == 56, "control behaviour");
static_assert(offsetof(TAVOControlDefinition, data_offset) == 60, "control data offset");
static_assert(offsetof(TAVOControlDefinition, bindings) == 76, "control bindings");
static_assert(offsetof(TAVOControlBehaviour, idle) == 44, "control idle callback");
static_assert(sizeof(TAVOControlBehaviour) == 56, "control behaviour table");
static_assert(sizeof(TAVOPictureDescription) == 28, "picture description");
