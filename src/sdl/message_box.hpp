#pragma once
// The death message, a modal window that the game draws itself, as it draws its other windows:
// titled "Red Door", the critical-stop icon, the message, and one OK button, which has the
// focus. Return, Escape, Space (on release), a click on OK and the box's own close button
// answer it; it is drawn at the game's scale.
//
// Its window is made for the first message and kept, hidden, for the next: on X11, SDL may wake
// its event loop through a window that it has just destroyed, and the X error that follows
// ends the program.
#include <SDL.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scene/layout.hpp"
#include "scene/message_box_layout.hpp"
#include "scene/scene.hpp"
#include "sdl/desktop_window.hpp"
#include "sdl/media.hpp"

namespace reddoor {

class MessageBox {
 public:
  explicit MessageBox(SdlMedia& media) : media_(media) {}

  // Shows the text over the middle of `parent`, at its scale, with the keyboard.
  void Show(std::string_view text, const DesktopWindow& parent);
  void Hide() { window_->Hide(); }
  Uint32 Id() const { return window_ ? window_->Id() : 0; }
  void TakeFocus() { window_->TakeFocus(); }
  // Draws what has changed.
  void Present() { window_->Present(*scene_); }
  // Handles an event of the box's window; true once the box is answered.
  bool Answered(const SDL_Event& event);

 private:
  SdlMedia& media_;
  std::optional<MessageBoxLayout> layout_;
  std::optional<Scene> scene_;
  std::optional<DesktopWindow> window_;
  bool spaceDown_ = false;
  bool pressedOnOk_ = false;  // the left mouse button went down on OK
};

}  // namespace reddoor
