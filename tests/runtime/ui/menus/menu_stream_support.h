// Menu bar streams built in memory, as the compiler writes them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../descriptions/window_test_support.h"

struct ItemEntry {
    std::string text, name;
    std::int32_t class_index = 0;
    std::int32_t index = INT32_MIN;  // not in an array
    std::string key;
    std::int32_t kind = 0;  // 2: skipped
    std::vector<ItemEntry> submenu;
};

struct MenuEntry {
    std::string title;
    std::vector<ItemEntry> items;
    std::int32_t kind = 0;  // 1 and 2: no popup
};

inline void put_items(std::vector<std::uint8_t>& out, const std::vector<ItemEntry>& items) {
    put_packed_signed(out, static_cast<std::int32_t>(items.size()));
    for (const ItemEntry& i : items) {
        put_packed_signed(out, i.kind);
        put_string(out, i.text);
        put_string(out, i.name);
        put_packed_signed(out, i.index);
        put_string(out, i.key);
        put_string(out, "");
        put_string(out, "");
        out.push_back(0);
        out.push_back(i.submenu.empty() ? 0 : 1);
        put_packed_signed(out, i.class_index);
        if (!i.submenu.empty()) put_items(out, i.submenu);
    }
}

inline std::vector<std::uint8_t> menu_bar_stream(const std::vector<MenuEntry>& menus) {
    std::vector<std::uint8_t> out;
    put_packed_signed(out, static_cast<std::int32_t>(menus.size()));
    for (const MenuEntry& m : menus) {
        put_packed_signed(out, m.kind);
        put_string(out, m.title);
        put_string(out, m.title + "Menu");
        put_packed_signed(out, INT32_MIN);
        for (int i = 0; i < 3; ++i) put_string(out, "");
        out.push_back(0);
        out.push_back(0);
        put_packed_signed(out, 0);
        put_items(out, m.items);
    }
    return out;
}
