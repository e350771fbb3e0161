// The level exits: the door leads on, shown or hidden; on Level3 the door or the E key calls
// the bird, which comes down to the player and picks him up.
#include <gtest/gtest.h>

#include "level_fixture.hpp"

namespace reddoor {
namespace {

using testing::OpenLevel;

// Puts the player one step left of the door, his lower edge within the door's height, and holds
// the right arrow for one game tick.
void WalkIntoTheDoor(OpenLevel& stage, std::int32_t lowerEdge) {
  const Control& door = stage.Get("door");
  ASSERT_FALSE(door.visible);
  stage.PlaceManBottom(door.left - 20 - stage.Get("Man").width, lowerEdge);
  stage.keys().Down(Key::Right);
  stage.Wait(100);
}

TEST(DoorTest, WalkingIntoTheHiddenDoorOfLevel1LeadsToLevel2WithTheCoinsCarried) {
  OpenLevel stage(FormId::Level1);
  stage.runtime().TotalCoins = 7;
  WalkIntoTheDoor(stage, 5000);
  Runtime& runtime = stage.runtime();
  Form& level1 = runtime.Window(FormId::Level1);
  Form& level2 = runtime.Window(FormId::Level2);
  ASSERT_TRUE(level2.IsVisible());
  EXPECT_FALSE(level1.IsVisible());
  EXPECT_EQ(level2.Controls().Get("lblTotalCoins").caption, "7");
  EXPECT_NE(stage.Output().find(R"({"t":100,"event":"show","window":"Level2"})"),
            std::string::npos);

  // Level1 has been left: however long Level2 plays, Level1 runs no game tick.
  auto& left = static_cast<Level&>(level1);
  const std::int32_t leftAt = left.IsLoaded() ? left.Controls().Get("Man").left : 0;
  const bool standing = left.Standing;
  stage.Wait(2000);
  EXPECT_FALSE(level1.IsVisible());
  EXPECT_EQ(left.Standing, standing);
  if (left.IsLoaded()) {
    EXPECT_FALSE(left.Controls().Get("tmrGame").enabled);
    EXPECT_EQ(left.Controls().Get("Man").left, leftAt);
  }
}

// Level2's game timer is stopped by Level3's load, not by the door.
TEST(DoorTest, WalkingIntoTheHiddenDoorOfLevel2LeadsToLevel3AndStopsLevel2) {
  OpenLevel stage(FormId::Level2);
  WalkIntoTheDoor(stage, 6960);
  Runtime& runtime = stage.runtime();
  ASSERT_TRUE(runtime.Window(FormId::Level3).IsVisible());
  Form& level2 = runtime.Window(FormId::Level2);
  EXPECT_FALSE(level2.IsVisible());
  EXPECT_TRUE(!level2.IsLoaded() || !level2.Controls().Get("tmrGame").enabled);
}

TEST(DoorTest, Level3ShowsItsDoorAtExactlyFiveCoins) {
  OpenLevel stage(FormId::Level3);
  Level& level = stage.level();
  stage.Get("door").visible = false;
  level.LevelCoins = 6;
  level.Special();
  EXPECT_FALSE(stage.Get("door").visible);
  level.LevelCoins = 5;
  level.Special();
  EXPECT_TRUE(stage.Get("door").visible);
  EXPECT_FALSE(level.BirdCalled);
}

// The bird's first approach step and the pick-up from the real layout are pinned here and by
// the golden level3_bird_pickup.
TEST(BirdTest, ADeathWhileTheBirdComesKeepsItCalledFromItsLayoutPositionUnseen) {
  OpenLevel stage(FormId::Level3);
  stage.keys().Down(Key::E);
  stage.keys().Up(Key::E);
  stage.Wait(500);
  ASSERT_TRUE(stage.level().BirdCalled);
  stage.level().Die("");
  EXPECT_TRUE(stage.level().BirdCalled);
  stage.Wait(100);
  // One approach step from the layout position; the bird stays hidden as the layout has it.
  EXPECT_EQ(stage.Get("Bird").left, 12600 - 60);
  EXPECT_EQ(stage.Get("Bird").top, -800 + 60);
  EXPECT_FALSE(stage.Get("Bird").visible);
}

class BirdApproachTest : public ::testing::Test {
 protected:
  void SetUp() override {
    stage_.ClearStage();
    Control& floor = stage_.Get("Floor");
    floor.left = 0;
    floor.top = kFloorTop;
    stage_.PlaceManBottom(5000, kFloorTop + 15);
    stage_.keys().Down(Key::E);
    stage_.keys().Up(Key::E);
  }
  Control& Bird() { return stage_.Get("Bird"); }
  Control& Man() { return stage_.Get("Man"); }

  static constexpr std::int32_t kFloorTop = 6360;
  OpenLevel stage_{FormId::Level3};
};

TEST_F(BirdApproachTest, ABirdStraightAboveComesDown60ATickAndPicksUpOnFirstContact) {
  // Level with the player's left edge, 600 above its aim of 200 above his head.
  const std::int32_t manTop = Man().top;
  stage_.Place(Bird(), Man().left, manTop - 200 - 600);
  stage_.Wait(100);
  // Its lower edge is still not more than 120 above his top: no contact yet.
  EXPECT_EQ(Bird().top, manTop - 800 + 60);
  EXPECT_FALSE(stage_.level().BirdCarrying);
  stage_.Wait(100);
  ASSERT_LT(manTop - 120, manTop - 800 + 120 + Bird().height);
  EXPECT_TRUE(stage_.level().BirdCarrying);
  EXPECT_EQ(Bird().top, manTop - 800 + 120);
  EXPECT_EQ(Man().top, Bird().top + 600);
  EXPECT_EQ(Man().left, Bird().left + 360);
}

TEST_F(BirdApproachTest, ABirdNearerThanOneStepOnAnAxisStaysPutOnIt) {
  stage_.Place(Bird(), Man().left - 30, 0);
  stage_.Wait(100);
  // Past the player and straight back within the same tick.
  EXPECT_EQ(Bird().left, Man().left - 30);
  EXPECT_EQ(Bird().top, 60);
}

}  // namespace
}  // namespace reddoor
