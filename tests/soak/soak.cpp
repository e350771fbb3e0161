#include "soak.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <vector>

#include "game/level.hpp"
#include "game/runtime.hpp"
#include "platform/platform.hpp"
#include "scene/fault.hpp"
#include "world/monster_tag.hpp"

namespace reddoor::soak {

namespace {

constexpr std::array kLevels = {FormId::Level1, FormId::Level2, FormId::Level3};
constexpr std::array kPressedKeys = {Key::Right, Key::Left, Key::Space, Key::E};
// E calls the bird at once on Level3, so it is pressed seldom: the level is played for a
// while before the flight.
constexpr std::array kKeyWeights = {35, 30, 30, 3};

// A session plays one fresh game for this long, or until the closing window has shown.
constexpr std::int64_t kShortestSessionMs = 20'000;
constexpr std::int64_t kLongestSessionMs = 200'000;
constexpr std::int64_t kFinishShownMs = 2'000;
// The longest pause between two key events.
constexpr std::int64_t kLongestPauseMs = 600;
// Live allocations may differ this much between two idle moments, or between the busiest
// moments of the two halves of the run, and still count as flat.
constexpr std::int64_t kAllocationSlack = 64;

[[noreturn]] void Fail(const std::string& what) {
  throw SoakFailure(what);
}

Level& LevelWindow(Runtime& runtime, FormId id) {
  return static_cast<Level&>(runtime.Window(id));
}

// Everything of a control that the game can change; a timer's countdown from the clock.
struct ControlState {
  std::string name;
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  bool visible = false;
  PictureId picture = PictureId::None;
  std::string tag, caption;
  Color foreColor = 0;
  bool enabled = false;
  std::int64_t dueIn = 0;
  friend bool operator==(const ControlState&, const ControlState&) = default;
};

std::vector<ControlState> Capture(const Form& form, std::int64_t now) {
  std::vector<ControlState> states;
  for (const Control& c : form.Controls().Controls()) {
    states.push_back({c.DisplayName(), c.left, c.top, c.width, c.height, c.visible, c.picture,
                      c.tag, c.caption, c.foreColor, c.enabled, c.enabled ? c.nextDue - now : 0});
  }
  return states;
}

// A level's member variables.
struct LevelVars {
  std::int32_t levelCoins, speed, jumpHeight, jumpStart, jumpPeak;
  char facing, jumpPhase;
  bool birdCalled, birdCarrying, scrolling, jumping, standing, dead;
  friend bool operator==(const LevelVars&, const LevelVars&) = default;

  static LevelVars Of(const Level& l) {
    return {l.LevelCoins, l.Speed,     l.JumpHeight, l.JumpStart,    l.JumpPeak,
            l.Facing,     l.JumpPhase, l.BirdCalled, l.BirdCarrying, l.Scrolling,
            l.Jumping,    l.Standing,  l.Dead};
  }
};

using FreshLayouts = std::map<FormId, std::vector<ControlState>>;

// The headless platform of the soak: keys from the random player, and every message box
// answered at once after checking that the deaths do not pile up and that each restarts its
// level exactly as a fresh load would.
class SoakPlatform : public Platform {
 public:
  SoakPlatform(const FreshLayouts& fresh, SoakFigures& figures)
      : fresh_(fresh), figures_(figures) {}
  void Attach(Runtime& runtime) { runtime_ = &runtime; }
  KeyLatch& Keys() { return keys_; }

  bool KeyPressed(Key key) override { return keys_.Poll(key); }
  void ShowMessage(std::string_view text) override {
    if (restartPending_) Fail(fmt::format("\"{}\" opened before the last death restarted", text));
    if (lastMessageAt_ == runtime_->Now())
      Fail(fmt::format("a second message \"{}\" at once", text));
    lastMessageAt_ = runtime_->Now();
    restartPending_ = true;
    ++figures_.messages[std::string(text)];
  }
  void WindowShown(Form& form) override {
    if (!restartPending_) return;
    restartPending_ = false;
    CheckRestart(form);
  }
  void WindowHidden(Form& /*form*/) override {}
  void WindowUnloaded(Form& /*form*/) override {}

