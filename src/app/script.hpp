#pragma once
// The scripted run: the whole game headless, on a virtual clock, driven line by line.
//   wait N | down K | up K | tap K | click Play | dump [CONTROL...] | screenshot PATH | close
// A first line "# args: --start LevelN" starts the game on that level, as a recording made
// with --start says; the command line's --start goes first.
#include <cstdint>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "game/keys.hpp"
#include "game/runtime.hpp"

namespace reddoor {

// A wait is at most this long: 2^31 - 1 ms, 24.8 days.
constexpr std::int64_t kLongestWaitMs = 2147483647;

struct WaitCommand {
  std::int64_t ms = 0;
};
struct KeyCommand {
  enum class Action : std::uint8_t { Down, Up, Tap } action;
  Key key;
};
struct ClickCommand {};
struct DumpCommand {
  std::vector<std::string> controls;  // only these controls; all when none are named
};
struct ScreenshotCommand {
  std::string path;
};
struct CloseCommand {};
using ScriptCommand = std::variant<WaitCommand, KeyCommand, ClickCommand, DumpCommand,
                                   ScreenshotCommand, CloseCommand>;

// A line that is not a command; `reason` says why.
struct ScriptLineError {
  std::string reason;
};

// Parses one line: nothing for a blank line or a comment.
std::optional<ScriptCommand> ParseScriptLine(const std::string& line);  // throws ScriptLineError

// The line that ParseScriptLine reads back as this command.
std::string FormatScriptLine(const ScriptCommand& command);

// Writes a picture of a window's client area.
using Screenshooter = std::function<void(const Window& window, const std::string& path)>;

struct ScriptOptions {
  // None: as the script's first line says, else the title window.
  std::optional<WindowId> start;
  Screenshooter screenshot;
};

// The windows a game can start on, by name: Level1, Level2, Level3.
std::optional<WindowId> StartWindowNamed(std::string_view name);

// Runs a script to its end or to `close`. Returns the exit status: 0 done, 2 a bad line
// (reported as "script:LINE: reason" on `err`), 1 a fault inside the game.
int RunScript(std::istream& script, std::ostream& out, std::ostream& err,
              const ScriptOptions& options);

}  // namespace reddoor
