#include "sdl/message_box.hpp"

#include <algorithm>
#include <utility>

namespace reddoor {

namespace {

// Measures in pixels at scale 1, as the desktop lays out its message boxes.
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kIconCrossInset = 9;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kNarrowest = 180;
constexpr Font kMessageFont{FontFace::Sans, 8, false};

constexpr std::int32_t Twips(int pixels) {
  return pixels * kTwipsPerPixel;
}

bool IsAnswerKey(SDL_Keycode key) {
  return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_ESCAPE;
}

}  // namespace

void MessageBox::Lay(std::string_view text) {
  text_ = text;
  const int textWidth = media_.Width(kMessageFont, 1, text_);
  const int lineHeight = media_.LineHeight(kMessageFont, 1);
  const int textLeft = kMargin + kIconSize + kMargin;
  const int width =
      std::max({textLeft + textWidth + kMargin, kMargin + kButtonWidth + kMargin, kNarrowest});
  const int buttonTop = kMargin + std::max(kIconSize, lineHeight) + kMargin;
  const Box icon{Twips(kMargin), Twips(kMargin), Twips(kIconSize), Twips(kIconSize)};
  const Box cross{icon.left + Twips(kIconCrossInset), icon.top + Twips(kIconCrossInset),
                  icon.width - 2 * Twips(kIconCrossInset),
                  icon.height - 2 * Twips(kIconCrossInset)};
  controls_ = {
      Shape("Stop", -1, icon, 3).Circle().WithFill(FillStyle::Solid, palette::kRed),
      Shape("StopCross", -1, cross, 2)
          .Cross()
          .WithFill(FillStyle::Solid, palette::kWindowBackground)
          .NoBorder(),
      Label("Message",
            {Twips(textLeft), Twips(kMargin + (kIconSize - lineHeight) / 2), Twips(textWidth + 1),
             Twips(lineHeight)},
            1, text_, palette::kButtonFace, kMessageFont),
      Button("CmdOK",
             {Twips((width - kButtonWidth) / 2), Twips(buttonTop), Twips(kButtonWidth),
              Twips(kButtonHeight)},
             1, "OK", palette::kButtonFace)
          .WithFocus(),
  };
  layout_ = {.name = "MessageBox",
             .caption = "Red Door",
             .clientWidth = Twips(width),
             .clientHeight = Twips(buttonTop + kButtonHeight + kMargin),
             .border = BorderStyle::FixedTool,
             .inTaskBar = false,
             .background = palette::kButtonFace,
             .controls = controls_};
  scene_.emplace(layout_);
}

void MessageBox::Show(std::string_view text, const DesktopWindow& parent) {
  Lay(text);
  spaceDown_ = false;
  pressedOnOk_ = false;
  if (window_) {
    window_->Resize(parent.Scale());
  } else {
    window_.emplace(layout_, media_, parent.Scale());
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
