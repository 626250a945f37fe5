#include "objects/builtin_classes.h"

#include "objects/builtin_events.h"
#include "objects/classes.h"
#include "objects/names.h"
#include "strings/runtime_string.h"

namespace {

using B = BuiltinClass;
constexpr int kCount = static_cast<int>(B::Count);

struct BuiltinRow {
    BuiltinClass which;
    const char* name;
    unsigned instance_size;
    BuiltinClass superclass;  // Object for the roots; Object itself has none
    const EventTable* events;
};

// Every class has Object, the header's own class, at the root.
const BuiltinRow kRows[] = {
    {B::Object, "Object", 24, B::Object, nullptr},
    {B::Application, "Application", 28, B::Object, &kApplicationEventTable},
    {B::Window, "Window", 120, B::Object, nullptr},
    {B::Dialog, "Dialog", 120, B::Window, nullptr},
    {B::Applet, "Applet", 120, B::Window, nullptr},
    {B::Control, "Control", 88, B::Object, nullptr},
    {B::RectControl, "RectControl", 88, B::Control, nullptr},
    {B::PushButton, "PushButton", 116, B::RectControl, nullptr},
    {B::CheckBox, "CheckBox", 128, B::RectControl, nullptr},
    {B::RadioButton, "RadioButton", 120, B::RectControl, nullptr},
    {B::StaticText, "StaticText", 116, B::RectControl, nullptr},
    {B::EditField, "EditField", 136, B::RectControl, nullptr},
    {B::Listbox, "Listbox", 540, B::RectControl, nullptr},
    {B::PopupMenu, "PopupMenu", 120, B::RectControl, nullptr},
    {B::TabPanel, "TabPanel", 120, B::RectControl, nullptr},
    {B::GroupBox, "GroupBox", 104, B::RectControl, nullptr},
    {B::ProgressBar, "ProgressBar", 96, B::RectControl, nullptr},
    {B::Slider, "Slider", 116, B::RectControl, nullptr},
    {B::ScrollBar, "ScrollBar", 116, B::RectControl, nullptr},
    {B::Canvas, "Canvas", 100, B::RectControl, nullptr},
    {B::MoviePlayer, "MoviePlayer", 108, B::RectControl, nullptr},
    {B::Rectangle, "Rectangle", 104, B::RectControl, nullptr},
    {B::RoundRectangle, "RoundRectangle", 104, B::RectControl, nullptr},
    {B::Oval, "Oval", 100, B::RectControl, nullptr},
    {B::Line, "Line", 112, B::Control, nullptr},
    {B::ContextualMenu, "ContextualMenu", 96, B::Control, nullptr},
    {B::NotePlayer, "NotePlayer", 100, B::Control, nullptr},
    {B::MenuItem, "MenuItem", 72, B::Object, nullptr},
    {B::QuitMenuItem, "QuitMenuItem", 72, B::MenuItem, nullptr},
    {B::RuntimeException, "RuntimeException", 24, B::Object, nullptr},
    {B::NilObjectException, "NilObjectException", 24, B::RuntimeException, nullptr},
    {B::IllegalCastException, "IllegalCastException", 24, B::RuntimeException, nullptr},
    {B::OutOfBoundsException, "OutOfBoundsException", 24, B::RuntimeException, nullptr},
    {B::TypeMismatchException, "typeMismatchException", 24, B::RuntimeException, nullptr},
    {B::StackOverflowException, "stackOverflowException", 24, B::RuntimeException, nullptr},
    {B::EndException, "EndException", 24, B::RuntimeException, nullptr},
    {B::DivideByZeroException, "DivideByZeroException", 24, B::RuntimeException, nullptr},
    {B::FolderItem, "FolderItem", 32, B::Object, nullptr},
    {B::BinaryStream, "BinaryStream", 32, B::Object, nullptr},
    {B::TextInputStream, "TextInputStream", 1060, B::Object, nullptr},
    {B::TextOutputStream, "TextOutputStream", 32, B::Object, nullptr},
    {B::Picture, "Picture", 40, B::Object, nullptr},
    {B::Movie, "Movie", 40, B::Object, nullptr},
    {B::Sound, "Sound", 40, B::Object, nullptr},
    {B::MouseCursor, "MouseCursor", 28, B::Object, nullptr},
    {B::Graphics, "Graphics", 40, B::Object, nullptr},
    {B::RGBSurface, "RGBSurface", 48, B::Object, nullptr},
    {B::Variant, "Variant", 40, B::Object, nullptr},
    {B::Date, "Date", 36, B::Object, nullptr},
    {B::MemoryBlock, "MemoryBlock", 36, B::Object, nullptr},
    {B::Collection, "Collection", 28, B::Object, nullptr},
    {B::CollectionElement, "CollectionElement", 24, B::Object, nullptr},
    {B::DragItem, "DragItem", 72, B::Object, nullptr},
    {B::Clipboard, "Clipboard", 32, B::Object, nullptr},
    {B::Timer, "Timer", 52, B::Object, &kTimerEventTable},
    {B::Thread, "Thread", 32, B::Object, nullptr},
    {B::Semaphore, "Semaphore", 28, B::Object, nullptr},
    {B::CriticalSection, "CriticalSection", 48, B::Object, nullptr},
    {B::Socket, "Socket", 36, B::Object, nullptr},
    {B::Serial, "Serial", 64, B::Object, nullptr},
    {B::SerialPort, "SerialPort", 44, B::Object, nullptr},
    {B::Screen, "Screen", 44, B::Object, nullptr},
    {B::PrinterSetup, "PrinterSetup", 204, B::Object, nullptr},
    {B::StyledTextPrinter, "StyledTextPrinter", 44, B::Object, nullptr},
    {B::TextEncoding, "TextEncoding", 44, B::Object, nullptr},
    {B::TextConverter, "TextConverter", 36, B::Object, nullptr},
    {B::DatabaseQuery, "DatabaseQuery", 48, B::Object, nullptr},
    {B::ObjectCursor, "ObjectCursor", 32, B::Object, nullptr},
    {B::Runtime, "Runtime", 28, B::Object, nullptr},
    {B::SysCheckBoxAction, "Sys$CheckBoxAction", 24, B::Object, nullptr},
    {B::SysRadioButtonAction, "Sys$RadioButtonAction", 24, B::Object, nullptr},
    {B::SysListboxAction, "Sys$ListboxAction", 24, B::Object, nullptr},
    {B::MoviePlayerAction, "MoviePlayerAction", 24, B::Object, nullptr},
    {B::SysPopupRowTag, "sys$popupRowTag", 24, B::Object, nullptr},
    {B::ListColumnValueProvider, "listColumnValueProvider", 24, B::Object, nullptr},
    {B::ListSelectionProvider, "listSelectionProvider", 24, B::Object, nullptr},
    {B::SysKeyboard, "Sys$Keyboard", 24, B::Object, nullptr},
    // Owns one array local of compiled code (array, element kind).
    {B::SysArrayOwner, "Sys$ArrayOwner", 32, B::Object, nullptr},
    {B::StringProvider, "StringProvider", 24, B::Object, nullptr},
    {B::StringInterface, "StringInterface", 24, B::Object, nullptr},
    {B::ListInterface, "ListInterface", 24, B::Object, nullptr},
    {B::BooleanProvider, "BooleanProvider", 24, B::Object, nullptr},
    {B::ActionSource, "actionSource", 24, B::Object, nullptr},
    {B::ActionNotificationReceiver, "actionNotificationReceiver", 24, B::Object, nullptr},
    {B::DataAvailableProvider, "DataAvailableProvider", 24, B::Object, nullptr},
    {B::DataNotifier, "dataNotifier", 24, B::Object, nullptr},
    {B::DataNotificationReceiver, "dataNotificationReceiver", 24, B::Object, nullptr},
    {B::ListSelectionNotifier, "listSelectionNotifier", 24, B::Object, nullptr},
    {B::ListSelectionNotificationReceiver, "listSelectionNotificationReceiver", 24, B::Object, nullptr},
    {B::BindingInterface, "bindingInterface", 24, B::Object, nullptr},
    {B::BindingPartInterface, "bindingPartInterface", 24, B::Object, nullptr},
    {B::ListDataProvider, "listDataProvider", 24, B::Object, nullptr},
    {B::ListDataNotifier, "listDataNotifier", 24, B::Object, nullptr},
    {B::ListDataNotificationReceiver, "listDataNotificationReceiver", 24, B::Object, nullptr},
    {B::TupleInterface, "tupleInterface", 24, B::Object, nullptr},
    // The binders' fields and code come with the window layer.
    {B::EnablingBinder, "enablingBinder", 24, B::Object, nullptr},
    {B::ActionBinder, "actionBinder", 24, B::Object, nullptr},
    {B::StringBinder, "stringBinder", 24, B::Object, nullptr},
    {B::ListBinder, "listBinder", 24, B::Object, nullptr},
};
static_assert(sizeof kRows / sizeof kRows[0] == kCount, "one row per built-in class");

// The methods of each binding interface, in the order of their numbers.
struct InterfaceRow {
    BuiltinClass which;
    const char* methods[4];
};

const InterfaceRow kInterfaces[] = {
    {B::StringProvider, {"GetString"}},
    {B::StringInterface, {"GetString", "SetString"}},
    {B::ListInterface, {"setListDataProvider"}},
    {B::BooleanProvider, {"GetBoolean", "SetBoolean"}},
    {B::ActionSource, {"addActionNotificationReceiver", "removeActionNotificationReceiver"}},
    {B::ActionNotificationReceiver, {"PerformAction"}},
    {B::DataAvailableProvider, {"DataAvailable"}},
    {B::DataNotifier, {"addDataNotificationReceiver", "removeDataNotificationReceiver"}},
    {B::DataNotificationReceiver, {"DataChanged"}},
    {B::ListSelectionNotifier, {"addListSelectionNotificationReceiver", "removeListSelectionNotificationReceiver"}},
    {B::ListSelectionNotificationReceiver, {"selectionChanging", "selectionChanged"}},
    {B::BindingInterface, {"bind"}},
    {B::BindingPartInterface, {"getBoundPart"}},
    {B::ListDataProvider, {"GetCount", "GetRow", "CellType", "SetCellString"}},
    {B::ListDataNotifier, {"addListDataNotificationReceiver", "removeListDataNotificationReceiver"}},
    {B::ListDataNotificationReceiver, {"listDataInsertedRow", "listDataRemovedRow", "listDataReload"}},
    {B::TupleInterface, {"FieldCount", "getIndString"}},
};

RuntimeClass* g_classes[kCount];
// The same descriptors sorted by name, for the lookup by name.
RuntimeClass* g_by_name[kCount];

int compare_names(const RuntimeClass* cls, const char* name, std::size_t length) {
    return name_compare(string_cstr(cls->name), string_length(cls->name), name, length);
}

void add_events(RuntimeClass* cls, const EventTable& table) {
    for (std::size_t i = 0; i < table.count; ++i) {
        const EventTableRow& row = table.rows[i];
        *row.slot = class_add_event(cls, string_from_cstr(row.name), string_from_cstr(row.parameters),
                                    string_from_cstr(row.result));
    }
}

// Interfaces stand outside the class tree and list their methods by name only.
void make_interfaces() {
    for (const InterfaceRow& row : kInterfaces) {
        RuntimeClass* cls = g_classes[static_cast<int>(row.which)];
        cls->is_interface = 1;
        cls->superclass = nullptr;
        std::uint32_t number = 1;
        for (const char* method : row.methods)
            if (method) class_add_method(cls, string_from_cstr(method), nullptr)->number = number++;
    }
}

void sort_by_name() {
    for (int i = 0; i < kCount; ++i) {
        RuntimeClass* cls = g_classes[i];
        int j = i;
        for (; j > 0 && compare_names(g_by_name[j - 1], string_cstr(cls->name), string_length(cls->name)) > 0; --j)
            g_by_name[j] = g_by_name[j - 1];
        g_by_name[j] = cls;
    }
}

}  // namespace

void builtin_classes_create() {
    if (g_classes[0]) return;
    for (const BuiltinRow& row : kRows) {
        RuntimeClass* cls = class_new(string_from_cstr(row.name));
        cls->builtin = 1;
        cls->instance_size = row.instance_size;
        if (row.which != B::Object) cls->superclass = g_classes[static_cast<int>(row.superclass)];
        if (row.events) add_events(cls, *row.events);
        g_classes[static_cast<int>(row.which)] = cls;
    }
    make_interfaces();
    sort_by_name();
}

RuntimeClass* builtin_class(BuiltinClass which) {
    if (!g_classes[0]) builtin_classes_create();
    return g_classes[static_cast<int>(which)];
}

RuntimeClass* builtin_class_named(const char* name, std::size_t length) {
    if (!g_classes[0]) builtin_classes_create();
    int low = 0, high = kCount;
    while (low < high) {
        int middle = (low + high) / 2;
        int order = compare_names(g_by_name[middle], name, length);
        if (order == 0) return g_by_name[middle];
        if (order < 0) low = middle + 1;
        else high = middle;
    }
    return nullptr;
}
