#pragma once
// The game on the desktop: each game window is a top-level window of its own, the keys are
// those that reach these windows, and the death message is a real modal message box.
//
// The desktop windows follow the game's windows when the game has finished handling an event
// or a tick (Present): a window that is unloaded and shown again at once, as a death does,
// stays on screen, and only what changed on it is drawn again.
#include <SDL.h>

#include <array>
#include <memory>
#include <string>

#include "game/runtime.hpp"
#include "platform/platform.hpp"
#include "platform/sdl/game_clock.hpp"
#include "platform/sdl/game_window.hpp"
#include "platform/sdl/timing_log.hpp"
#include "scene/renderer.hpp"

namespace reddoor {

// A modal error box titled "Red Door" with one OK button, which Return and Escape press too.
// False when SDL cannot show it (SDL_GetError says why).
bool ShowErrorBox(SDL_Window* parent, const std::string& text);

class SdlPlatform : public Platform {
 public:
  SdlPlatform(Renderer& renderer, const GameClock& clock) : renderer_(renderer), clock_(clock) {}
  void Attach(Runtime& runtime) { runtime_ = &runtime; }
  // Every frame put on the screen is written to this log from now on.
  void SetTimingLog(TimingLog* log) { timingLog_ = log; }

  bool KeyPressed(Key key) override { return keys_.Poll(key); }
  void ShowMessage(std::string_view text) override;
  // The desktop windows follow the game's windows in Present, not at once.
  void WindowShown(Form& /*form*/) override {}
  void WindowHidden(Form& /*form*/) override {}
  void WindowUnloaded(Form& /*form*/) override {}

  // Handles one event; false once the player has closed the game.
  bool Handle(const SDL_Event& event);
  // Shows and hides the desktop windows as the game's windows are, and draws what changed on
  // the visible one.
  void Present();

 private:
  std::size_t IndexOf(const Form& form) const;
  GameWindow& DesktopWindow(std::size_t index);
  // The game window whose desktop window has this id, if it is the visible one.
  Form* VisibleFormOf(Uint32 windowId);
  GameWindow* WindowOf(Uint32 windowId);
  bool HandleWindowEvent(const SDL_WindowEvent& event);
  void HandleKey(const SDL_KeyboardEvent& event);
  void HandleMouseButton(const SDL_MouseButtonEvent& event);
  // The name of the visible button under a point of the window, or an empty text.
  std::string ButtonAt(const Form& form, int x, int y) const;

  Renderer& renderer_;
  const GameClock& clock_;
  Runtime* runtime_ = nullptr;
  TimingLog* timingLog_ = nullptr;
  KeyLatch keys_;
  std::array<std::unique_ptr<GameWindow>, kFormCount> windows_;
  std::string pressedButton_;  // the button the left mouse button went down on
};

}  // namespace reddoor
