#pragma once
// The game in real windows on the desktop, on the real clock.
#include <string>

#include "game/runtime.hpp"

namespace reddoor {

struct WindowedOptions {
  FormId start = FormId::Intro;
  int scale = 1;
  // Where to log the times of the timer ticks and frames; empty: no log.
  std::string timingLog;
};

// Plays until the visible window is closed. Returns the exit status.
int RunWindowed(const WindowedOptions& options);

}  // namespace reddoor
