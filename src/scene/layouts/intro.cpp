// Intro: the title window. The player stands on a grass-topped pillar over a strip of grass
// and earth, three clouds drift above, and the green "Play" button starts the game.
#include "scene/layout.hpp"
#include "scene/layouts/shared_controls.hpp"

namespace reddoor {
namespace {

using palette::kEarth;
using palette::kGrass;
using palette::kSky;

constexpr ControlRecord Cloud(std::int16_t index, Box box, std::int16_t rank) {
  return Sprite("cloud", index, box, rank, PictureId::Cloud);
}

// The ground and the pillar: opaque rectangles edged in sky.
constexpr ControlRecord Base(std::int16_t index, Box box, std::int16_t rank, Color back) {
  return Rect("bASE", index, box, rank, back, kSky);
}

constexpr ControlRecord kControls[] = {
    shared_controls::Man(2760, 2520, 1),
    Button("CmdPlay", {2160, 5520, 1575, 375}, 2, "Play", kGrass),
    Cloud(0, {4680, 600, 1575, 975}, 4),
    Cloud(1, {360, 960, 1575, 1095}, 5),
    Cloud(2, {2400, 120, 1455, 975}, 3),
    Base(0, {-120, 5160, 6975, 255}, 9, kGrass),  // the grass
    Base(1, {0, 5400, 6855, 615}, 8, kEarth),     // the earth below it
    Base(2, {2520, 3240, 855, 1935}, 7, kEarth),  // the pillar
    Base(3, {2040, 3000, 1815, 255}, 6, kGrass),  // the pillar's top, where the player stands
};

}  // namespace

const WindowLayout& IntroLayout() {
  static constexpr WindowLayout kLayout{.name = "Intro",
                                        .caption = "Intro",
                                        .clientWidth = 6885,
                                        .clientHeight = 6015,
                                        .border = BorderStyle::FixedTool,
                                        .inTaskBar = false,
                                        .background = kSky,
                                        .controls = kControls};
  return kLayout;
}

}  // namespace reddoor
