#include "scripted/key_map_json.hpp"

#include <fmt/format.h>

#include <stdexcept>
#include <vector>

#include "base/fault.hpp"

namespace reddoor {

void ReadKeyMap(const nlohmann::json& json, bool buttons, KeyMap& map, const LeftOut& leftOut) {
  const char* what = buttons ? "buttons" : "keys";
  if (!json.is_object()) throw std::invalid_argument(fmt::format("\"{}\" is not an object", what));
  for (const auto& [name, listed] : json.items()) {
    const std::optional<Action> action = ActionNamed(name);
    if (!action) {
      leftOut(fmt::format("\"{}\" names no action {}", what, Quoted(name)));
      continue;
    }
    std::vector<std::string> names;
    for (const nlohmann::json& entry :
         listed.is_array() ? listed : nlohmann::json::array({listed})) {
      const std::string text = entry.is_string() ? entry.get<std::string>() : entry.dump();
      const auto known = buttons ? ButtonNamed(text) : KeyNamed(text);
      if (known) {
        names.emplace_back(*known);
      } else {
        leftOut(fmt::format("{} is no {} for \"{}\"", Quoted(text),
                            buttons ? "gamepad button" : "key", name));
      }
    }
    auto& slot = (buttons ? map.buttons : map.keys)[static_cast<std::size_t>(*action)];
    if (!names.empty() || (listed.is_array() && listed.empty())) slot = std::move(names);
  }
}

}  // namespace reddoor
