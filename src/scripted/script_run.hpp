#pragma once
// The scripted run: the whole game headless, on a virtual clock, driven by a script line by
// line. Every message is answered at once; what the player would see is printed as JSON lines.
// A first line "# args: --start LevelN" starts the game on that level; the command line's
// --start goes first.
#include <cstdint>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "game/runtime.hpp"

namespace reddoor {

// Writes a picture of a window's client area.
using Screenshooter = std::function<void(const Window& window, const std::string& path)>;

struct ScriptOptions {
  // None: as the script's first line says, else the title window.
  std::optional<WindowId> start;
  Screenshooter screenshot;
  // Told how the game stood when the script ended.
  std::function<void(const Runtime&)> ended;
};

// Runs a script to its end or to `close`. Returns the exit status: 0 done, 2 a bad line
// (reported as "script:LINE: reason" on `err`), 1 a fault inside the game.
int RunScript(std::istream& script, std::ostream& out, std::ostream& err,
              const ScriptOptions& options);

}  // namespace reddoor
