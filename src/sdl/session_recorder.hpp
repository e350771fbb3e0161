#pragma once
// Told of everything that reaches the game from the player in a real game, in the order it
// reaches it, and of what the game shows: enough to play the same game again.
#include <string_view>

#include "game/keys.hpp"

namespace reddoor {

class Window;
class Runtime;

class SessionRecorder {
 public:
  virtual ~SessionRecorder() = default;
  // The game starts on this runtime, before its first window shows.
  virtual void Started(Runtime& runtime) = 0;
  // A game key went down or up (the keyboard and the gamepads taken together).
  virtual void KeyChanged(Key key, bool down) = 0;
  // The player clicked this button of the visible window.
  virtual void Clicked(std::string_view button) = 0;
  virtual void WindowShown(const Window& form) = 0;
  virtual void MessageShown(std::string_view text) = 0;
  // The player closed the game.
  virtual void Ended() = 0;
};

}  // namespace reddoor
