#pragma once
// The game on the desktop: each game window is a top-level window of its own, the keys are
// those that reach these windows (and the gamepads' buttons), and the death message is a modal
// box that the game draws itself.
//
// The desktop windows follow the game's windows when the game has finished handling an event
// or a tick (Present): a window that is unloaded and shown again at once, as a death does,
// stays on screen, and only what changed on it is drawn again.
//
// The game is held while it is paused and while a message box is open: the game clock stands
// still, so no timer ticks, and a held game takes no presses and no clicks; a key held when
// the game was held must be pressed again. P pauses the game and goes on with it, and the game
// pauses while its window has lost the focus (minimized, for one); a paused window is drawn
// dimmed, with "Paused" over it. F11 and Alt+Enter switch between the window and fullscreen,
// Escape leaves fullscreen. A window's button has the focus: Return, Space (on release) and the
// gamepad's start button press it, as a click does.
#include <SDL.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "game/platform.hpp"
#include "game/runtime.hpp"
#include "sdl/game_clock.hpp"
#include "sdl/desktop_window.hpp"
#include "sdl/gamepads.hpp"
#include "sdl/media.hpp"
#include "sdl/message_box.hpp"
#include "sdl/session_recorder.hpp"
#include "sdl/timing_log.hpp"

namespace reddoor {

// A modal error box titled "Red Door" with one OK button, which Return and Escape press too,
// for a fault that ends the game. False when SDL cannot show it (SDL_GetError says why).
bool ShowErrorBox(const std::string& text);

class SdlPlatform final : public Platform {
 public:
  // The windows are drawn at `scale` while they are not fullscreen.
  SdlPlatform(SdlMedia& media, int scale, GameClock& clock)
      : media_(media), scale_(scale), clock_(clock) {}
  // Every frame put on the screen, and every pause and message, is written to this log.
  void SetTimingLog(TimingLog* log) { timingLog_ = log; }
  // Everything the player does and sees is told to this recorder from now on.
  void SetRecorder(SessionRecorder* recorder) { recorder_ = recorder; }
  // Gamepads plugged in now or later act as keys; without SDL's support there are none.
  void StartGamepads() { gamepads_.Start(); }
  // Fullscreen from the start, or not; `changed` is told when the player switches.
  void SetFullscreen(bool fullscreen, std::function<void(bool)> changed);

  bool KeyPressed(Key key) override { return keys_.Poll(key); }
  void ShowMessage(const Window& window, std::string_view text) override;
  // The desktop windows follow the game's windows in Present, not at once.
  void WindowShown(const Window& window) override;

  // Handles one event; false once the player has ended the game.
  bool Handle(const SDL_Event& event, Runtime& runtime);
  // The player has ended the game, perhaps while a message box was open.
  bool QuitRequested() const { return quitRequested_; }
  // Shows and hides the desktop windows as the game's windows are, and draws what changed on
  // the visible one.
  void Present(const Runtime& runtime);
  bool Paused() const { return pausedByPlayer_ || pausedByFocus_; }

 private:
  DesktopWindow& DesktopOf(const Window& form);
  // Draws what changed on the desktop window of a visible game window.
  void PresentWindow(const Window& form);
  // The visible game window, if this desktop window is its.
  Window* VisibleWindowOf(Uint32 windowId, Runtime& runtime);
  DesktopWindow* WindowOf(Uint32 windowId);
  void HandleWindowEvent(const SDL_WindowEvent& event, Runtime& runtime);
  void HandleKey(const SDL_KeyboardEvent& event, Runtime& runtime);
  // P, F11, Alt+Enter and Escape; false for any other key.
  bool HandleCommandKey(const SDL_Keysym& key);
  void HandleMouseButton(const SDL_MouseButtonEvent& event, Runtime& runtime);
  // A game key went down or up on the keyboard or the gamepads.
  void KeyChanged(KeySource source, Key key, bool down);
  // The player clicked the button.
  void Click(Window& form, const std::string& button);
  // A key pressed the button that has the focus: a window's one button.
  void PressFocusedButton(Runtime& runtime);
  // While a message box is open: false until it is answered or the game ended.
  bool HandleWhileMessageOpen(const SDL_Event& event, const Window& window);
  // No presses and no clicks reach a held game.
  bool Held() const { return Paused() || messageOpen_; }
  void SetPause(bool byPlayer, bool byFocus);
  void ToggleFullscreen();
  // Holds or lets go of the game clock, with a line in the timing log.
  void HoldClock(bool hold, const char* why);
  void ReleaseAllKeys();
  // A key that comes down with the focus may be one held from before.
  bool StillHeld(SDL_Keycode code) const;

  SdlMedia& media_;
  const int scale_;
  GameClock& clock_;
  TimingLog* timingLog_ = nullptr;
  SessionRecorder* recorder_ = nullptr;
  KeyLatch keys_;
  Gamepads gamepads_{[this](Key key, bool down) { KeyChanged(KeySource::Gamepad, key, down); }};
  bool pausedByPlayer_ = false;
  bool pausedByFocus_ = false;
  bool messageOpen_ = false;
  bool quitRequested_ = false;
  // The keys that SDL sends as a window gets the focus back are the keys held at that moment,
  // not presses: they come right after the focus, stamped with the same millisecond.
  bool focusJustGained_ = false;
  Uint32 focusGainedAt_ = 0;
  // The game keys that were down when the game last let go of them (paused, message opened).
  std::array<bool, kKeys.size()> heldWhenLetGo_{};
  // Space went up, or Return down: the visible window's button is pressed once the event is
  // handled.
  bool buttonKeyed_ = false;
  bool fullscreen_ = false;
  std::function<void(bool)> fullscreenChanged_;
  std::array<std::unique_ptr<DesktopWindow>, kWindowCount> windows_;
  MessageBox messageBox_{media_};
  std::string pressedButton_;  // the button the left mouse button went down on
};

}  // namespace reddoor