 private:
  void CheckRestart(Form& form) const {
    if (runtime_->TotalCoins != 0)
      Fail(fmt::format("TotalCoins {} after a death", runtime_->TotalCoins));
    const auto fresh = std::find_if(fresh_.begin(), fresh_.end(), [&](const auto& level) {
      return &runtime_->Window(level.first) == &form;
    });
    if (fresh == fresh_.end()) Fail(fmt::format("a death showed {}", form.Name()));
    const std::vector<ControlState> now = Capture(form, runtime_->Now());
    for (std::size_t i = 0; i < now.size(); ++i) {
      if (now[i] != fresh->second.at(i)) {
        Fail(fmt::format("{} restarted with {} unlike a fresh load", form.Name(), now[i].name));
      }
    }
  }

  const FreshLayouts& fresh_;
  SoakFigures& figures_;
  Runtime* runtime_ = nullptr;
  KeyLatch keys_;
  bool restartPending_ = false;
  std::int64_t lastMessageAt_ = -1;
};

class SoakRun {
 public:
  SoakRun(const SoakOptions& options, const AllocationCounter& liveAllocations)
      : options_(options), liveAllocations_(liveAllocations), random_(options.seed) {
    for (const FormId id : kLevels) fresh_[id] = FreshLoad(id);
  }

  SoakFigures Run() {
    while (PlayedTicks() < options_.gameTicks) {
      ++session_;
      try {
        PlaySession();
      } catch (const SoakFailure& failure) {
        Fail(fmt::format("session {}, t = {} ms: {}", session_, sessionNow_, failure.what()));
      } catch (const GameFault& fault) {
        Fail(fmt::format("session {}, t = {} ms: the game faulted: {}", session_, sessionNow_,
                         fault.what()));
      }
      CheckIdleMemory();
    }
    if (peakSecondHalf_ > peakFirstHalf_ + kAllocationSlack) {
      Fail(fmt::format("live allocations grew: at most {} in the first half, {} in the second",
                       peakFirstHalf_, peakSecondHalf_));
    }
    figures_.peakAllocations = std::max(peakFirstHalf_, peakSecondHalf_);
    return figures_;
  }

 private:
  std::vector<ControlState> FreshLoad(FormId id) {
    SoakFigures unused;
    SoakPlatform platform(fresh_, unused);
    Runtime runtime(platform);
    platform.Attach(runtime);
    runtime.Window(id).Show();
    return Capture(runtime.Window(id), runtime.Now());
  }

  std::int64_t PlayedTicks() const { return figures_.gameTicks + figures_.flightTicks; }
  std::int64_t Uniform(std::int64_t low, std::int64_t high) {
    return std::uniform_int_distribution<std::int64_t>(low, high)(random_);
  }

  // One game on a fresh runtime, started directly on a random level.
  void PlaySession() {
    const FormId start = kLevels[static_cast<std::size_t>(Uniform(0, kLevels.size() - 1))];
    SoakPlatform platform(fresh_, figures_);
    Runtime runtime(platform);
    platform.Attach(runtime);
    left_ = {};
    visible_ = start;
    finishShownAt_.reset();
    runtime.Window(start).Show();
    ++figures_.sessions[std::string(runtime.Window(start).Name())];
    const std::int64_t end = Uniform(kShortestSessionMs, kLongestSessionMs);
    while (PlayedTicks() < options_.gameTicks && runtime.Now() < end && !FinishSeen(runtime)) {
      const std::int64_t keyAt = runtime.Now() + Uniform(1, kLongestPauseMs);
      for (std::int64_t due = runtime.NextDue(); due >= 0 && due <= keyAt;
           due = runtime.NextDue()) {
        RunInstant(runtime, due);
      }
      runtime.RunTimersUntil(keyAt);
      PressOrRelease(platform.Keys());
      Check(runtime);
    }
    figures_.virtualMs += runtime.Now();
  }

  bool FinishSeen(const Runtime& runtime) const {
    return finishShownAt_ && runtime.Now() - *finishShownAt_ >= kFinishShownMs;
  }

  // Runs every tick due at this instant, counting them by kind.
  void RunInstant(Runtime& runtime, std::int64_t at) {
    for (const auto& form : runtime.Windows()) {
      if (!form->IsLoaded()) continue;
      for (const Control* timer : form->Controls().Timers()) {
        if (timer->enabled && timer->nextDue == at) Count(timer->Name());
      }
    }
    runtime.RunTimersUntil(at);
    Check(runtime);
  }

  void Count(std::string_view timer) {
    if (timer == "tmrGame") {
      ++figures_.gameTicks;
    } else if (timer == "tmrFly") {
      ++figures_.flightTicks;
    } else {
      ++figures_.otherTicks;
    }
  }

