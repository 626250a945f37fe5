#include "menus/menu_layer.h"

#include "menus/menu_classes.h"
#include "menus/menu_passes.h"
#include "menus/menu_stream.h"
#include "panes/keyboard.h"
#include "startup/project_description.h"

void menus_describe_classes() { menu_classes_describe(); }

void menus_build_from_project() {
    std::size_t length = 0;
    const std::uint8_t* stream = project_menu_bar(length);
    menu_bar_build(stream, length);
}

void menus_install() { keyboard_set_menu_shortcut(menus_shortcut); }
