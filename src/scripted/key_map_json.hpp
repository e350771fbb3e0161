#pragma once
// The key map as the settings keep it, wherever they are kept (a file on the desktop, the
// browser's storage for the page): by action, the names of its keys or gamepad buttons,
//   "keys": {"jump": ["Space", "W"], "walk-left": "A"}, "buttons": {"jump": ["b"]}
#include <functional>
#include <string>

#include <nlohmann/json.hpp>

#include "game/key_map.hpp"

namespace reddoor {

// Told, in words, of a name that the map cannot use and leaves out: "\"keys\": \"jmp\" names
// no action \"jmp\"", "\"Q!\" is no key for \"jump\"".
using LeftOut = std::function<void(const std::string& what)>;

// Reads the keys (or, with `buttons`, the gamepad buttons) of `json` into `map`. An action
// whose names are all left out keeps the keys it had; an empty list takes them all away. Throws
// std::invalid_argument when `json` is no object.
void ReadKeyMap(const nlohmann::json& json, bool buttons, KeyMap& map, const LeftOut& leftOut);

}  // namespace reddoor
