#pragma once
// The language of the scripted run and of recordings, one command a line:
//   wait N | down K | up K | tap K | click Play | dump [CONTROL...] | screenshot PATH | close
// A first line "# args: --start LevelN" starts the game on that level, as a recording made
// with --start says.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "game/keys.hpp"
#include "game/window.hpp"

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

// The window that a first line "# args: --start LevelN" names; none for any other first line.
std::optional<WindowId> ParseArgsLine(const std::string& line);  // throws ScriptLineError

}  // namespace reddoor
