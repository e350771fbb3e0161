#pragma once
// The game in real windows on the desktop, on the real clock.
#include <string>

#include "game/runtime.hpp"
#include "sdl/session_recorder.hpp"

namespace reddoor {

struct WindowedOptions {
  FormId start = FormId::Intro;
  // 1 to 8; 0: the largest scale at which the largest window fits the desktop.
  int scale = 0;
  // Where to log the times of the timer ticks and frames; empty: no log.
  std::string timingLog;
  // Told of everything the player does and sees; none: the game is not recorded.
  SessionRecorder* recorder = nullptr;
};

// Plays until the visible window is closed. Returns the exit status.
int RunWindowed(const WindowedOptions& options);

}  // namespace reddoor
