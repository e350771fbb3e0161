// The window layouts, checked through the scene that loading a window builds from them. Where
// the controls lie and how they look is pinned by the golden scripts and the drawing tests.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/fault.hpp"
#include "scene/layout.hpp"
#include "scene/scene.hpp"

namespace reddoor {
namespace {

// Building the scene checks the arrays for gaps; the stacking needs every drawn control on a
// rank of its own, or the drawing order of two controls would be left to chance.
TEST(LayoutTest, EveryWindowLoadsWithADistinctRankForEachDrawnControl) {
  for (const WindowLayout* layout : AllLayouts()) {
    SCOPED_TRACE(layout->name);
    const Scene scene(*layout);
    std::set<int> ranks;
    for (const Control& c : scene.Controls()) {
      if (c.Kind() != ControlKind::Timer) {
        EXPECT_TRUE(ranks.insert(c.record->rank).second) << "rank repeated by " << c.DisplayName();
      }
    }
  }
}

// A fault of the layout data names the window and the element, so that it can be found.
TEST(LayoutTest, AMissingElementIsAFaultNamingTheWindowAndTheElement) {
  Scene level1(Level1Layout());
  for (const int index : {-1, 39}) {
    try {
      level1.Array("Block")(index);
      ADD_FAILURE() << "no fault for Block(" << index << ")";
    } catch (const GameFault& fault) {
      const std::string what = fault.what();
      EXPECT_NE(what.find("Level1"), std::string::npos) << what;
      EXPECT_NE(what.find("Block(" + std::to_string(index) + ")"), std::string::npos) << what;
    }
  }
}

}  // namespace
}  // namespace reddoor
