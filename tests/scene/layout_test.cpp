// The window layouts, checked through the scene that loading a window builds from them. Where
// the controls lie and how they look is pinned by the golden scripts and the drawing tests.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "scene/fault.hpp"
#include "scene/layout.hpp"
#include "scene/scene.hpp"

namespace reddoor {
namespace {

// Loading checks the arrays for gaps; the stacking needs every drawn control on a rank of its
// own, or the drawing order of two controls would be left to chance.
TEST(LayoutTest, EveryWindowLoadsWithADistinctRankForEachDrawnControl) {
  for (const WindowLayout* layout : AllLayouts()) {
    SCOPED_TRACE(layout->name);
    const Scene scene(*layout);
    std::set<int> ranks;
    for (const Control& c : scene.Controls()) {
      if (c.Kind() != ControlKind::Timer) {
        EXPECT_TRUE(ranks.insert(c.spec->rank).second) << "rank repeated by " << c.DisplayName();
      }
    }
  }
}

TEST(SceneLookup, MissingElementIsALayoutFaultNamingWindowArrayAndIndex) {
  Scene level1(Level1Layout());
  Scene level3(Level3Layout());
  const auto faultOf = [](auto&& lookup) -> std::string {
    try {
      lookup();
    } catch (const GameFault& fault) {
      return fault.what();
    }
    return "no fault";
  };
  for (const auto& [fault, window, element] :
       {std::tuple{faultOf([&] { level1.Array("Block")(39); }), "Level1", "Block(39)"},
        std::tuple{faultOf([&] { level3.Array("Coin")(-1); }), "Level3", "Coin(-1)"},
        std::tuple{faultOf([&] { level1.Array("Nope"); }), "Level1", "Nope"}}) {
    EXPECT_NE(fault.find(window), std::string::npos) << fault;
    EXPECT_NE(fault.find(element), std::string::npos) << fault;
  }
}

// A death loads the level again: nothing the game changed may survive into the new scene.
TEST(SceneLoad, EveryLoadStartsFromTheLayout) {
  for (const WindowLayout* layout : AllLayouts()) {
    SCOPED_TRACE(layout->name);
    {
      Scene played(*layout);
      for (Control& c : played.Controls()) {
        c.left += 1000;
        c.top -= 1000;
        c.visible = !c.visible;
        c.tag = "moved";
        c.caption = "42";
        c.enabled = !c.enabled;
      }
    }
    Scene reloaded(*layout);
    ASSERT_EQ(reloaded.Controls().size(), layout->controls.size());
    for (const Control& c : reloaded.Controls()) {
      SCOPED_TRACE(c.DisplayName());
      const ControlSpec& s = *c.spec;
      EXPECT_EQ(std::tuple(c.left, c.top, c.width, c.height),
                std::tuple(s.box.left, s.box.top, s.box.width, s.box.height));
      EXPECT_EQ(c.visible, s.visible);
      EXPECT_EQ(c.tag, s.tag);
      EXPECT_EQ(c.caption, s.caption);
      EXPECT_EQ(c.picture, s.picture);
      EXPECT_EQ(c.enabled, c.Kind() == ControlKind::Timer && s.enabled);
    }
  }
}

}  // namespace
}  // namespace reddoor
