// Monsters: the patrol that each Tag drives, turning at both ends, and what touching one does.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "level_fixture.hpp"
#include "scene/fault.hpp"
#include "script_helpers.hpp"
#include "world/monster_tag.hpp"

namespace reddoor {
namespace {

using testing::DumpEachTick;
using testing::OpenLevel;
using testing::RunScriptText;
using Json = nlohmann::json;

using testing::Ctl;

// The monster's Left and Tag at the end of a game tick, counting ticks from 1.
struct Step {
  int tick;
  std::int64_t left;
  std::string tag;
};

void ExpectPatrol(const std::vector<Json>& dumps, const std::string& monster,
                  const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    SCOPED_TRACE(step.tick);
    const Json& control = Ctl(dumps.at(static_cast<std::size_t>(step.tick - 1)), monster);
    EXPECT_EQ(control["Left"], step.left);
    EXPECT_EQ(control["Tag"], step.tag);
  }
}

// The player stands still at his start: no monster reaches him there. The monsters of Level2
// and Level3 patrol by the same rules, along the golden scripts' routes.
TEST(PatrolTest, Level1MonstersTurnAtTheirBounds) {
  const auto run = RunScriptText("click Play\n" + DumpEachTick(98));
  const auto dumps = run.Dumps();
  ASSERT_EQ(dumps.size(), 98u);
  // An "L" leg first: one step left, past MinLeft, so the leg ends there.
  ExpectPatrol(dumps, "Monster(0)",
               {{1, 1005, "LR/2/1080/4080/75/D"},
                {2, 1080, "LR/2/1080/4080/75/D"},
                {41, 4005, "LR/2/1080/4080/75/D"},
                // Reaching 4080 turns it, and it steps back left in the same tick.
                {42, 4005, "LR/1/1080/4080/75/D"},
                {43, 3930, "LR/1/1080/4080/75/D"},
                {81, 1080, "LR/2/1080/4080/75/D"},
                {82, 1155, "LR/2/1080/4080/75/D"}});
  ExpectPatrol(dumps, "Monster(1)",
               {{1, 6840, "RL/2/4680/6840/45/1"},
                {2, 6795, "RL/2/4680/6840/45/1"},
                {49, 4680, "RL/1/4680/6840/45/1"},
                {50, 4725, "RL/1/4680/6840/45/1"},
                {96, 6795, "RL/1/4680/6840/45/1"},
                {97, 6795, "RL/2/4680/6840/45/1"},
                {98, 6750, "RL/2/4680/6840/45/1"}});
}

TEST(CoinTakingMonsterTest, DrivesTheTotalBelowZeroInRedUntilTheNextPickUp) {
  // Down on Block(31), the player stops at Left 6615 in the path of Monster(1), then walks left
  // under Coin(0).
  const auto run = RunScriptText(std::string(testing::kLevel1Descent) +
                                 "wait 1800\nup Right\nwait 6000\ndump\n"
                                 "down Left\nwait 1100\ndump\nwait 100\ndump\n");
  const auto dumps = run.Dumps();
  for (const auto& [dump, total, color] :
       {std::tuple{dumps[0], -2, 255}, std::tuple{dumps[1], -5, 255},
        std::tuple{dumps[2], -4, 0}}) {
    SCOPED_TRACE(dump["t"].dump());
    EXPECT_EQ(dump["TotalCoins"], total);
    EXPECT_EQ(Ctl(dump, "lblTotalCoins")["Caption"], std::to_string(total));
    EXPECT_EQ(Ctl(dump, "lblTotalCoins")["ForeColor"], color);
  }
  EXPECT_FALSE(Ctl(dumps[2], "Coin(0)")["Visible"].get<bool>());
}

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
  OpenLevel stage(FormId::Level1);
  stage.ClearStage();
  Control& monster = stage.Get("Monster", 1);
  stage.Place(monster, 6000, 3000);
  monster.tag = "X/0/0/0/0/" + e.effect;
  stage.PlaceMan(6100, 3100);
  stage.runtime().TotalCoins = e.totalBefore;
  stage.level().Monsters();
  const bool died = stage.Output().find("A MONSTER GOT YOU") != std::string::npos;
  EXPECT_EQ(died, e.kills);
  if (e.kills) return;
  EXPECT_EQ(monster.tag, "X/1/0/0/0/" + e.effect);
  EXPECT_EQ(stage.runtime().TotalCoins, e.totalAfter);
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
                      Effect{"d", 5, 5, false, false}, Effect{"c", 5, 5, false, false},
                      Effect{"", 5, 5, false, false}));

class RouteTest : public ::testing::Test {
 protected:
  void SetUp() override { stage_.ClearStage(); }
  Control& Monster() { return stage_.Get("Monster", 1); }
  OpenLevel stage_{FormId::Level1};
};

