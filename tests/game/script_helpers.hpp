#pragma once
// Short-hands for the scripted runs of the game tests.
#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

#include "script_run.hpp"

namespace reddoor::testing {

// Level1 from the start: right along Block(26) (two coins), down onto Block(0) just behind
// Monster(0) as it turns back to the right, along Block(0) (two coins), and from t = 10200 up
// over Block(29) towards Block(31), with the right arrow still held.
constexpr const char* kLevel1Descent =
    "click Play\nwait 6900\ndown Right\nwait 3300\ndown Space\nwait 100\nup Space\n";

// A control of a dump, under a name that does not clash with the type reddoor::Control.
inline const nlohmann::json& Ctl(const nlohmann::json& dump, const std::string& name) {
  return Control(dump, name);
}

// One dump after each of the next `ticks` game ticks of a level (100 ms apart).
inline std::string DumpEachTick(int ticks, int ms = 100) {
  std::string script;
  for (int i = 0; i < ticks; ++i) script += "wait " + std::to_string(ms) + "\ndump\n";
  return script;
}

// One property of one control across a run's dumps.
inline std::vector<std::int64_t> Column(const std::vector<nlohmann::json>& dumps,
                                        const std::string& control, const std::string& property) {
  std::vector<std::int64_t> values;
  for (const auto& dump : dumps)
    values.push_back(Control(dump, control)[property].get<std::int64_t>());
  return values;
}

inline std::int64_t RightOf(const nlohmann::json& control) {
  return control["Left"].get<std::int64_t>() + control["Width"].get<std::int64_t>();
}

}  // namespace reddoor::testing
