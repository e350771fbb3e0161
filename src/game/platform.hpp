#pragma once
// What the game asks of its surroundings. Two back ends answer it: the real windows of the
// desktop and the headless scripted run.
#include <string_view>

#include "game/keys.hpp"

namespace reddoor {

class Window;

class Platform {
 public:
  virtual ~Platform() = default;
  // The key-state query: down now, or pressed since the previous poll of that key.
  virtual bool KeyPressed(Key key) = 0;
  // A modal message over `window` with the critical-stop icon and one OK button; returns once
  // the player has answered it.
  virtual void ShowMessage(const Window& window, std::string_view text) = 0;
  // The window has become visible.
  virtual void WindowShown(const Window& window) = 0;
};

}  // namespace reddoor
