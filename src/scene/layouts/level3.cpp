// Level3: the last level. The player starts on the floor near the middle; a tall wall closes
// the left side with water at its foot, and the door sits top right on the grass ledge
// Block(4). The bird waits hidden above the window until the exit calls it.
#include "scene/layout.hpp"
#include "scene/layouts/shared_controls.hpp"

namespace reddoor {
namespace {

using palette::kCyan;
using palette::kEarth;
using shared_controls::Cloud;
using shared_controls::CoinCounter;
using shared_controls::CoinsCaption;
using shared_controls::GameTick;
using shared_controls::Man;
using shared_controls::Monster;
using shared_controls::PicBackwards;
using shared_controls::PicForwards;
using shared_controls::Water;

// Every block of this level has a cyan border; most are earth, the grass ledges dark grass.
constexpr ControlRecord Block(std::int16_t index, Box box, std::int16_t rank, Color back = kEarth) {
  return Rect("Block", index, box, rank, back, kCyan);
}

// The coins of this level are yellow discs with a cyan outline.
constexpr ControlRecord YellowCoin(std::int16_t index, std::int32_t left, std::int32_t top,
                                   std::int16_t rank) {
  return Shape("Coin", index, {left, top, shared_controls::kCoinSize, shared_controls::kCoinSize},
               rank)
      .Circle()
      .WithBack(palette::kYellow)
      .WithBorder(kCyan);
}

constexpr ControlRecord kControls[] = {
    Sprite("Bird", -1, {12600, -800, 975, 615}, 2, PictureId::Bird).Hidden(),
    Man(6240, 5880, 11),
    Monster(0, {13200, 5880, 615, 495}, 15, "LR/0/8400/13200/50/D"),
    Cloud(0, 1680, 0, 6),
    Cloud(1, 8880, 0, 5),
    Cloud(2, 4200, 600, 7),
    Cloud(3, 6360, -240, 4),
    Cloud(4, 11040, 0, 3),
    PicBackwards(1680, 240, 12),
    PicForwards(1680, 720, 13),

    // Block(2) is hidden by the load handler, Block(15) stays hidden; Block(16) and Block(17)
    // move once the coins start their timers, Block(25) from the start.
    Block(0, {5400, 2520, 1215, 255}, 52),
    Block(1, {6120, 1800, 1215, 255}, 51),
    Block(2, {4680, 3240, 735, 135}, 50),
    Block(3, {0, 0, 735, 7575}, 49),
    Block(4, {7440, 1560, 6375, 255}, 48, palette::kDarkGrass),
    Block(5, {7440, 1800, 6375, 255}, 47),
    Block(6, {3480, 4080, 5535, 255}, 46, palette::kDarkGrass),
    Block(7, {3480, 4320, 5535, 375}, 45),
    Block(8, {10920, 3120, 1095, 375}, 44),
    Block(9, {7200, 4680, 735, 1695}, 43),
    Block(10, {2400, 6600, 11415, 975}, 42),
    Block(11, {6120, 5520, 1095, 255}, 40),
    Block(12, {10440, 4920, 495, 255}, 39),
    Block(13, {960, 4800, 375, 135}, 38),
    Block(14, {1920, 5520, 375, 135}, 37),
    Block(15, {7800, 5400, 135, 975}, 36).Hidden(),
    Block(16, {10800, 2040, 135, 1455}, 35),
    Block(17, {6000, 4920, 135, 855}, 34),
    Block(18, {2040, 3960, 375, 135}, 27),
    Block(19, {960, 3240, 375, 135}, 26),
    Block(20, {1560, 2400, 375, 135}, 25),
    Block(21, {840, 1920, 375, 135}, 24),
    Block(22, {9240, 4440, 495, 255}, 23),
    Block(23, {12120, 5520, 495, 255}, 22),
    Block(24, {12960, 4680, 495, 255}, 21),
    Block(25, {9840, 3360, 615, 135}, 20),
    Rect("Floor", -1, {2400, 6360, 11415, 255}, 41, palette::kDarkGrass, kCyan),
    Water(0, {720, 6480, 1695, 1095}, 28),
    Water(1, {720, 6360, 1695, 135}, 16).NoBorder(),
    Shape("door", -1, {13200, 1320, 375, 255}, 17).WithBack(palette::kRed).NoBorder(),

    YellowCoin(0, 11400, 2880, 33),
    YellowCoin(1, 6480, 5160, 32),
    YellowCoin(2, 960, 840, 31),
    YellowCoin(3, 8160, 6000, 19),
    YellowCoin(4, 13080, 3840, 18),

    CoinsCaption(2400, 7800, 29),
    CoinCounter(4320, 7800, 30),

    GameTick(),
    Timer("Block16Timer", 100).Disabled(),
    Timer("Block17Timer", 100).Disabled(),
    Timer("Block25Timer", 45),
    Timer("tmrFly", 1).Disabled(),
};

}  // namespace

const WindowLayout& Level3Layout() {
  static constexpr WindowLayout kLayout =
      shared_controls::LevelWindow("Level3", 13800, 8385, kControls);
  return kLayout;
}

}  // namespace reddoor
