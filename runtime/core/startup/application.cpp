#include "startup/application.h"

#include "objects/builtin_classes.h"
#include "objects/builtin_events.h"
#include "objects/code_lookup.h"
#include "exceptions/exceptions.h"
#include "folder_item.h"
#include "objects/objects.h"
#include "strings/runtime_string.h"
#include "startup/ui_services.h"

namespace {

RuntimeObject* g_application = nullptr;
bool g_quitting = false;

}  // namespace

void application_create(RuntimeClass* image_class) {
    g_application = object_new(image_class ? image_class : builtin_class(BuiltinClass::Application));
}

RuntimeObject* application_object() { return g_application; }

bool application_fire(EventDefinition* event, RuntimeObject* item) {
    void* code = g_application ? event_lookup(g_application, event) : nullptr;
    if (!code) return false;
    if (item) reinterpret_cast<void (*)(RuntimeObject*, RuntimeObject*)>(code)(g_application, item);
    else reinterpret_cast<void (*)(RuntimeObject*)>(code)(g_application);
    return true;
}

bool next_document(const char*& cursor, const char*& start, std::size_t& length) {
    while (*cursor == ' ') ++cursor;
    if (!*cursor) return false;
    char end = ' ';
    if (*cursor == '"') {
        end = '"';
        ++cursor;
    }
    start = cursor;
    while (*cursor && *cursor != end) ++cursor;
    length = static_cast<std::size_t>(cursor - start);
    if (end == '"' && *cursor == '"') ++cursor;
    return true;
}

bool application_open_documents(const char* command_line) {
    bool opened = false;
    if (g_application && *command_line && event_lookup(g_application, g_application_events.open_document)) {
        RuntimeObject* item = folder_item_new(nullptr);
        const char* cursor = command_line;
        const char* start;
        std::size_t length;
        while (next_document(cursor, start, length)) {
            folder_item_set_path(item, string_from_bytes(start, length));
            application_fire(g_application_events.open_document, item);
            opened = true;
        }
        RuntimeUnlockObject(item);
    }
    return opened;
}

extern "C" RuntimeObject* getAppObject() { return RuntimeLockObject(g_application); }

extern "C" void ApplicationNewDocument() { application_fire(g_application_events.new_document); }

extern "C" void ApplicationOpenDocument(RuntimeObject* item) {
    application_fire(g_application_events.open_document, item);
}

extern "C" void DisableAutoWaitCursor() {
    // The runtime shows no automatic wait cursor: nothing to disable.
}

extern "C" void ApplicationQuit() {
    if (g_quitting) return;
    g_quitting = true;
    UiServices& ui = ui_services();
    if (ui.any_window_cancels_close()) {
        g_quitting = false;
        return;
    }
    application_fire(g_application_events.close);
    ui.close_all_windows();
    g_quitting = false;
    raise_owned(object_new(builtin_class(BuiltinClass::EndException)));
}
