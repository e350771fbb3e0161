// The rules of a level where a golden script cannot put the player cheaply: what monsters do on
// contact, water, coins and what they open, the exits and the bird, the moving blocks' fresh
// start, and faults of the data.
#include "game/level.hpp"

#include <gtest/gtest.h>

#include <string>

#include "base/fault.hpp"
#include "support/stage.hpp"

namespace reddoor {
namespace {

using test::AlteredLevel;
using test::Stage;

// A monster that stands still ("X" is no direction) right on the player, with a given effect.
struct Effect {
  std::string effect;
  std::int32_t totalBefore;
  std::int32_t totalAfter;
  bool turnsRed;
  bool kills;
};

class EffectTest : public ::testing::TestWithParam<Effect> {};

TEST_P(EffectTest, TouchingTheMonsterAppliesItsEffect) {
  const Effect& e = GetParam();
  const std::string tag = "X/0/0/0/0/" + e.effect;
  const AlteredLevel altered(WindowId::Level1, "Monster", 1,
                             [&](ControlRecord& s) { s.tag = tag; });
  Stage stage(WindowId::Level1, altered.Levels());
  stage.ClearStage();
  Control& monster = stage.Get("Monster", 1);
  Stage::Place(monster, 6000, 3000);
  stage.PlaceMan(6100, 3100);
  stage.Game().SetTotalCoins(e.totalBefore);
  stage.Window().Monsters();
  EXPECT_EQ(stage.Seen().Messages("A MONSTER GOT YOU"), e.kills ? 1 : 0);
  if (e.kills) return;
  EXPECT_EQ(stage.Window().Tag(monster), "X/1/0/0/0/" + e.effect);
  EXPECT_EQ(stage.Game().TotalCoins(), e.totalAfter);
  const Control& label = stage.Get("lblTotalCoins");
  EXPECT_EQ(label.foreColor, e.turnsRed ? palette::kRed : palette::kBlack);
  if (e.turnsRed) {
    EXPECT_EQ(label.caption, std::to_string(e.totalAfter));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Effects, EffectTest,
    ::testing::Values(Effect{"D", 5, 0, false, true}, Effect{"C", 5, 0, true, false},
                      Effect{"1", 0, -1, true, false}, Effect{" 2", 1, -1, true, false},
                      // Fractions: the difference is rounded half to even.
                      Effect{"1.5", 0, -2, true, false}, Effect{"1.5", 1, 0, true, false},
                      Effect{"2.5", 0, -2, true, false},
                      // Compared exactly: lower case does nothing.
                      Effect{"d", 5, 5, false, false}, Effect{"", 5, 5, false, false}));

TEST(DataFaultTest, AMalformedTagIsRejectedWhenTheGameStarts) {
  const AlteredLevel altered(WindowId::Level1, "Monster", 1,
                             [](ControlRecord& s) { s.tag = "RL/0/4680/6840/45"; });
  try {
    Stage stage(WindowId::Level1, altered.Levels());
    FAIL() << "the game started";
  } catch (const GameFault& fault) {
    const std::string message = fault.what();
    EXPECT_NE(message.find("Monster(1)"), std::string::npos) << message;
    EXPECT_NE(message.find("\"RL/0/4680/6840/45\""), std::string::npos) << message;
  }
}

// Rules that leave a timer of the layout without a handler are found before anything runs.
TEST(DataFaultTest, ATimerThatNothingHandlesIsRejectedWhenTheGameStarts) {
  LevelRules rules = Level2Rules();
  rules.movingBlocks = {};
  LevelSet levels = StandardLevels();
  levels[1] = &rules;
  try {
    Stage stage(WindowId::Level1, levels);
    FAIL() << "the game started";
  } catch (const GameFault& fault) {
    const std::string message = fault.what();
    EXPECT_NE(message.find("Level2"), std::string::npos) << message;
    EXPECT_NE(message.find("Block4Timer"), std::string::npos) << message;
  }
}

// Whole-number arithmetic is checked: a step that carries a monster past the range of a Long
// ends the game with "Overflow" instead of wrapping it round to the far left.
TEST(DataFaultTest, AStepPastTheRangeOfALongEndsTheGameWithOverflow) {
  // Monster(1) starts at Left 6840 on a right leg: 6840 + 2147483647 does not fit.
  const AlteredLevel altered(WindowId::Level1, "Monster", 1,
                             [](ControlRecord& s) { s.tag = "RL/0/4680/6840/2147483647/1"; });
  Stage stage(WindowId::Level1, altered.Levels());
  EXPECT_THROW(stage.Window().GameTick(), GameFault);
  EXPECT_EQ(stage.Get("Monster", 1).left, 6840);
}

TEST(DeathTest, AnEmptyMessageBecomesTheDefaultOneAndTheLevelRestarts) {
  Stage stage(WindowId::Level1);
  stage.Game().SetTotalCoins(3);
  stage.PlaceMan(5000, 5000);
  stage.Die("");
  EXPECT_EQ(stage.Seen().Messages("Sorry, your dead"), 1);
  EXPECT_EQ(stage.Seen().Shows("Level1"), 2);
  EXPECT_EQ(stage.Game().TotalCoins(), 0);
  EXPECT_EQ(stage.Get("Man").left, 240);
  EXPECT_TRUE(stage.Get("Man").visible);
  EXPECT_FALSE(stage.Vars().dead);
}

// Level1 with only its two water areas and its floor in the scene.
void KeepOnlyTheWater(Stage& stage) {
  stage.ClearStage();
  for (Control* c : {&stage.Get("Water", 0), &stage.Get("Water", 1), &stage.Get("Floor")}) {
    Stage::Place(*c, c->record->box.left, c->record->box.top);
  }
}

TEST(WaterTest, AFallerDiesOnTheTickHisLowerEdgeReachesTheWatersTop) {
  // Above Water(0), whose top is at 6480; then right of it, above Water(1) at 6720.
  for (const auto& [left, waterTop] : {std::pair{1000, 6480}, std::pair{6000, 6720}}) {
    for (const int above : {126, 125}) {
      SCOPED_TRACE(::testing::Message() << left << ", " << above);
      Stage stage(WindowId::Level1);
      KeepOnlyTheWater(stage);
      stage.PlaceManBottom(left, waterTop - above);
      stage.Vars().jumping = true;
      stage.Vars().jumpPhase = JumpPhase::Down;
      stage.Vars().jumpPeak = 7080;
      stage.Wait(100);
      EXPECT_EQ(stage.Seen().Messages("You Cant Swim?"), above == 125 ? 1 : 0);
    }
  }
}

TEST(WaterTest, TouchingBothAreasDiesOnceAndTheTickGoesOnOverTheRestartedLevel) {
  Stage stage(WindowId::Level1);
  KeepOnlyTheWater(stage);
  stage.PlaceManBottom(1000, 6800);
  ASSERT_NE(ControlTouch(stage.Get("Man"), stage.Get("Water", 0)), Side::None);
  ASSERT_NE(ControlTouch(stage.Get("Man"), stage.Get("Water", 1)), Side::None);
  stage.Wait(100);
  EXPECT_EQ(stage.Seen().Messages("You Cant Swim?"), 1);
  // Monster(0) made its first step from the layout.
  EXPECT_EQ(stage.Get("Monster", 0).left, 1005);
}

TEST(CoinTest, Level1DoorShowsOnlyWhenTheTotalIsExactlyFifteen) {
  Stage stage(WindowId::Level1);
  Level& level = stage.Window();
  Runtime& runtime = stage.Game();
  runtime.SetTotalCoins(14);
  // Left edge in Coin(19), right edge in Coin(18), lower edge within both: two coins at once.
  stage.PlaceManBottom(4800, 4900);
  level.Coins();
  EXPECT_EQ(runtime.TotalCoins(), 16);
  EXPECT_FALSE(stage.Get("door").visible);
  // Monster(1) takes one coin: back at 15, and the next pass shows the door.
  stage.PlaceMan(6900, 5900);
  level.Monsters();
  ASSERT_EQ(runtime.TotalCoins(), 15);
  EXPECT_FALSE(stage.Get("door").visible);
  level.Coins();
  EXPECT_TRUE(stage.Get("door").visible);
  // Once shown, it stays shown when the count moves on.
  level.Monsters();
  level.Coins();
  EXPECT_EQ(runtime.TotalCoins(), 14);
  EXPECT_TRUE(stage.Get("door").visible);
}

// On Level3 a coin taken starts a sinking bar or brings back Block(2) in the same tick, and
// counts once.
TEST(CoinTest, Level3CoinsActInTheSameTick) {
  struct Case {
    int coin;
    bool startsBlock16, startsBlock17, showsBlock2;
  };
  for (const Case c : {Case{0, false, true, false}, Case{1, false, false, true},
                       Case{2, true, false, false}, Case{3, false, false, false}}) {
    SCOPED_TRACE(c.coin);
    Stage stage(WindowId::Level3);
    const Control& taken = stage.Get("Coin", c.coin);
    stage.PlaceManBottom(taken.left + 10, taken.top + 10);
    stage.Window().Coins();
    stage.Window().Coins();
    EXPECT_FALSE(taken.visible);
    EXPECT_EQ(stage.Game().TotalCoins(), 1);
    EXPECT_EQ(stage.Vars().levelCoins, 1);
    EXPECT_EQ(stage.Window().TimerEnabled(stage.Get("Block16Timer")), c.startsBlock16);
    EXPECT_EQ(stage.Window().TimerEnabled(stage.Get("Block17Timer")), c.startsBlock17);
    EXPECT_EQ(stage.Get("Block", 2).visible, c.showsBlock2);
  }
}

TEST(CoinTest, Level3ShowsItsDoorAtExactlyFiveCoins) {
  Stage stage(WindowId::Level3);
  stage.Get("door").visible = false;
  stage.Vars().levelCoins = 6;
  stage.Window().Coins();
  EXPECT_FALSE(stage.Get("door").visible);
  stage.Vars().levelCoins = 5;
  stage.Window().Coins();
  EXPECT_TRUE(stage.Get("door").visible);
}

// Puts the player one step left of the hidden door, his lower edge within the door's height,
// and holds the right arrow for one game tick.
void WalkIntoTheDoor(Stage& stage, std::int32_t lowerEdge) {
  const Control& door = stage.Get("door");
  ASSERT_FALSE(door.visible);
  stage.PlaceManBottom(door.left - 20 - stage.Get("Man").width, lowerEdge);
  stage.Game().KeyDown(Key::Right);
  stage.Wait(100);
}

TEST(DoorTest, TheHiddenDoorOfLevel1LeadsToLevel2WithTheCoinsAndLevel1PlaysNoMore) {
  Stage stage(WindowId::Level1);
  stage.Game().SetTotalCoins(7);
  WalkIntoTheDoor(stage, 5000);
  const Window& level2 = stage.Game().Get(WindowId::Level2);
  ASSERT_TRUE(level2.IsVisible());
  EXPECT_FALSE(stage.Window().IsVisible());
  EXPECT_FALSE(stage.Window().IsLoaded());
  EXPECT_EQ(level2.Contents().Get("lblTotalCoins").caption, "7");
  ASSERT_EQ(stage.Seen().Shows("Level2"), 1);
  EXPECT_EQ(stage.Seen().events.back().t, 100);
  const LevelVariables left = stage.Vars();
  stage.Wait(2000);
  EXPECT_TRUE(stage.Vars() == left) << "Level1 played on after it was left";
}

TEST(DoorTest, TheHiddenDoorOfLevel2LeadsToLevel3) {
  Stage stage(WindowId::Level2);
  WalkIntoTheDoor(stage, 6960);
  EXPECT_TRUE(stage.Game().Get(WindowId::Level3).IsVisible());
  EXPECT_FALSE(stage.Window().IsLoaded());
}

class BirdApproachTest : public ::testing::Test {
 protected:
  void SetUp() override {
    stage_.ClearStage();
    Stage::Place(stage_.Get("Floor"), 0, kFloorTop);
    stage_.PlaceManBottom(5000, kFloorTop + 15);
    stage_.Game().KeyDown(Key::E);
    stage_.Game().KeyUp(Key::E);
  }
  Control& Bird() { return stage_.Get("Bird"); }
  Control& Man() { return stage_.Get("Man"); }

  static constexpr std::int32_t kFloorTop = 6360;
  Stage stage_{WindowId::Level3};
};

TEST_F(BirdApproachTest, ABirdStraightAboveComesDown60ATickAndPicksUpOnFirstContact) {
  // Level with the player's left edge, 600 above its aim of 200 above his head.
  const std::int32_t manTop = Man().top;
  Stage::Place(Bird(), Man().left, manTop - 200 - 600);
  stage_.Wait(100);
  // Its lower edge is still not more than 120 above his top: no contact yet.
  EXPECT_EQ(Bird().top, manTop - 800 + 60);
  EXPECT_FALSE(stage_.Vars().birdCarrying);
  stage_.Wait(100);
  EXPECT_TRUE(stage_.Vars().birdCarrying);
  EXPECT_EQ(Bird().top, manTop - 800 + 120);
  EXPECT_EQ(Man().top, Bird().top + 600);
  EXPECT_EQ(Man().left, Bird().left + 360);
  EXPECT_FALSE(stage_.Window().TimerEnabled(stage_.Get("tmrGame")));
  EXPECT_TRUE(stage_.Window().TimerEnabled(stage_.Get("tmrFly")));
}

TEST_F(BirdApproachTest, ABirdNearerThanOneStepOnAnAxisStaysPutOnIt) {
  Stage::Place(Bird(), Man().left - 30, 0);
  stage_.Wait(100);
  // Past the player and straight back within the same tick.
  EXPECT_EQ(Bird().left, Man().left - 30);
  EXPECT_EQ(Bird().top, 60);
}

// Level3: the player is put on a coin; the game tick at t = 100 takes it and starts the bar's
// timer, which from then on ticks every 100 ms, right after the game tick that enables it again.
class SinkingBarTest : public ::testing::Test {
 protected:
  void TakeCoin(int index) {
    const Control& coin = stage_.Get("Coin", index);
    stage_.PlaceManBottom(coin.left + 10, coin.top + 10);
    stage_.Wait(100);
    ASSERT_FALSE(coin.visible);
  }
  // The bar's Top after the next `ticks` ticks of its timer.
  std::int32_t Sink(int bar, int ticks) {
    stage_.Wait(100 * ticks);
    return stage_.Get("Block", bar).top;
  }

  Stage stage_{WindowId::Level3};
};

TEST_F(SinkingBarTest, EachBarSinksPastItsBoundAndStays) {
  TakeCoin(2);
  EXPECT_EQ(Sink(16, 1), 2090);
  EXPECT_EQ(Sink(16, 20), 3090);
  EXPECT_EQ(Sink(16, 1), 3140);
  EXPECT_EQ(Sink(16, 8), 3140);
  EXPECT_EQ(stage_.Get("Block", 16).left, 10800);
  TakeCoin(0);
  EXPECT_EQ(Sink(17, 11), 5470);
  EXPECT_EQ(Sink(17, 1), 5520);
  EXPECT_EQ(Sink(17, 3), 5520);
}

TEST_F(SinkingBarTest, ARestartPutsTheSunkBarBackAndItSinksAgain) {
  TakeCoin(2);
  ASSERT_EQ(Sink(16, 25), 3140);
  stage_.Die("");
  EXPECT_EQ(stage_.Get("Block", 16).top, 2040);
  EXPECT_FALSE(stage_.Window().TimerEnabled(stage_.Get("Block16Timer")));
  EXPECT_EQ(Sink(16, 3), 2040);
  TakeCoin(2);
  EXPECT_EQ(Sink(16, 22), 3140);
}

TEST(CarriedTest, APlatformSlidingAwayLeavesThePlayerBehindAndHeFalls) {
  Stage stage(WindowId::Level2);
  const Control& platform = stage.Get("Block", 5);
  // On Block(5) near its left end, 10 twips deep; the block slides right, 100 twips a game tick.
  stage.PlaceManBottom(platform.left + 200, platform.top + 10);
  const std::int32_t left = stage.Get("Man").left;
  const std::int32_t top = stage.Get("Man").top;
  for (int tick = 1; tick <= 6; ++tick) {
    stage.Wait(100);
    SCOPED_TRACE(tick);
    EXPECT_TRUE(stage.Vars().standing);
    EXPECT_EQ(stage.Get("Man").left, left);
    EXPECT_EQ(stage.Get("Man").top, top);
  }
  // Its left edge has passed his right edge: he no longer overlaps it.
  stage.Wait(100);
  EXPECT_GT(platform.left, left + stage.Get("Man").width);
  EXPECT_FALSE(stage.Vars().standing);
  EXPECT_EQ(stage.Vars().jumpPhase, JumpPhase::Down);
  stage.Wait(100);
  EXPECT_EQ(stage.Get("Man").top, top + 125);
  EXPECT_EQ(stage.Get("Man").left, left);
}

}  // namespace
}  // namespace reddoor
