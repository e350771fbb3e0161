// Twips to pixels at a scale, and the largest scale at which a window fits.
#include "scene/scaling.hpp"

#include <gtest/gtest.h>

#include "scene/layout.hpp"

namespace reddoor {
namespace {

TEST(ScalingTest, TwipsRoundToTheNearestPixelAtEveryScale) {
  EXPECT_EQ(TwipsToPixels(7, 1), 0);
  EXPECT_EQ(TwipsToPixels(8, 1), 1);
  EXPECT_EQ(TwipsToPixels(-7, 1), 0);
  EXPECT_EQ(TwipsToPixels(-8, 1), -1);
  EXPECT_EQ(TwipsToPixels(8, 2), 1);  // 16 twips at scale 2 are 1.07 pixels
  EXPECT_EQ(TwipsToPixels(13185, 2), 1758);
}

TEST(ScalingTest, TheLargestScaleThatFitsIsChosen) {
  const WindowLayout& level = Level1Layout();  // 879 x 563 pixels at scale 1
  EXPECT_EQ(LargestScaleThatFits(level.clientWidth, level.clientHeight, 1904, 1152), 2);
  EXPECT_EQ(LargestScaleThatFits(level.clientWidth, level.clientHeight, 1758, 1125), 1);
  EXPECT_EQ(LargestScaleThatFits(level.clientWidth, level.clientHeight, 3840, 2160), 3);
  EXPECT_EQ(LargestScaleThatFits(level.clientWidth, level.clientHeight, 800, 600), 1)
      << "a screen too small for scale 1 still gets scale 1";
  EXPECT_EQ(LargestScaleThatFits(100, 100, 100000, 100000), kMaxScale);
}

}  // namespace
}  // namespace reddoor
