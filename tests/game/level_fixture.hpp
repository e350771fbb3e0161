#pragma once
// A level window opened in process: the tests put the player and the blocks at exact positions,
// call the level's procedures one at a time, or let its timers run on the game clock.
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "game/level.hpp"
#include "game/runtime.hpp"
#include "platform/headless.hpp"

namespace reddoor::testing {

class OpenLevel {
 public:
  explicit OpenLevel(FormId id) : id_(id) {
    platform_.Attach(runtime_);
    runtime_.Window(id).Show();
  }

  Level& level() { return static_cast<Level&>(runtime_.Window(id_)); }
  Runtime& runtime() { return runtime_; }
  KeyLatch& keys() { return platform_.Keys(); }
  // What the run printed: the windows shown and the messages, one JSON line each.
  std::string Output() const { return out_.str(); }

  // Controls of the loaded level, valid until it loads again (a death reloads it).
  reddoor::Control& Get(std::string_view name) { return level().Controls().Get(name); }
  reddoor::Control& Get(std::string_view name, int index) {
    return level().Controls().Array(name)(index);
  }

  // Runs every timer tick that falls due in the next `ms` milliseconds.
  void Wait(std::int64_t ms) { runtime_.RunTimersUntil(runtime_.Now() + ms); }

  void Place(reddoor::Control& c, std::int32_t left, std::int32_t top) {
    c.left = left;
    c.top = top;
  }
  void PlaceMan(std::int32_t left, std::int32_t top) { Place(Get("Man"), left, top); }
  // Puts the player so that his lower edge lies at `bottom`.
  void PlaceManBottom(std::int32_t left, std::int32_t bottom) {
    PlaceMan(left, bottom - Get("Man").height);
  }

  // Sends every block, coin, water area and monster, the floor and the door far out of the
  // scene, so that a test meets only the controls it brings back.
  void ClearStage() {
    for (const char* array : {"Block", "Coin", "Water", "Monster"}) {
      for (reddoor::Control& c : level().Controls().Array(array)) Place(c, kFarAway, kFarAway);
    }
    Place(Get("Floor"), kFarAway, kFarAway);
    Place(Get("door"), kFarAway, kFarAway);
  }

  static constexpr std::int32_t kFarAway = -100000;

 private:
  FormId id_;
  std::ostringstream out_;
  HeadlessPlatform platform_{out_};
  Runtime runtime_{platform_};
};

// A copy of Level1's layout in which one monster carries another Tag: for tags that no
// real layout holds.
struct Level1LayoutWithTag {
  Level1LayoutWithTag(int monster, std::string_view tag)
      : controls(Level1Layout().controls.begin(), Level1Layout().controls.end()) {
    for (ControlSpec& spec : controls) {
      if (spec.name == "Monster" && spec.index == monster) spec.tag = tag;
    }
    layout.controls = controls;
  }
  std::vector<ControlSpec> controls;
  WindowLayout layout = Level1Layout();
};

// Level1's game on such a layout, without the door and the coin counts of the real one.
class Level1WithTag : public Level {
 public:
  Level1WithTag(Runtime& runtime, const WindowLayout& layout) : Level(runtime, layout, kRules) {}
  void Special() override {}

 protected:
  void HideAtLoad() override {}
  void CountCoin() override {}
  void AfterCoins() override {}

 private:
  static constexpr LevelRules kRules{.jumpHeight = 500, .previous = {}, .movingBlocks = {}};
};

}  // namespace reddoor::testing
