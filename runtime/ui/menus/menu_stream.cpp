#include "menus/menu_stream.h"

#include <windows.h>

#include "image/linker.h"
#include "image/packed_reader.h"
#include "menus/command_ids.h"
#include "menus/menu_bar.h"
#include "menus/menu_item.h"
#include "menus/menu_native.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "strings/runtime_string.h"

namespace {

// Deeper nesting than this is no menu a person could use: a damaged stream.
constexpr int kDeepestSubmenu = 8;

// Array indexes that older writers used for "not in an array".
std::int32_t array_index(std::int32_t written) {
    if (written == static_cast<std::int32_t>(0x80000010) || written == static_cast<std::int32_t>(0x80100000))
        return kNotInArray;
    return written;
}

void release(RuntimeString* const* strings, int n) {
    for (int i = 0; i < n; ++i) RuntimeUnlockString(strings[i]);
}

RuntimeClass* item_class(std::int32_t class_index) {
    RuntimeClass* cls = class_table_at(class_index);
    if (!cls || !class_descends_from(cls, builtin_class(BuiltinClass::MenuItem))) return nullptr;
    return cls->instance_size >= sizeof(MenuItemObject) ? cls : nullptr;
}

class Builder {
public:
    Builder(const std::uint8_t* stream, std::size_t length) : reader_(stream, length), length_(length) {}

    bool menus(HMENU bar) {
        std::int32_t n = 0;
        if (!count(n)) return false;
        for (std::int32_t i = 0; i < n; ++i)
            if (!menu(bar)) return false;
        return true;
    }

private:
    // A count can never exceed the bytes that would hold its entries.
    bool count(std::int32_t& n) {
        return reader_.packed(n) && n >= 0 && static_cast<std::size_t>(n) <= length_;
    }

    bool menu(HMENU bar) {
        enum { kTitle, kName, kKept1, kKept2, kKept3, kStrings };
        RuntimeString* s[kStrings] = {};
        std::int32_t kind = 0, index = 0, further = 0;
        std::uint8_t kept_a = 0, kept_b = 0;
        const bool read = reader_.packed(kind) && reader_.text(s[kTitle]) && reader_.text(s[kName]) &&
                          reader_.packed(index) && reader_.text(s[kKept1]) && reader_.text(s[kKept2]) &&
                          reader_.text(s[kKept3]) && reader_.u8(kept_a) && reader_.u8(kept_b) && reader_.packed(further);
        if (!read) {
            release(s, kStrings);
            return false;
        }
        // Kinds 1 and 2 have no popup here: their items are read and dropped.
        Menu* into = kind == 1 || kind == 2 ? nullptr : menu_add(CreatePopupMenu(), nullptr);
        const bool whole = items(into, 0);
        if (into) AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(into->handle), string_cstr(s[kTitle]));
        release(s, kStrings);
        return whole;
    }

    // `into` null: the items are read and dropped.
    bool items(Menu* into, int depth) {
        std::int32_t n = 0;
        if (!count(n)) return false;
        for (std::int32_t i = 0; i < n; ++i)
            if (!item(into, depth)) return false;
        return true;
    }

    bool item(Menu* into, int depth) {
        enum { kText, kName, kShortcut, kKept1, kKept2, kStrings };
        RuntimeString* s[kStrings] = {};
        std::int32_t kind = 0, index = 0, class_index = 0;
        std::uint8_t flag = 0, has_submenu = 0;
        const bool read = reader_.packed(kind) && reader_.text(s[kText]) && reader_.text(s[kName]) &&
                          reader_.packed(index) && reader_.text(s[kShortcut]) && reader_.text(s[kKept1]) &&
                          reader_.text(s[kKept2]) && reader_.u8(flag) && reader_.u8(has_submenu) &&
                          reader_.packed(class_index);
        RuntimeClass* cls = read && into && kind != 2 ? item_class(class_index) : nullptr;
        if (!read || (into && kind != 2 && !cls)) {
            release(s, kStrings);
            return false;
        }
        if (!cls) {
            release(s, kStrings);
            return !has_submenu || submenu(nullptr, depth);
        }
        MenuItemObject* item = as_menu_item(object_new(cls));
        item->text = s[kText];
        item->name = s[kName];
        item->shortcut = s[kShortcut];
        item->kept[0] = s[kKept1];
        item->kept[1] = s[kKept2];
        item->index = array_index(index);
        item->stream_flag = flag;
        item->command_id = command_id_take(item);
        Menu* sub = has_submenu ? menu_add(CreatePopupMenu(), item) : nullptr;
        menu_insert_item(into, into->count, item);
        menu_item_insert_native(item, static_cast<UINT>(GetMenuItemCount(into->handle)));
        RuntimeUnlockObject(as_object(item));  // the menu holds it
        return !has_submenu || submenu(sub, depth);
    }

    bool submenu(Menu* sub, int depth) { return depth < kDeepestSubmenu && items(sub, depth + 1); }

    PackedReader reader_;
    std::size_t length_;
};

}  // namespace

void menu_bar_build(const std::uint8_t* stream, std::size_t length) {
    if (menu_bar_handle() || !stream) return;
    HMENU bar = CreateMenu();
    menu_bar_set_handle(bar);
    Builder builder(stream, length);
    if (builder.menus(bar)) return;
    RuntimeString* text = damaged_image_message("its menu bar is cut short");
    RuntimeMsgBox(text);
    RuntimeUnlockString(text);
}
