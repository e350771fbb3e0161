// The five window layouts, checked through the scene that loading a window builds from them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <fmt/format.h>

#include "scene/fault.hpp"
#include "scene/layout.hpp"
#include "scene/scene.hpp"

namespace reddoor {
namespace {

const std::array<const WindowLayout*, 5> kAllLayouts = {
    &IntroLayout(), &Level1Layout(), &Level2Layout(), &Level3Layout(), &FinishLayout()};
const std::array<const WindowLayout*, 3> kLevelLayouts = {&Level1Layout(), &Level2Layout(),
                                                          &Level3Layout()};

int Right(const Control& c) {
  return c.left + c.width;
}
int Bottom(const Control& c) {
  return c.top + c.height;
}

bool Overlap(const Control& a, const Control& b) {
  return a.left < Right(b) && b.left < Right(a) && a.top < Bottom(b) && b.top < Bottom(a);
}

// The indices of the blocks whose boxes overlap the control's box.
std::vector<int> BlocksOverlapping(Scene& scene, const Control& c) {
  std::vector<int> found;
  for (const Control& block : scene.Array("Block")) {
    if (Overlap(block, c)) found.push_back(block.Index());
  }
  return found;
}

// True when the control's bottom reaches exactly 15 twips into the top of one of the blocks.
bool SinksIntoABlock(Scene& scene, const Control& c) {
  return std::ranges::any_of(scene.Array("Block"), [&](const Control& block) {
    return Overlap(block, c) && Bottom(c) == block.top + 15;
  });
}

std::size_t DrawPosition(const Scene& scene, const Control& c) {
  const auto order = scene.DrawOrder();
  return static_cast<std::size_t>(std::ranges::find(order, &c) - order.begin());
}

struct Count {
  ControlKind kind;
  int count;
  friend bool operator==(const Count&, const Count&) = default;
};
using Inventory = std::map<std::string, Count>;

Inventory InventoryOf(const Scene& scene) {
  Inventory found;
  for (const Control& c : scene.Controls()) {
    Count& entry = found.try_emplace(std::string(c.Name()), Count{c.Kind(), 0}).first->second;
    EXPECT_EQ(entry.kind, c.Kind()) << c.DisplayName();
    ++entry.count;
  }
  return found;
}

void PrintTo(const Count& c, std::ostream* os) {
  *os << "kind " << static_cast<int>(c.kind) << " x" << c.count;
}

TEST(LayoutArrays, UBoundAndIndicesWithoutGaps) {
  struct Expected {
    const WindowLayout* layout;
    std::map<std::string_view, int> ubounds;
  };
  const Expected windows[] = {
      {&Level1Layout(), {{"Block", 38}, {"Coin", 25}, {"Water", 1}, {"Monster", 1}, {"cloud", 4}}},
      {&Level2Layout(), {{"Block", 14}, {"Coin", 11}, {"Water", 0}, {"Monster", 0}, {"cloud", 2}}},
      {&Level3Layout(), {{"Block", 25}, {"Coin", 4}, {"Water", 1}, {"Monster", 0}, {"cloud", 4}}},
      {&IntroLayout(), {{"cloud", 2}, {"bASE", 3}}},
      {&FinishLayout(), {}},
  };
  for (const Expected& window : windows) {
    SCOPED_TRACE(window.layout->name);
    Scene scene(*window.layout);
    std::map<std::string_view, int> arrays;
    for (const Control& c : scene.Controls()) {
      if (c.Index() >= 0) arrays[c.Name()] = std::max(arrays[c.Name()], int{c.Index()});
    }
    EXPECT_EQ(arrays, window.ubounds);
    for (const auto& [name, ubound] : window.ubounds) {
      ControlArray array = scene.Array(name);
      ASSERT_EQ(array.UBound(), ubound) << name;
      for (int i = 0; i <= ubound; ++i) EXPECT_EQ(array(i).Index(), i) << name;
    }
  }
}

TEST(LayoutControls, EachWindowHasExactlyItsControls) {
  using enum ControlKind;
  const Inventory levelCommon = {
      {"Man", {PictureBox, 1}},
      {"picForwards", {PictureBox, 1}},
      {"picBackwards", {PictureBox, 1}},
      {"Floor", {Shape, 1}},
      {"door", {Shape, 1}},
      {"lblTotalCoins", {Label, 1}},
      {"Label1", {Label, 1}},
      {"tmrGame", {Timer, 1}},
  };
  auto level = [&](Inventory own) {
    own.insert(levelCommon.begin(), levelCommon.end());
    return own;
  };
  const std::pair<const WindowLayout*, Inventory> windows[] = {
      {&Level1Layout(), level({{"Monster", {PictureBox, 2}},
                               {"cloud", {PictureBox, 5}},
                               {"Block", {Shape, 39}},
                               {"Coin", {Shape, 26}},
                               {"Water", {Shape, 2}},
                               {"cBlock", {Shape, 1}}})},
      {&Level2Layout(), level({{"Monster", {PictureBox, 1}},
                               {"cloud", {PictureBox, 3}},
                               {"Block", {Shape, 15}},
                               {"Coin", {Shape, 12}},
                               {"Water", {Shape, 1}},
                               {"Block4Timer", {Timer, 1}},
                               {"Block5Timer", {Timer, 1}},
                               {"Block8Timer", {Timer, 1}},
                               {"Block13Timer", {Timer, 1}}})},
      {&Level3Layout(), level({{"Monster", {PictureBox, 1}},
                               {"Bird", {PictureBox, 1}},
                               {"cloud", {PictureBox, 5}},
                               {"Block", {Shape, 26}},
                               {"Coin", {Shape, 5}},
                               {"Water", {Shape, 2}},
                               {"Block16Timer", {Timer, 1}},
                               {"Block17Timer", {Timer, 1}},
                               {"Block25Timer", {Timer, 1}},
                               {"tmrFly", {Timer, 1}}})},
      {&IntroLayout(),
       {{"Man", {PictureBox, 1}},
        {"CmdPlay", {Button, 1}},
        {"cloud", {PictureBox, 3}},
        {"bASE", {Shape, 4}}}},
      {&FinishLayout(), {{"Label1", {Label, 1}}, {"Timer1", {Timer, 1}}}},
  };
  for (const auto& [layout, expected] : windows) {
    SCOPED_TRACE(layout->name);
    Scene scene(*layout);
    EXPECT_EQ(InventoryOf(scene), expected);
    std::set<int> ranks;
    for (const Control& c : scene.Controls()) {
      if (c.Kind() != Timer) {
        EXPECT_TRUE(ranks.insert(c.spec->rank).second) << "rank repeated by " << c.DisplayName();
      }
    }
  }
}

TEST(LayoutTimers, IntervalsStatesAndTickOrder) {
  struct Expected {
    std::string_view name;
    int interval;
    bool enabled;
  };
  const std::pair<const WindowLayout*, std::vector<Expected>> windows[] = {
      {&IntroLayout(), {}},
      {&Level1Layout(), {{"tmrGame", 100, true}}},
      {&Level2Layout(),
       {{"tmrGame", 100, true},
        {"Block4Timer", 50, true},
        {"Block5Timer", 50, true},
        {"Block8Timer", 50, true},
        {"Block13Timer", 50, true}}},
      {&Level3Layout(),
       {{"tmrGame", 100, true},
        {"Block16Timer", 100, false},
        {"Block17Timer", 100, false},
        {"Block25Timer", 45, true},
        {"tmrFly", 1, false}}},
      {&FinishLayout(), {{"Timer1", 100, true}}},
  };
  for (const auto& [layout, expected] : windows) {
    SCOPED_TRACE(layout->name);
    Scene scene(*layout);
    std::vector<Expected> timers;
    for (const Control& c : scene.Controls()) {
      if (c.Kind() == ControlKind::Timer) timers.push_back({c.Name(), c.Interval(), c.enabled});
    }
    ASSERT_EQ(timers.size(), expected.size());
    for (std::size_t i = 0; i < timers.size(); ++i) {
      EXPECT_EQ(timers[i].name, expected[i].name) << i;
      EXPECT_EQ(timers[i].interval, expected[i].interval) << expected[i].name;
      EXPECT_EQ(timers[i].enabled, expected[i].enabled) << expected[i].name;
    }
  }
}

TEST(Level1Layout, PlacesAndEdges) {
  Scene scene(Level1Layout());
  ControlArray block = scene.Array("Block");
  ControlArray coin = scene.Array("Coin");
  ControlArray water = scene.Array("Water");
  ControlArray monster = scene.Array("Monster");
  const Control& floor = scene.Get("Floor");
  const Control& man = scene.Get("Man");

  EXPECT_EQ(block(10).left, -600);
  EXPECT_GT(Right(block(10)), 13185);
  EXPECT_EQ(Right(floor), 13935);
  EXPECT_EQ(Right(water(1)), 13335);
  // The floor lies inside Water(1), which is drawn over it and over Block(10).
  EXPECT_GE(floor.top, water(1).top);
  EXPECT_EQ(Bottom(floor), Bottom(water(1)));
  EXPECT_GT(DrawPosition(scene, water(1)), DrawPosition(scene, floor));
  EXPECT_GT(DrawPosition(scene, water(1)), DrawPosition(scene, block(10)));

  for (const Control& b : block) EXPECT_EQ(b.visible, b.Index() != 23 && b.Index() != 24);
  EXPECT_EQ(std::tuple(block(23).left, block(23).top, block(23).width, block(23).height),
            std::tuple(12360, 3240, 375, 1095));

  EXPECT_EQ(Bottom(man), 4215);
  EXPECT_EQ(block(26).top - Bottom(man), 105);
  EXPECT_EQ(block(9).top - Bottom(scene.Get("door")), 105);
  EXPECT_EQ(Bottom(monster(0)), block(0).top + 15);
  EXPECT_EQ(Bottom(monster(1)), block(31).top + 15);
  for (int i : {6, 7, 8, 9, 10, 11, 12, 13, 14, 19}) {
    EXPECT_TRUE(SinksIntoABlock(scene, coin(i))) << i;
  }
  EXPECT_EQ(BlocksOverlapping(scene, coin(18)), (std::vector<int>{17, 29, 30}));

  EXPECT_EQ(block(0).spec->backColor, palette::kGrass);
  EXPECT_EQ(block(0).spec->borderColor, palette::kSky);
  EXPECT_EQ(block(1).spec->borderColor, palette::kEarth);
  EXPECT_EQ(block(9).spec->backColor, palette::kDarkGrass);
  EXPECT_EQ(floor.spec->backColor, palette::kDarkGrass);
  const ControlSpec& cBlock = *scene.Get("cBlock").spec;
  EXPECT_EQ(cBlock.backColor, palette::kEarth);
  EXPECT_FALSE(cBlock.border);
  EXPECT_EQ(scene.Get("door").spec->backColor, palette::kRed);
  EXPECT_TRUE(scene.Get("door").visible);
}

TEST(Level2Layout, PlacesAndEdges) {
  Scene scene(Level2Layout());
  ControlArray block = scene.Array("Block");
  ControlArray coin = scene.Array("Coin");
  const Control& floor = scene.Get("Floor");
  const Control& door = scene.Get("door");

  EXPECT_EQ(block(2).top - Bottom(scene.Get("Man")), 105);
  EXPECT_EQ(Bottom(door), block(3).top + 15);
  EXPECT_EQ(Bottom(scene.Array("Monster")(0)), block(12).top + 15);
  for (int i : {0, 1, 2, 3, 7, 9, 11}) EXPECT_TRUE(SinksIntoABlock(scene, coin(i))) << i;
  for (int i : {4, 5, 8, 10}) EXPECT_TRUE(BlocksOverlapping(scene, coin(i)).empty()) << i;
  EXPECT_EQ(BlocksOverlapping(scene, coin(6)), std::vector<int>{5});
  EXPECT_EQ(Right(block(5)) - coin(6).left, 15);

  // The ground is a hidden, see-through sliver near the top of the window.
  EXPECT_FALSE(floor.visible);
  EXPECT_EQ(std::tuple(floor.left, floor.top, floor.width, floor.height),
            std::tuple(4320, 240, 1215, 135));
  EXPECT_FALSE(floor.spec->opaque);
  EXPECT_FALSE(floor.spec->border);
  EXPECT_EQ(floor.spec->fill, FillStyle::Transparent);

  for (const Control& b : block) {
    SCOPED_TRACE(b.DisplayName());
    EXPECT_EQ(b.spec->backColor, palette::kEarth);
    EXPECT_EQ(b.spec->borderColor, palette::kCyan);
    const bool grassTop = b.Index() == 2 || b.Index() == 3;
    EXPECT_EQ(b.spec->fill, grassTop ? FillStyle::Solid : FillStyle::Transparent);
    if (grassTop) {
      EXPECT_EQ(b.spec->fillColor, palette::kDarkGrass);
    }
  }
  for (const Control& cloud : scene.Array("cloud")) {
    EXPECT_GT(scene.Get("Man").spec->rank, cloud.spec->rank);
  }
}

TEST(Level3Layout, PlacesAndEdges) {
  Scene scene(Level3Layout());
  ControlArray block = scene.Array("Block");
  ControlArray coin = scene.Array("Coin");
  const Control& floor = scene.Get("Floor");
  const Control& bird = scene.Get("Bird");
  const Control& door = scene.Get("door");

  EXPECT_EQ(std::tuple(bird.left, bird.top, bird.width, bird.height),
            std::tuple(12600, -800, 975, 615));
  EXPECT_LT(Bottom(bird), 0);
  EXPECT_EQ(scene.Array("cloud")(3).top, -240);
  EXPECT_EQ(floor.top, 6360);
  EXPECT_EQ(Bottom(scene.Get("Man")), floor.top + 15);
  EXPECT_EQ(Bottom(scene.Array("Monster")(0)), floor.top + 15);
  EXPECT_EQ(Bottom(door), block(4).top + 15);
  EXPECT_EQ(BlocksOverlapping(scene, coin(0)), std::vector<int>{8});
  EXPECT_EQ(Bottom(coin(0)), block(8).top + 15);
  for (int i : {1, 2, 3, 4}) EXPECT_TRUE(BlocksOverlapping(scene, coin(i)).empty()) << i;
  EXPECT_EQ(std::tuple(block(3).left, block(3).top, Bottom(block(3))), std::tuple(0, 0, 7575));
  const Control* const reachingPastTheRight[] = {&block(4), &block(5), &block(10), &floor};
  for (const Control* c : reachingPastTheRight) {
    EXPECT_EQ(Right(*c), 13815) << c->DisplayName();
  }

  for (const Control& b : block) {
    SCOPED_TRACE(b.DisplayName());
    EXPECT_EQ(b.visible, b.Index() != 15);
    EXPECT_EQ(b.spec->borderColor, palette::kCyan);
    const bool grass = b.Index() == 4 || b.Index() == 6;
    EXPECT_EQ(b.spec->backColor, grass ? palette::kDarkGrass : palette::kEarth);
  }
  EXPECT_TRUE(door.visible);
  EXPECT_FALSE(door.spec->border);
  EXPECT_EQ(door.spec->backColor, palette::kRed);
  EXPECT_EQ(floor.spec->backColor, palette::kDarkGrass);
}

TEST(TitleAndClosingLayouts, PlacesAndLooks) {
  Scene intro(IntroLayout());
  ControlArray base = intro.Array("bASE");
  EXPECT_EQ(base(0).left, -120);
  EXPECT_EQ(Right(base(0)), 6855);
  EXPECT_EQ(Right(base(1)), IntroLayout().clientWidth - 30);
  EXPECT_EQ(Bottom(intro.Get("Man")), 3015);
  EXPECT_EQ(base(3).top, 3000);
  for (const Control& b : base) EXPECT_EQ(b.spec->borderColor, palette::kSky);
  EXPECT_EQ(base(0).spec->backColor, palette::kGrass);
  EXPECT_EQ(base(2).spec->backColor, palette::kEarth);
  const Control& play = intro.Get("CmdPlay");
  EXPECT_EQ(play.caption, "Play");
  EXPECT_EQ(play.spec->backColor, palette::kGrass);
  EXPECT_TRUE(Overlap(play, base(1)));
  EXPECT_GT(DrawPosition(intro, play), DrawPosition(intro, base(1)));
  EXPECT_EQ(intro.Array("cloud")(2).width, 1455);

  Scene finish(FinishLayout());
  const Control& text = finish.Get("Label1");
  EXPECT_EQ(text.caption, "Game Completed!");
  EXPECT_EQ(std::tuple(text.left, text.top, text.width, text.height),
            std::tuple(600, 720, 3375, 1335));
  EXPECT_EQ(text.spec->alignment, Alignment::Center);
  EXPECT_EQ(text.spec->font, (Font{FontFace::Rounded, 24, true}));
  EXPECT_EQ(text.spec->backColor, palette::kButtonFace);
  EXPECT_EQ(text.foreColor, palette::kButtonText);
}

TEST(SceneLookup, MissingElementIsALayoutFaultNamingWindowArrayAndIndex) {
  auto faultOf = [](auto&& lookup) -> std::string {
    try {
      lookup();
    } catch (const GameFault& fault) {
      return fault.what();
    }
    return "no fault";
  };
  Scene level1(Level1Layout());
  Scene level3(Level3Layout());
  const std::string block = faultOf([&] { level1.Array("Block")(39); });
  for (std::string_view part : {"Level1", "Block(39)"}) {
    EXPECT_NE(block.find(part), std::string::npos) << block;
  }
  const std::string coin = faultOf([&] { level3.Array("Coin")(-1); });
  for (std::string_view part : {"Level3", "Coin(-1)"}) {
    EXPECT_NE(coin.find(part), std::string::npos) << coin;
  }
  const std::string nope = faultOf([&] { level1.Array("Nope"); });
  for (std::string_view part : {"Level1", "Nope"}) {
    EXPECT_NE(nope.find(part), std::string::npos) << nope;
  }
}

TEST(SceneLoad, EveryLoadStartsFromTheLayout) {
  for (const WindowLayout* layout : kAllLayouts) {
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
