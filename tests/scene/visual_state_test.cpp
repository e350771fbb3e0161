// Which parts of a window must be drawn again after the game has changed its controls.
#include "scene/visual_state.hpp"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "scene/layout.hpp"
#include "scene/scene.hpp"

namespace reddoor {
namespace {

using BoxTuple = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t>;

std::vector<BoxTuple> Tuples(const std::vector<Box>& boxes) {
  std::vector<BoxTuple> tuples;
  for (const Box& b : boxes) tuples.emplace_back(b.left, b.top, b.width, b.height);
  return tuples;
}

class VisualStateTest : public ::testing::Test {
 protected:
  std::vector<BoxTuple> ChangesSinceLoad() {
    return Tuples(ChangedBoxes(atLoad_, CaptureVisualState(scene_)));
  }

  Scene scene_{Level1Layout()};
  VisualState atLoad_ = CaptureVisualState(scene_);
};

TEST_F(VisualStateTest, AMoveRedrawsTheOldAndTheNewBox) {
  Control& man = scene_.Get("Man");
  const BoxTuple before{man.left, man.top, man.width, man.height};
  man.left += 125;
  EXPECT_EQ(ChangesSinceLoad(),
            (std::vector<BoxTuple>{before, {man.left, man.top, man.width, man.height}}));
}

TEST_F(VisualStateTest, HidingRedrawsOnlyWhereTheControlWas) {
  Control& coin = scene_.Array("Coin")(3);
  coin.visible = false;
  EXPECT_EQ(ChangesSinceLoad(),
            (std::vector<BoxTuple>{{coin.left, coin.top, coin.width, coin.height}}));
}

TEST_F(VisualStateTest, UnchangedAndHiddenControlsChangeNothingOnScreen) {
  EXPECT_TRUE(ChangesSinceLoad().empty());
  Control& holder = scene_.Get("picForwards");
  ASSERT_FALSE(holder.visible);
  holder.top += 1000;
  holder.picture = PictureId::ManLeft;
  EXPECT_TRUE(ChangesSinceLoad().empty());
}

TEST_F(VisualStateTest, PictureCaptionAndColourAreSeen) {
  scene_.Get("Man").picture = PictureId::ManLeft;
  scene_.Get("lblTotalCoins").caption = "7";
  scene_.Get("Label1").foreColor = palette::kRed;
  EXPECT_EQ(ChangesSinceLoad().size(), 6u);
}

}  // namespace
}  // namespace reddoor
