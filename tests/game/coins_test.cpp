// Coins: taken on edge contact, counted by each level in its order, and what the counts open.
#include <gtest/gtest.h>

#include "level_fixture.hpp"
#include "script_helpers.hpp"

namespace reddoor {
namespace {

using testing::DumpEachTick;
using testing::kLevel1Descent;
using testing::OpenLevel;
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
// the level restarts at t = 1900 + k * 5800. The level's count goes on over the deaths, the
// total does not, and the 12th pick-up shows the door.
TEST(CoinTest, Level2CountsCoinsOverItsDeathsAndShowsTheDoorAtTwelve) {
  const auto run = RunScriptText(
      "wait 300\ndown Right\ndown Space\nwait 4500\ndump\nwait 2900\ndump\nwait 2900\ndump\n"
      "wait 52200\ndump\nwait 5800\ndump\n",
      FormId::Level2);
  const auto dumps = run.Dumps();
  struct Expected {
    int levelCoins, totalCoins;
    bool door;
  };
  // t = 4800 Coin(10) taken; 7700 just restarted; 10600 taken again; 62800 and 68600: the 11th
  // and the 12th pick-up.
  const Expected expected[] = {
      {1, 1, false}, {1, 0, false}, {2, 1, false}, {11, 1, false}, {12, 1, true}};
  ASSERT_EQ(dumps.size(), std::size(expected));
  for (std::size_t i = 0; i < dumps.size(); ++i) {
    SCOPED_TRACE(dumps[i]["t"].dump());
    EXPECT_EQ(Var(dumps[i], "LevelCoins"), expected[i].levelCoins);
    EXPECT_EQ(dumps[i]["TotalCoins"], expected[i].totalCoins);
    EXPECT_EQ(Ctl(dumps[i], "lblTotalCoins")["Caption"], std::to_string(expected[i].totalCoins));
    EXPECT_EQ(Visible(dumps[i], "door"), expected[i].door);
  }
  EXPECT_TRUE(Visible(dumps[1], "Coin(10)"));
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
