#pragma once
// The game keys from the keyboard and the gamepads, pushed into the game as they go down and
// up. A held game takes no presses, and a key held when the game was held must be pressed
// again: the game lets go of every key as it is held, and a key that is still down, or down
// again, when a window of the game gets the focus back counts only once it has gone up.
//
// On X11, SDL lets go of every key as the focus goes (key-ups stamped with the focus loss's
// millisecond) and tells nothing of a key still held when the focus comes back: the server's
// auto-repeat of that key then reaches the game as a fresh press.
#include <SDL.h>

#include <array>
#include <functional>
#include <optional>

#include "game/keys.hpp"
#include "game/runtime.hpp"
#include "sdl/game_hold.hpp"
#include "sdl/gamepads.hpp"
#include "sdl/key_bindings.hpp"

namespace reddoor {

class KeyInput {
 public:
  // The keys and buttons of the game keys are those of `bindings`.
  KeyInput(const GameHold& hold, const KeyBindings& bindings) : hold_(hold), bindings_(bindings) {}
  // The keys go to this game from now on.
  void Attach(Runtime& runtime) { runtime_ = &runtime; }
  Gamepads& Pads() { return gamepads_; }

  // A game key went down or up on the keyboard or the gamepads.
  void Changed(KeySource source, Key key, bool down);
  // A key of the keyboard, not a repeat, went down or up in a window of the game.
  void Keyboard(const SDL_KeyboardEvent& event);
  // The game is being held: every key is let go of, and remembered as held if it was.
  void ReleaseAll();

  // The game's window lost the focus at this SDL time stamp, and the game paused.
  void FocusLost(Uint32 timestamp);
  // A window of the game got the focus back; `downNow` tells whether a key is down on the
  // keyboard now, where the desktop can tell.
  void FocusGained(const std::function<std::optional<bool>(SDL_Keycode)>& downNow);

  // Space went up on a running game: the visible window's button is to be pressed, once.
  bool TakeButtonPress() { return std::exchange(buttonPressed_, false); }

 private:
  using KeyFlags = std::array<bool, kKeys.size()>;

  const GameHold& hold_;
  const KeyBindings& bindings_;
  Runtime* runtime_ = nullptr;
  Gamepads gamepads_{[this](Key key, bool down) { Changed(KeySource::Gamepad, key, down); },
                     bindings_.Map()};
  KeyFlags heldWhenLetGo_{};   // the keys down when the game last let go of them
  KeyFlags heldFromBefore_{};  // down since before the focus came back: no press until up
  // When each key last went up on the keyboard, by SDL's time stamp.
  std::array<std::optional<Uint32>, kKeys.size()> releasedAt_{};
  bool buttonPressed_ = false;
  bool pausedByFocusLoss_ = false;
};

}  // namespace reddoor
