// The player's steps: walking, the window's limits, blocks in the way, and the jump and fall
// profiles, tick by tick.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "level_fixture.hpp"
#include "script_helpers.hpp"

namespace reddoor {
namespace {

using testing::Column;
using testing::DumpEachTick;
using testing::RightOf;
using testing::RunScriptText;
using testing::Var;
using Heights = std::vector<std::int64_t>;

// On Level1 the player has settled on Block(26) at Top 3845 after two ticks.
constexpr std::int64_t kLevel1StandingTop = 3845;

Heights HeightsAbove(std::int64_t takeOff, const std::vector<nlohmann::json>& dumps) {
  Heights heights;
  for (std::int64_t top : Column(dumps, "Man", "Top")) heights.push_back(takeOff - top);
  return heights;
}

// Three steps up, one held at the top, three down, and a held space takes off again as soon as
// he stands. The peak and the settled state are pinned by the golden level1_jump.
TEST(JumpTest, HoldingSpaceJumpsAgainAsSoonAsSettled) {
  const auto run = RunScriptText("click Play\nwait 300\ndown Space\n" + DumpEachTick(9));
  EXPECT_EQ(HeightsAbove(kLevel1StandingTop, run.Dumps()),
            (Heights{125, 250, 375, 375, 250, 125, 0, 125, 250}));
}

TEST(JumpTest, SpaceOnTheFirstTickStartsNoJump) {
  // NewGame leaves JumpPeak at the bottom of the player, so no take-off.
  const auto run = RunScriptText("click Play\ndown Space\nwait 100\ndump\n");
  const auto& dump = run.LastDump();
  EXPECT_EQ(testing::Control(dump, "Man")["Top"], 3720);
  EXPECT_EQ(Var(dump, "JumpStart"), 0);
  EXPECT_EQ(Var(dump, "JumpPeak"), 4215);
  EXPECT_EQ(Var(dump, "JumpPhase"), "");
}

// Level1 starts with the player 105 twips above Block(26): the first tick sets him falling
// (as the golden level1_monster_death pins for the restarted level).
TEST(FallTest, APlayerWhoNeitherStandsNorJumpsCannotJumpInMidAir) {
  const auto run = RunScriptText("click Play\nwait 100\ndown Space\n" + DumpEachTick(2));
  const auto dumps = run.Dumps();
  // Second tick, space held: one step down and no take-off; he lands on the block.
  EXPECT_EQ(testing::Control(dumps[0], "Man")["Top"], kLevel1StandingTop);
  EXPECT_EQ(Var(dumps[0], "JumpStart"), 0);
  EXPECT_TRUE(Var(dumps[0], "Standing").get<bool>());
  // Third tick: settled, so the held space takes off.
  EXPECT_EQ(Var(dumps[1], "JumpStart"), kLevel1StandingTop);
  EXPECT_EQ(testing::Control(dumps[1], "Man")["Top"], kLevel1StandingTop - 125);
}

TEST(FallTest, NothingButBlocksTheFloorOrWaterEndsAFall) {
  // Level2 with nothing under the player: his fall goes on below the window's bottom edge.
  testing::OpenLevel stage(FormId::Level2);
  stage.ClearStage();
  stage.PlaceMan(8000, 5000);
  for (std::int32_t tick = 1; tick <= 40; ++tick) {
    stage.Wait(100);
    // The first tick finds him in the air and sets him falling; each tick after moves him.
    ASSERT_EQ(stage.Get("Man").top, 5000 + 125 * (tick - 1)) << tick;
  }
  EXPECT_GT(stage.Get("Man").top, stage.level().Layout().clientHeight);
}

TEST(WalkTest, BothArrowsStepRightThenLeftAndEndFacingLeft) {
  const auto run = RunScriptText("click Play\ndown Right\ndown Left\n" + DumpEachTick(2));
  for (const auto& dump : run.Dumps()) {
    EXPECT_EQ(testing::Control(dump, "Man")["Left"], 240);
    EXPECT_EQ(Var(dump, "Facing"), "L");
    EXPECT_EQ(testing::Control(dump, "Man")["Picture"], "man-left");
  }
}

TEST(WalkTest, WalkingRightStopsWithTheRightEdgeUpTo125InsideABlock) {
  // Level3: walking right along the floor, through Block(9) (whose side the player's left edge
  // reaches at once, and "Left" does not stop a walk to the right), up to the hidden Block(15).
  const auto run = RunScriptText("down Right\n" + DumpEachTick(14), FormId::Level3);
  const auto dumps = run.Dumps();
  const std::vector<std::int64_t> lefts = Column(dumps, "Man", "Left");
  EXPECT_EQ(lefts, (Heights{6365, 6490, 6615, 6740, 6865, 6990, 7115, 7240, 7365, 7490, 7490, 7490,
                            7490, 7490}));
  const auto& wall = testing::Control(dumps.back(), "Block(15)");
  const std::int64_t rightEdge = RightOf(testing::Control(dumps.back(), "Man"));
  // The last step started at or left of the block's left edge and ended inside it.
  EXPECT_LE(rightEdge - 125, wall["Left"].get<std::int64_t>());
  EXPECT_GT(rightEdge, wall["Left"].get<std::int64_t>());
  EXPECT_EQ(testing::Control(dumps.back(), "Man")["Picture"], "man-right");
  EXPECT_EQ(Var(dumps.back(), "Facing"), "R");
}

class StepTest : public ::testing::Test {
 protected:
  void SetUp() override { stage_.ClearStage(); }
  Level& level() { return stage_.level(); }
  Control& Man() { return stage_.Get("Man"); }

