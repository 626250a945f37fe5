// RuntimeInit: everything between linking the image and the main loop, in
// a fixed order.
#include <windows.h>
#include <ole2.h>

#include "startup/application.h"
#include "objects/builtin_classes.h"
#include "objects/builtin_events.h"
#include "drawing/drawing_classes.h"
#include "exceptions/exceptions.h"
#include "file_class_members.h"
#include "objects/final_release.h"
#include "image/image_loader.h"
#include "image/linker.h"
#include "plugin_host.h"
#include "plugin_list.h"
#include "startup/process.h"
#include "startup/project_description.h"
#include "startup/project_settings.h"
#include "startup/startup.h"
#include "startup/ui_services.h"
#include "timer/timer.h"
#include "values/array_owner.h"
#include "values/collection.h"

namespace {

constexpr std::uintptr_t kStackAllowance = 0xE0000;  // 917,504 bytes

void register_window_class(const char* name, WNDPROC procedure, HICON icon) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = 4;
    wc.hInstance = process_instance();
    wc.hIcon = icon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
}

DataSpan g_data = {nullptr, 0};

// The records of the description must lie in the block that holds it: the
// loaded image's data block unless a host program named another. Its code
// pointers must lie in the image's code.
DescriptionBlocks description_blocks() {
    DataSpan code = {image_code_base(), image_code_size()};
    if (g_data.start) return {g_data, code};
    return {{image_data_base(), image_data_size()}, code};
}

const char* damage_reason(DescriptionDamage damage) {
    switch (damage) {
        case DescriptionDamage::outside_code: return "its project description points outside its code";
        case DescriptionDamage::inherits_from_itself: return "a class of its project description inherits from itself";
        default: return "its project description points outside its data";
    }
}

// A damaged description cannot be run safely: nothing of the application
// has started yet.
[[noreturn]] void end_with_damaged_description(DescriptionDamage damage) {
    RuntimeString* text = damaged_image_message(damage_reason(damage));
    RuntimeMsgBox(text);
    RuntimeUnlockString(text);
    final_release_run();
    ExitProcess(0);
}

}  // namespace

void runtime_set_description_data(const std::uint8_t* start, std::size_t size) { g_data = {start, size}; }

extern "C" void RuntimeInit(const std::uint8_t* description) {
    UiServices& ui = ui_services();
    HICON icon = LoadIconA(process_instance(), MAKEINTRESOURCEA(102));
    register_window_class("TVWindow", ui.window_procedure, icon);
    register_window_class("TV_Pane", ui.pane_procedure, nullptr);

    OleInitialize(nullptr);
    ui.init_colours();
    builtin_classes_create();
    ui.describe_classes();
    // Plugin imports of file members are bound before any file object exists.
    file_classes_describe();
    drawing_classes_describe();
    timer_class_describe();
    collection_class_describe();
    array_owner_class_describe();
    plugin_host_connect();
    plugin_list_install();
    ui.set_default_font("System", 12);

    int here = 0;
    stack_limit_set(reinterpret_cast<std::uintptr_t>(&here) - kStackAllowance);
    resolve_pending_plugin_references();

    RuntimeClass* application_class = nullptr;
    if (description) {
        DescriptionBlocks blocks = description_blocks();
        DescriptionDamage damage = DescriptionDamage::none;
        application_class = project_read_classes(description, blocks, damage);
        if (damage == DescriptionDamage::none && !project_read_items(description, blocks.data)) {
            damage = DescriptionDamage::outside_data;
        }
        if (damage != DescriptionDamage::none) end_with_damaged_description(damage);
        ui.build_menu_bar();
    }
    const ProjectSettings& settings = project_settings();
    if (settings.mdi && !ui.create_mdi_frame(settings.title, 640, 480)) {
        RuntimeString* text = string_from_cstr("This application needs a multiple-document window, which this runtime cannot create.");
        RuntimeMsgBox(text);
        RuntimeUnlockString(text);
    }

    application_create(application_class);
    application_fire(g_application_events.open);
    bool opened = application_open_documents(process_command_line());
    if (settings.mdi) application_fire(g_application_events.activate);
    if (!opened) ApplicationNewDocument();
}
