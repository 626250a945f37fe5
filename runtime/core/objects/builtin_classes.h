// The classes the runtime provides, created once at start-up. Other areas
// create their objects with object_new(builtin_class(BuiltinClass::X)).
#pragma once

#include <cstddef>

struct RuntimeClass;

enum class BuiltinClass {
    Object,
    Application,
    Window,
    Dialog,
    Applet,
    Control,
    RectControl,
    PushButton,
    CheckBox,
    RadioButton,
    StaticText,
    EditField,
    Listbox,
    PopupMenu,
    TabPanel,
    GroupBox,
    ProgressBar,
    Slider,
    ScrollBar,
    Canvas,
    MoviePlayer,
    Rectangle,
    RoundRectangle,
    Oval,
    Line,
    ContextualMenu,
    NotePlayer,
    MenuItem,
    QuitMenuItem,
    RuntimeException,
    NilObjectException,
    IllegalCastException,
    OutOfBoundsException,
    TypeMismatchException,
    StackOverflowException,
    EndException,
    FolderItem,
    BinaryStream,
    TextInputStream,
    TextOutputStream,
    Picture,
    Movie,
    Sound,
    MouseCursor,
    Graphics,
    RGBSurface,
    Variant,
    Date,
    MemoryBlock,
    Collection,
    CollectionElement,
    DragItem,
    Clipboard,
    Timer,
    Thread,
    Semaphore,
    CriticalSection,
    Socket,
    Serial,
    SerialPort,
    Screen,
    PrinterSetup,
    StyledTextPrinter,
    TextEncoding,
    TextConverter,
    DatabaseQuery,
    ObjectCursor,
    Runtime,
    SysCheckBoxAction,
    SysRadioButtonAction,
    SysListboxAction,
    MoviePlayerAction,
    SysPopupRowTag,
    ListColumnValueProvider,
    ListSelectionProvider,
    SysKeyboard,
    Count
};

// Creates the descriptors and their event definitions; later calls do nothing.
void builtin_classes_create();
// The descriptor, created on first use.
RuntimeClass* builtin_class(BuiltinClass which);
// Lookup by name, letters a-z equal to A-Z; null when no built-in class has it.
RuntimeClass* builtin_class_named(const char* name, std::size_t length);