TEST_F(RouteTest, AOneLetterRouteRestartsItsLegForEver) {
  stage_.Place(Monster(), 0, 0);
  Monster().tag = "R/0/0/100/50/0";
  for (std::int32_t left = 50; left <= 300; left += 50) {
    stage_.level().Monsters();
    EXPECT_EQ(Monster().left, left);
    EXPECT_EQ(Monster().tag, "R/1/0/100/50/0");
  }
}

TEST_F(RouteTest, PastTheRouteAMonsterStandsStillAndExtraPiecesAreDropped) {
  struct Case {
    const char* tag;
    std::int32_t left;
    const char* written;
  };
  for (const Case c : {Case{"LR/5/0/1000/50/D", 500, "LR/5/0/1000/50/D"},
                       Case{"LR/0/0/1000/50/D/extra/pieces", 450, "LR/1/0/1000/50/D"}}) {
    stage_.Place(Monster(), 500, 0);
    Monster().tag = c.tag;
    stage_.level().Monsters();
    EXPECT_EQ(Monster().left, c.left) << c.tag;
    EXPECT_EQ(Monster().tag, c.written) << c.tag;
  }
}

TEST(MonsterTagTest, NumberFieldsAreConvertedToTheNearestWholeNumberTiesToEven) {
  const auto tag = ReadMonsterTag("LR/1.5/ 1080.5/4081.5/-75/D");
  ASSERT_TRUE(tag);
  EXPECT_EQ(tag->routeIndex, 2);
  EXPECT_EQ(tag->minLeft, 1080);
  EXPECT_EQ(tag->maxLeft, 4082);
  EXPECT_EQ(tag->step, -75);
}

TEST(MonsterTagTest, MalformedTagsAreRejectedWithTheReason) {
  std::string why;
  EXPECT_FALSE(ReadMonsterTag("LR/0/1080/4080/75", &why));
  EXPECT_NE(why.find('5'), std::string::npos) << why;
  EXPECT_FALSE(ReadMonsterTag("LR/zero/1080/4080/75/D", &why));
  EXPECT_NE(why.find("zero"), std::string::npos) << why;
  EXPECT_FALSE(ReadMonsterTag("LR/0/1080/4080//D", &why));
}

TEST(MonsterTagTest, NumericTextsAcceptBlanksSignsAndFractionsOnly) {
  EXPECT_EQ(NumericValue(" 2"), 2.0);
  EXPECT_EQ(NumericValue("1.5"), 1.5);
  EXPECT_EQ(NumericValue("-3"), -3.0);
  EXPECT_EQ(NumericValue(".5"), 0.5);
  for (const char* text : {"", " ", "d", "C", "1x", "--1", ".", "1e400"}) {
    EXPECT_FALSE(NumericValue(text)) << '"' << text << '"';
  }
}

TEST(MonsterTagTest, RoundingIsHalfToEvenAndOutOfRangeIsAnOverflow) {
  EXPECT_EQ(RoundToLong(2.5), 2);
  EXPECT_EQ(RoundToLong(3.5), 4);
  EXPECT_EQ(RoundToLong(-2.5), -2);
  EXPECT_EQ(RoundToLong(2147483647.0), 2147483647);
  EXPECT_THROW(RoundToLong(2147483648.0), GameFault);
  EXPECT_THROW(RoundToInteger(32768.0), GameFault);
  EXPECT_THROW(ReadMonsterTag("LR/40000/0/0/0/D"), GameFault);
}

TEST(MonsterTagTest, AMalformedTagInALayoutIsRejectedWhenTheLevelLoads) {
  const testing::Level1LayoutWithTag layout(1, "RL/0/4680/6840/45");
  std::ostringstream out;
  HeadlessPlatform platform(out);
  Runtime runtime(platform);
  testing::Level1WithTag level(runtime, layout.layout);
  try {
    level.Show();
    FAIL() << "the level loaded";
  } catch (const GameFault& fault) {
    const std::string message = fault.what();
    EXPECT_NE(message.find("Monster(1)"), std::string::npos) << message;
    EXPECT_NE(message.find("\"RL/0/4680/6840/45\""), std::string::npos) << message;
  }
}

// Whole-number arithmetic is checked: a step that carries a monster past the range of a Long
// ends the game with "Overflow" instead of wrapping it round to the far left.
TEST(MonsterTagTest, AStepPastTheRangeOfALongEndsTheGameWithOverflow) {
  // Monster(1) starts at Left 6840 on a right leg: 6840 + 2147483647 does not fit.
  const testing::Level1LayoutWithTag layout(1, "RL/0/4680/6840/2147483647/1");
  std::ostringstream out;
  HeadlessPlatform platform(out);
  Runtime runtime(platform);
  platform.Attach(runtime);
  testing::Level1WithTag level(runtime, layout.layout);
  level.Show();
  try {
    level.tmrGame_Timer();
    FAIL() << "the tick ran to its end";
  } catch (const GameFault& fault) {
    EXPECT_STREQ(fault.what(), "Overflow");
  }
  EXPECT_EQ(level.Controls().Array("Monster")(1).left, 6840);
}

}  // namespace
}  // namespace reddoor
