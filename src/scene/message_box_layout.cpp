#include "scene/message_box_layout.hpp"

#include <algorithm>

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

}  // namespace

MessageBoxLayout::MessageBoxLayout(std::string_view message, TextRasterizer& text)
    : text_(message) {
  const int textWidth = text.Width(kMessageFont, 1, text_);
  const int lineHeight = text.LineHeight(kMessageFont, 1);
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
}

}  // namespace reddoor
