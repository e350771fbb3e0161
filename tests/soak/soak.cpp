// reddoor_soak: the game played for a long time by random keys pressed and released at random
// moments, on all three levels and through the flight, with the game's invariants checked after
// every timer tick and every key. Prints what the run went through; on the first invariant that
// does not hold, exit status 1 and what broke, with the seed, the session and the game time.
//   reddoor_soak [--ticks N] [--seed S]
#include <fmt/format.h>
#include <sys/resource.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "base/fault.hpp"
#include "game/runtime.hpp"
#include "support/counting_new.hpp"
#include "support/test_platform.hpp"

namespace reddoor::test {
namespace {

constexpr std::array kLevels = {WindowId::Level1, WindowId::Level2, WindowId::Level3};
constexpr std::array kPressedKeys = {Key::Right, Key::Left, Key::Space, Key::E};
// E calls the bird at once on Level3, so it is pressed seldom: the level is played for a
// while before the flight.
constexpr std::array kKeyWeights = {35, 30, 30, 3};
// A session plays one fresh game for this long, or until the closing window has shown.
constexpr std::int64_t kShortestSessionMs = 20'000;
constexpr std::int64_t kLongestSessionMs = 200'000;
constexpr std::int64_t kFinishShownMs = 2'000;
constexpr std::int64_t kLongestPauseMs = 600;  // between two key events
// Live allocations count as flat when, between sessions, they stay within this many of the
// count after the first session, and within a session, within this many of its start.
constexpr std::int64_t kIdleSlack = 64;
constexpr std::int64_t kSessionSlack = 16;

template <typename... Args>
[[noreturn]] void Fail(fmt::format_string<Args...> format, Args&&... args) {
  throw std::runtime_error(fmt::format(format, std::forward<Args>(args)...));
}

// What play can change of a control: caption, Tag (a monster's patrol), box, visibility, timer
// on or off, picture, colour, and a timer's countdown.
using ControlState = std::tuple<std::string, std::string, std::int32_t, std::int32_t, std::int32_t,
                                std::int32_t, bool, bool, PictureId, Color, std::int64_t>;

std::vector<ControlState> Capture(const Level& level) {
  std::vector<ControlState> states;
  for (const Control& c : level.Contents().Controls()) {
    const bool running = c.Kind() == ControlKind::Timer && level.TimerEnabled(c);
    states.emplace_back(c.caption, level.Tag(c), c.left, c.top, c.width, c.height, c.visible,
                        running, c.picture, c.foreColor,
                        running ? level.TimerDue(c) - level.Now() : 0);
  }
  return states;
}

struct Figures {
  std::int64_t gameTicks = 0, flightTicks = 0, otherTicks = 0, keyEvents = 0, virtualMs = 0;
  // Sessions by the level they started on, and death messages by text.
  std::map<std::string, std::int64_t> sessions, messages;
  std::int64_t levelExits = 0, flightsCompleted = 0;
  // Live allocations after the first session (the game torn down), after the last, and at the
  // busiest moment.
  std::int64_t baselineAllocations = 0, finalAllocations = 0, peakAllocations = 0;
};

class Soak final : public TickObserver {
 public:
  Soak(std::int64_t ticks, std::uint64_t seed) : ticks_(ticks), random_(seed) {}

  Figures Run() {
    for (std::int64_t number = 1; Played() < ticks_; ++number) {
      PlaySession(number);
      const std::int64_t live = AllocationsLive();
      if (number == 1) figures_.baselineAllocations = live;
      figures_.finalAllocations = live;
      if (live > figures_.baselineAllocations + kIdleSlack) {
        Fail("after session {}: {} allocations live, {} after the first", number, live,
             figures_.baselineAllocations);
      }
    }
    return figures_;
  }

