#include "scripted/verify.hpp"

#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "base/fault.hpp"
#include "game/best_times.hpp"
#include "scripted/recording.hpp"
#include "scripted/script_run.hpp"

namespace reddoor {

namespace {

using Json = nlohmann::json;

struct StateLine {
  int line;
  std::string text;
};

struct Recording {
  std::string script;
  std::vector<StateLine> states;
  std::optional<std::string> version;  // of the game that played it
};

Recording ReadRecording(std::istream& in) {
  Recording recording;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    recording.script += line + '\n';
    if (line.starts_with("# {")) recording.states.push_back({number, line.substr(2)});
    const std::string mark = fmt::format("# {} ", kRecordingMark);
    if (line.starts_with(mark)) {
      recording.version = line.substr(mark.size(), line.find(';') - mark.size());
    }
  }
  return recording;
}

// "controls.Man" and "Left": "controls.Man.Left".
std::string Field(const std::string& path, const std::string& key) {
  return path.empty() ? key : fmt::format("{}.{}", path, key);
}

// Where two values first differ, as a path of field names ("controls.Man.Left"); none when
// they are the same.
std::optional<std::string> FirstDifference(const Json& recorded, const Json& replayed,
                                           const std::string& path) {
  if (recorded.is_object() && replayed.is_object()) {
    for (const auto& [key, value] : recorded.items()) {
      const std::string field = Field(path, key);
      if (!replayed.contains(key)) return field;
      if (auto d = FirstDifference(value, replayed[key], field)) return d;
    }
    for (const auto& [key, value] : replayed.items()) {
      if (!recorded.contains(key)) return Field(path, key);
    }
    return std::nullopt;
  }
  if (recorded.is_array() && replayed.is_array() && recorded.size() == replayed.size()) {
    for (std::size_t i = 0; i < recorded.size(); ++i) {
      if (auto d = FirstDifference(recorded[i], replayed[i], fmt::format("{}[{}]", path, i))) {
        return d;
      }
    }
    return std::nullopt;
  }
  if (recorded == replayed) return std::nullopt;
  return path;
}

// The value at a path of FirstDifference as JSON, cut short when long; "none" where there is
// no such field.
std::string ValueAt(const Json& json, const std::string& path) {
  constexpr std::size_t kLongest = 40;
  try {
    const Json& value = json.at(Json::json_pointer(
        fmt::format("/{}", std::regex_replace(path, std::regex(R"(\[(\d+)\]|\.)"), "/$1"))));
    const std::string text = value.dump(-1, ' ', true);
    return text.size() > kLongest ? text.substr(0, kLongest) + "..." : text;
  } catch (const Json::exception&) {
    return "none";
  }
}

class Verifier {
 public:
  Verifier(std::string_view name, std::ostream& err) : name_(name), err_(err) {}

  // 0 when the replay printed the recorded lines, else 1, with the first difference told.
  int Compare(const Recording& recording, const std::vector<std::string>& replayed) {
    for (std::size_t i = 0; i < recording.states.size(); ++i) {
      const StateLine& state = recording.states[i];
      if (i >= replayed.size()) return Differs(recording, state.line, "the replay never shows it");
      if (replayed[i] != state.text) return DiffersAt(recording, state, replayed[i]);
    }
    if (replayed.size() > recording.states.size()) {
      return Differs(
          recording, recording.states.back().line,
          fmt::format("the replay goes on with {}", Quoted(replayed[recording.states.size()])));
    }
    return 0;
  }

  int NoRecording(std::string_view why) {
    err_ << fmt::format("reddoor: {} is no recording of a game: {}\n", name_, why);
    return 2;
  }

 private:
  int DiffersAt(const Recording& recording, const StateLine& state, const std::string& line) {
    const Json recorded = Json::parse(state.text, nullptr, false);
    const Json replayed = Json::parse(line, nullptr, false);
    const std::string field = FirstDifference(recorded, replayed, "").value_or("");
    return Differs(recording, state.line,
                   fmt::format("the replay differs in \"{}\": recorded {}, replayed {}", field,
                               ValueAt(recorded, field), ValueAt(replayed, field)));
  }

  int Differs(const Recording& recording, int line, const std::string& how) {
    err_ << fmt::format("reddoor: {}:{}: {}", name_, line, how);
    if (recording.version && *recording.version != REDDOOR_VERSION) {
      err_ << fmt::format(" (recorded by reddoor {}; reddoor {} plays it differently)",
                          *recording.version, REDDOOR_VERSION);
    }
    err_ << '\n';
    return 1;
  }

  std::string_view name_;
  std::ostream& err_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

std::string DescribeEnd(const Runtime& game) {
  const RunTimer& run = game.Run();
  const Window* visible = game.VisibleWindow();
  std::string text = run.Finished() ? std::string("closing window reached")
                                    : fmt::format("closing window not reached (ends on {})",
                                                  visible ? visible->Name() : "no window");
  text += fmt::format(", game time {}", FormatExactTime(run.Elapsed(game.Now())));
  if (!run.Splits().empty()) text += fmt::format(" ({})", FormatSplits(run.Splits(), true));
  const int deaths = run.Deaths();
  return text +
         fmt::format(", {} coins, {} death{}", game.TotalCoins(), deaths, deaths == 1 ? "" : "s");
}

int VerifyRecording(std::istream& in, std::string_view name, std::ostream& out, std::ostream& err) {
  Verifier verifier(name, err);
  const Recording recording = ReadRecording(in);
  if (!recording.version) return verifier.NoRecording("it does not say which game played it");
  if (recording.states.empty()) return verifier.NoRecording("it carries no state lines");
  for (const StateLine& state : recording.states) {
    if (!Json::accept(state.text)) {
      return verifier.NoRecording(fmt::format("line {} is no state line", state.line));
    }
  }
  std::istringstream script(recording.script);
  std::ostringstream replayed, replayErrors;
  std::string end;
  ScriptOptions options{.start = std::nullopt,
                        .screenshot = {},
                        .ended = [&end](const Runtime& game) { end = DescribeEnd(game); }};
  const int status = RunScript(script, replayed, replayErrors, options);
  if (status == 2) {
    // "script:LINE: reason"
    std::string why = replayErrors.str();
    why = fmt::format("line {}", why.substr(std::string_view("script:").size()));
    why.pop_back();
    return verifier.NoRecording(why);
  }
  if (status != 0) {
    err << replayErrors.str();
    return status;
  }
  const int differs = verifier.Compare(recording, Lines(replayed.str()));
  if (differs == 0) out << end << '\n';
  return differs;
}

int VerifyRecordingFile(const std::string& path, std::ostream& out, std::ostream& err) {
  std::ifstream in(path);
  // A directory opens like a file; only reading it fails.
  if (!in || (in.peek(), in.bad())) {
    err << "reddoor: cannot read the recording " << path << ": " << std::strerror(errno) << '\n';
    return 2;
  }
  return VerifyRecording(in, path, out, err);
}

}  // namespace reddoor
