#include "services.h"

namespace {

Services g_services = {};

template <typename F>
bool look_up(TAVOResolver resolver, F& slot, const char* name) {
    slot = reinterpret_cast<F>(resolver(name));
    return slot != nullptr;
}

}  // namespace

bool services_resolve(TAVOResolver resolver) {
    if (!resolver) return false;
    Services& s = g_services;
    return look_up(resolver, s.register_control, "PluginRegisterControl") &&
           look_up(resolver, s.register_version, "RegisterPluginVersion") &&
           look_up(resolver, s.default_font, "PluginDefaultControlFont") &&
           look_up(resolver, s.default_caption, "PluginDefaultControlCaption") &&
           look_up(resolver, s.default_font_size, "PluginDefaultControlFontSize") &&
           look_up(resolver, s.lock_object, "TAVOLockObject") && look_up(resolver, s.unlock_object, "TAVOUnlockObject") &&
           look_up(resolver, s.lock_string, "TAVOLockString") && look_up(resolver, s.unlock_string, "TAVOUnlockString") &&
           look_up(resolver, s.string_text, "StringGetCString") &&
           look_up(resolver, s.interface_routine, "GetInterfaceRoutine") &&
           look_up(resolver, s.lock_picture, "lockPictureDescription") &&
           look_up(resolver, s.unlock_picture, "unlockPictureDescription") &&
           look_up(resolver, s.draw_picture, "drawPicturePrimitive") &&
           look_up(resolver, s.event_instance, "GetEventInstance") &&
           look_up(resolver, s.control_bounds, "GetControlBounds") &&
           look_up(resolver, s.control_visible, "GetControlVisible") &&
           look_up(resolver, s.control_enabled, "controlEnabledGetter") &&
           look_up(resolver, s.control_graphics, "TAVOGetControlGraphics") &&
           look_up(resolver, s.win32_charset, "TAVOGetWin32Charset") &&
           look_up(resolver, s.graphics_dc, "TAVOGraphicsDC") && look_up(resolver, s.control_hwnd, "GetControlHWND") &&
           look_up(resolver, s.invalidate_control, "TAVOInvalidateControl") &&
           look_up(resolver, s.special_background, "TAVOSetSpecialBackground");
}

const Services& services() { return g_services; }
