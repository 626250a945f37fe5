#include "menus/menu_stream.h"

#include <windows.h>

#include "image/linker.h"
#include "menus/command_ids.h"
#include "menus/menu_bar.h"
#include "menus/menu_item.h"
#include "menus/menu_native.h"
#include "menus/menu_stream_reader.h"
#include "objects/builtin_classes.h"
#include "objects/classes.h"
#include "strings/runtime_string.h"

namespace {

// Array indexes that older writers used for "not in an array".
std::int32_t array_index(std::int32_t written) {
    if (written == static_cast<std::int32_t>(0x80000010) || written == static_cast<std::int32_t>(0x80100000))
        return kNotInArray;
    return written;
}

RuntimeClass* item_class(std::int32_t class_index) {
    RuntimeClass* cls = class_table_at(class_index);
    if (!cls || !class_descends_from(cls, builtin_class(BuiltinClass::MenuItem))) return nullptr;
    return cls->instance_size >= sizeof(MenuItemObject) ? cls : nullptr;
}

// The stream's menus become popups of the bar, its items menu item objects.
class Builder final : public MenuStreamSink {
public:
    explicit Builder(HMENU bar) : bar_(bar) {}

    void* menu_begin() override { return menu_add(CreatePopupMenu(), nullptr); }

    void menu_end(void* menu, const RuntimeString* title) override {
        AppendMenuA(bar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(static_cast<Menu*>(menu)->handle),
                    string_cstr(title));
    }

    bool item(void* menu, MenuItemRecord& r, bool has_submenu, void*& submenu) override {
        RuntimeClass* cls = item_class(r.class_index);
        if (!cls) return false;
        Menu* into = static_cast<Menu*>(menu);
        MenuItemObject* item = as_menu_item(object_new(cls));
        item->text = take(r.text);
        item->name = take(r.name);
        item->shortcut = take(r.shortcut);
        item->kept[0] = take(r.kept[0]);
        item->kept[1] = take(r.kept[1]);
        item->index = array_index(r.index);
        item->stream_flag = r.flag;
        item->command_id = command_id_take(item);
        submenu = has_submenu ? menu_add(CreatePopupMenu(), item) : nullptr;
        menu_insert_item(into, into->count, item);
        menu_item_insert_native(item, static_cast<UINT>(GetMenuItemCount(into->handle)));
        RuntimeUnlockObject(as_object(item));  // the menu holds it
        return true;
    }

private:
    static RuntimeString* take(RuntimeString*& s) {
        RuntimeString* taken = s;
        s = nullptr;
        return taken;
    }

    HMENU bar_;
};

}  // namespace

void menu_bar_build(const std::uint8_t* stream, std::size_t length) {
    if (menu_bar_handle() || !stream) return;
    HMENU bar = CreateMenu();
    menu_bar_set_handle(bar);
    Builder builder(bar);
    if (menu_stream_read(stream, length, builder)) return;
    RuntimeString* text = damaged_image_message("its menu bar is cut short");
    RuntimeMsgBox(text);
    RuntimeUnlockString(text);
}
