#include "scripted/script_run.hpp"

#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include "base/fault.hpp"
#include "scripted/dump.hpp"
#include "scripted/headless_platform.hpp"
#include "scripted/script.hpp"

namespace reddoor {

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
  const Runtime& Game() const { return runtime_; }

 private:
  bool Do(const WaitCommand& c) {
    if (c.ms > kClockEndMs - runtime_.Now()) {
      throw ScriptLineError{fmt::format("waiting {} ms would run the clock past its end at {} ms",
                                        c.ms, kClockEndMs)};
    }
    runtime_.RunAnsweringUntil(runtime_.Now() + c.ms);
    return true;
  }
  bool Do(const KeyCommand& c) {
    if (c.action != KeyCommand::Action::Up) runtime_.KeyDown(c.key);
    if (c.action != KeyCommand::Action::Down) runtime_.KeyUp(c.key);
    return true;
  }
  bool Do(const ClickCommand&) {
    if (!runtime_.Get(WindowId::Intro).IsVisible()) {
      throw ScriptLineError{"\"Play\" is not on screen: Intro is not the visible window"};
    }
    runtime_.Click("CmdPlay");
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
        throw ScriptLineError{fmt::format("dump: {} has no control {}",
                                          visible ? visible->Name() : "no window", Quoted(name))};
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
    const std::optional<WindowId> start = options.start ? options.start : ParseArgsLine(line);
    ScriptRun run(out, options, start.value_or(WindowId::Intro));
    for (; more; more = static_cast<bool>(std::getline(script, line)), ++lineNumber) {
      const std::optional<ScriptCommand> command = ParseScriptLine(line);
      if (command && !run.Run(*command)) break;
    }
    if (options.ended) options.ended(run.Game());
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
