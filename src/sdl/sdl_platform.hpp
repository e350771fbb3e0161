#pragma once
// The game on the desktop: each game window is a top-level window of its own, the keys are
// those that reach these windows (and the gamepads' buttons), and the death message is a real
// modal message box.
//
// The desktop windows follow the game's windows when the game has finished handling an event
// or a tick (Present): a window that is unloaded and shown again at once, as a death does,
// stays on screen, and only what changed on it is drawn again.
//
// P pauses the game and goes on with it, and the game pauses when its window loses the focus:
// the game clock stands still, so no timer ticks, and a paused game takes no presses and no
// clicks. F11 and Alt+Enter switch between the window and fullscreen.
#include <SDL.h>

#include <array>
#include <memory>
#include <string>

#include "game/platform.hpp"
#include "game/runtime.hpp"
#include "sdl/game_clock.hpp"
#include "sdl/game_window.hpp"
#include "sdl/gamepads.hpp"
#include "sdl/media.hpp"
#include "sdl/session_recorder.hpp"
#include "sdl/timing_log.hpp"

namespace reddoor {

// A modal error box titled "Red Door" with one OK button, which Return and Escape press too.
// False when SDL cannot show it (SDL_GetError says why).
bool ShowErrorBox(SDL_Window* parent, const std::string& text);

class SdlPlatform final : public Platform {
 public:
  // The windows are drawn at `scale` while they are not fullscreen.
  SdlPlatform(SdlMedia& media, int scale, GameClock& clock)
      : media_(media), scale_(scale), clock_(clock) {}
  // Every frame put on the screen is written to this log from now on.
  void SetTimingLog(TimingLog* log) { timingLog_ = log; }
  // Everything the player does and sees is told to this recorder from now on.
  void SetRecorder(SessionRecorder* recorder) { recorder_ = recorder; }
  // Gamepads plugged in now or later act as keys; without SDL's support there are none.
  void StartGamepads() { gamepads_.Start(); }

  bool KeyPressed(Key key) override { return keys_.Poll(key); }
  void ShowMessage(const Form& window, std::string_view text) override;
  // The desktop windows follow the game's windows in Present, not at once.
  void WindowShown(const Form& window) override;

  // Handles one event; false once the player has closed the game.
  bool Handle(const SDL_Event& event, Runtime& runtime);
  // A game key went down or up on the keyboard or the gamepads.
  void KeyChanged(KeySource source, Key key, bool down);
  // Shows and hides the desktop windows as the game's windows are, and draws what changed on
  // the visible one.
  void Present(const Runtime& runtime);
  bool Paused() const { return pausedByPlayer_ || pausedByFocus_; }

 private:
  GameWindow& DesktopWindow(const Form& form);
  // Draws what changed on the desktop window of a visible game window.
  void PresentWindow(const Form& form);
  // The visible game window, if this desktop window is its.
  Form* VisibleFormOf(Uint32 windowId, Runtime& runtime);
  GameWindow* WindowOf(Uint32 windowId);
  bool HandleWindowEvent(const SDL_WindowEvent& event, Runtime& runtime);
  void HandleKey(const SDL_KeyboardEvent& event);
  // P, F11 and Alt+Enter; false for any other key.
  bool HandleCommandKey(const SDL_Keysym& key);
  void HandleMouseButton(const SDL_MouseButtonEvent& event, Runtime& runtime);
  void SetPause(bool byPlayer, bool byFocus);
  void ReleaseAllKeys();

  SdlMedia& media_;
  const int scale_;
  GameClock& clock_;
  TimingLog* timingLog_ = nullptr;
  SessionRecorder* recorder_ = nullptr;
  KeyLatch keys_;
  Gamepads gamepads_{[this](Key key, bool down) { KeyChanged(KeySource::Gamepad, key, down); }};
  bool pausedByPlayer_ = false;
  bool pausedByFocus_ = false;
  bool fullscreen_ = false;
  std::array<std::unique_ptr<GameWindow>, kFormCount> windows_;
  std::string pressedButton_;  // the button the left mouse button went down on
};

}  // namespace reddoor
