// Standing on blocks and on the floor, and bumping the head from below: the bands, exactly at
// their bounds, with the player put in place and the level's Blocks called once.
#include <gtest/gtest.h>

#include "level_fixture.hpp"

namespace reddoor {
namespace {

using testing::OpenLevel;

// Back to where the layout puts it.
void Restore(Control& c) {
  c.left = c.spec->box.left;
  c.top = c.spec->box.top;
}

class BlocksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    stage_.ClearStage();
    Control& block = Block();
    block.left = kBlockLeft;
    block.top = kBlockTop;
    block.width = 1000;
    block.height = 200;
    stage_.Place(stage_.Get("Floor"), 0, kFloorTop);
  }

  Control& Block() { return stage_.Get("Block", 0); }
  Level& level() { return stage_.level(); }

  // In the air and coming down, as after the top of a jump.
  void Falling() {
    level().Jumping = true;
    level().JumpStart = 9999;
    level().JumpPeak = 1000;
    level().JumpPhase = 'D';
  }
  void Rising() {
    Falling();
    level().JumpPhase = 'U';
  }
  bool Settled() {
    return !level().Jumping && level().JumpStart == 0 && level().JumpPeak == 0 &&
           level().JumpPhase == 0;
  }

  static constexpr std::int32_t kBlockLeft = 4000;
  static constexpr std::int32_t kBlockTop = 5000;
  static constexpr std::int32_t kBlockBottom = kBlockTop + 200;
  static constexpr std::int32_t kFloorTop = 9000;
  OpenLevel stage_{FormId::Level1};
};

TEST_F(BlocksTest, LandingBandRunsFrom50AboveTo100BelowTheTop) {
  struct Case {
    std::int32_t lowerEdge;
    bool lands;
  };
  for (const Case c :
       {Case{kBlockTop - 50, true}, Case{kBlockTop - 51, false}, Case{kBlockTop + 100, true},
        Case{kBlockTop + 101, false}, Case{kBlockTop + 80, true}}) {
    SCOPED_TRACE(c.lowerEdge - kBlockTop);
    stage_.PlaceManBottom(kBlockLeft + 300, c.lowerEdge);
    level().Standing = false;
    Falling();
    level().Blocks();
    EXPECT_EQ(level().Standing, c.lands);
    EXPECT_EQ(Settled(), c.lands);
    // A landing leaves the player where the fall put him, sunk into the block or not.
    EXPECT_EQ(stage_.Get("Man").top + stage_.Get("Man").height, c.lowerEdge);
  }
}

TEST_F(BlocksTest, ARightEdgeOnTheBlocksLeftCornerCarries) {
  stage_.PlaceManBottom(kBlockLeft - 390, kBlockTop);
  Falling();
  level().Blocks();
  EXPECT_TRUE(level().Standing);
}

TEST_F(BlocksTest, ABlockNarrowerThanThePlayerBetweenHisEdgesDoesNotCarry) {
  Block().width = 135;
  stage_.PlaceManBottom(kBlockLeft - 120, kBlockTop);
  Falling();
  level().Blocks();
  EXPECT_FALSE(level().Standing);
  EXPECT_EQ(level().JumpPhase, 'D');
}

TEST_F(BlocksTest, HeadBumpsWhileTheTopIsLessThan120BelowTheBlock) {
  stage_.PlaceMan(kBlockLeft + 300, kBlockBottom + 119);
  Rising();
  level().Blocks();
  // The jump is over and a fall from here begins.
  EXPECT_TRUE(level().Jumping);
  EXPECT_EQ(level().JumpPhase, 'D');
  EXPECT_EQ(level().JumpStart, 0);
  EXPECT_EQ(level().JumpPeak, kFloorTop);
  EXPECT_FALSE(level().Standing);

  for (const std::int32_t top : {kBlockBottom + 120, kBlockTop}) {
    SCOPED_TRACE(top);
    stage_.PlaceMan(kBlockLeft + 300, top);
    Rising();
    level().Blocks();
    EXPECT_EQ(level().JumpPhase, 'U');
    EXPECT_EQ(level().JumpPeak, 1000);
  }
}

TEST_F(BlocksTest, ABumpAndALandingInOneTickLeaveThePlayerStanding) {
  // Block 0 under his feet, block 1 just above his head; then the other way round.
  Control& above = stage_.Get("Block", 1);
  above.width = 1000;
  above.height = 200;
  for (const bool bumpFirst : {false, true}) {
    SCOPED_TRACE(bumpFirst);
    Control& low = bumpFirst ? above : Block();
    Control& high = bumpFirst ? Block() : above;
    stage_.Place(low, kBlockLeft, kBlockTop);
    stage_.Place(high, kBlockLeft, kBlockTop - 700);
    stage_.PlaceManBottom(kBlockLeft + 300, kBlockTop + 20);
    level().Standing = false;
    Rising();
    level().Blocks();
    EXPECT_TRUE(level().Standing);
    EXPECT_TRUE(Settled());
  }
}

