// A host program for damaged menu bar streams, run under dialog_driver:
// each must show the damaged-image message once and keep what was built
// before the damage.
//   menu_failures cut-in-item | impossible-count | not-a-menu-item
// Exits 0 when exactly the items before the damage exist, 3 otherwise.
#include <algorithm>
#include <cstring>

#include "menu_stream_support.h"
#include "menus/menu_entry_points.h"
#include "menus/menu_stream.h"
#include "windows/native_view.h"

namespace {

bool exists(const char* name) {
    RuntimeString* s = string_from_cstr(name);
    RuntimeObject* item = RuntimeMenuReference(s);
    RuntimeUnlockString(s);
    RuntimeUnlockObject(item);
    return item != nullptr;
}

ItemEntry item(const char* name, std::int32_t cls = 0) {
    ItemEntry i;
    i.text = name;
    i.name = name;
    i.class_index = cls;
    return i;
}

// Where the text "Second" begins in the stream.
std::size_t second_at(const std::vector<std::uint8_t>& stream) {
    const char second[] = "Second";
    return static_cast<std::size_t>(std::search(stream.begin(), stream.end(), second, second + 6) - stream.begin());
}

}  // namespace

int main(int argc, char** argv) {
    window_layer_ready();
    RuntimeClass* classes[] = {builtin_class(BuiltinClass::MenuItem), builtin_class(BuiltinClass::Window)};
    class_table_install(classes, 2);
    const std::string how = argc > 1 ? argv[1] : "";
    std::vector<std::uint8_t> stream;
    if (how == "impossible-count") {
        // The second menu claims more items than the stream has bytes: its
        // count sits before the item's kind and text length.
        stream = menu_bar_stream({{"File", {item("First")}}, {"Later", {item("Second")}, 3}, {"Last", {item("Third")}}});
        const std::size_t count_at = second_at(stream) - 3;
        std::vector<std::uint8_t> huge;
        put_packed_signed(huge, 1 << 24);
        stream.erase(stream.begin() + static_cast<std::ptrdiff_t>(count_at));
        stream.insert(stream.begin() + static_cast<std::ptrdiff_t>(count_at), huge.begin(), huge.end());
    } else {
        stream = menu_bar_stream({{"File", {item("First"), item("Second", how == "not-a-menu-item" ? 1 : 0)}},
                                  {"Later", {item("Third")}}});
        // Cut in the middle of the second item's name.
        if (how == "cut-in-item") stream.resize(second_at(stream) + 3);
    }
    menu_bar_build(stream.data(), stream.size());
    menu_bar_build(stream.data(), stream.size());  // later streams are ignored
    const bool first = exists("First"), second = exists("Second"), third = exists("Third");
    return application_menu_bar() && first && !second && !third ? 0 : 3;
}
