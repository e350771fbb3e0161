#pragma once
// Drives the game through its scripted run, in process: script text in, JSON lines out.
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

#include "app/script.hpp"

namespace reddoor::testing {

struct ScriptResult {
  int status = 0;
  std::vector<nlohmann::json> lines;  // every JSON line printed, in order
  std::string errors;                 // what went to standard error

  // The dumps only (lines that carry "visible").
  std::vector<nlohmann::json> Dumps() const;
  const nlohmann::json& LastDump() const;
};

ScriptResult RunScriptText(const std::string& script, FormId start = FormId::Intro);

// Shorthand for a control's property in a dump: Control(dump, "Man")["Left"].
inline const nlohmann::json& Control(const nlohmann::json& dump, const std::string& name) {
  return dump.at("controls").at(name);
}
inline const nlohmann::json& Var(const nlohmann::json& dump, const std::string& name) {
  return dump.at("vars").at(name);
}

}  // namespace reddoor::testing
