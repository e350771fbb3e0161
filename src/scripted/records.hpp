#pragma once
// The best times as they are kept in a file and printed:
//   {"run": {"ms": 123400, "splits": {"Level1": 41200, "Level2": 50000, "Level3": 32200}},
//    "splits": {"Level1": 40100, "Level2": 48000, "Level3": 31000}}
// Times are whole milliseconds of game time; a level or run not yet done is left out.
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "game/best_times.hpp"

namespace reddoor {

nlohmann::json BestTimesToJson(const BestTimes& best);
// Throws std::invalid_argument, saying what is wrong, for anything but the form above.
BestTimes BestTimesFromJson(const nlohmann::json& json);
// The best times kept as this text; none when it is damaged, with `why` set to what is wrong.
std::optional<BestTimes> ParseBestTimes(std::string_view text, std::string& why);

// The best times as --records prints them, a line each.
std::string DescribeBestTimes(const BestTimes& best);

}  // namespace reddoor
