// The player's steps at the window's limits and at blocks in his way, and a fall that nothing
// stops. The jump profiles and walking are pinned by the golden scripts level1_steps and
// level3_moves.
#include <gtest/gtest.h>

#include "support/stage.hpp"

namespace reddoor {
namespace {

class StepTest : public ::testing::Test {
 protected:
  void SetUp() override { stage_.ClearStage(); }
  Level& Window() { return stage_.Window(); }
  LevelVariables& Vars() { return stage_.Vars(); }
  Control& Man() { return stage_.Get("Man"); }

  test::Stage stage_{WindowId::Level1};
};

// Beyond a limit the arrow still sets the facing, and nothing else: no step, no picture, no jump.
TEST_F(StepTest, TheLimitsAreLeftZeroAndTheWindowsOuterWidthAndOneStepGoesPast) {
  const std::int32_t outerWidth = Window().Layout().clientWidth + 90;
  ASSERT_EQ(Window().OuterWidth(), outerWidth);
  stage_.PlaceMan(outerWidth - Man().width, 3000);
  Window().Forward();
  EXPECT_EQ(Man().left + Man().width, outerWidth + 125);
  Vars().facing = Facing::Left;
  Man().picture = PictureId::ManLeft;
  stage_.Game().KeyDown(Key::Space);
  Window().Forward();
  EXPECT_EQ(Man().left + Man().width, outerWidth + 125);
  EXPECT_EQ(Vars().facing, Facing::Right);
  EXPECT_EQ(Man().picture, PictureId::ManLeft);
  EXPECT_FALSE(Vars().jumping);

  stage_.Game().KeyUp(Key::Space);
  stage_.Game().KeyPressed(Key::Space);
  stage_.PlaceMan(0, 3000);
  Window().Backwards();
  EXPECT_EQ(Man().left, -125);
  EXPECT_EQ(Man().picture, PictureId::ManLeft);
  Vars().facing = Facing::Right;
  Man().picture = PictureId::ManRight;
  stage_.Game().KeyDown(Key::Space);
  Window().Backwards();
  EXPECT_EQ(Man().left, -125);
  EXPECT_EQ(Vars().facing, Facing::Left);
  EXPECT_EQ(Man().picture, PictureId::ManRight);
  EXPECT_FALSE(Vars().jumping);
}

TEST_F(StepTest, ABlockOnTheRightStopsOnlyAPlayerAlreadyFacingRight) {
  // A block whose span holds the player's right edge, with his left edge outside it.
  stage_.Place(stage_.Get("Block", 5), 5300, 2800);
  stage_.PlaceMan(5000, 3000);
  ASSERT_EQ(Window().BlocksTouching(), Side::Right);

  // Before the first step the facing is none: never refused.
  Window().Forward();
  EXPECT_EQ(Man().left, 5125);

  // Having just turned, he makes one step into the block first.
  stage_.PlaceMan(5000, 3000);
  Vars().facing = Facing::Left;
  Window().Forward();
  EXPECT_EQ(Man().left, 5125);
  EXPECT_EQ(Man().picture, PictureId::ManRight);

  // Facing right and touching it: no step, no new picture, no jump from the arrow's step.
  Man().picture = PictureId::ManLeft;
  stage_.Game().KeyDown(Key::Space);
  Window().Forward();
  EXPECT_EQ(Man().left, 5125);
  EXPECT_EQ(Man().picture, PictureId::ManLeft);
  EXPECT_FALSE(Vars().jumping);
}

TEST_F(StepTest, ABlockOnTheLeftStopsOnlyAPlayerAlreadyFacingLeft) {
  Control& block = stage_.Get("Block", 5);
  stage_.Place(block, 5000 - block.width + 100, 2800);
  stage_.PlaceMan(5000, 3000);
  ASSERT_EQ(Window().BlocksTouching(), Side::Left);
  Vars().facing = Facing::Right;
  Window().Backwards();
  EXPECT_EQ(Man().left, 4875);
  Window().Backwards();
  EXPECT_EQ(Man().left, 4875);
}

TEST(FallTest, NothingButBlocksTheFloorOrWaterEndsAFall) {
  // Level2 with nothing under the player: his fall goes on below the window's bottom edge.
  test::Stage stage(WindowId::Level2);
  stage.ClearStage();
  stage.PlaceMan(8000, 5000);
  for (std::int32_t tick = 1; tick <= 40; ++tick) {
    stage.Wait(100);
    // The first tick finds him in the air and sets him falling; each tick after moves him.
    ASSERT_EQ(stage.Get("Man").top, 5000 + 125 * (tick - 1)) << tick;
  }
  EXPECT_GT(stage.Get("Man").top, stage.Window().Layout().clientHeight);
}

}  // namespace
}  // namespace reddoor
