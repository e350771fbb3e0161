#pragma once
// A level opened in process on the headless back end: the tests put the player and the blocks
// at exact positions, call the level's procedures one at a time, or let its timers run.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/runtime.hpp"
#include "support/test_platform.hpp"

namespace reddoor::test {

class Stage {
 public:
  explicit Stage(WindowId id, const LevelSet& levels = StandardLevels())
      : id_(id), runtime_(platform_, levels) {
    runtime_.Get(id).Show();
  }

  Level& Window() { return *runtime_.LevelWindow(id_); }
  LevelVariables& Vars() { return Window().Vars(); }
  Runtime& Game() { return runtime_; }
  // The windows shown and the messages opened.
  const TestPlatform& Seen() const { return platform_; }

  Control& Get(std::string_view name) { return Window().Contents().Get(name); }
  Control& Get(std::string_view name, int index) { return Window().Contents().Array(name)(index); }

  // Runs every timer tick that falls due in the next `ms` milliseconds; every message is
  // answered at once.
  void Wait(std::int64_t ms) { runtime_.RunAnsweringUntil(runtime_.Now() + ms); }
  // A death outside a tick, its message answered.
  void Die(std::string_view message) {
    Window().Die(message);
    runtime_.AnswerMessage();
  }

  static void Place(Control& c, std::int32_t left, std::int32_t top) {
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
      for (Control& c : Window().Contents().Array(array)) Place(c, kFarAway, kFarAway);
    }
    Place(Get("Floor"), kFarAway, kFarAway);
    Place(Get("door"), kFarAway, kFarAway);
  }

  static constexpr std::int32_t kFarAway = -100000;

 private:
  WindowId id_;
  TestPlatform platform_;
  Runtime runtime_;
};

// A level whose layout has one control changed, for data that no real layout holds: the
// standard levels, with this one in its place.
class AlteredLevel {
 public:
  AlteredLevel(WindowId id, std::string_view name, int index,
               const std::function<void(ControlRecord&)>& change)
      : levels_(StandardLevels()) {
    const std::size_t slot =
        static_cast<std::size_t>(id) - static_cast<std::size_t>(WindowId::Level1);
    rules_ = *levels_[slot];
    layout_ = *rules_.layout;
    controls_.assign(layout_.controls.begin(), layout_.controls.end());
    for (ControlRecord& record : controls_) {
      if (record.name == name && record.index == index) change(record);
    }
    layout_.controls = controls_;
    rules_.layout = &layout_;
    levels_[slot] = &rules_;
  }
  AlteredLevel(const AlteredLevel&) = delete;
  AlteredLevel& operator=(const AlteredLevel&) = delete;

  const LevelSet& Levels() const { return levels_; }

 private:
  std::vector<ControlRecord> controls_;
  WindowLayout layout_;
  LevelRules rules_;
  LevelSet levels_;
};

}  // namespace reddoor::test
