#include <cstdlib>
#include <string>

#include "app/settings.hpp"
#include "app/user_paths.hpp"

namespace reddoor {

namespace {

// Read wide, so that a folder outside the code page is found as it is.
std::filesystem::path UnderAppData(const wchar_t* file) {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (!appData || !*appData) return {};
  return std::filesystem::path(appData) / L"reddoor" / file;
}

}  // namespace

std::string SettingsPathForHelp() {
  return "%APPDATA%\\reddoor\\settings.json";
}

std::string RecordsPathForHelp() {
  return "%APPDATA%\\reddoor\\records.json";
}

std::filesystem::path SettingsPathFromEnvironment() {
  return UnderAppData(L"settings.json");
}

std::filesystem::path RecordsPathFromEnvironment() {
  return UnderAppData(L"records.json");
}

}  // namespace reddoor
