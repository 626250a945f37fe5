// The application settings carried in the project description: read once
// at start-up, then asked by the window, file and message code.
#pragma once

#include <cstddef>
#include <cstdint>

struct RuntimeString;

struct ProjectSettings {
    std::uint8_t display_option;  // read by the pane property accessors
    std::uint8_t charset;         // Win32 character set of fonts
    bool mdi;
    RuntimeString* title;  // nil when not given
};

const ProjectSettings& project_settings();

// Reads a settings stream: display flag, script code, file types, message
// texts, MDI flag, title. False when it ends early; what was read by then
// stays in force.
bool project_settings_read(const std::uint8_t* bytes, std::size_t length);

// Win32 character set for a script code of the project's text.
std::uint8_t charset_for_script(std::uint32_t script_code);
