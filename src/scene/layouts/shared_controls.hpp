#pragma once
// Controls that look alike on several windows: the player and his two picture holders, the
// monsters, clouds, water, gold coins, the coin counter and the game tick. Each helper fixes
// what the windows share, so a layout table lists only where a control stands.
#include <cstdint>
#include <span>
#include <string_view>

#include "scene/layout.hpp"

namespace reddoor::shared_controls {

constexpr std::int32_t kHolderSize = 375;
constexpr std::int32_t kCoinSize = 255;
constexpr std::int32_t kLabelWidth = 1815;
constexpr std::int32_t kLabelHeight = 375;
constexpr Font kCounterFont{FontFace::Sans, 18, false};

// The player shows only the left part of his picture: his box is narrower than the bitmap.
constexpr ControlRecord Man(std::int32_t left, std::int32_t top, std::int16_t rank) {
  return Sprite("Man", -1, {left, top, 390, 495}, rank, PictureId::ManRight);
}

constexpr ControlRecord PicForwards(std::int32_t left, std::int32_t top, std::int16_t rank) {
  return PictureHolder("picForwards", {left, top, kHolderSize, kHolderSize}, rank,
                       PictureId::ManRight)
      .Hidden();
}

constexpr ControlRecord PicBackwards(std::int32_t left, std::int32_t top, std::int16_t rank) {
  return PictureHolder("picBackwards", {left, top, kHolderSize, kHolderSize}, rank,
                       PictureId::ManLeft)
      .Hidden();
}

// A monster's tag holds its patrol: route, bounds, step and what touching it does.
constexpr ControlRecord Monster(std::int16_t index, Box box, std::int16_t rank,
                                std::string_view patrol) {
  return Sprite("Monster", index, box, rank, PictureId::Monster).WithTag(patrol);
}

// A cloud of the level windows; the title window's clouds have boxes of their own.
constexpr ControlRecord Cloud(std::int16_t index, std::int32_t left, std::int32_t top,
                              std::int16_t rank) {
  return Sprite("cloud", index, {left, top, 1575, 1095}, rank, PictureId::Cloud);
}

constexpr ControlRecord Water(std::int16_t index, Box box, std::int16_t rank) {
  return Rect("Water", index, box, rank, palette::kBlue, palette::kBlack)
      .WithFill(FillStyle::DownwardDiagonal, palette::kBlack);
}

// The coins of the first two levels: a gold disc with the shape's black outline.
constexpr ControlRecord GoldCoin(std::int16_t index, std::int32_t left, std::int32_t top,
                                 std::int16_t rank) {
  return Shape("Coin", index, {left, top, kCoinSize, kCoinSize}, rank)
      .Circle()
      .WithFill(FillStyle::Solid, palette::kGold);
}

// "Coins:" and, right of it, the counter that the load handler fills in.
constexpr ControlRecord CoinsCaption(std::int32_t left, std::int32_t top, std::int16_t rank) {
  return Label("Label1", {left, top, kLabelWidth, kLabelHeight}, rank, "Coins:", palette::kSky,
               kCounterFont);
}

constexpr ControlRecord CoinCounter(std::int32_t left, std::int32_t top, std::int16_t rank) {
  return Label("lblTotalCoins", {left, top, kLabelWidth, kLabelHeight}, rank, "0", palette::kSky,
               kCounterFont);
}

// A level window: fixed single border, shown in the task bar, sky behind the scene; its
// caption is its name.
constexpr WindowLayout LevelWindow(std::string_view name, std::int32_t clientWidth,
                                   std::int32_t clientHeight,
                                   std::span<const ControlRecord> controls) {
  return {.name = name,
          .caption = name,
          .clientWidth = clientWidth,
          .clientHeight = clientHeight,
          .border = BorderStyle::FixedSingle,
          .inTaskBar = true,
          .background = palette::kSky,
          .controls = controls};
}

constexpr ControlRecord GameTick() {
  return Timer("tmrGame", 100);
}

}  // namespace reddoor::shared_controls
