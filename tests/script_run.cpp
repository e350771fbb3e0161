#include "script_run.hpp"

#include <stdexcept>

namespace reddoor::testing {

std::vector<nlohmann::json> ScriptResult::Dumps() const {
  std::vector<nlohmann::json> dumps;
  for (const auto& line : lines) {
    if (line.contains("visible")) dumps.push_back(line);
  }
  return dumps;
}

const nlohmann::json& ScriptResult::LastDump() const {
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    if (it->contains("visible")) return *it;
  }
  throw std::logic_error("the script printed no dump");
}

ScriptResult RunScriptText(const std::string& script, FormId start) {
  std::istringstream in(script);
  std::ostringstream out, err;
  ScriptResult result;
  result.status = RunScript(in, out, err, ScriptOptions{start, {}});
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);)
    result.lines.push_back(nlohmann::json::parse(line));
  result.errors = err.str();
  return result;
}

}  // namespace reddoor::testing
