#include "app/settings.hpp"

#include <fmt/format.h>

#include <cstdint>
#include <cstring>
#include <system_error>

#include "app/file_store.hpp"
#include "app/user_paths.hpp"
#include "base/fault.hpp"
#include "base/geometry.hpp"
#include "scripted/key_map_json.hpp"

namespace reddoor {

namespace {

// A whole number from `low` to `high`, read wide: a number beyond an int must not wrap round
// into the range.
int WholeNumber(const nlohmann::json& json, const char* name, int low, int high) {
  const nlohmann::json& value = json[name];
  if (!value.is_number_integer() || value.get<std::int64_t>() < low ||
      value.get<std::int64_t>() > high) {
    throw std::invalid_argument(
        fmt::format("\"{}\" is not a whole number from {} to {}", name, low, high));
  }
  return value.get<int>();
}

bool TrueOrFalse(const nlohmann::json& json, const char* name) {
  if (!json[name].is_boolean()) {
    throw std::invalid_argument(fmt::format("\"{}\" is not true or false", name));
  }
  return json[name].get<bool>();
}

}  // namespace

SettingsFile SettingsFile::FromEnvironment(std::ostream& warnings) {
  return {SettingsPathFromEnvironment(), warnings};
}

SettingsFile::SettingsFile(std::filesystem::path path, std::ostream& warnings)
    : path_(std::move(path)), warnings_(warnings) {}

// A setting of the wrong kind, or out of range, makes the file damaged; a key map names what
// it cannot use, and the rest of it holds.
Settings SettingsFile::Read(const nlohmann::json& json) {
  Settings settings;
  if (!json.is_object()) throw std::invalid_argument("not a JSON object");
  if (json.contains("scale")) settings.scale = WholeNumber(json, "scale", 1, kMaxScale);
  if (json.contains("fullscreen")) settings.fullscreen = TrueOrFalse(json, "fullscreen");
  if (json.contains("timer")) settings.timer = TrueOrFalse(json, "timer");
  if (json.contains("speed"))
    settings.speed = WholeNumber(json, "speed", kSlowestSpeed, kFullSpeed);
  if (json.contains("keys")) ReadMap(json["keys"], false, settings.keys);
  if (json.contains("buttons")) ReadMap(json["buttons"], true, settings.keys);
  return settings;
}

void SettingsFile::ReadMap(const nlohmann::json& json, bool buttons, KeyMap& map) {
  ReadKeyMap(json, buttons, map, [this](const std::string& what) {
    warnings_ << fmt::format("reddoor: the settings {}: {}; left out\n", path_.string(), what);
  });
}

Settings SettingsFile::Load() {
  std::error_code error;
  if (path_.empty() || !std::filesystem::exists(path_, error)) return {};
  const std::optional<std::string> text = ReadWholeFile(path_, error);
  if (!text) {
    warnings_ << "reddoor: cannot read the settings " << path_.string() << ": " << error.message()
              << "; using the defaults\n";
    return {};
  }
  try {
    nlohmann::json json = nlohmann::json::parse(*text);
    Settings settings = Read(json);
    kept_ = std::move(json);
    return settings;
  } catch (const nlohmann::json::parse_error& e) {
    // The library's own message quotes what it read, whatever bytes they are.
    Damaged(text->empty() ? "the file is empty" : fmt::format("not JSON at byte {}", e.byte));
  } catch (const std::exception& e) {
    Damaged(e.what());
  }
  return {};
}

void SettingsFile::Damaged(std::string_view why) {
  warnings_ << "reddoor: the settings " << path_.string() << " are damaged (" << why
            << "); using the defaults\n";
}

void SettingsFile::Save(const Settings& settings) {
  if (path_.empty()) return;
  nlohmann::json json = kept_;
  if (settings.scale > 0) json["scale"] = settings.scale;
  json["fullscreen"] = settings.fullscreen;
  json["timer"] = settings.timer;
  json["speed"] = settings.speed;
  const std::error_code error = ReplaceFile(path_, json.dump() + '\n');
  if (!error) {
    kept_ = std::move(json);
    return;
  }
  if (!warnedOnSave_) {
    warnings_ << "reddoor: cannot keep the settings in " << path_.string() << ": "
              << error.message() << '\n';
    warnedOnSave_ = true;
  }
}

}  // namespace reddoor
