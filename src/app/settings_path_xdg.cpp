#include <cstdlib>
#include <string>

#include "app/settings.hpp"
#include "app/settings_path.hpp"

namespace reddoor {

namespace {

constexpr const char* kFileUnderConfig = "reddoor/settings.json";

bool IsNonEmpty(const char* value) {
  return value && *value;
}

}  // namespace

std::string SettingsPathForHelp() {
  return std::string("$XDG_CONFIG_HOME/") + kFileUnderConfig + " (by default ~/.config/" +
         kFileUnderConfig + ")";
}

std::filesystem::path SettingsPathFromEnvironment() {
  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); IsNonEmpty(xdg)) {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); IsNonEmpty(home)) {
    config = std::filesystem::path(home) / ".config";
  }
  return config.empty() ? config : config / kFileUnderConfig;
}

}  // namespace reddoor
