// The order of the windows, and what a death keeps and what it starts afresh.
#include <gtest/gtest.h>

#include "level_fixture.hpp"
#include "script_helpers.hpp"

namespace reddoor {
namespace {

using testing::RunScriptText;
using testing::Var;
using Json = nlohmann::json;

using testing::Ctl;

Json ShowEvent(std::int64_t t, const std::string& window) {
  return {{"t", t}, {"event", "show"}, {"window", window}};
}
Json MessageEvent(std::int64_t t, const std::string& text) {
  return {{"t", t}, {"event", "message"}, {"text", text}};
}

TEST(ScreenFlowTest, TheGameStartsOnIntroAndPlayShowsLevel1WithNoCoins) {
  const auto run = RunScriptText("dump\nclick Play\ndump\n");
  ASSERT_EQ(run.status, 0) << run.errors;
  ASSERT_EQ(run.lines.size(), 4u);
  EXPECT_EQ(run.lines[0], ShowEvent(0, "Intro"));
  EXPECT_EQ(run.lines[1]["visible"], "Intro");
  EXPECT_TRUE(run.lines[1]["vars"].empty());
  EXPECT_EQ(run.lines[2], ShowEvent(0, "Level1"));
  const Json& level1 = run.lines[3];
  EXPECT_EQ(level1["visible"], "Level1");
  EXPECT_EQ(level1["TotalCoins"], 0);
  EXPECT_EQ(Ctl(level1, "lblTotalCoins")["Caption"], "0");
  EXPECT_FALSE(Ctl(level1, "door")["Visible"].get<bool>());
}

// Level1, right arrow held: two coins taken on Block(26), then a fall into Monster(0) at
// t = 1500.
constexpr const char* kLevel1MonsterDeath = "click Play\nwait 200\ndown Right\nwait 1200\ndump\n";

TEST(DeathTest, AMonsterDeathShowsTheMessageThenTheRestartedLevel) {
  const auto run = RunScriptText(std::string(kLevel1MonsterDeath) + "wait 100\n");
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[2], MessageEvent(1500, "A MONSTER GOT YOU"));
  EXPECT_EQ(events[3], ShowEvent(1500, "Level1"));
}

TEST(DeathTest, ARestartKeepsWhatNewGameLeavesAloneAndStartsTheSceneAfresh) {
  const auto run = RunScriptText(std::string(kLevel1MonsterDeath) + "wait 100\ndump\n");
  const auto dumps = run.Dumps();
  const Json& before = dumps[0];
  const Json& after = dumps[1];
  ASSERT_EQ(before["TotalCoins"], 2);
  ASSERT_EQ(Var(before, "JumpPhase"), "D");

  // What NewGame leaves alone carries over: he was facing right.
  EXPECT_EQ(Var(after, "Facing"), "R");
  // NewGame's own.
  EXPECT_FALSE(Var(after, "Dead").get<bool>());
  EXPECT_EQ(Var(after, "Speed"), 125);
  EXPECT_EQ(Var(after, "JumpHeight"), 500);
  // The tick ran on to its end over the restarted level: finding the player at his start, in
  // the air, it set him falling towards the floor.
  EXPECT_TRUE(Var(after, "Jumping").get<bool>());
  EXPECT_EQ(Var(after, "JumpPhase"), "D");
  EXPECT_EQ(Var(after, "JumpPeak"), 7080);
  EXPECT_EQ(Var(after, "JumpStart"), 0);
  // The coin total is gone; the scene is the layout's again.
  EXPECT_EQ(after["TotalCoins"], 0);
  EXPECT_EQ(Ctl(after, "lblTotalCoins")["Caption"], "0");
  EXPECT_FALSE(Ctl(before, "Coin(24)")["Visible"].get<bool>());
  EXPECT_TRUE(Ctl(after, "Coin(24)")["Visible"].get<bool>());
  EXPECT_TRUE(Ctl(after, "Coin(25)")["Visible"].get<bool>());
  EXPECT_EQ(Ctl(after, "Man")["Left"], 240);
  EXPECT_EQ(Ctl(after, "Man")["Top"], 3720);
  EXPECT_TRUE(Ctl(after, "Man")["Visible"].get<bool>());
  // The monster pass went on over the restarted level: Monster(0), which struck, is as the
  // layout has it; Monster(1) has made its first step from the layout.
  EXPECT_EQ(Ctl(after, "Monster(0)")["Tag"], "LR/0/1080/4080/75/D");
  EXPECT_EQ(Ctl(after, "Monster(0)")["Left"], 1080);
  EXPECT_EQ(Ctl(after, "Monster(1)")["Tag"], "RL/2/4680/6840/45/1");
}

TEST(DeathTest, DyingOnLevel2RestartsLevel2) {
  // Jumping right off Block(2) into the water.
  const auto run =
      RunScriptText("wait 300\ndown Right\ndown Space\nwait 1600\ndump\n", FormId::Level2);
  const auto events = run.Events();
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[1], MessageEvent(1900, "You Cant Swim?"));
  EXPECT_EQ(events[2], ShowEvent(1900, "Level2"));
  EXPECT_EQ(run.LastDump()["visible"], "Level2");
}

TEST(DeathTest, AnEmptyMessageBecomesTheDefaultOne) {
  testing::OpenLevel stage(FormId::Level1);
  stage.level().Die("");
  stage.level().Die("You Cant Swim?");
  std::istringstream lines(stage.Output());
  std::vector<Json> events;
  for (std::string line; std::getline(lines, line);) events.push_back(Json::parse(line));
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[1], MessageEvent(0, "Sorry, your dead"));
  EXPECT_EQ(events[2], ShowEvent(0, "Level1"));
  EXPECT_EQ(events[3], MessageEvent(0, "You Cant Swim?"));
}

TEST(ScreenFlowTest, OnceFinishIsShownNoLevelIsVisibleAndNoneTicks) {
  // E on the first tick of Level3 calls the bird, which carries the player off the top.
  testing::OpenLevel stage(FormId::Level3);
  stage.keys().Down(Key::E);
  stage.keys().Up(Key::E);
  stage.Wait(30000);
  Runtime& runtime = stage.runtime();
  ASSERT_TRUE(runtime.Window(FormId::Finish).IsVisible());
  for (const FormId level : {FormId::Level1, FormId::Level2, FormId::Level3}) {
    EXPECT_FALSE(runtime.Window(level).IsVisible());
    EXPECT_FALSE(runtime.Window(level).IsLoaded());
  }
  EXPECT_FALSE(runtime.Window(FormId::Intro).IsVisible());
}

}  // namespace
}  // namespace reddoor