TEST_F(BlocksTest, FloorCarriesFrom25AboveItsTopToItsBottomAnywhereAcross) {
  Control& floor = stage_.Get("Floor");
  const std::int32_t floorBottom = kFloorTop + floor.height;
  struct Case {
    std::int32_t lowerEdge;
    bool stands;
  };
  for (const Case c : {Case{kFloorTop - 25, true}, Case{kFloorTop - 26, false},
                       Case{floorBottom, true}, Case{floorBottom + 1, false}}) {
    SCOPED_TRACE(c.lowerEdge - kFloorTop);
    // Far to the right of the floor's span.
    stage_.PlaceManBottom(floor.left + floor.width + 5000, c.lowerEdge);
    level().Standing = false;
    Falling();
    level().Blocks();
    EXPECT_EQ(level().Standing, c.stands);
  }
}

TEST_F(BlocksTest, ATakeOffFromDeepInTheBandIsEndedByTheSameTicksLanding) {
  stage_.PlaceManBottom(kBlockLeft + 300, kBlockTop + 90);
  level().StopJump();
  stage_.keys().Down(Key::Space);
  level().tmrGame_Timer();
  // One rising step of 125, and he stands again, higher than before.
  EXPECT_EQ(stage_.Get("Man").top + stage_.Get("Man").height, kBlockTop - 35);
  EXPECT_TRUE(level().Standing);
  EXPECT_TRUE(Settled());
  // The next take-off starts from there.
  level().tmrGame_Timer();
  EXPECT_EQ(level().JumpStart, kBlockTop - 35 - 495);
  EXPECT_EQ(level().JumpPhase, 'U');
}

// The hidden blocks of the layouts, alone in their level at their layout positions.
struct HiddenBlock {
  FormId level;
  int index;
};

class HiddenBlockTest : public ::testing::TestWithParam<HiddenBlock> {
 protected:
  void SetUp() override {
    stage_.ClearStage();
    Restore(Block());
    ASSERT_FALSE(Block().visible);
  }
  Control& Block() { return stage_.Get("Block", GetParam().index); }

  OpenLevel stage_{GetParam().level};
};

TEST_P(HiddenBlockTest, CarriesAndBumpsLikeAVisibleOne) {
  Level& level = stage_.level();
  // His left edge just inside the block's span.
  const std::int32_t left = Block().left + 10;
  stage_.PlaceManBottom(left, Block().top + 10);
  level.Jumping = true;
  level.JumpPhase = 'D';
  level.Blocks();
  EXPECT_TRUE(level.Standing);
  EXPECT_FALSE(level.Jumping);

  stage_.PlaceMan(left, Block().top + Block().height + 100);
  level.Standing = false;
  level.Jumping = true;
  level.JumpPhase = 'U';
  level.Blocks();
  EXPECT_EQ(level.JumpPhase, 'D');
}

INSTANTIATE_TEST_SUITE_P(Layouts, HiddenBlockTest,
                         ::testing::Values(HiddenBlock{FormId::Level1, 23},
                                           HiddenBlock{FormId::Level1, 24},
                                           HiddenBlock{FormId::Level3, 15},
                                           HiddenBlock{FormId::Level3, 2}));

TEST(FloorTest, Level3FloorCarriesAPlayerLeftOfItsSpan) {
  OpenLevel stage(FormId::Level3);
  stage.ClearStage();
  Control& floor = stage.Get("Floor");
  Restore(floor);
  ASSERT_EQ(floor.left, 2400);
  stage.PlaceManBottom(1000, floor.top);
  stage.level().Blocks();
  EXPECT_TRUE(stage.level().Standing);
}

TEST(FloorTest, Level2FloorBandLiesNearTheTopOfTheWindow) {
  OpenLevel stage(FormId::Level2);
  stage.ClearStage();
  Restore(stage.Get("Floor"));
  for (const std::int32_t lowerEdge : {215, 375}) {
    stage.PlaceManBottom(9000, lowerEdge);
    stage.level().Standing = false;
    stage.level().Blocks();
    EXPECT_TRUE(stage.level().Standing) << lowerEdge;
  }
  stage.PlaceManBottom(9000, 376);
  stage.level().Standing = false;
  stage.level().Blocks();
  EXPECT_FALSE(stage.level().Standing);
}

}  // namespace
}  // namespace reddoor
