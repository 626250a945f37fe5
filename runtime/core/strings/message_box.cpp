#include <windows.h>

#include "startup/ui_services.h"
#include "strings/runtime_string.h"

extern "C" void RuntimeMsgBox(RuntimeString* s) {
    UiServices& ui = ui_services();
    MessageBoxA(ui.message_owner(), string_cstr(s), ui.message_caption(), MB_ICONINFORMATION);
}
