// Coins: taken on edge contact, counted by each level in its order, and what the counts open.
#include <gtest/gtest.h>

#include "level_fixture.hpp"
#include "script_helpers.hpp"

namespace reddoor {
namespace {

using testing::BottomOf;
using testing::DumpEachTick;
using testing::kLevel1Descent;
using testing::OpenLevel;
using testing::RightOf;
using testing::RunScriptText;
using testing::Var;
using Json = nlohmann::json;

using testing::Ctl;
bool Visible(const Json& dump, const std::string& name) {
  return Ctl(dump, name)["Visible"].get<bool>();
}

TEST(CoinTest, TwoCoinsInOneTickAreBothTaken) {
  // Coming down towards Block(31), the player's left edge meets Coin(3) while his right edge
  // meets Coin(1).
  const auto run = RunScriptText(std::string(kLevel1Descent) + "wait 900\n" + DumpEachTick(2));
  const auto dumps = run.Dumps();
  EXPECT_EQ(dumps[0]["TotalCoins"], 5);
  EXPECT_TRUE(Visible(dumps[0], "Coin(1)"));
  EXPECT_TRUE(Visible(dumps[0], "Coin(3)"));
  EXPECT_EQ(dumps[1]["TotalCoins"], 7);
  EXPECT_FALSE(Visible(dumps[1], "Coin(1)"));
  EXPECT_FALSE(Visible(dumps[1], "Coin(3)"));
  EXPECT_EQ(Ctl(dumps[1], "lblTotalCoins")["Caption"], "7");
  EXPECT_EQ(Ctl(dumps[1], "lblTotalCoins")["ForeColor"], 0);
}

TEST(CoinTest, ACoinInsideThePlayersBoxIsNotTaken) {
  // Walking along Block(0), the player's box passes over Coin(21) and covers it entirely.
  const auto run =
      RunScriptText("click Play\nwait 6900\ndown Right\nwait 1700\n" + DumpEachTick(3));
  const auto dumps = run.Dumps();
  const Json& over = dumps[1];
  const Json& man = Ctl(over, "Man");
  const Json& coin = Ctl(over, "Coin(21)");
  ASSERT_LT(man["Left"], coin["Left"]);
  ASSERT_GT(RightOf(man), RightOf(coin));
  ASSERT_LT(man["Top"], coin["Top"]);
  ASSERT_GT(BottomOf(man), BottomOf(coin));
  for (const Json& dump : dumps) {
    EXPECT_TRUE(Visible(dump, "Coin(21)"));
    EXPECT_EQ(dump["TotalCoins"], 3);
  }
}

TEST(CoinTest, Level1DoorShowsOnlyWhenTheTotalIsExactlyFifteen) {
  OpenLevel stage(FormId::Level1);
  Level& level = stage.level();
  Runtime& runtime = stage.runtime();
  runtime.TotalCoins = 14;
  // Left edge in Coin(19), right edge in Coin(18), lower edge within both.
  stage.PlaceManBottom(4800, 4900);
  level.Coins();
  EXPECT_EQ(runtime.TotalCoins, 16);
  EXPECT_FALSE(stage.Get("Coin", 18).visible);
  EXPECT_FALSE(stage.Get("Coin", 19).visible);
  EXPECT_FALSE(stage.Get("door").visible);

  // Monster(1) takes one coin: back at 15, and the next pass shows the door.
  stage.PlaceMan(6900, 5900);
  level.Monsters();
  ASSERT_EQ(runtime.TotalCoins, 15);
  EXPECT_FALSE(stage.Get("door").visible);
  level.Coins();
  EXPECT_TRUE(stage.Get("door").visible);
  // Once shown, it stays shown when the count moves on.
  level.Monsters();
  level.Coins();
  EXPECT_EQ(runtime.TotalCoins, 14);
  EXPECT_TRUE(stage.Get("door").visible);
}

// Level2, right arrow and space held: each attempt takes Coin(10) and ends in the water, and
// the level restarts at t = 1900 + k * 5800.
constexpr const char* kLevel2Loop = "wait 300\ndown Right\ndown Space\n";

TEST(CoinTest, Level2CoinsCollectedBeforeADeathStillCount) {
  const auto run = RunScriptText(
      std::string(kLevel2Loop) + "wait 4500\ndump\nwait 2900\ndump\nwait 2900\ndump\n",
      FormId::Level2);
  const auto dumps = run.Dumps();
  // t = 4800: Coin(10) taken.
  EXPECT_EQ(Var(dumps[0], "LevelCoins"), 1);
  EXPECT_EQ(dumps[0]["TotalCoins"], 1);
  // t = 7700: just restarted after the water.
  EXPECT_EQ(Var(dumps[1], "LevelCoins"), 1);
  EXPECT_EQ(dumps[1]["TotalCoins"], 0);
  EXPECT_EQ(Ctl(dumps[1], "lblTotalCoins")["Caption"], "0");
  EXPECT_TRUE(Visible(dumps[1], "Coin(10)"));
  // t = 10600: the same coin again counts on.
  EXPECT_EQ(Var(dumps[2], "LevelCoins"), 2);
  EXPECT_EQ(dumps[2]["TotalCoins"], 1);
}

TEST(CoinTest, Level2DoorShowsAtTwelveCoinsCollectedOverSeveralAttempts) {
  // The 11th and the 12th pick-up of Coin(10), one attempt apart.
  const auto run = RunScriptText(std::string(kLevel2Loop) + "wait 62500\ndump\nwait 5800\ndump\n",
                                 FormId::Level2);
  const auto dumps = run.Dumps();
  EXPECT_EQ(Var(dumps[0], "LevelCoins"), 11);
  EXPECT_FALSE(Visible(dumps[0], "door"));
  EXPECT_EQ(Var(dumps[1], "LevelCoins"), 12);
  EXPECT_EQ(dumps[1]["TotalCoins"], 1);
  EXPECT_TRUE(Visible(dumps[1], "door"));
}

struct Level3Coin {
  int index;
  bool startsBlock16;
  bool startsBlock17;
  bool showsBlock2;
};

class Level3CoinTest : public ::testing::TestWithParam<Level3Coin> {};

TEST_P(Level3CoinTest, ACoinTakenActsInTheSameTick) {
  const Level3Coin& coin = GetParam();
  OpenLevel stage(FormId::Level3);
  Level& level = stage.level();
  const Control& taken = stage.Get("Coin", coin.index);
  // His left edge and lower edge inside the coin.
  stage.PlaceManBottom(taken.left + 10, taken.top + 10);
  level.Coins();
  level.Coins();  // a hidden coin is not counted again
  EXPECT_FALSE(taken.visible);
  EXPECT_EQ(stage.runtime().TotalCoins, 1);
  EXPECT_EQ(level.LevelCoins, 1);
  EXPECT_EQ(stage.Get("Block16Timer").enabled, coin.startsBlock16);
  EXPECT_EQ(stage.Get("Block17Timer").enabled, coin.startsBlock17);
  EXPECT_EQ(stage.Get("Block", 2).visible, coin.showsBlock2);
}

INSTANTIATE_TEST_SUITE_P(Coins, Level3CoinTest,
                         ::testing::Values(Level3Coin{0, false, true, false},
                                           Level3Coin{1, false, false, true},
                                           Level3Coin{2, true, false, false},
                                           Level3Coin{3, false, false, false},
                                           Level3Coin{4, false, false, false}));

}  // namespace
}  // namespace reddoor
