#include "startup/ui_services.h"

namespace {

void nothing() {}
void no_font(const char*, int) {}
bool no_mdi_frame(RuntimeString*, int, int) { return false; }
HWND no_client() { return nullptr; }
bool no() { return false; }
bool yes() { return true; }
void no_cursor(POINT) {}
bool not_consumed(MSG*) { return false; }
const char* plain_caption() { return "Message"; }

UiServices g_services = {
    DefWindowProcA, DefWindowProcA, nothing, nothing, no_font, no_mdi_frame, no_client,
    nothing, nothing, no, no_cursor, not_consumed, nothing, nothing, nothing,
    yes, nothing, no, nothing, nothing,
    nothing, no_client, plain_caption, nothing,
};

}  // namespace

UiServices& ui_services() { return g_services; }
