#pragma once
// The game on the desktop: each game window is a top-level window of its own, the keys are
// those that reach these windows (and the gamepads' buttons), and the death message is a modal
// box that the game draws itself. Events come in through Handle, one at a time, from the one
// event loop of the game (event_loop.hpp); nothing here waits for an event.
//
// The game is held while it is paused and while a message box is open (GameHold). P pauses the
// game and goes on with it, and the game pauses while its window has lost the focus (minimized,
// for one); a paused window is drawn dimmed, with "Paused" over it. The fullscreen key (F11) and
// Alt+Enter switch between the window and fullscreen, Escape leaves fullscreen; the timer key
// shows and hides the run timer. A window's button is pressed by Return, the jump key (on
// release) and the gamepad's start button, as a click does. The keys are the player's
// (WindowedOptions::keys).
#include <SDL.h>

#include <functional>
#include <optional>
#include <string>

#include "game/platform.hpp"
#include "game/runtime.hpp"
#include "sdl/desktop_windows.hpp"
#include "sdl/game_clock.hpp"
#include "sdl/game_hold.hpp"
#include "sdl/key_input.hpp"
#include "sdl/media.hpp"
#include "sdl/message_box.hpp"
#include "sdl/timing_log.hpp"
#include "sdl/windowed_options.hpp"

namespace reddoor {

class SdlPlatform final : public Platform {
 public:
  // The windows are drawn at `scale` while they are not fullscreen; the rest of the player's
  // choices are in `options`, which outlive the platform.
  SdlPlatform(SdlMedia& media, int scale, GameClock& clock, const WindowedOptions& options)
      : media_(media),
        options_(options),
        bindings_(options.keys),
        hold_(clock),
        windows_(media, scale, options.speedPercent),
        timerShown_(options.timer.shown) {}
  // The game that the player's input goes to, once it is made.
  void Attach(Runtime& runtime);
  // Every frame put on the screen, and every pause and message, is written to this log.
  void SetTimingLog(TimingLog* log);
  // Gamepads plugged in now or later act as keys; without SDL's support there are none.
  void StartGamepads() { keys_.Pads().Start(); }
  // Fullscreen from the start, or not; `changed` is told when the player switches.
  void SetFullscreen(bool fullscreen, std::function<void(bool)> changed) {
    windows_.SetFullscreen(fullscreen, std::move(changed));
  }

  void WindowShown(const Window& window) override;
  void MessageOpened(const Window& window, std::string_view text) override;

  // Handles one event; false once the player has ended the game.
  bool Handle(const SDL_Event& event);
  // The player has ended the game, perhaps while a message box was open.
  bool QuitRequested() const { return quitRequested_; }
  // Brings the desktop windows, and the message box, up to date with the game.
  void Present();
  bool Paused() const { return hold_.Paused(); }
  // The game is ending: any open message is answered, and the instant it opened at is played to
  // its end, as the scripted run would.
  void AnswerOpenMessages();

 private:
  void HandleWindowEvent(const SDL_WindowEvent& event);
  void HandleKey(const SDL_KeyboardEvent& event);
  // Pause, fullscreen (and Alt+Enter, and Escape in fullscreen) and the timer; false for any
  // other key.
  bool HandleCommandKey(const SDL_Keysym& key);
  void HandleButton(const SDL_ControllerButtonEvent& event);
  // Carries out an action of the surroundings; false for the game's own actions.
  bool Command(Action action);
  void ToggleTimer();
  // The run timer as it is to be drawn now; none while it is hidden or the run has not begun.
  std::optional<TimerView> TimerNow() const;
  // Tells of the splits, and the end, that the run reached since last told.
  void TellProgress();
  void HandleMouseButton(const SDL_MouseButtonEvent& event);
  // While a message box is open: true once it is answered.
  bool AnsweredBy(const SDL_Event& event);
  void CloseMessage();
  void SetPause(bool byPlayer, bool byFocus);

  SdlMedia& media_;
  const WindowedOptions& options_;
  const KeyBindings bindings_;
  Runtime* runtime_ = nullptr;
  TimingLog* timingLog_ = nullptr;
  GameHold hold_;
  KeyInput keys_{hold_, bindings_};
  DesktopWindows windows_;
  MessageBox messageBox_{media_};
  bool quitRequested_ = false;
  std::string pressedButton_;  // the button the left mouse button went down on
  bool timerShown_;
  RunProgress progress_;
};

}  // namespace reddoor
