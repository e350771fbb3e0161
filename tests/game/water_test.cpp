// Water kills on contact, once per tick, and the tick goes on over the restarted level.
#include <gtest/gtest.h>

#include "level_fixture.hpp"

namespace reddoor {
namespace {

using testing::OpenLevel;

int Count(const std::string& text, const std::string& what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

constexpr const char* kSwimMessage = R"("event":"message","text":"You Cant Swim?")";

// Level1 with only its two water areas and its floor left in the scene; the player falls.
class Level1WaterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    stage_.ClearStage();
    for (Control* c : {&stage_.Get("Water", 0), &stage_.Get("Water", 1), &stage_.Get("Floor")}) {
      c->left = c->spec->box.left;
      c->top = c->spec->box.top;
    }
  }
  void FallFrom(std::int32_t left, std::int32_t lowerEdge) {
    stage_.PlaceManBottom(left, lowerEdge);
    stage_.level().Jumping = true;
    stage_.level().JumpPhase = 'D';
    stage_.level().JumpStart = 0;
    stage_.level().JumpPeak = 7080;
  }
  int Deaths() const { return Count(stage_.Output(), kSwimMessage); }

  OpenLevel stage_{FormId::Level1};
};

TEST_F(Level1WaterTest, AFallerDiesOnTheTickHisLowerEdgeReachesTheWatersTop) {
  // Above Water(0), whose top is at 6480; then right of it, above Water(1) at 6720.
  struct Case {
    std::int32_t left;
    std::int32_t waterTop;
  };
  for (const Case c : {Case{1000, 6480}, Case{6000, 6720}}) {
    SCOPED_TRACE(c.left);
    const int before = Deaths();
    FallFrom(c.left, c.waterTop - 125 - 1);
    stage_.Wait(100);
    EXPECT_EQ(Deaths(), before);
    EXPECT_EQ(stage_.Get("Man").top + stage_.Get("Man").height, c.waterTop - 1);
    SetUp();
    FallFrom(c.left, c.waterTop - 125);
    stage_.Wait(100);
    EXPECT_EQ(Deaths(), before + 1);
    SetUp();
  }
}

TEST_F(Level1WaterTest, TouchingBothAreasDiesOnce) {
  stage_.PlaceManBottom(1000, 6800);
  ASSERT_NE(ControlTouch(stage_.Get("Man"), stage_.Get("Water", 0)), Side::None);
  ASSERT_NE(ControlTouch(stage_.Get("Man"), stage_.Get("Water", 1)), Side::None);
  stage_.Wait(100);
  EXPECT_EQ(Deaths(), 1);
  EXPECT_EQ(Count(stage_.Output(), R"("event":"show","window":"Level1")"), 2);
  // The tick ran on over the restarted level (as golden level2_moving_block pins): Monster(0)
  // made its first step from the layout.
  EXPECT_EQ(stage_.Get("Monster", 0).left, 1005);
}

}  // namespace
}  // namespace reddoor
