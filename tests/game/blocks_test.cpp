// Standing on blocks and on the floor, and bumping the head from below: the bands, exactly at
// their bounds, with the player put in place and the level's Blocks called once. Hidden blocks
// carry too: the golden full playthrough climbs over Level3's hidden Block(2).
#include <gtest/gtest.h>

#include "level_fixture.hpp"

namespace reddoor {
namespace {

using testing::OpenLevel;

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

// The overlap needs a side edge of the player within the block's span, bounds included.
TEST_F(BlocksTest, ARightEdgeOnTheCornerCarriesABlockBetweenHisEdgesDoesNot) {
  stage_.PlaceManBottom(kBlockLeft - 390, kBlockTop);
  Falling();
  level().Blocks();
  EXPECT_TRUE(level().Standing);

  Block().width = 135;
  stage_.PlaceManBottom(kBlockLeft - 120, kBlockTop);
  level().Standing = false;
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
  // Far to the left and far to the right of the floor's span.
  for (const std::int32_t left : {floor.left - 5000, floor.left + floor.width + 5000}) {
    for (const Case c : {Case{kFloorTop - 25, true}, Case{kFloorTop - 26, false},
                         Case{floorBottom, true}, Case{floorBottom + 1, false}}) {
      SCOPED_TRACE(::testing::Message() << left << ", " << c.lowerEdge - kFloorTop);
      stage_.PlaceManBottom(left, c.lowerEdge);
      level().Standing = false;
      Falling();
      level().Blocks();
      EXPECT_EQ(level().Standing, c.stands);
    }
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

}  // namespace
}  // namespace reddoor
