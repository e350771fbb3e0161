#pragma once
// The settings that stay from one game to the next, in $XDG_CONFIG_HOME/reddoor/settings.json
// (by default ~/.config/reddoor/); on Windows in %APPDATA%\reddoor\settings.json:
//   {"scale": 2, "fullscreen": false, "timer": true, "speed": 75,
//    "keys": {"jump": ["Space", "W"], "walk-left": ["Left", "A"]}, "buttons": {"jump": ["b"]}}
// The game writes what the player chose (scale, fullscreen, timer, speed) and keeps the rest
// of the file as the player wrote it.
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "game/key_map.hpp"

namespace reddoor {

inline constexpr int kSlowestSpeed = 25;  // percent of full speed
inline constexpr int kFullSpeed = 100;

struct Settings {
  int scale = 0;  // 0: none chosen
  bool fullscreen = false;
  bool timer = false;  // the run timer is shown
  int speed = kFullSpeed;
  KeyMap keys = DefaultKeyMap();
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
  // the file is damaged or cannot be read. A key or button of the map that is no key is a
  // warning naming it; an action left with none keeps its default keys.
  Settings Load();
  // Keeps the settings; a file that cannot be written is one warning, the first time.
  void Save(const Settings& settings);

 private:
  // Warns that the file is damaged, and why.
  void Damaged(std::string_view why);
  Settings Read(const nlohmann::json& json);
  void ReadMap(const nlohmann::json& json, bool buttons, KeyMap& map);

  std::filesystem::path path_;
  std::ostream& warnings_;
  nlohmann::json kept_ = nlohmann::json::object();  // the file as last read
  bool warnedOnSave_ = false;
};

}  // namespace reddoor
