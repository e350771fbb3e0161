// Whether and on which side two controls touch: an edge test with inclusive and strict bounds,
// and a fixed priority when several sides pass.
#include "game/contact.hpp"

#include <gtest/gtest.h>

#include "support/stage.hpp"

namespace reddoor {
namespace {

Control At(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
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
  return At(left, top, kManWidth, kManHeight);
}
Control ManWithBottom(std::int32_t left, std::int32_t bottom) {
  return Man(left, bottom - kManHeight);
}

const char* Word(Side side) {
  switch (side) {
    case Side::Top:
      return "Top";
    case Side::Bottom:
      return "Bottom";
    case Side::Left:
      return "Left";
    case Side::Right:
      return "Right";
    case Side::None:
      break;
  }
  return "";
}

// The player against a block, and the side ControlTouch gives; several sides can pass, and then
// Top wins over Left over Right over Bottom.
TEST(ControlTouchTest, BandsBoundsAndPriority) {
  const Control block = At(1000, 2000, 1000, 300);
  const Control post = At(1000, 2000, 200, 600);  // no side edge of the player strictly inside
  const Control coin = At(1060, 2100, 255, 255);
  Control hidden = block;
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
      {"lower edge on the top", ManWithBottom(1200, 2000), block, "Top"},
      {"one twip above the top", ManWithBottom(1200, 1999), block, ""},
      {"lower edge 51 in", ManWithBottom(1200, 2051), block, "Left"},
      {"only the right edge inside", ManWithBottom(800, 2051), block, "Right"},
      {"top edge inside, right edge inside", Man(700, 2100), block, "Right"},
      // Side edges must lie strictly inside the span.
      {"right edge on the block's left", Man(1000 - kManWidth, 1700), block, ""},
      {"right edge 1 inside", Man(1000 - kManWidth + 1, 1700), block, "Right"},
      {"left edge on the block's right", Man(2000, 1700), block, ""},
      {"left edge 1 inside", Man(1999, 1700), block, "Left"},
      // Under the block: the top less than 120 below its bottom edge (2300), and strictly
      // below its top.
      {"top 119 below", Man(1200, 2300 + 119), block, "Bottom"},
      {"top 120 below", Man(1200, 2300 + 120), block, ""},
      {"top on a post's top", Man(1000, 2000), post, ""},
      {"top 1 below a post's top", Man(1000, 2001), post, "Bottom"},
      // A control inside the player's box, or narrower than him between his edges, is not met.
      {"coin inside him", Man(1000, 2000), coin, ""},
      {"coin at an edge", ManWithBottom(1100, 2115), coin, "Top"},
      {"narrow block", ManWithBottom(1000, 2010), At(1130, 2000, 135, 300), ""},
      {"hidden block", ManWithBottom(1200, 2000), hidden, "Top"},
  };
  for (const Case& c : cases) EXPECT_STREQ(Word(ControlTouch(c.man, c.other)), c.side) << c.what;
}

TEST(BlocksTouchingTest, TheHighestNumberedBlockThatTouchesCounts) {
  test::Stage stage(WindowId::Level1);
  stage.ClearStage();
  stage.PlaceManBottom(5000, 4000);
  EXPECT_EQ(stage.Window().BlocksTouching(), Side::None);
  const Control underFoot = At(4800, 4000, 1000, 300);
  const Control onHisLeft = At(4200, 3700, 1000, 600);
  const auto put = [&stage](int index, const Control& where) {
    Control& block = stage.Get("Block", index);
    block.left = where.left;
    block.top = where.top;
    block.width = where.width;
    block.height = where.height;
  };
  put(3, underFoot);
  put(7, onHisLeft);
  EXPECT_EQ(stage.Window().BlocksTouching(), Side::Left);
  put(3, onHisLeft);
  put(7, underFoot);
  EXPECT_EQ(stage.Window().BlocksTouching(), Side::Top);
}

}  // namespace
}  // namespace reddoor