  testing::OpenLevel stage_{FormId::Level1};
};

TEST_F(StepTest, TheRightLimitIsTheWindowsOuterWidth) {
  const std::int32_t outerWidth = level().Layout().clientWidth + 90;
  ASSERT_EQ(level().OuterWidth(), outerWidth);
  stage_.PlaceMan(outerWidth - Man().width, 3000);
  level().Forward();
  EXPECT_EQ(Man().left + Man().width, outerWidth + 125);
  // Beyond the limit: the arrow still sets the facing, and nothing else.
  level().Facing = 'L';
  Man().picture = PictureId::ManLeft;
  stage_.keys().Down(Key::Space);
  level().Forward();
  EXPECT_EQ(Man().left + Man().width, outerWidth + 125);
  EXPECT_EQ(level().Facing, 'R');
  EXPECT_EQ(Man().picture, PictureId::ManLeft);
  EXPECT_FALSE(level().Jumping);
}

TEST_F(StepTest, FromLeftZeroOneStepLeadsToMinus125AndNoFurther) {
  stage_.PlaceMan(0, 3000);
  level().Backwards();
  EXPECT_EQ(Man().left, -125);
  EXPECT_EQ(Man().picture, PictureId::ManLeft);
  level().Facing = 'R';
  Man().picture = PictureId::ManRight;
  stage_.keys().Down(Key::Space);
  level().Backwards();
  EXPECT_EQ(Man().left, -125);
  EXPECT_EQ(level().Facing, 'L');
  EXPECT_EQ(Man().picture, PictureId::ManRight);
  EXPECT_FALSE(level().Jumping);
}

TEST_F(StepTest, ABlockOnTheRightStopsOnlyAPlayerAlreadyFacingRight) {
  // A block whose span holds the player's right edge, with his left edge outside it.
  Control& block = stage_.Get("Block", 5);
  stage_.Place(block, 5300, 2800);
  stage_.PlaceMan(5000, 3000);
  ASSERT_EQ(level().BlocksTouching(), Side::Right);

  // Before the first step the facing is empty: never refused.
  level().Facing = 0;
  level().Forward();
  EXPECT_EQ(Man().left, 5125);

  // Having just turned, he makes one step into the block first.
  stage_.PlaceMan(5000, 3000);
  level().Facing = 'L';
  level().Forward();
  EXPECT_EQ(Man().left, 5125);
  EXPECT_EQ(Man().picture, PictureId::ManRight);

  // Facing right and touching it: no step, no new picture, no jump from the arrow's step.
  Man().picture = PictureId::ManLeft;
  stage_.keys().Down(Key::Space);
  level().Forward();
  EXPECT_EQ(Man().left, 5125);
  EXPECT_EQ(Man().picture, PictureId::ManLeft);
  EXPECT_FALSE(level().Jumping);
}

TEST_F(StepTest, ABlockOnTheLeftStopsOnlyAPlayerAlreadyFacingLeft) {
  Control& block = stage_.Get("Block", 5);
  stage_.Place(block, 5000 - block.width + 100, 2800);
  stage_.PlaceMan(5000, 3000);
  ASSERT_EQ(level().BlocksTouching(), Side::Left);
  level().Facing = 'R';
  level().Backwards();
  EXPECT_EQ(Man().left, 4875);
  level().Backwards();
  EXPECT_EQ(Man().left, 4875);
}

}  // namespace
}  // namespace reddoor
