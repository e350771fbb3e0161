#pragma once
// The state of the game as one JSON object: the visible window, the coin total, the visible
// level's member variables and every control of the visible window.
#include <nlohmann/json.hpp>

#include "game/runtime.hpp"

namespace reddoor {

nlohmann::ordered_json DumpState(const Runtime& runtime);

}  // namespace reddoor
