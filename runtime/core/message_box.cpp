#include <windows.h>

#include "message_owner.h"
#include "runtime_string.h"

extern "C" void RuntimeMsgBox(RuntimeString* s) {
    MessageBoxA(runtime_owner_window(), string_cstr(s), runtime_message_caption(), MB_ICONINFORMATION);
}
