// Finish: the closing window. Its only text, "Game Completed!", changes colour on Timer1.
#include "scene/layout.hpp"

namespace reddoor {
namespace {

constexpr ControlRecord kControls[] = {
    Label("Label1", {600, 720, 3375, 1335}, 2, "Game Completed!", palette::kButtonFace,
          Font{FontFace::Rounded, 24, true})
        .Centered(),
    Timer("Timer1", 100),
};

}  // namespace

const WindowLayout& FinishLayout() {
  static constexpr WindowLayout kLayout{.name = "Finish",
                                        .caption = "Game Completed",
                                        .clientWidth = 4680,
                                        .clientHeight = 2940,
                                        .border = BorderStyle::SizableTool,
                                        .inTaskBar = false,
                                        .background = palette::kButtonFace,
                                        .controls = kControls};
  return kLayout;
}

}  // namespace reddoor
