#include <cstdlib>
#include <string>

#include "app/settings.hpp"
#include "app/user_paths.hpp"

namespace reddoor {

namespace {

constexpr const char* kSettingsFile = "reddoor/settings.json";
constexpr const char* kRecordsFile = "reddoor/records.json";

bool IsNonEmpty(const char* value) {
  return value && *value;
}

// $VARIABLE/file, else $HOME/underHome/file; empty when neither is set.
std::filesystem::path UserFile(const char* variable, const char* underHome, const char* file) {
  std::filesystem::path folder;
  if (const char* xdg = std::getenv(variable); IsNonEmpty(xdg)) {
    folder = xdg;
  } else if (const char* home = std::getenv("HOME"); IsNonEmpty(home)) {
    folder = std::filesystem::path(home) / underHome;
  }
  return folder.empty() ? folder : folder / file;
}

}  // namespace

std::string SettingsPathForHelp() {
  return std::string("$XDG_CONFIG_HOME/") + kSettingsFile + " (by default ~/.config/" +
         kSettingsFile + ")";
}

std::string RecordsPathForHelp() {
  return std::string("$XDG_DATA_HOME/") + kRecordsFile + " (by default ~/.local/share/" +
         kRecordsFile + ")";
}

std::filesystem::path SettingsPathFromEnvironment() {
  return UserFile("XDG_CONFIG_HOME", ".config", kSettingsFile);
}

std::filesystem::path RecordsPathFromEnvironment() {
  return UserFile("XDG_DATA_HOME", ".local/share", kRecordsFile);
}

}  // namespace reddoor
