// The records of the menu bar stream, read apart from what they become, so
// that the reading can be checked on its own.
#pragma once

#include <cstddef>
#include <cstdint>

struct RuntimeString;

struct MenuItemRecord {
    std::int32_t kind, index, class_index;
    RuntimeString *text, *name, *shortcut, *kept[2];
    std::uint8_t flag;
};

// What the records become. A menu is the sink's own handle; the items of a
// menu without one are read and dropped.
class MenuStreamSink {
public:
    // A new popup menu for the bar; its items follow.
    virtual void* menu_begin() = 0;
    // After the menu's items, as far as they were read.
    virtual void menu_end(void* menu, const RuntimeString* title) = 0;
    // An item for `into` (never null). The sink keeps the strings it takes
    // by setting them to nil in `item`; `submenu` receives where the items
    // of its submenu go. False: no such item can be made (a damaged stream).
    virtual bool item(void* into, MenuItemRecord& item, bool has_submenu, void*& submenu) = 0;

protected:
    ~MenuStreamSink() = default;
};

// False when the stream ends early, holds an impossible count, nests too
// deep or names an item the sink cannot make; what was handed on stays.
bool menu_stream_read(const std::uint8_t* stream, std::size_t length, MenuStreamSink& sink);
