// What a key or a gamepad button does under a key map, whatever back end names it; the caption
// of a held or slowed game; when a run has moved on.
#include "game/key_map.hpp"

#include <gtest/gtest.h>

#include "game/run_timer.hpp"
#include "game/window.hpp"

namespace reddoor {
namespace {

TEST(KeyMapTest, AKeyDoesTheFirstActionThatListsItInAnySpelling) {
  KeyMap map = DefaultKeyMap();
  EXPECT_EQ(map.ActionOfKey("Left"), Action::WalkLeft);
  EXPECT_EQ(map.ActionOfKey("left"), Action::WalkLeft);
  EXPECT_EQ(map.ActionOfKey("e"), Action::CallBird);
  EXPECT_EQ(map.ActionOfKey("F11"), Action::Fullscreen);
  EXPECT_EQ(map.ActionOfKey("T"), Action::Timer);
  EXPECT_EQ(map.ActionOfKey("Return"), std::nullopt);
  EXPECT_EQ(map.ActionOfKey("Q!"), std::nullopt);
  map.keys[static_cast<std::size_t>(Action::WalkRight)] = {"D", "E"};
  EXPECT_EQ(map.ActionOfKey("D"), Action::WalkRight);
  EXPECT_EQ(map.ActionOfKey("E"), Action::WalkRight);
  EXPECT_EQ(map.ActionOfKey("Right"), std::nullopt);
}

TEST(KeyMapTest, AButtonDoesItsActionAndHoldsItsGameKey) {
  KeyMap map = DefaultKeyMap();
  EXPECT_EQ(map.ActionOfButton(PadButton::Back), Action::Pause);
  EXPECT_EQ(map.GameKeyOf(PadButton::Back), std::nullopt);
  EXPECT_EQ(map.ActionOfButton(PadButton::North), std::nullopt);
  map.buttons[static_cast<std::size_t>(Action::Timer)] = {"y"};
  map.buttons[static_cast<std::size_t>(Action::WalkLeft)] = {"leftshoulder"};
  EXPECT_EQ(map.ActionOfButton(PadButton::North), Action::Timer);
  EXPECT_EQ(map.GameKeyOf(PadButton::LeftShoulder), Key::Left);
}

TEST(ShownCaptionTest, SaysWhatHoldsOrSlowsTheGame) {
  EXPECT_EQ(ShownCaption("Level1", 100, false), "Level1");
  EXPECT_EQ(ShownCaption("Level1", 100, true), "Level1 (paused)");
  EXPECT_EQ(ShownCaption("Level1", 50, false), "Level1 (50% speed)");
  EXPECT_EQ(ShownCaption("Level1", 25, true), "Level1 (25% speed, paused)");
  EXPECT_EQ(ShownCaption("", 50, true), "(50% speed, paused)");
}

TEST(RunProgressTest, TellsEachSplitAndTheEndOnce) {
  RunTimer run;
  RunProgress progress;
  run.WindowShown(WindowId::Intro, 0);
  run.WindowShown(WindowId::Level1, 100);
  EXPECT_FALSE(progress.Moved(run));
  run.WindowShown(WindowId::Level2, 900);
  EXPECT_TRUE(progress.Moved(run));
  EXPECT_FALSE(progress.Moved(run));
  run.WindowShown(WindowId::Finish, 1500);
  EXPECT_TRUE(progress.Moved(run));
  EXPECT_FALSE(progress.Moved(run));
}

}  // namespace
}  // namespace reddoor
