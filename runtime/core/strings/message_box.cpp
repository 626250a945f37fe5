#include <windows.h>

#include "strings/message_owner.h"
#include "strings/runtime_string.h"

extern "C" void RuntimeMsgBox(RuntimeString* s) {
    MessageBoxA(runtime_owner_window(), string_cstr(s), runtime_message_caption(), MB_ICONINFORMATION);
}
