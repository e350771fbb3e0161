#pragma once
// The game in real windows on the desktop, on the real clock: the one event loop of the game.
#include <functional>
#include <string>

#include "game/runtime.hpp"

namespace reddoor {

struct WindowedOptions {
  WindowId start = WindowId::Intro;
  // 1 to 8; 0: the largest scale at which every window fits the desktop. A scale that does not
  // fit is lowered to the largest that does, with a line on standard error.
  int scale = 0;
  bool fullscreen = false;
  // Told of the scale the windows are drawn at, once it is chosen.
  std::function<void(int scale)> scaleChosen;
  // Told when the visible window goes fullscreen or back, as it really does.
  std::function<void(bool fullscreen)> fullscreenChanged;
  // Where to log the times of the timer ticks and frames; empty: no log.
  std::string timingLog;
  // Told of everything the player does and sees; none: the game is not recorded.
  Recorder* recorder = nullptr;
};

// Plays until the player ends the game: a window closed, or the program asked to end
// (SIGTERM, SIGINT). Returns the exit status.
int RunWindowed(const WindowedOptions& options);

}  // namespace reddoor
