#pragma once
// The desktop windows of the game's windows: each is made when its game window is first shown
// and kept for good, and follows the game's windows when the game has finished handling an
// event or a tick (Present): a window that is unloaded and shown again at once, as a death
// does, stays on screen, and only what changed on it is drawn again. Fullscreen is game-wide: a
// window shown later opens fullscreen too.
#include <SDL.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "game/runtime.hpp"
#include "sdl/desktop_window.hpp"
#include "sdl/media.hpp"
#include "sdl/timing_log.hpp"

namespace reddoor {

class DesktopWindows {
 public:
  // The windows are drawn at `scale` while they are not fullscreen; their captions say when
  // the game runs slowed, at `speedPercent` of full speed.
  DesktopWindows(SdlMedia& media, int scale, int speedPercent)
      : media_(media), scale_(scale), speedPercent_(speedPercent) {}
  // Every frame put on the screen is written to this log.
  void SetTimingLog(TimingLog* log) { timingLog_ = log; }

  // Fullscreen from the start, or not; `changed` is told when the visible window goes
  // fullscreen or comes back, as it really does.
  void SetFullscreen(bool fullscreen, std::function<void(bool)> changed);
  bool Fullscreen() const { return fullscreen_; }
  // Switches between fullscreen and the window, as far as the desktop lets `visible` go
  // fullscreen: where it cannot, the game stays in the window and says so once.
  void ToggleFullscreen(const Window& visible);

  DesktopWindow& Of(const Window& window);
  // The desktop window of this SDL id; none when it is not one of these.
  DesktopWindow* WithId(Uint32 id);
  // The visible game window, if this SDL id is its desktop window's.
  Window* VisibleWithId(Uint32 id, Runtime& runtime);
  // Uncovered, resized or shown: the window is drawn whole next time.
  void Invalidate(Uint32 id);

  // Shows and hides the desktop windows as the game's windows are, and draws what changed on
  // the visible one, with the run timer over it when there is one.
  void Present(const Runtime& runtime, bool paused, const std::optional<TimerView>& timer);
  void Present(const Window& window, bool paused, const std::optional<TimerView>& timer);

 private:
  // Once a game: the desktop keeps a window from going fullscreen.
  void TellNoFullscreen(const Window& window);

  SdlMedia& media_;
  const int scale_;
  const int speedPercent_;
  TimingLog* timingLog_ = nullptr;
  bool fullscreen_ = false;
  std::function<void(bool)> fullscreenChanged_;
  bool toldNoFullscreen_ = false;
  bool shownFullscreen_ = false;  // whether the visible window was last seen fullscreen
  std::array<std::unique_ptr<DesktopWindow>, kWindowCount> windows_;
};

}  // namespace reddoor
