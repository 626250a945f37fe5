#include "bevel_button.h"

#include <cstddef>

#include "controls.h"
#include "services.h"

namespace {

#define FIELD(member) static_cast<std::uint32_t>(offsetof(BevelData, member))

const char* const kCaptionAligns[] = {"Left", "Right", "Flush Left", "Centre"};
const char* const kCaptionPlacements[] = {"Default", "Normal", "Right of Icon", "Left of Icon", "Below Icon",
                                          "Above Icon"};
const char* const kIconAligns[] = {"Default", "Centre", "Left", "Right", "Top", "Bottom",
                                   "Top Left", "Bottom Left", "Top Right", "Bottom Right"};
const char* const kBevels[] = {"Small", "Medium", "Large"};
const char* const kMenus[] = {"No Menu", "Menu Below", "Menu Right"};
const char* const kButtonTypes[] = {"Push", "Toggle", "Sticky"};

constexpr std::uint32_t kRedraw = 1;
void* const kField = TAVO_FIELD_ACCESSOR;

#define ENUMERATED(names) sizeof names / sizeof names[0], names

const TAVOPropertyDefinition kProperties[] = {
    {"Appearance", "Caption", "String", kRedraw, kField, kField, FIELD(caption)},
    {"Appearance", "CaptionAlign", "Integer", kRedraw, kField, kField, FIELD(caption_align), 0, ENUMERATED(kCaptionAligns)},
    {"Appearance", "CaptionPlacement", "Integer", kRedraw, kField, kField, FIELD(caption_placement), 0,
     ENUMERATED(kCaptionPlacements)},
    {"Appearance", "CaptionDelta", "Integer", kRedraw, kField, kField, FIELD(caption_delta)},
    {"Appearance", "Icon", "Picture", kRedraw, kField, kField, FIELD(icon)},
    {"Appearance", "IconAlign", "Integer", kRedraw, kField, kField, FIELD(icon_align), 0, ENUMERATED(kIconAligns)},
    {"Appearance", "IconDX", "Integer", kRedraw, kField, kField, FIELD(icon_dx)},
    {"Appearance", "IconDY", "Integer", kRedraw, kField, kField, FIELD(icon_dy)},
    {"Appearance", "Bevel", "Integer", kRedraw, kField, kField, FIELD(bevel), 0, ENUMERATED(kBevels)},
    {"Appearance", "HasMenu", "Integer", kRedraw, kField, kField, FIELD(has_menu), 0, ENUMERATED(kMenus)},
    {"Initial State", "Value", "Boolean", kRedraw, kField, kField, FIELD(value)},
    {"Initial State", "MenuValue", "Integer", 0, kField, kField, FIELD(menu_value)},
    {"Behavior", "ButtonType", "integer", kRedraw, kField, kField, FIELD(button_type), 0, ENUMERATED(kButtonTypes)},
    {"Font", "TextFont", "string", kRedraw, kField, kField, FIELD(text_font)},
    {"Font", "TextSize", "integer", kRedraw, kField, kField, FIELD(text_size)},
    {"Font", "Bold", "boolean", kRedraw, kField, kField, FIELD(bold)},
    {"Font", "Italic", "boolean", kRedraw, kField, kField, FIELD(italic)},
    {"Font", "Underline", "boolean", kRedraw, kField, kField, FIELD(underline)},
};
static_assert(sizeof kProperties / sizeof kProperties[0] == 18, "the BevelButton's properties");

#undef ENUMERATED
#undef FIELD

TAVOEventDefinition g_events[] = {{"Action", nullptr}};

void construct(void* control) {
    const Services& s = services();
    BevelData& d = bevel_data(control);
    d.caption = s.default_caption();
    d.caption_placement = 1;
    d.caption_align = 3;
    d.text_font = s.default_font();
    d.text_size = s.default_font_size();
}

// The fields are nulled: the runtime releases field properties too.
void destruct(void* control) {
    const Services& s = services();
    BevelData& d = bevel_data(control);
    s.unlock_string(d.caption);
    s.unlock_string(d.text_font);
    s.unlock_object(d.icon);
    d.caption = d.text_font = d.icon = nullptr;
    bevel_rows_release(d);
    bevel_receivers_release(d);
}

// The rows as a pop-up menu at the button's edge; the row chosen, or -1.
int choose_row(void* control, const BevelData& d) {
    const Services& s = services();
    HMENU menu = CreatePopupMenu();
    if (!menu) return -1;
    for (int i = 0; i < d.row_count; ++i) {
        if (d.rows[i].separator) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            const UINT checked = i == d.menu_value ? MF_CHECKED : MF_UNCHECKED;
            AppendMenuA(menu, MF_STRING | checked, 1000 + i, s.string_text(d.rows[i].text));
        }
    }
    const RECT b = control_bounds(control);
    HWND owner = s.control_hwnd(control);
    // The pane's own window starts at the control's top-left corner.
    const bool own_window = GetWindowLongA(owner, GWL_STYLE) & WS_CHILD;
    POINT at = d.has_menu == kMenuBelow ? POINT{b.left, b.bottom} : POINT{b.right, b.top};
    if (own_window) at = {at.x - b.left, at.y - b.top};
    ClientToScreen(owner, &at);
    const int command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y,
                                       0, owner, nullptr);
    DestroyMenu(menu);
    return command >= 1000 && command - 1000 < d.row_count ? command - 1000 : -1;
}

std::uint8_t mouse_down(void* control, std::int32_t, std::int32_t, std::int32_t) {
    BevelData& d = bevel_data(control);
    d.tracking = 0;
    // A disabled button follows the press without effect.
    if (!control_enabled(control)) return 1;
    d.pressed = 1;
    bevel_redraw_at_once(control);
    if (d.has_menu == 0) {
        d.tracking = 1;
        return 1;
    }
    const int row = choose_row(control, d);
    d.pressed = 0;
    bevel_redraw_at_once(control);
    if (row >= 0) {
        d.menu_value = row;
        raise(control, g_events[0]);
    }
    return 0;
}

void mouse_drag(void* control, std::int32_t x, std::int32_t y) {
    BevelData& d = bevel_data(control);
    if (!d.tracking) return;
    const std::uint8_t inside = contains(control_bounds(control), x, y) ? 1 : 0;
    if (inside == d.pressed) return;
    d.pressed = inside;
    bevel_redraw_at_once(control);
}

void mouse_up(void* control, std::int32_t, std::int32_t) {
    BevelData& d = bevel_data(control);
    d.tracking = 0;
    if (!d.pressed) return;
    d.pressed = 0;
    if (d.button_type == kToggleButton) d.value = !d.value;
    else if (d.button_type == kStickyButton) d.value = 1;
    bevel_redraw_at_once(control);
    raise(control, g_events[0]);
    bevel_notify_receivers(control);
}

const TAVOControlBehaviour kBehaviour = {construct, destruct, bevel_redraw, mouse_down, mouse_drag,    mouse_up,
                                         nullptr,   nullptr,  nullptr,      nullptr,    nullptr, nullptr,
                                         bevel_redraw_at_once};

}  // namespace

TAVOControlDefinition g_bevel_button = {
    5,       "BevelButton", sizeof(BevelData), 0x18, {172, 173}, 60, 22,
    kProperties, 18, kBevelMethods, 8, g_events, 1, &kBehaviour, 0, nullptr, 0, "ActionSource"};

TAVOControlDefinition* bevel_button_definition() { return &g_bevel_button; }
