#include "support/script_run.hpp"

#include "scripted/script_run.hpp"

#include <sstream>
#include <stdexcept>

namespace reddoor::test {

std::vector<Json> ScriptResult::Dumps() const {
  std::vector<Json> dumps;
  for (const auto& line : lines) {
    if (line.contains("visible")) dumps.push_back(line);
  }
  return dumps;
}

const Json& ScriptResult::LastDump() const {
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    if (it->contains("visible")) return *it;
  }
  throw std::logic_error("the script printed no dump");
}

ScriptResult RunScriptText(const std::string& script, std::optional<WindowId> start) {
  std::istringstream in(script);
  std::ostringstream out, err;
  ScriptResult result;
  result.status = RunScript(in, out, err, ScriptOptions{start, {}, {}});
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);) result.lines.push_back(Json::parse(line));
  result.errors = err.str();
  return result;
}

std::string DumpEachTick(int ticks, int ms) {
  std::string script;
  for (int i = 0; i < ticks; ++i) script += "wait " + std::to_string(ms) + "\ndump\n";
  return script;
}

std::vector<std::int64_t> Column(const std::vector<Json>& dumps, const std::string& control,
                                 const std::string& property) {
  std::vector<std::int64_t> values;
  for (const auto& dump : dumps) values.push_back(Ctl(dump, control)[property].get<std::int64_t>());
  return values;
}

}  // namespace reddoor::test
