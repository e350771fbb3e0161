// A monster's Tag read into its patrol, the patrol walked, and the Tag written back.
#include "game/patrol.hpp"

#include <gtest/gtest.h>

#include "base/checked.hpp"
#include "base/fault.hpp"

namespace reddoor {
namespace {

TEST(PatrolTest, NumberFieldsAreConvertedToTheNearestWholeNumberTiesToEven) {
  const auto patrol = ReadPatrol("LR/1.5/ 1080.5/4081.5/-75/D");
  ASSERT_TRUE(patrol);
  EXPECT_EQ(patrol->route.position, 2);
  EXPECT_EQ(patrol->minLeft, 1080);
  EXPECT_EQ(patrol->maxLeft, 4082);
  EXPECT_EQ(patrol->step, -75);
  EXPECT_EQ(patrol->Tag(), "LR/2/1080/4082/-75/D");
}

TEST(PatrolTest, MalformedTagsAreRejectedWithTheReason) {
  std::string why;
  EXPECT_FALSE(ReadPatrol("LR/0/1080/4080/75", &why));
  EXPECT_NE(why.find('5'), std::string::npos) << why;
  EXPECT_FALSE(ReadPatrol("LR/zero/1080/4080/75/D", &why));
  EXPECT_NE(why.find("zero"), std::string::npos) << why;
  EXPECT_FALSE(ReadPatrol("LR/0/1080/4080//D", &why));
  EXPECT_FALSE(ReadPatrol("LR/-1/1080/4080/75/D", &why));
  EXPECT_NE(why.find("negative"), std::string::npos) << why;
  EXPECT_THROW(ReadPatrol("LR/40000/0/0/0/D"), GameFault);
}

TEST(PatrolTest, EffectsAreComparedExactlyAndNumbersTakeCoins) {
  struct Case {
    const char* tag;
    MonsterEffect effect;
    double coins;
  };
  for (const Case& c :
       {Case{"L/0/0/0/0/D", MonsterEffect::Kills, 0},
        Case{"L/0/0/0/0/C", MonsterEffect::TakesAllCoins, 0},
        Case{"L/0/0/0/0/ 1.5", MonsterEffect::TakesCoins, 1.5},
        Case{"L/0/0/0/0/d", MonsterEffect::None, 0}, Case{"L/0/0/0/0/", MonsterEffect::None, 0}}) {
    const auto patrol = ReadPatrol(c.tag);
    ASSERT_TRUE(patrol) << c.tag;
    EXPECT_EQ(patrol->effect, c.effect) << c.tag;
    EXPECT_EQ(patrol->coinsTaken, c.coins) << c.tag;
  }
}

TEST(PatrolTest, NumericTextsAcceptBlanksSignsAndFractionsOnly) {
  EXPECT_EQ(NumericValue(" 2"), 2.0);
  EXPECT_EQ(NumericValue("1.5"), 1.5);
  EXPECT_EQ(NumericValue("-3"), -3.0);
  EXPECT_EQ(NumericValue(".5"), 0.5);
  EXPECT_EQ(NumericValue("1e3"), 1000.0);
  EXPECT_EQ(NumericValue("1e-310"), 1e-310);  // close to 0 but not 0
  for (const char* text : {"", " ", "d", "C", "1x", "--1", ".", "1e400", "1e-400"}) {
    EXPECT_FALSE(NumericValue(text)) << '"' << text << '"';
  }
}

TEST(PatrolTest, RoundingIsHalfToEvenAndOutOfRangeIsAnOverflow) {
  EXPECT_EQ(RoundTo<std::int32_t>(2.5), 2);
  EXPECT_EQ(RoundTo<std::int32_t>(3.5), 4);
  EXPECT_EQ(RoundTo<std::int32_t>(-2.5), -2);
  EXPECT_EQ(RoundTo<std::int32_t>(2147483647.0), 2147483647);
  EXPECT_THROW(RoundTo<std::int32_t>(2147483648.0), GameFault);
  EXPECT_THROW(RoundTo<std::int16_t>(32768.0), GameFault);
}

TEST(PatrolTest, AOneLetterRouteRestartsItsLegForEver) {
  auto patrol = ReadPatrol("R/0/0/100/50/0");
  std::int32_t left = 0;
  for (std::int32_t expected = 50; expected <= 300; expected += 50) {
    patrol->Walk(left);
    EXPECT_EQ(left, expected);
    EXPECT_EQ(patrol->Tag(), "R/1/0/100/50/0");
  }
}

TEST(PatrolTest, PastTheRouteAMonsterStandsStillAndExtraPiecesAreDropped) {
  auto beyond = ReadPatrol("LR/5/0/1000/50/D");
  std::int32_t left = 500;
  beyond->Walk(left);
  EXPECT_EQ(left, 500);
  EXPECT_EQ(beyond->Tag(), "LR/5/0/1000/50/D");

  auto extra = ReadPatrol("LR/0/0/1000/50/D/extra/pieces");
  extra->Walk(left);
  EXPECT_EQ(left, 450);
  EXPECT_EQ(extra->Tag(), "LR/1/0/1000/50/D");
}

}  // namespace
}  // namespace reddoor
