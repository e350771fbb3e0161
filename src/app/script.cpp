#include "app/script.hpp"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <charconv>
#include <sstream>
#include <vector>

#include "app/dump.hpp"
#include "base/fault.hpp"
#include "headless/headless_platform.hpp"

namespace reddoor {

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

constexpr std::pair<std::string_view, KeyCommand::Action> kKeyActions[] = {
    {"down", KeyCommand::Action::Down},
    {"up", KeyCommand::Action::Up},
    {"tap", KeyCommand::Action::Tap}};

[[noreturn]] void Bad(std::string reason) {
  throw ScriptLineError{std::move(reason)};
}

void ExpectWords(const std::vector<std::string>& words, std::size_t count, const char* usage) {
  if (words.size() < count) Bad(fmt::format("missing argument; usage: {}", usage));
  if (words.size() > count) Bad(fmt::format("extra words after the command; usage: {}", usage));
}

std::int64_t ParseMilliseconds(const std::string& text) {
  for (char c : text) {
    if (c < '0' || c > '9') Bad(fmt::format("\"{}\" is not a whole number of ms", text));
  }
  std::int64_t ms = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), ms);
  if (error != std::errc{} || ms > kLongestWaitMs) {
    Bad(fmt::format("wait {}: a wait is at most {} ms (24.8 days)", text, kLongestWaitMs));
  }
  return ms;
}

Key ParseKey(const std::string& name) {
  const std::optional<Key> key = KeyFromName(name);
  if (!key) Bad(fmt::format("unknown key \"{}\" (keys: Right, Left, Space, E)", name));
  return *key;
}

// The start that a first line "# args: --start LevelN" gives; none for any other first line.
std::optional<WindowId> StartFromArgsLine(const std::string& line) {
  constexpr std::string_view kArgs = "# args:";
  if (!line.starts_with(kArgs)) return std::nullopt;
  const std::vector<std::string> words = Words(line.substr(kArgs.size()));
  const std::optional<WindowId> start =
      words.size() == 2 && words[0] == "--start" ? StartWindowNamed(words[1]) : std::nullopt;
  if (!start) Bad("the arguments line takes only --start Level1|Level2|Level3");
  return start;
}

}  // namespace

std::optional<WindowId> StartWindowNamed(std::string_view name) {
  constexpr std::pair<std::string_view, WindowId> kStarts[] = {
      {"Level1", WindowId::Level1}, {"Level2", WindowId::Level2}, {"Level3", WindowId::Level3}};
  for (const auto& [named, id] : kStarts) {
    if (name == named) return id;
  }
  return std::nullopt;
}

std::optional<ScriptCommand> ParseScriptLine(const std::string& line) {
  const std::vector<std::string> words = Words(line);
  if (words.empty() || words[0][0] == '#') return std::nullopt;
  const std::string& command = words[0];
  if (command == "wait") {
    ExpectWords(words, 2, "wait N");
    return WaitCommand{ParseMilliseconds(words[1])};
  }
  for (const auto& [name, action] : kKeyActions) {
    if (command != name) continue;
    ExpectWords(words, 2, "down|up|tap KEY");
    return KeyCommand{action, ParseKey(words[1])};
  }
  if (command == "click") {
    ExpectWords(words, 2, "click Play");
    if (words[1] != "Play")
      Bad(fmt::format("unknown button \"{}\" (the button is Play)", words[1]));
    return ClickCommand{};
  }
  if (command == "dump") return DumpCommand{{words.begin() + 1, words.end()}};
  if (command == "screenshot") {
    ExpectWords(words, 2, "screenshot PATH");
    return ScreenshotCommand{words[1]};
  }
  if (command == "close") {
    ExpectWords(words, 1, "close");
    return CloseCommand{};
  }
  Bad(fmt::format("unknown command \"{}\"", command));
}

