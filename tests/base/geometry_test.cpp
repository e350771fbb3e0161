// Twips to pixels at a scale where rounding could go wrong, and the largest scale at which a
// window fits a screen.
#include "base/geometry.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

namespace reddoor {
namespace {

// A pixel is 15 twips: 7 twips round down, 8 up, and a negative length rounds the same way as
// its positive one, so that a box left of the window keeps its size.
TEST(ScalingTest, TwipsRoundToTheNearestPixelOnBothSidesOfZero) {
  const std::tuple<std::int32_t, int, int> cases[] = {
      {7, 1, 0},    {8, 1, 1}, {-7, 1, 0},  {-8, 1, -1}, {-22, 1, -1},
      {-23, 1, -2}, {8, 2, 1}, {-8, 2, -1}, {-4, 2, -1}, {-3, 2, 0}};
  for (const auto& [twips, scale, pixels] : cases) {
    EXPECT_EQ(TwipsToPixels(twips, scale), pixels) << twips << " twips at scale " << scale;
  }
  // Position and size round apart: a box keeps its width wherever it lies; none is negative.
  for (const std::int32_t left : {-8, 8}) EXPECT_EQ(PixelsOf({left, 0, 22, 15}, 1).Width(), 1);
  EXPECT_EQ(PixelsOf({0, 0, -30, -30}, 1).Width(), 0);
}

TEST(ScalingTest, TheLargestScaleThatFitsIsChosenFromOneToTheMost) {
  // The first level's client area: 879 x 563 pixels at scale 1.
  constexpr std::int32_t kWidth = 879 * kTwipsPerPixel, kHeight = 563 * kTwipsPerPixel;
  const std::tuple<int, int, int> cases[] = {
      {1758, 1126, 2}, {1757, 1126, 1}, {1758, 1125, 1},        {3840, 2160, 3},
      {800, 600, 1},   {0, 0, 1},       {8000, 5000, kMaxScale}};
  for (const auto& [width, height, scale] : cases) {
    EXPECT_EQ(LargestScaleThatFits(kWidth, kHeight, width, height), scale)
        << width << " x " << height;
  }
}

}  // namespace
}  // namespace reddoor
