#include "sdl/message_box.hpp"

#include <algorithm>
#include <utility>

namespace reddoor {

namespace {

bool IsAnswerKey(SDL_Keycode key) {
  return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_ESCAPE;
}

}  // namespace

void MessageBox::Show(std::string_view text, const DesktopWindow& parent) {
  // The window keeps a reference to the layout: the new one takes the place of the old.
  layout_.emplace(text, media_);
  scene_.emplace(layout_->Layout());
  spaceDown_ = false;
  pressedOnOk_ = false;
  if (window_) {
    window_->Resize(parent.Scale());
  } else {
    window_.emplace(layout_->Layout(), media_, parent.Scale());
  }
  window_->CenterOnAsModal(parent);
  window_->Show();
}

bool MessageBox::Answered(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) return true;
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) window_->Invalidate();
      return false;
    case SDL_KEYDOWN:
      if (event.key.repeat) return false;
      if (event.key.keysym.sym == SDLK_SPACE) spaceDown_ = true;
      return IsAnswerKey(event.key.keysym.sym);
    case SDL_KEYUP:
      // A focused button is pressed when Space is let go over it.
      return event.key.keysym.sym == SDLK_SPACE && spaceDown_;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (event.button.button != SDL_BUTTON_LEFT) return false;
      const bool onOk = window_->ButtonAt(*scene_, event.button.x, event.button.y) == "CmdOK";
      if (event.type == SDL_MOUSEBUTTONDOWN) {
        pressedOnOk_ = onOk;
        return false;
      }
      return std::exchange(pressedOnOk_, false) && onOk;
    }
    default:
      return false;
  }
}

}  // namespace reddoor
