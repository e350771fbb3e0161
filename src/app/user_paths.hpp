#pragma once
// Where the files the game keeps for the player lie, by each platform's rule: the settings
// under $XDG_CONFIG_HOME and the best times under $XDG_DATA_HOME on Linux (user_paths_xdg.cpp),
// both under %APPDATA% on Windows (user_paths_windows.cpp).
#include <filesystem>
#include <string>

namespace reddoor {

// The settings file; empty when the environment names no folder for it.
std::filesystem::path SettingsPathFromEnvironment();
// The best times; empty when the environment names no folder for them.
std::filesystem::path RecordsPathFromEnvironment();
// Where the best times are kept, as --help tells it.
std::string RecordsPathForHelp();

}  // namespace reddoor
