#pragma once
// Where the settings file lies by each platform's rule: under $XDG_CONFIG_HOME on Linux
// (settings_path_xdg.cpp), under %APPDATA% on Windows (settings_path_windows.cpp).
#include <filesystem>

namespace reddoor {

// The settings file; empty when the environment names no folder for it.
std::filesystem::path SettingsPathFromEnvironment();

}  // namespace reddoor