  // Checks what the ticks before this one left; what the last tick before a key leaves is
  // checked after the key.
  void TickRunning(const Window& window, const Control& timer, std::int64_t /*due*/) override {
    Check();
    if (!window.IsVisible()) Fail("{}.{} ticks while hidden", window.Name(), timer.Name());
    const std::string_view name = timer.Name();
    ++(name == "tmrGame" ? figures_.gameTicks
                         : (name == "tmrFly" ? figures_.flightTicks : figures_.otherTicks));
  }

 private:
  std::int64_t Played() const { return figures_.gameTicks + figures_.flightTicks; }
  std::int64_t Uniform(std::int64_t low, std::int64_t high) {
    return std::uniform_int_distribution<std::int64_t>(low, high)(random_);
  }

  // One game on a fresh runtime, started directly on a random level.
  void PlaySession(std::int64_t number) {
    TestPlatform platform;
    Runtime runtime(platform);
    Window& first = runtime.Get(kLevels[static_cast<std::size_t>(Uniform(0, kLevels.size() - 1))]);
    session_ = {&runtime};
    try {
      first.Show();
      ++figures_.sessions[std::string(first.Name())];
      platform.onMessage = [this](const Window& window, std::string_view text) {
        Died(window, text);
      };
      platform.onShown = [this](const Window& window) { Shown(window); };
      runtime.SetTickObserver(this);
      session_.end = Uniform(kShortestSessionMs, kLongestSessionMs);
      session_.liveAtStart = AllocationsLive();
      while (Played() < ticks_ && runtime.Now() < session_.end) {
        runtime.RunAnsweringUntil(runtime.Now() + Uniform(1, kLongestPauseMs));
        PressOrRelease(runtime);
        Check();
        // What the windows showed is not kept: a long session's list would look like a leak.
        platform.events.clear();
      }
    } catch (const std::runtime_error& e) {  // a broken invariant, or a fault of the game
      Fail("session {}, t = {} ms: {}{}", number, runtime.Now(),
           dynamic_cast<const GameFault*>(&e) ? "the game faulted: " : "", e.what());
    }
    figures_.virtualMs += runtime.Now();
  }

  void PressOrRelease(Runtime& runtime) {
    const Key key = kPressedKeys[pickKey_(random_)];
    ++figures_.keyEvents;
    const bool wasDown = runtime.IsKeyDown(key);
    wasDown ? runtime.KeyUp(key) : runtime.KeyDown(key);
    if (!wasDown && Uniform(0, 3) == 0) runtime.KeyUp(key);  // a tap: down and up at once
  }

  void Check() {
    const Runtime& runtime = *session_.runtime;
    int visible = 0;
    for (std::size_t i = 0; i < kWindowCount; ++i) visible += runtime.Get(WindowId(i)).IsVisible();
    if (visible != 1) Fail("{} windows are visible", visible);
    // A level that has been left plays no more: its variables stay as they were.
    for (std::size_t i = 0; i < kLevels.size(); ++i) {
      const Level& level = *runtime.LevelWindow(kLevels[i]);
      std::optional<LevelVariables>& left = session_.left[i];  // as the level was when it was left
      if (level.IsVisible()) left.reset();
      if (level.IsVisible() || (left && *left == level.Vars())) continue;
      if (left) Fail("{} played on after it was left", level.Name());
      left = level.Vars();
    }
    const std::int64_t live = AllocationsLive();
    figures_.peakAllocations = std::max(figures_.peakAllocations, live);
    if (live > session_.liveAtStart + kSessionSlack) {
      Fail("{} allocations live, {} when the session started", live, session_.liveAtStart);
    }
  }

  // A death: one message at a time, each followed by the restart of its level.
  void Died(const Window& window, std::string_view text) {
    if (session_.dying) Fail("\"{}\" opened before the last death restarted", text);
    if (session_.lastMessageAt == window.Now()) Fail("a second message \"{}\" at once", text);
    session_.lastMessageAt = window.Now();
    session_.dying = &window;
    ++figures_.messages[std::string(text)];
  }

