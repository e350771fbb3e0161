#pragma once
// What the game tells its surroundings, and what it tells a recorder. The surroundings push
// the player's input into the game (Runtime) between ticks; the game never asks them anything.
#include <cstdint>
#include <string_view>

#include "game/keys.hpp"

namespace reddoor {

class Window;
class Runtime;

class Platform {
 public:
  virtual ~Platform() = default;
  // The window has become visible.
  virtual void WindowShown(const Window& window) = 0;
  // The death message has opened over `window`, with the critical-stop icon and one OK button.
  // The game clock stands still until the player answers it (Runtime::AnswerMessage).
  virtual void MessageOpened(const Window& window, std::string_view text) = 0;
};

// Told of every input that reaches the game and of what the game shows, each at its time on
// the game clock: enough to play the same game again.
class Recorder {
 public:
  virtual ~Recorder() = default;
  // A game key went down or up (the keyboard and the gamepads taken together).
  virtual void KeyChanged(std::int64_t t, Key key, bool down) = 0;
  // The player clicked this button of the visible window.
  virtual void Clicked(std::int64_t t, std::string_view button) = 0;
  virtual void WindowShown(std::int64_t t, std::string_view window) = 0;
  virtual void MessageShown(std::int64_t t, std::string_view text) = 0;
  // The player ended the game; this is how it stood.
  virtual void Ended(const Runtime& game) = 0;
};

}  // namespace reddoor
