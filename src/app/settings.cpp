#include "app/settings.hpp"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

#include "app/settings_path.hpp"
#include "base/geometry.hpp"

namespace reddoor {

namespace {

// A setting of the wrong kind, or out of range, makes the file damaged.
Settings Read(const nlohmann::json& json) {
  Settings settings;
  if (!json.is_object()) throw std::invalid_argument("not a JSON object");
  if (json.contains("scale")) {
    const nlohmann::json& scale = json["scale"];
    // Read wide: a number beyond an int must not wrap round into the range.
    if (!scale.is_number_integer() || scale.get<std::int64_t>() < 1 ||
        scale.get<std::int64_t>() > kMaxScale) {
      throw std::invalid_argument(
          fmt::format("\"scale\" is not a whole number from 1 to {}", kMaxScale));
    }
    settings.scale = scale.get<int>();
  }
  if (json.contains("fullscreen")) {
    if (!json["fullscreen"].is_boolean()) {
      throw std::invalid_argument("\"fullscreen\" is not true or false");
    }
    settings.fullscreen = json["fullscreen"].get<bool>();
  }
  return settings;
}

}  // namespace

SettingsFile SettingsFile::FromEnvironment(std::ostream& warnings) {
  return {SettingsPathFromEnvironment(), warnings};
}

SettingsFile::SettingsFile(std::filesystem::path path, std::ostream& warnings)
    : path_(std::move(path)), warnings_(warnings) {}

Settings SettingsFile::Load() {
  std::error_code error;
  if (path_.empty() || !std::filesystem::exists(path_, error)) return {};
  std::string text;
  // A failed read throws on its own (a folder, say), or leaves the stream bad.
  bool read = false;
  try {
    std::ifstream in(path_, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
    read = in.is_open() && !in.bad();
  } catch (const std::ios_base::failure&) {
  }
  if (!read) {
    warnings_ << "reddoor: cannot read the settings " << path_.string() << ": "
              << std::strerror(errno) << "; using the defaults\n";
    return {};
  }
  try {
    return Read(nlohmann::json::parse(text));
  } catch (const nlohmann::json::parse_error& e) {
    // The library's own message quotes what it read, whatever bytes they are.
    Damaged(text.empty() ? "the file is empty" : fmt::format("not JSON at byte {}", e.byte));
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
  nlohmann::json json;
  if (settings.scale > 0) json["scale"] = settings.scale;
  json["fullscreen"] = settings.fullscreen;
  // Written aside and then put in place, so that a failure never leaves half a file.
  const std::filesystem::path written = path_.string() + ".new";
  std::error_code error;
  std::filesystem::create_directories(path_.parent_path(), error);
  if (!error) {
    std::ofstream out(written);
    if (!out) error = std::error_code(errno, std::generic_category());
    out << json.dump() << '\n';
    out.close();
    if (!out && !error) error = std::make_error_code(std::errc::io_error);
  }
  if (!error) std::filesystem::rename(written, path_, error);
  if (!error) return;
  if (!warnedOnSave_) {
    warnings_ << "reddoor: cannot keep the settings in " << path_.string() << ": "
              << error.message() << '\n';
    warnedOnSave_ = true;
  }
  std::filesystem::remove(written, error);
}

}  // namespace reddoor
