// Level1: the first level. The player starts top left above the grass ledge Block(26); water
// runs along the bottom, two monsters patrol, and the door waits at the right above Block(9).
#include "scene/layout.hpp"
#include "scene/layouts/shared_controls.hpp"

namespace reddoor {
namespace {

using palette::kDarkGrass;
using palette::kEarth;
using palette::kGrass;
using palette::kSky;
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

// The blocks of this level come in several colours, each with its own border colour.
constexpr ControlRecord Block(std::int16_t index, Box box, std::int16_t rank, Color back,
                              Color border) {
  return Rect("Block", index, box, rank, back, border);
}

constexpr ControlRecord kControls[] = {
    Man(240, 3720, 3),
    Monster(0, {1080, 4680, 615, 495}, 2, "LR/0/1080/4080/75/D"),
    Monster(1, {6840, 5880, 615, 375}, 1, "RL/0/4680/6840/45/1"),
    Cloud(0, 960, 840, 11),
    Cloud(1, 3840, 1200, 10),
    Cloud(2, 5520, 240, 9),
    Cloud(3, 7200, 1320, 8),
    Cloud(4, 8760, 240, 7),
    PicBackwards(480, 0, 4),
    PicForwards(960, 0, 5),

    Block(0, {1080, 5160, 3615, 135}, 82, kGrass, kSky),
    Block(1, {0, 4680, 495, 2175}, 81, kEarth, kEarth),
    Block(2, {4200, 5280, 495, 1095}, 80, kEarth, kEarth),
    Block(3, {10320, 5400, 855, 615}, 13, kEarth, kEarth),
    Block(4, {4680, 5040, 615, 255}, 67, kEarth, kSky),
    Block(5, {8760, 5280, 735, 1095}, 79, kEarth, kEarth),
    Block(6, {8160, 5640, 615, 735}, 78, kEarth, kEarth),
    Block(7, {4920, 6360, 5055, 375}, 48, kEarth, kEarth),
    Block(8, {11760, 5520, 1575, 1335}, 77, kEarth, kEarth),
    Block(9, {12120, 5280, 1455, 255}, 76, kDarkGrass, kSky),
    Block(10, {-600, 7320, 13815, 495}, 75, kEarth, kSky),
    Block(11, {9960, 4800, 1815, 1935}, 73, kEarth, kEarth),
    Block(12, {6120, 4560, 1575, 255}, 72, kEarth, kSky),
    Block(13, {0, 4440, 1455, 255}, 71, kEarth, kEarth),
    Block(14, {9480, 4800, 495, 1575}, 70, kEarth, kEarth),
    Block(15, {7440, 6120, 735, 255}, 69, kEarth, kEarth),
    Block(16, {4200, 6360, 735, 495}, 68, kEarth, kEarth),
    Block(17, {5280, 4800, 855, 255}, 58, kEarth, kSky),
    Block(18, {10560, 3960, 615, 855}, 55, kEarth, kEarth),
    Block(19, {11760, 3960, 375, 1575}, 54, kEarth, kEarth),
    Block(20, {9960, 4320, 615, 495}, 53, kEarth, kEarth),
    Block(21, {11760, 3240, 615, 735}, 52, kEarth, kEarth),
    Block(22, {11160, 3600, 615, 1215}, 51, kEarth, kEarth),
    Block(23, {12360, 3240, 375, 1095}, 50, kEarth, kSky).Hidden(),
    Block(24, {12120, 3960, 255, 375}, 49, kEarth, kSky).Hidden(),
    Block(25, {1080, 5280, 3135, 255}, 47, kEarth, kSky),
    Block(26, {0, 4320, 1455, 135}, 46, kGrass, kSky),
    Block(27, {7440, 6000, 735, 135}, 45, kGrass, kSky),
    Block(28, {6120, 4440, 1575, 135}, 44, kGrass, kSky),
    Block(29, {4680, 4920, 615, 135}, 43, kGrass, kSky),
    Block(30, {5280, 4680, 855, 135}, 42, kGrass, kSky),
    Block(31, {4680, 6240, 2775, 135}, 41, kGrass, kSky),
    Block(32, {8160, 5520, 615, 135}, 40, kGrass, kSky),
    Block(33, {8760, 5160, 735, 135}, 39, kGrass, kSky),
    Block(34, {9480, 4680, 495, 135}, 38, kGrass, kSky),
    Block(35, {9960, 4200, 615, 135}, 37, kGrass, kSky),
    Block(36, {10560, 3840, 615, 135}, 36, kGrass, kSky),
    Block(37, {11160, 3480, 615, 135}, 35, kGrass, kSky),
    Block(38, {11760, 3120, 975, 135}, 34, kGrass, kSky),
    Rect("Floor", -1, {0, 7080, 13935, 255}, 83, kDarkGrass, kSky),
    Water(0, {480, 6480, 3735, 615}, 74),
    Water(1, {0, 6720, 13335, 615}, 56),
    Shape("cBlock", -1, {120, 0, 375, 375}, 57).WithBack(kEarth).NoBorder(),
    Rect("door", -1, {12720, 4920, 375, 255}, 12, palette::kRed, palette::kBlack),

    GoldCoin(0, 4920, 5400, 66),
    GoldCoin(1, 6120, 5400, 63),
    GoldCoin(2, 5400, 4320, 62),
    GoldCoin(3, 5520, 5400, 61),
    GoldCoin(4, 5760, 4320, 60),
    GoldCoin(5, 6720, 5400, 59),
    GoldCoin(6, 7680, 5760, 33),
    GoldCoin(7, 8400, 5280, 32),
    GoldCoin(8, 9000, 4920, 31),
    GoldCoin(9, 9600, 4440, 30),
    GoldCoin(10, 10200, 3960, 29),
    GoldCoin(11, 10800, 3600, 28),
    GoldCoin(12, 11280, 3240, 27),
    GoldCoin(13, 11880, 2880, 26),
    GoldCoin(14, 12360, 2880, 25),
    GoldCoin(15, 6360, 4080, 24),
    GoldCoin(16, 6720, 4080, 23),
    GoldCoin(17, 7080, 4080, 22),
    GoldCoin(18, 5040, 4680, 21),
    GoldCoin(19, 4680, 4680, 20),
    GoldCoin(20, 3000, 4800, 19),
    GoldCoin(21, 2640, 4800, 18),
    GoldCoin(22, 2280, 4800, 17),
    GoldCoin(23, 2400, 3720, 16),
    GoldCoin(24, 1560, 3720, 15),
    GoldCoin(25, 960, 3720, 14),

    CoinsCaption(0, 7920, 65),
    CoinCounter(1920, 7920, 64),

    GameTick(),
};

}  // namespace

const WindowLayout& Level1Layout() {
  static constexpr WindowLayout kLayout =
      shared_controls::LevelWindow("Level1", 13185, 8445, kControls);
  return kLayout;
}

}  // namespace reddoor
