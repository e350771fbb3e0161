// Standing on blocks and on the floor, and bumping the head from below: the bands, exactly at
// their bounds, with the player put in place and the level's Blocks called once. Hidden blocks
// carry too: the golden full playthrough climbs over Level3's hidden Block(2).
#include <gtest/gtest.h>

#include "support/stage.hpp"

namespace reddoor {
namespace {

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
  Level& Window() { return stage_.Window(); }
  LevelVariables& Vars() { return stage_.Vars(); }

  // In the air and coming down, as after the top of a jump.
  void Falling() {
    Vars().jumping = true;
    Vars().jumpStart = 9999;
    Vars().jumpPeak = 1000;
    Vars().jumpPhase = JumpPhase::Down;
  }
  void Rising() {
    Falling();
    Vars().jumpPhase = JumpPhase::Up;
  }
  bool Settled() {
    return !Vars().jumping && Vars().jumpStart == 0 && Vars().jumpPeak == 0 &&
           Vars().jumpPhase == JumpPhase::None;
  }

  static constexpr std::int32_t kBlockLeft = 4000;
  static constexpr std::int32_t kBlockTop = 5000;
  static constexpr std::int32_t kBlockBottom = kBlockTop + 200;
  static constexpr std::int32_t kFloorTop = 9000;
  test::Stage stage_{WindowId::Level1};
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
    Vars().standing = false;
    Falling();
    Window().Blocks();
    EXPECT_EQ(Vars().standing, c.lands);
    EXPECT_EQ(Settled(), c.lands);
    // A landing leaves the player where the fall put him, sunk into the block or not.
    EXPECT_EQ(stage_.Get("Man").top + stage_.Get("Man").height, c.lowerEdge);
  }
}

// The overlap needs a side edge of the player within the block's span, bounds included.
TEST_F(BlocksTest, ARightEdgeOnTheCornerCarriesABlockBetweenHisEdgesDoesNot) {
  stage_.PlaceManBottom(kBlockLeft - 390, kBlockTop);
  Falling();
  Window().Blocks();
  EXPECT_TRUE(Vars().standing);

  Block().width = 135;
  stage_.PlaceManBottom(kBlockLeft - 120, kBlockTop);
  Vars().standing = false;
  Falling();
  Window().Blocks();
  EXPECT_FALSE(Vars().standing);
  EXPECT_EQ(Vars().jumpPhase, JumpPhase::Down);
}

TEST_F(BlocksTest, HeadBumpsWhileTheTopIsLessThan120BelowTheBlock) {
  stage_.PlaceMan(kBlockLeft + 300, kBlockBottom + 119);
  Rising();
  Window().Blocks();
  // The jump is over and a fall from here begins.
  EXPECT_TRUE(Vars().jumping);
  EXPECT_EQ(Vars().jumpPhase, JumpPhase::Down);
  EXPECT_EQ(Vars().jumpStart, 0);
  EXPECT_EQ(Vars().jumpPeak, kFloorTop);
  EXPECT_FALSE(Vars().standing);

  for (const std::int32_t top : {kBlockBottom + 120, kBlockTop}) {
    SCOPED_TRACE(top);
    stage_.PlaceMan(kBlockLeft + 300, top);
    Rising();
    Window().Blocks();
    EXPECT_EQ(Vars().jumpPhase, JumpPhase::Up);
    EXPECT_EQ(Vars().jumpPeak, 1000);
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
    Vars().standing = false;
    Rising();
    Window().Blocks();
    EXPECT_TRUE(Vars().standing);
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
      Vars().standing = false;
      Falling();
      Window().Blocks();
      EXPECT_EQ(Vars().standing, c.stands);
    }
  }
}

TEST_F(BlocksTest, ATakeOffFromDeepInTheBandIsEndedByTheSameTicksLanding) {
  stage_.PlaceManBottom(kBlockLeft + 300, kBlockTop + 90);
  Window().StopJump();
  stage_.Game().KeyDown(Key::Space);
  Window().GameTick();
  // One rising step of 125, and he stands again, higher than before.
  EXPECT_EQ(stage_.Get("Man").top + stage_.Get("Man").height, kBlockTop - 35);
  EXPECT_TRUE(Vars().standing);
  EXPECT_TRUE(Settled());
  // The next take-off starts from there.
  Window().GameTick();
  EXPECT_EQ(Vars().jumpStart, kBlockTop - 35 - 495);
  EXPECT_EQ(Vars().jumpPhase, JumpPhase::Up);
}

}  // namespace
}  // namespace reddoor
