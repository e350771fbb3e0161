// The flight at the end of Level3: 200 scrolling steps that slide the scene down, then the
// rise with the player under the bird until he is out of the window, and on to Finish.
#include <gtest/gtest.h>

#include <string>

#include "script_helpers.hpp"

namespace reddoor {
namespace {

using testing::RunScriptText;
using testing::Var;
using Json = nlohmann::json;

using testing::Ctl;

// The controls that the scrolling steps move.
bool Scrolls(const std::string& name) {
  for (const char* array : {"Block(", "Coin(", "Monster(", "Water("}) {
    if (name.starts_with(array)) return true;
  }
  return name == "Floor";
}

// Level3 with E tapped before the first tick: the bird picks the player up at t = 10000, with
// Bird at (6600, 5200); tmrFly then ticks every 16 ms. The arrows and space are held from the
// pick-up on: the stopped game tick alone reads them.
constexpr const char* kFlight =
    "tap E\nwait 10000\ndump\ndown Right\ndown Space\n"
    "wait 16\ndump\n"      // 10016: scrolling step 1
    "wait 3168\ndump\n"    // 13184: scrolling step 199
    "wait 16\ndump\n"      // 13200: scrolling step 200
    "wait 16\ndump\n"      // 13216: rising step 1
    "wait 10864\ndump\n";  // 24080: rising step 680, the last before Finish

class FlightTest : public ::testing::Test {
 protected:
  void SetUp() override {
    run_ = RunScriptText(kFlight, FormId::Level3);
    ASSERT_EQ(run_.status, 0) << run_.errors;
    dumps_ = run_.Dumps();
    ASSERT_EQ(dumps_.size(), 6u);
    ASSERT_TRUE(Var(PickUp(), "BirdCarrying").get<bool>());
  }
  const Json& PickUp() const { return dumps_[0]; }

  // Every scrolled control lies `steps` x 100 below where it was at the pick-up, monsters
  // neither patrol nor change their tags, and nothing else of the scene has moved but the
  // player, the bird and Block(25) on its own timer. The counter, its caption and the door
  // are hidden.
  void ExpectScrolled(const Json& dump, int steps) const {
    for (const auto& [name, control] : PickUp()["controls"].items()) {
      if (!control.contains("Top") || name == "Man" || name == "Bird") continue;
      SCOPED_TRACE(name);
      const Json& now = Ctl(dump, name);
      EXPECT_EQ(now["Top"], control["Top"].get<std::int64_t>() + (Scrolls(name) ? 100 * steps : 0));
      if (name != "Block(25)") {
        EXPECT_EQ(now["Left"], control["Left"]);
      }
      EXPECT_EQ(now.value("Tag", ""), control.value("Tag", ""));
    }
    for (const char* name : {"lblTotalCoins", "Label1", "door"}) {
      EXPECT_FALSE(Ctl(dump, name)["Visible"].get<bool>()) << name;
    }
  }

  testing::ScriptResult run_;
  std::vector<Json> dumps_;
};

TEST_F(FlightTest, TwoHundredScrollingStepsSlideTheSceneDown20000Twips) {
  ExpectScrolled(dumps_[1], 1);
  EXPECT_TRUE(Var(dumps_[1], "Scrolling").get<bool>());
  ExpectScrolled(dumps_[2], 199);
  EXPECT_TRUE(Var(dumps_[2], "Scrolling").get<bool>());
  ExpectScrolled(dumps_[3], 200);
  EXPECT_FALSE(Var(dumps_[3], "Scrolling").get<bool>());
  // Then the scene stays where it is while the bird rises.
  ExpectScrolled(dumps_[4], 200);
  ExpectScrolled(dumps_[5], 200);
}

TEST_F(FlightTest, ThePlayerHangsBelowTheBirdAndTheKeysDoNothing) {
  for (std::size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(Ctl(dumps_[i], "Man"), Ctl(PickUp(), "Man"));
    EXPECT_EQ(Ctl(dumps_[i], "Bird"), Ctl(PickUp(), "Bird"));
  }
  for (std::size_t i = 4; i < 6; ++i) {
    const Json& bird = Ctl(dumps_[i], "Bird");
    EXPECT_EQ(bird["Left"], 6600);
    EXPECT_EQ(Ctl(dumps_[i], "Man")["Top"], bird["Top"].get<int>() + 600);
    EXPECT_EQ(Ctl(dumps_[i], "Man")["Left"], bird["Left"].get<int>() + 360);
  }
  EXPECT_EQ(Ctl(dumps_[4], "Bird")["Top"], 5200 - 10);
  // At -1000 he is not yet above -1000: Finish comes on the next step (golden level3_to_finish).
  EXPECT_EQ(Ctl(dumps_[5], "Man")["Top"], -1000);
  EXPECT_EQ(dumps_[5]["visible"], "Level3");
}

}  // namespace
}  // namespace reddoor
