// A host program for damaged window descriptions, run under dialog_driver:
// each must end in the damaged-image message and leave no window behind.
//   window_failures cut-in-pairs | cut-in-controls
// Exits 0 when RuntimeCreateWindow gave nil and no window of the runtime
// remains, 3 otherwise.
#include <cstring>

#include "descriptions/window_description.h"
#include "window_test_support.h"

namespace {

BOOL CALLBACK count_runtime_window(HWND hwnd, LPARAM count) {
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (std::strcmp(name, "TVWindow") == 0) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// Keeps the first `keep` bytes of the body and says the body is that long,
// so that the reader runs out in the middle.
std::vector<std::uint8_t> cut(std::vector<std::uint8_t> description, std::size_t keep) {
    description.resize(4 + keep);
    for (int i = 0; i < 4; ++i) description[i] = static_cast<std::uint8_t>(keep >> (8 * i));
    return description;
}

}  // namespace

int main(int argc, char** argv) {
    window_layer_ready();
    RuntimeClass* classes[] = {builtin_class(BuiltinClass::Window), builtin_class(BuiltinClass::PushButton)};
    class_table_install(classes, 2);
    const std::vector<std::uint8_t> whole = window_description(
        0, {{"Title", "Damaged"}, {"Width", "100"}}, {{1, {{"Name", "First"}, {"Left", "5"}}}});
    const bool in_controls = argc > 1 && std::strcmp(argv[1], "cut-in-controls") == 0;
    // The window's pairs end 26 bytes into the body; the control entry follows.
    const std::vector<std::uint8_t> damaged = cut(whole, in_controls ? whole.size() - 4 - 6 : 12);
    RuntimeObject* slot = nullptr;
    RuntimeObject* window = RuntimeCreateWindow(damaged.data(), &slot);
    int left = 0;
    EnumThreadWindows(GetCurrentThreadId(), count_runtime_window, reinterpret_cast<LPARAM>(&left));
    return window == nullptr && slot == nullptr && left == 0 ? 0 : 3;
}