  void PressOrRelease(KeyLatch& keys) {
    std::discrete_distribution<std::size_t> pick(kKeyWeights.begin(), kKeyWeights.end());
    const Key key = kPressedKeys[pick(random_)];
    ++figures_.keyEvents;
    if (keys.IsDown(key)) {
      keys.Up(key);
      return;
    }
    keys.Down(key);
    if (Uniform(0, 3) == 0) keys.Up(key);  // a tap: down and up at the same instant
  }

  void Check(Runtime& runtime) {
    sessionNow_ = runtime.Now();
    const FormId visible = OneVisibleWindow(runtime);
    FollowScreens(runtime, visible);
    CheckLeftLevels(runtime, visible);
    if (visible != FormId::Intro && visible != FormId::Finish) {
      CheckMonsterTags(LevelWindow(runtime, visible));
    }
    const std::int64_t live = liveAllocations_();
    std::int64_t& peak = PlayedTicks() * 2 < options_.gameTicks ? peakFirstHalf_ : peakSecondHalf_;
    peak = std::max(peak, live);
  }

  static FormId OneVisibleWindow(Runtime& runtime) {
    int count = 0;
    FormId visible = FormId::Intro;
    for (std::size_t i = 0; i < kFormCount; ++i) {
      if (!runtime.Windows()[i]->IsVisible()) continue;
      ++count;
      visible = static_cast<FormId>(i);
    }
    if (count != 1) Fail(fmt::format("{} windows are visible", count));
    return visible;
  }

  // Counts the level exits and the flights that reached the closing window.
  void FollowScreens(const Runtime& runtime, FormId visible) {
    if (visible == visible_) return;
    if (visible == FormId::Finish) {
      ++figures_.flightsCompleted;
      finishShownAt_ = runtime.Now();
    } else {
      ++figures_.levelExits;
    }
    visible_ = visible;
  }

  // A level not on screen runs no tick: no timer of a hidden window is on, and the member
  // variables of a level stay as they were when it was left.
  void CheckLeftLevels(Runtime& runtime, FormId visible) {
    for (const auto& form : runtime.Windows()) {
      if (form->IsVisible() || !form->IsLoaded()) continue;
      for (const Control* timer : form->Controls().Timers()) {
        if (timer->enabled)
          Fail(fmt::format("{}.{} runs while hidden", form->Name(), timer->Name()));
      }
    }
    for (std::size_t i = 0; i < kLevels.size(); ++i) {
      std::optional<LevelVars>& left = left_[i];
      if (kLevels[i] == visible) {
        left.reset();
        continue;
      }
      const Level& level = LevelWindow(runtime, kLevels[i]);
      const LevelVars now = LevelVars::Of(level);
      if (!left) left = now;
      if (*left != now) Fail(fmt::format("{} played on after it was left", level.Name()));
    }
  }

  static void CheckMonsterTags(Level& level) {
    for (const Control& monster : level.Controls().Array("Monster")) {
      std::string why;
      const std::optional<MonsterTag> tag = ReadMonsterTag(monster.tag, &why);
      if (!tag) Fail(fmt::format("{} Tag \"{}\": {}", monster.DisplayName(), monster.tag, why));
      if (tag->routeIndex < 0 || static_cast<std::size_t>(tag->routeIndex) > tag->route.size()) {
        Fail(fmt::format("{} Tag \"{}\": the leg lies outside the route", monster.DisplayName(),
                         monster.tag));
      }
    }
  }

  // Between sessions the game is torn down: what is live then must not grow.
  void CheckIdleMemory() {
    const std::int64_t live = liveAllocations_();
    if (session_ == 1) figures_.baselineAllocations = live;
    figures_.finalAllocations = live;
    if (live > figures_.baselineAllocations + kAllocationSlack) {
      Fail(fmt::format("after session {}: {} allocations live, {} after the first", session_, live,
                       figures_.baselineAllocations));
    }
  }

  const SoakOptions& options_;
  const AllocationCounter& liveAllocations_;
  std::mt19937_64 random_;
  FreshLayouts fresh_;
  SoakFigures figures_;
  std::int64_t session_ = 0;
  std::int64_t sessionNow_ = 0;
  FormId visible_ = FormId::Intro;
  std::optional<std::int64_t> finishShownAt_;
  std::array<std::optional<LevelVars>, kLevels.size()> left_;
  std::int64_t peakFirstHalf_ = 0;
  std::int64_t peakSecondHalf_ = 0;
};

}  // namespace

SoakFigures RunSoak(const SoakOptions& options, const AllocationCounter& liveAllocations) {
  return SoakRun(options, liveAllocations).Run();
}

}  // namespace reddoor::soak
