#pragma once
// The game keys from the keyboard and the gamepads, pushed into the game as they go down and
// up. A held game takes no presses, and a key held when the game was held must be pressed
// again: the game lets go of every key as it is held, and the keys that SDL reports down as a
// window gets the focus back are not taken for presses.
#include <SDL.h>

#include <array>
#include <optional>

#include "game/keys.hpp"
#include "game/runtime.hpp"
#include "sdl/game_hold.hpp"
#include "sdl/gamepads.hpp"

namespace reddoor {

// The game key of a keyboard key: the arrows, Space and E.
std::optional<Key> GameKey(SDL_Keycode code);

class KeyInput {
 public:
  explicit KeyInput(const GameHold& hold) : hold_(hold) {}
  // The keys go to this game from now on.
  void Attach(Runtime& runtime) { runtime_ = &runtime; }
  Gamepads& Pads() { return gamepads_; }

  // A game key went down or up on the keyboard or the gamepads.
  void Changed(KeySource source, Key key, bool down);
  // The game is being held: every key is let go of, and remembered as held if it was.
  void ReleaseAll();

  // A window of the game got the focus at this SDL time stamp.
  void FocusGained(Uint32 timestamp);
  // Whether the event is a key that was held before the focus came back, not a press; to be
  // asked of every event as it comes.
  bool IsHeldFromBefore(const SDL_Event& event);

  // Space went up on a running game: the visible window's button is to be pressed, once.
  bool TakeButtonPress() { return std::exchange(buttonPressed_, false); }

 private:
  // Only a game key that was down when the game last let go of the keys can still be held.
  bool MayStillBeHeld(SDL_Keycode code) const;

  const GameHold& hold_;
  Runtime* runtime_ = nullptr;
  Gamepads gamepads_{[this](Key key, bool down) { Changed(KeySource::Gamepad, key, down); }};
  // SDL stamps the keys it sends as a window gets the focus back with the focus's millisecond.
  bool focusJustGained_ = false;
  Uint32 focusGainedAt_ = 0;
  std::array<bool, kKeys.size()> heldWhenLetGo_{};
  bool buttonPressed_ = false;
};

}  // namespace reddoor