namespace {

std::string_view ActionName(KeyCommand::Action action) {
  for (const auto& [name, named] : kKeyActions) {
    if (named == action) return name;
  }
  return "";
}

struct LineFormat {
  std::string operator()(const WaitCommand& c) const { return fmt::format("wait {}", c.ms); }
  std::string operator()(const KeyCommand& c) const {
    return fmt::format("{} {}", ActionName(c.action), KeyName(c.key));
  }
  std::string operator()(const ClickCommand&) const { return "click Play"; }
  std::string operator()(const DumpCommand& c) const {
    return c.controls.empty() ? "dump" : fmt::format("dump {}", fmt::join(c.controls, " "));
  }
  std::string operator()(const ScreenshotCommand& c) const { return "screenshot " + c.path; }
  std::string operator()(const CloseCommand&) const { return "close"; }
};

}  // namespace

std::string FormatScriptLine(const ScriptCommand& command) {
  return std::visit(LineFormat{}, command);
}

namespace {

// The virtual clock ends far beyond any game, short of the end of its range, so that a timer
// started at any moment has its next tick due within the range too.
constexpr std::int64_t kClockEndMs = std::int64_t{1} << 62;

class ScriptRun {
 public:
  ScriptRun(std::ostream& out, const ScriptOptions& options, WindowId start)
      : out_(out), options_(options), platform_(out), runtime_(platform_) {
    runtime_.Get(start).Show();
  }

  // Carries out one command; false once the program has ended.
  bool Run(const ScriptCommand& command) {
    return std::visit([this](const auto& c) { return Do(c); }, command);
  }

 private:
  bool Do(const WaitCommand& c) {
    if (c.ms > kClockEndMs - runtime_.Now()) {
      Bad(fmt::format("waiting {} ms would run the clock past its end at {} ms", c.ms,
                      kClockEndMs));
    }
    runtime_.RunTimersUntil(runtime_.Now() + c.ms);
    return true;
  }
  bool Do(const KeyCommand& c) {
    KeyLatch& keys = platform_.Keys();
    if (c.action != KeyCommand::Action::Up) keys.Down(c.key);
    if (c.action != KeyCommand::Action::Down) keys.Up(c.key);
    return true;
  }
  bool Do(const ClickCommand&) {
    Window& intro = runtime_.Get(WindowId::Intro);
    if (!intro.IsVisible()) Bad("\"Play\" is not on screen: Intro is not the visible window");
    intro.Click("CmdPlay");
    return true;
  }
  bool Do(const DumpCommand& c) {
    nlohmann::ordered_json state = DumpState(runtime_);
    if (!c.controls.empty()) state["controls"] = Only(state["controls"], c.controls);
    out_ << state.dump() << '\n';
    return true;
  }

  // The named controls alone, in the order named.
  nlohmann::ordered_json Only(const nlohmann::ordered_json& controls,
                              const std::vector<std::string>& names) {
    nlohmann::ordered_json chosen = nlohmann::ordered_json::object();
    for (const std::string& name : names) {
      if (!controls.contains(name)) {
        const Window* visible = runtime_.VisibleWindow();
        Bad(fmt::format("dump: {} has no control {}", visible ? visible->Name() : "no window",
                        name));
      }
      chosen[name] = controls[name];
    }
    return chosen;
  }
  bool Do(const ScreenshotCommand& c) {
    if (!options_.screenshot) throw GameFault("screenshots are not available in this build");
    options_.screenshot(*runtime_.VisibleWindow(), c.path);
    return true;
  }
  bool Do(const CloseCommand&) { return false; }

  std::ostream& out_;
  const ScriptOptions& options_;
  HeadlessPlatform platform_;
  Runtime runtime_;
};

}  // namespace

int RunScript(std::istream& script, std::ostream& out, std::ostream& err,
              const ScriptOptions& options) {
  int lineNumber = 0;
  try {
    // The first line may say where the game starts.
    std::string line;
    bool more = static_cast<bool>(std::getline(script, line));
    lineNumber = 1;
    const std::optional<WindowId> start = options.start ? options.start : StartFromArgsLine(line);
    ScriptRun run(out, options, start.value_or(WindowId::Intro));
    for (; more; more = static_cast<bool>(std::getline(script, line)), ++lineNumber) {
      const std::optional<ScriptCommand> command = ParseScriptLine(line);
      if (command && !run.Run(*command)) break;
    }
    out.flush();
    return 0;
  } catch (const ScriptLineError& e) {
    out.flush();
    err << "script:" << lineNumber << ": " << e.reason << '\n';
    return 2;
  } catch (const GameFault& e) {
    out.flush();
    err << "reddoor: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace reddoor
