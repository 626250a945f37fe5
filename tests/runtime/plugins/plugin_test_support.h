// Shared pieces of the plugin host tests: the fixture plugin loaded once,
// its own entry points, and Windows paths of files the build wrote.
#pragma once

#include <windows.h>

#include <string>

// "Z:\..." for an absolute path of the build (Wine maps / to Z:).
inline std::string dos_path(const std::string& unix_path) {
    std::string path = "Z:" + unix_path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

// The fixture plugin's module, loaded and entered on first use.
HMODULE fixture_plugin();

template <typename F>
F fixture_function(const char* name) {
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(fixture_plugin(), name)));
}
