// Whether and on which side two controls touch: an edge test with inclusive and strict bounds,
// and a fixed priority when several sides pass.
#include <gtest/gtest.h>

#include <string>

#include "game/geometry.hpp"
#include "level_fixture.hpp"
#include "world/contact.hpp"

namespace reddoor {
namespace {

Control Box(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  Control c;
  c.left = left;
  c.top = top;
  c.width = width;
  c.height = height;
  return c;
}

constexpr std::int32_t kManWidth = 390;
constexpr std::int32_t kManHeight = 495;

Control Man(std::int32_t left, std::int32_t top) {
  return Box(left, top, kManWidth, kManHeight);
}
Control ManWithBottom(std::int32_t left, std::int32_t bottom) {
  return Man(left, bottom - kManHeight);
}

std::string Touch(const Control& a, const Control& b) {
  return std::string(SideWord(ControlTouch(a, b)));
}

// A wide block: 1000 x 300 at (1000, 2000).
const Control kBlock = Box(1000, 2000, 1000, 300);

TEST(GeometryTest, InBetweenIncludesBothBoundsAndNeverOrdersThem) {
  EXPECT_TRUE(InBetween(5, 5, 10));
  EXPECT_TRUE(InBetween(10, 5, 10));
  EXPECT_FALSE(InBetween(4, 5, 10));
  EXPECT_FALSE(InBetween(11, 5, 10));
  EXPECT_FALSE(InBetween(7, 10, 5));
}

TEST(GeometryTest, RightAndBottomAddTheSize) {
  EXPECT_EQ(Right(Box(120, 0, 495, 10)), 615);
  EXPECT_EQ(Bottom(Box(0, 3000, 10, 600)), 3600);
}

TEST(ControlTouchTest, TopBandReachesFiftyTwipsIntoTheBlock) {
  // Left edge inside the block's span; the right edge too, so "Left" and "Right" also pass.
  EXPECT_EQ(Touch(ManWithBottom(1200, 2000), kBlock), "Top");
  EXPECT_EQ(Touch(ManWithBottom(1200, 2050), kBlock), "Top");
  EXPECT_EQ(Touch(ManWithBottom(1200, 2051), kBlock), "Left");
  // With one side edge inside, the other outside, that side's word alone remains.
  EXPECT_EQ(Touch(ManWithBottom(1800, 2051), kBlock), "Left");
  // Only the right edge inside.
  EXPECT_EQ(Touch(ManWithBottom(800, 2051), kBlock), "Right");
}

TEST(ControlTouchTest, OneTwipAboveTheTopIsNoContact) {
  EXPECT_EQ(Touch(ManWithBottom(1200, 1999), kBlock), "");
}

TEST(ControlTouchTest, SideEdgesMustLieStrictlyInsideTheSpan) {
  // The player's top above the block and his lower edge inside its height, below the top band.
  const std::int32_t top = 1700;
  EXPECT_EQ(Touch(Man(1000 - kManWidth, top), kBlock), "");  // Right(A) = B.Left
  EXPECT_EQ(Touch(Man(1000 - kManWidth + 1, top), kBlock), "Right");
  EXPECT_EQ(Touch(Man(2000, top), kBlock), "");  // A.Left = Right(B)
  EXPECT_EQ(Touch(Man(1999, top), kBlock), "Left");
}

TEST(ControlTouchTest, BottomContactReachesLessThan120TwipsBelowTheBlock) {
  // Under the block: the player's top 119 and 120 twips below its bottom edge (2300).
  EXPECT_EQ(Touch(Man(1200, 2300 + 119), kBlock), "Bottom");
  EXPECT_EQ(Touch(Man(1200, 2300 + 120), kBlock), "");
}

TEST(ControlTouchTest, BottomContactNeedsTheTopEdgeStrictlyBelowTheBlocksTop) {
  // A narrow block, so that no side edge of the player lies strictly inside it.
  const Control post = Box(1000, 2000, 200, 600);
  EXPECT_EQ(Touch(Man(1000, 2000), post), "");
  EXPECT_EQ(Touch(Man(1000, 2001), post), "Bottom");
}

TEST(ControlTouchTest, AControlInsideThePlayersBoxIsNotFound) {
  const Control coin = Box(1060, 2100, 255, 255);
  EXPECT_EQ(Touch(Man(1000, 2000), coin), "");
  // Found once one of the player's side edges and his lower edge reach into it.
  EXPECT_EQ(Touch(ManWithBottom(1100, 2115), coin), "Top");
}

TEST(ControlTouchTest, APlayerWiderThanTheBlockDoesNotStandOnIt) {
  const Control narrow = Box(1130, 2000, 135, 300);
  EXPECT_EQ(Touch(ManWithBottom(1000, 2010), narrow), "");
}

TEST(ControlTouchTest, TopWinsOverLeftOverRightOverBottom) {
  // Standing with both side edges inside: "Right", "Left" and "Top" all pass.
  EXPECT_EQ(Touch(ManWithBottom(1200, 2030), kBlock), "Top");
  // Sunk deeper, both side edges inside: "Right" and "Left" pass.
  EXPECT_EQ(Touch(ManWithBottom(1200, 2200), kBlock), "Left");
  // Top edge inside the block and the right edge inside its span: "Bottom" and "Right" pass.
  EXPECT_EQ(Touch(Man(700, 2100), kBlock), "Right");
}

TEST(ControlTouchTest, VisibilityIsNotConsulted) {
  Control hidden = kBlock;
  hidden.visible = false;
  EXPECT_EQ(Touch(ManWithBottom(1200, 2000), hidden), "Top");
}

class BlocksTouchingTest : public ::testing::Test {
 protected:
  void SetUp() override { stage_.ClearStage(); }
  std::string BlocksTouching() { return std::string(SideWord(stage_.level().BlocksTouching())); }
  void MoveBlock(int index, const Control& box) {
    Control& block = stage_.Get("Block", index);
    block.left = box.left;
    block.top = box.top;
    block.width = box.width;
    block.height = box.height;
  }

  testing::OpenLevel stage_{FormId::Level1};
};

TEST_F(BlocksTouchingTest, NoBlockNearGivesTheEmptyWord) {
  stage_.PlaceMan(5000, 3000);
  EXPECT_EQ(BlocksTouching(), "");
}

TEST_F(BlocksTouchingTest, TheHighestNumberedBlockThatTouchesCounts) {
  stage_.PlaceManBottom(5000, 4000);
  const Control underFoot = Box(4800, 4000, 1000, 300);
  const Control onHisLeft = Box(4200, 3700, 1000, 600);
  ASSERT_EQ(Touch(stage_.Get("Man"), underFoot), "Top");
  ASSERT_EQ(Touch(stage_.Get("Man"), onHisLeft), "Left");
  MoveBlock(3, underFoot);
  MoveBlock(7, onHisLeft);
  EXPECT_EQ(BlocksTouching(), "Left");
  MoveBlock(3, onHisLeft);
  MoveBlock(7, underFoot);
  EXPECT_EQ(BlocksTouching(), "Top");
}

}  // namespace
}  // namespace reddoor
