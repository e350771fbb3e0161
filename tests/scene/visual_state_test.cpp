// Which parts of a window must be drawn again after the game has changed its controls.
#include "scene/visual_state.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "scene/layout.hpp"
#include "scene/scene.hpp"

namespace reddoor {
namespace {

using BoxTuple = std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t>;

// The boxes to draw again after `change`, made to a freshly loaded Level1.
std::vector<BoxTuple> Redrawn(void (*change)(Scene&)) {
  Scene scene(Level1Layout());
  const VisualState before = CaptureVisualState(scene);
  change(scene);
  std::vector<BoxTuple> boxes;
  for (const Box& b : ChangedBoxes(before, CaptureVisualState(scene))) {
    boxes.emplace_back(b.left, b.top, b.width, b.height);
  }
  return boxes;
}

// The old and the new box of a control whose look changed; only the old one of a control
// hidden; nothing for a control that stays hidden, whatever happens to it.
TEST(VisualStateTest, AChangeRedrawsTheOldAndTheNewBoxOfAControlSeen) {
  const Scene level(Level1Layout());
  const Control& man = level.Get("Man");
  EXPECT_EQ(Redrawn([](Scene& s) { s.Get("Man").left += 125; }),
            (std::vector<BoxTuple>{{man.left, man.top, man.width, man.height},
                                   {man.left + 125, man.top, man.width, man.height}}));
  const std::tuple<const char*, void (*)(Scene&), std::size_t> cases[] = {
      {"nothing", [](Scene&) {}, 0},
      {"hide", [](Scene& s) { s.Array("Coin")(3).visible = false; }, 1},
      {"caption", [](Scene& s) { s.Get("lblTotalCoins").caption = std::to_string(7); }, 2},
      {"colour", [](Scene& s) { s.Get("Label1").foreColor = palette::kRed; }, 2},
      {"hidden move", [](Scene& s) { s.Get("picForwards").top += 1000; }, 0}};
  for (const auto& [what, change, boxes] : cases) {
    EXPECT_EQ(Redrawn(change).size(), boxes) << what;
  }
}

}  // namespace
}  // namespace reddoor
