#include "scripted/verify.hpp"

#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <optional>
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

// A field of a state line: its name as messages give it ("controls.Man.Left") and where it lies.
struct Field {
  std::string name;
  Json::json_pointer at = Json::json_pointer();

  Field operator/(const std::string& key) const {
    return {name.empty() ? key : fmt::format("{}.{}", name, key), at / key};
  }
  Field operator/(std::size_t index) const {
    return {fmt::format("{}[{}]", name, index), at / index};
  }
};

// Where two values first differ; none when they are the same.
std::optional<Field> FirstDifference(const Json& recorded, const Json& replayed,
                                     const Field& field) {
  if (recorded.is_object() && replayed.is_object()) {
    for (const auto& [key, value] : recorded.items()) {
      if (!replayed.contains(key)) return field / key;
      if (auto d = FirstDifference(value, replayed[key], field / key)) return d;
    }
    for (const auto& [key, value] : replayed.items()) {
      if (!recorded.contains(key)) return field / key;
    }
    return std::nullopt;
  }
  if (recorded.is_array() && replayed.is_array() && recorded.size() == replayed.size()) {
    for (std::size_t i = 0; i < recorded.size(); ++i) {
      if (auto d = FirstDifference(recorded[i], replayed[i], field / i)) return d;
    }
    return std::nullopt;
  }
  if (recorded == replayed) return std::nullopt;
  return field;
}

// The value of a field as JSON, cut short when long; "none" where there is no such field.
std::string ValueAt(const Json& json, const Field& field) {
  constexpr std::size_t kLongest = 40;
  if (!json.contains(field.at)) return "none";
  const std::string text = json.at(field.at).dump(-1, ' ', true);
  return text.size() > kLongest ? text.substr(0, kLongest) + "..." : text;
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
    const Field whole{"", Json::json_pointer()};
    const Field field = FirstDifference(recorded, replayed, whole).value_or(whole);
    return Differs(recording, state.line,
                   fmt::format("the replay differs in \"{}\": recorded {}, replayed {}", field.name,
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
