// The order of the windows and the death messages. The start, a death and the restarted level
// are pinned whole by the golden scripts (level1_monster_death, level2_moving_block).
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "level_fixture.hpp"

namespace reddoor {
namespace {

using Json = nlohmann::json;

Json ShowEvent(std::int64_t t, const std::string& window) {
  return {{"t", t}, {"event", "show"}, {"window", window}};
}
Json MessageEvent(std::int64_t t, const std::string& text) {
  return {{"t", t}, {"event", "message"}, {"text", text}};
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
  for (const FormId window : {FormId::Intro, FormId::Level1, FormId::Level2, FormId::Level3}) {
    EXPECT_FALSE(runtime.Window(window).IsVisible());
    if (window != FormId::Intro) {
      EXPECT_FALSE(runtime.Window(window).IsLoaded());
    }
  }
}

}  // namespace
}  // namespace reddoor
