#include <cstdlib>
#include <string>

#include "app/settings.hpp"
#include "app/settings_path.hpp"

namespace reddoor {

std::string SettingsPathForHelp() {
  return "%APPDATA%\\reddoor\\settings.json";
}

// Read wide, so that a folder outside the code page is found as it is.
std::filesystem::path SettingsPathFromEnvironment() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (!appData || !*appData) return {};
  return std::filesystem::path(appData) / L"reddoor" / L"settings.json";
}

}  // namespace reddoor
