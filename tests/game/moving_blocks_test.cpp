// Blocks that move on their own timers: the swings of Level2 and Level3, the two bars of Level3
// that sink once their coin is taken, and their fresh start at every load.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "level_fixture.hpp"
#include "script_helpers.hpp"

namespace reddoor {
namespace {

using testing::Column;
using testing::DumpEachTick;
using testing::OpenLevel;
using testing::RunScriptText;
using Positions = std::map<int, std::int64_t>;  // a block's Left or Top after its n-th tick

void ExpectRoute(const std::vector<std::int64_t>& byTick, const Positions& expected) {
  for (const auto& [tick, position] : expected) {
    EXPECT_EQ(byTick.at(static_cast<std::size_t>(tick - 1)), position) << "tick " << tick;
  }
}

TEST(SwingTest, Level2PlatformsSwingBetweenTheirBounds) {
  // The player stands still on Block(2) while the timers tick every 50 ms.
  const auto dumps = RunScriptText(DumpEachTick(105, 50), FormId::Level2).Dumps();
  // Right first, 34 ticks to 2900, then back to exactly 1200.
  ExpectRoute(Column(dumps, "Block(4)", "Left"),
              {{1, 1250}, {34, 2900}, {35, 2850}, {68, 1200}, {69, 1250}});
  // Starting on its right bound: one step right ends that leg.
  ExpectRoute(Column(dumps, "Block(13)", "Left"),
              {{1, 3890}, {2, 3840}, {53, 1290}, {54, 1340}, {104, 3840}, {105, 3790}});
}

TEST(SwingTest, Level3PlatformGoesTo9890FirstThenSwingsBetween8990And9840) {
  OpenLevel stage(FormId::Level3);
  std::vector<std::int64_t> lefts;
  for (int tick = 0; tick < 37; ++tick) {
    stage.Wait(45);
    lefts.push_back(stage.Get("Block", 25).left);
  }
  ExpectRoute(lefts, {{1, 9890}, {2, 9840}, {19, 8990}, {20, 9040}, {36, 9840}, {37, 9790}});
}

// The golden level2_moving_block pins the blocks put back at the restart (t = 1900).
TEST(SwingTest, ARestartInTheMiddleOfALegStartsTheRouteAgain) {
  // Level2: the player jumps into the water while Block(4) is on its way back from 2900.
  const auto run =
      RunScriptText("wait 300\ndown Right\ndown Space\nwait 1700\ndump\n", FormId::Level2);
  // t = 2000: two ticks of a right leg from 1200, as on the first load.
  EXPECT_EQ(testing::Control(run.LastDump(), "Block(4)")["Left"], 1300);
}

// Level3: the player is put on a coin; the game tick at t = 100 takes it and starts the bar's
// timer, which from then on ticks every 100 ms, right after the game tick that enables it again.
class SinkingBarTest : public ::testing::Test {
 protected:
  void TakeCoin(int index) {
    const Control& coin = stage_.Get("Coin", index);
    stage_.PlaceManBottom(coin.left + 10, coin.top + 10);
    stage_.Wait(100);
    ASSERT_FALSE(stage_.Get("Coin", index).visible);
  }
  // The bar's Top after each of the next `ticks` ticks of its timer.
  std::vector<std::int64_t> Sink(int bar, int ticks) {
    std::vector<std::int64_t> tops;
    for (int i = 0; i < ticks; ++i) {
      stage_.Wait(100);
      tops.push_back(stage_.Get("Block", bar).top);
    }
    return tops;
  }

  OpenLevel stage_{FormId::Level3};
};

TEST_F(SinkingBarTest, EachBarSinksToItsEndAndStays) {
  TakeCoin(2);
  ExpectRoute(Sink(16, 30), {{1, 2090}, {21, 3090}, {22, 3140}, {23, 3140}, {30, 3140}});
  EXPECT_TRUE(stage_.Get("Block16Timer").enabled);
  EXPECT_EQ(stage_.Get("Block", 16).left, 10800);
  TakeCoin(0);
  ExpectRoute(Sink(17, 15), {{1, 4970}, {11, 5470}, {12, 5520}, {15, 5520}});
}

TEST_F(SinkingBarTest, ARestartPutsTheSunkBarBackAndItSinksAgain) {
  TakeCoin(2);
  Sink(16, 25);
  ASSERT_EQ(stage_.Get("Block", 16).top, 3140);
  stage_.level().Die("");
  EXPECT_EQ(stage_.Get("Block", 16).top, 2040);
  EXPECT_FALSE(stage_.Get("Block16Timer").enabled);
  Sink(16, 3);
  EXPECT_EQ(stage_.Get("Block", 16).top, 2040);
  TakeCoin(2);
  ExpectRoute(Sink(16, 22), {{1, 2090}, {22, 3140}});
}

TEST(CarriedTest, APlatformSlidingAwayLeavesThePlayerBehindAndHeFalls) {
  OpenLevel stage(FormId::Level2);
  Control& platform = stage.Get("Block", 5);
  // On Block(5) near its left end, 10 twips deep; the block slides right, 100 twips a game tick.
  stage.PlaceManBottom(platform.left + 200, platform.top + 10);
  const std::int32_t left = stage.Get("Man").left;
  const std::int32_t top = stage.Get("Man").top;
  for (int tick = 1; tick <= 6; ++tick) {
    stage.Wait(100);
    SCOPED_TRACE(tick);
    EXPECT_TRUE(stage.level().Standing);
    EXPECT_EQ(stage.Get("Man").left, left);
    EXPECT_EQ(stage.Get("Man").top, top);
  }
  // Its left edge has passed his right edge: he no longer overlaps it.
  stage.Wait(100);
  EXPECT_GT(platform.left, left + stage.Get("Man").width);
  EXPECT_FALSE(stage.level().Standing);
  EXPECT_EQ(stage.level().JumpPhase, 'D');
  stage.Wait(100);
  EXPECT_EQ(stage.Get("Man").top, top + 125);
  EXPECT_EQ(stage.Get("Man").left, left);
}

}  // namespace
}  // namespace reddoor
