#pragma once
// Drives the game through its scripted run, in process: script text in, JSON lines out.
#include <nlohmann/json.hpp>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scripted/script.hpp"

namespace reddoor::test {

using Json = nlohmann::json;

struct ScriptResult {
  int status = 0;
  std::vector<Json> lines;  // every JSON line printed, in order
  std::string errors;       // what went to standard error

  // The dumps only (lines that carry "visible").
  std::vector<Json> Dumps() const;
  const Json& LastDump() const;
};

// The start: as the command line would give it; none: as the script says, else the title.
ScriptResult RunScriptText(const std::string& script, std::optional<WindowId> start = {});

// "wait MS" and "dump" again and again: a dump after each of the next `ticks` game ticks.
std::string DumpEachTick(int ticks, int ms = 100);

// A control's properties in a dump: Ctl(dump, "Man")["Left"]; a level's variable: Var(...).
inline const Json& Ctl(const Json& dump, const std::string& name) {
  return dump.at("controls").at(name);
}
inline const Json& Var(const Json& dump, const std::string& name) {
  return dump.at("vars").at(name);
}

// One property of one control across a run's dumps.
std::vector<std::int64_t> Column(const std::vector<Json>& dumps, const std::string& control,
                                 const std::string& property);

}  // namespace reddoor::test
