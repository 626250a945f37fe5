// The menu bar stream: menus, their items and submenus. The sink stands for
// a class table of 64 menu item classes (the images' own indexes are among
// them): an item of any other class cannot be made. It keeps every string it is handed, as an item does,
// and gives it back at once; nothing may be left allocated.
#include <cstdlib>

#include "fuzz_shim.h"
#include "menus/menu_stream_reader.h"
#include "strings/runtime_string.h"

namespace {
class Sink final : public MenuStreamSink {
public:
    void* menu_begin() override { return &menus_; }
    void menu_end(void* menu, const RuntimeString*) override {
        if (menu != &menus_) std::abort();
    }
    bool item(void* into, MenuItemRecord& r, bool has_submenu, void*& submenu) override {
        if (!into) std::abort();
        if (r.class_index < 0 || r.class_index >= 64) return false;
        RuntimeString** kept[] = {&r.text, &r.name, &r.shortcut, &r.kept[0], &r.kept[1]};
        for (RuntimeString** s : kept) {
            RuntimeUnlockString(*s);
            *s = nullptr;
        }
        submenu = has_submenu ? &menus_ : nullptr;
        return true;
    }

private:
    int menus_ = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t baseline = fuzz_memory_in_use();
    Sink sink;
    menu_stream_read(data, size, sink);
    fuzz_expect_memory(baseline);
    return 0;
}
