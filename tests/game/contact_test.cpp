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

// The player against a block, and the side word ControlTouch gives; several sides can pass,
// and then Top wins over Left over Right over Bottom.
TEST(ControlTouchTest, BandsBoundsAndPriority) {
  const Control post = Box(1000, 2000, 200, 600);  // no side edge of the player strictly inside
  const Control coin = Box(1060, 2100, 255, 255);
  Control hidden = kBlock;
  hidden.visible = false;
  struct Case {
    const char* what;
    Control man;
    Control other;
    const char* side;
  };
  const Case cases[] = {
      // The top band reaches 50 twips into the block; both side edges inside, so Left and
      // Right pass too.
      {"lower edge on the top", ManWithBottom(1200, 2000), kBlock, "Top"},
      {"one twip above the top", ManWithBottom(1200, 1999), kBlock, ""},
      {"lower edge 51 in", ManWithBottom(1200, 2051), kBlock, "Left"},
      {"only the left edge inside", ManWithBottom(1800, 2051), kBlock, "Left"},
      {"only the right edge inside", ManWithBottom(800, 2051), kBlock, "Right"},
      {"sunk deep, both edges inside", ManWithBottom(1200, 2200), kBlock, "Left"},
      {"top edge inside, right edge inside", Man(700, 2100), kBlock, "Right"},
      // Side edges must lie strictly inside the span.
      {"right edge on the block's left", Man(1000 - kManWidth, 1700), kBlock, ""},
      {"right edge 1 inside", Man(1000 - kManWidth + 1, 1700), kBlock, "Right"},
      {"left edge on the block's right", Man(2000, 1700), kBlock, ""},
      {"left edge 1 inside", Man(1999, 1700), kBlock, "Left"},
      // Under the block: the top less than 120 below its bottom edge (2300), and strictly
      // below its top.
      {"top 119 below", Man(1200, 2300 + 119), kBlock, "Bottom"},
      {"top 120 below", Man(1200, 2300 + 120), kBlock, ""},
      {"top on a post's top", Man(1000, 2000), post, ""},
      {"top 1 below a post's top", Man(1000, 2001), post, "Bottom"},
      // A control inside the player's box, or narrower than him between his edges, is not met.
      {"coin inside him", Man(1000, 2000), coin, ""},
      {"coin at an edge", ManWithBottom(1100, 2115), coin, "Top"},
      {"narrow block", ManWithBottom(1000, 2010), Box(1130, 2000, 135, 300), ""},
      {"hidden block", ManWithBottom(1200, 2000), hidden, "Top"},
  };
  for (const Case& c : cases) EXPECT_EQ(Touch(c.man, c.other), c.side) << c.what;
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
