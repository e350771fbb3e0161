#pragma once
// What the player chose for a game in the real windows.
#include <functional>
#include <string>

#include "game/best_times.hpp"
#include "game/key_map.hpp"
#include "game/platform.hpp"
#include "game/window.hpp"

namespace reddoor {

struct RunTimerOptions {
  // The timer is drawn; the player shows and hides it with the timer key.
  bool shown = false;
  std::function<void(bool shown)> shownChanged;
  // What each split is compared with.
  BestTimes best;
  // Told each time the run leaves a level, and when it reaches the closing window.
  std::function<void(const RunTimer& run)> progressed;
};

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
  // 25 to 100 percent of full speed: the real time between ticks is stretched, the game is
  // the same tick for tick.
  int speedPercent = 100;
  KeyMap keys = DefaultKeyMap();
  RunTimerOptions timer;
  // Where to log the times of the timer ticks and frames; empty: no log.
  std::string timingLog;
  // Told of everything the player does and sees; none: the game is not recorded.
  Recorder* recorder = nullptr;
};

}  // namespace reddoor
