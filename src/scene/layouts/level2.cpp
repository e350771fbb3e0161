// Level2: the second level. The player starts bottom left above Block(2); a wide water area
// fills the bottom between the corner blocks, four blocks move on their own timers, and the
// door stands bottom right on Block(3).
#include "scene/layout.hpp"
#include "scene/layouts/shared_controls.hpp"

namespace reddoor {
namespace {

using palette::kDarkGrass;
using shared_controls::Cloud;
using shared_controls::CoinCounter;
using shared_controls::CoinsCaption;
using shared_controls::GameTick;
using shared_controls::GoldCoin;
using shared_controls::Man;
using shared_controls::Monster;
using shared_controls::PicBackwards;
using shared_controls::PicForwards;
using shared_controls::Water;

// Every block of this level is earth with a cyan border.
constexpr ControlRecord Block(std::int16_t index, Box box, std::int16_t rank) {
  return Rect("Block", index, box, rank, palette::kEarth, palette::kCyan);
}

// The moving blocks tick every 50 ms from the moment the window loads.
constexpr ControlRecord BlockTimer(std::string_view name) {
  return Timer(name, 50);
}

constexpr ControlRecord kControls[] = {
    Man(480, 6360, 12),
    Monster(0, {10560, 4320, 615, 375}, 5, "LR/0/10560/12600/50/D"),
    Cloud(0, 6240, 1320, 7),
    Cloud(1, 10800, 360, 6),
    Cloud(2, 1920, 600, 8),
    PicBackwards(360, 960, 11),
    PicForwards(360, 1440, 10),

    // Block(4), Block(5), Block(8) and Block(13) start here and move.
    Block(0, {0, 7200, 1215, 375}, 44),
    Block(1, {12600, 7200, 1215, 375}, 39),
    Block(2, {0, 6960, 1215, 255}, 38).WithFill(FillStyle::Solid, kDarkGrass),
    Block(3, {12600, 6960, 1215, 255}, 37).WithFill(FillStyle::Solid, kDarkGrass),
    Block(4, {1200, 6600, 1095, 135}, 36),
    Block(5, {7440, 6360, 1695, 135}, 35),
    Block(6, {3120, 5760, 2175, 255}, 34),
    Block(7, {360, 5160, 1455, 255}, 33),
    Block(8, {2520, 4440, 1335, 135}, 32),
    Block(9, {8280, 3600, 975, 255}, 31),
    Block(10, {5760, 3600, 1815, 255}, 29),
    Block(11, {10080, 3000, 975, 255}, 28),
    Block(12, {10080, 4680, 3735, 255}, 27),
    Block(13, {3840, 2760, 1335, 135}, 26),
    Block(14, {360, 3000, 855, 375}, 24),
    // The ground of this level is a hidden sliver near the top of the window.
    Shape("Floor", -1, {4320, 240, 1215, 135}, 30).NoBorder().Hidden(),
    Water(0, {1200, 7080, 11415, 495}, 43),
    Rect("door", -1, {13320, 6720, 375, 255}, 13, palette::kRed, palette::kBlack),

    GoldCoin(0, 13320, 4440, 40),
    GoldCoin(1, 12720, 6720, 25),
    GoldCoin(2, 600, 2760, 23),
    GoldCoin(3, 10560, 2760, 22),
    GoldCoin(4, 9120, 4440, 21),
    GoldCoin(5, 7080, 5400, 20),
    GoldCoin(6, 9120, 6120, 19),
    GoldCoin(7, 10200, 4440, 18),
    GoldCoin(8, 11760, 3840, 17),
    GoldCoin(9, 840, 4920, 16),
    GoldCoin(10, 4200, 5160, 15),
    GoldCoin(11, 6840, 3360, 14),

    CoinsCaption(0, 7680, 41),
    CoinCounter(1920, 7680, 42),

    GameTick(),
    BlockTimer("Block4Timer"),
    BlockTimer("Block5Timer"),
    BlockTimer("Block8Timer"),
    BlockTimer("Block13Timer"),
};

}  // namespace

const WindowLayout& Level2Layout() {
  static constexpr WindowLayout kLayout =
      shared_controls::LevelWindow("Level2", 13770, 8265, kControls);
  return kLayout;
}

}  // namespace reddoor