  // A window shown: the next one after a level's door or the flight, or a level restarted
  // after a death, with no coins and the controls exactly as a fresh load has them.
  void Shown(const Window& window) {
    if (!session_.dying) {
      const bool finish = window.Id() == WindowId::Finish;
      if (finish) session_.end = std::min(session_.end, window.Now() + kFinishShownMs);
      ++(finish ? figures_.flightsCompleted : figures_.levelExits);
      return;
    }
    if (&window != session_.dying)
      Fail("a death on {} showed {}", session_.dying->Name(), window.Name());
    session_.dying = nullptr;
    const std::int32_t coins = session_.runtime->TotalCoins();
    if (coins != 0) Fail("TotalCoins {} after a death", coins);
    TestPlatform platform;
    Runtime fresh(platform);
    fresh.Get(window.Id()).Show();
    const auto now = Capture(*session_.runtime->LevelWindow(window.Id()));
    const auto differs = std::ranges::mismatch(now, Capture(*fresh.LevelWindow(window.Id()))).in1;
    if (differs != now.end()) {
      Fail("{} restarted with {} unlike a fresh load", window.Name(),
           window.Contents().Controls()[differs - now.begin()].DisplayName());
    }
  }

  std::int64_t ticks_;
  std::mt19937_64 random_;
  std::discrete_distribution<std::size_t> pickKey_{kKeyWeights.begin(), kKeyWeights.end()};
  Figures figures_;
  // What the session under way keeps track of.
  struct Session {
    Runtime* runtime = nullptr;
    std::array<std::optional<LevelVariables>, kLevels.size()> left{};  // levels not on screen
    const Window* dying = nullptr;  // a death message is open over it, its restart to come
    std::int64_t lastMessageAt = -1;
    std::int64_t liveAtStart = 0;  // allocations
    std::int64_t end = 0;          // game time
  } session_;
};

void Print(const Figures& f, double seconds) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const std::int64_t played = f.gameTicks + f.flightTicks;
  fmt::print("game ticks: {} (tmrGame {}, tmrFly {}); other timer ticks: {}\n", played, f.gameTicks,
             f.flightTicks, f.otherTicks);
  fmt::print("virtual time: {:.1f} h; key events: {}\n", static_cast<double>(f.virtualMs) / 3.6e6,
             f.keyEvents);
  for (const auto& [level, count] : f.sessions) fmt::print("sessions on {}: {}\n", level, count);
  for (const auto& [text, count] : f.messages) fmt::print("messages \"{}\": {}\n", text, count);
  fmt::print("level exits: {}; flights to Finish: {}\n", f.levelExits, f.flightsCompleted);
  fmt::print("live allocations: {} after the first game, {} at the end, {} at most\n",
             f.baselineAllocations, f.finalAllocations, f.peakAllocations);
  fmt::print("wall time: {:.2f} s; {:.0f} game ticks/s; peak resident memory: {} KiB\n", seconds,
             static_cast<double>(played) / seconds, usage.ru_maxrss);
}

}  // namespace
}  // namespace reddoor::test

int main(int argc, char** argv) {
  CLI::App app{"Plays Red Door with random keys and checks its invariants on the way."};
  std::int64_t ticks = 100000;
  std::uint64_t seed = 1;
  app.add_option("--ticks", ticks, "Game ticks to play (tmrGame and tmrFly)")
      ->check(CLI::PositiveNumber);
  app.add_option("--seed", seed, "Seed of the random keys and times");
  CLI11_PARSE(app, argc, argv);

  fmt::print("soak: {} game ticks, seed {}\n", ticks, seed);
  const auto start = std::chrono::steady_clock::now();
  try {
    const auto figures = reddoor::test::Soak(ticks, seed).Run();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    reddoor::test::Print(figures, took.count());
  } catch (const std::runtime_error& failure) {
    fmt::print(stderr, "soak: FAILED (seed {}): {}\n", seed, failure.what());
    return 1;
  }
  return 0;
}
