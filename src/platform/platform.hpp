#pragma once
// What the game asks of its surroundings. Two back ends answer it: the real windows of the
// desktop and the headless scripted run.
#include <string_view>

#include "platform/keyboard.hpp"

namespace reddoor {

class Form;

class Platform {
 public:
  virtual ~Platform() = default;
  // The key-state query: down now, or pressed since the previous poll of that key.
  virtual bool KeyPressed(Key key) = 0;
  // A modal message with the critical-stop icon and one OK button; returns once closed.
  virtual void ShowMessage(std::string_view text) = 0;
  // A window became visible, was hidden, or lost its controls.
  virtual void WindowShown(Form& form) = 0;
  virtual void WindowHidden(Form& form) = 0;
  virtual void WindowUnloaded(Form& form) = 0;
};

}  // namespace reddoor
