#pragma once
// The settings that stay from one game to the next: the scale and fullscreen that the player
// last chose, in $XDG_CONFIG_HOME/reddoor/settings.json (by default ~/.config/reddoor/); on
// Windows in %APPDATA%\reddoor\settings.json.
//   {"scale": 2, "fullscreen": false}
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

namespace reddoor {

struct Settings {
  int scale = 0;  // 0: none chosen
  bool fullscreen = false;
};

// Where the settings are kept, as --help tells it.
std::string SettingsPathForHelp();

class SettingsFile {
 public:
  // The file under $XDG_CONFIG_HOME, else under $HOME/.config (Windows: under %APPDATA%); none
  // when neither is set.
  static SettingsFile FromEnvironment(std::ostream& warnings);
  SettingsFile(std::filesystem::path path, std::ostream& warnings);

  // The settings kept, or the defaults: quietly when there are none yet, with one warning when
  // the file is damaged or cannot be read.
  Settings Load();
  // Keeps the settings; a file that cannot be written is one warning, the first time.
  void Save(const Settings& settings);

 private:
  // Warns that the file is damaged, and why.
  void Damaged(std::string_view why);
  std::filesystem::path path_;
  std::ostream& warnings_;
  bool warnedOnSave_ = false;
};

}  // namespace reddoor
