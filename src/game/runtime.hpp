#pragma once
// The running program: its five windows, the program-wide coin total, and one scheduler on
// the one thread that drives every timer of every loaded window by the game clock.
#include <array>
#include <cstdint>
#include <vector>

#include "game/finish.hpp"
#include "game/window.hpp"
#include "game/intro.hpp"
#include "game/level.hpp"
#include "game/level_rules.hpp"
#include "game/platform.hpp"

namespace reddoor {

// The platform's timer cannot tick faster than this.
constexpr std::int32_t kShortestTimerMs = 16;
constexpr std::int32_t TimerPeriod(std::int32_t interval) {
  return interval < kShortestTimerMs ? kShortestTimerMs : interval;
}

// Told of every timer tick as it runs, before its handler: a timing log of the real clock.
class TickObserver {
 public:
  virtual ~TickObserver() = default;
  // `due` is when the tick was due by the game clock.
  virtual void TickRunning(const Window& window, const Control& timer, std::int64_t due) = 0;
};

class Runtime {
 public:
  explicit Runtime(Platform& platform, const LevelSet& levels = StandardLevels());
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  Window& Get(WindowId id) { return *windows_[static_cast<std::size_t>(id)]; }
  const Window& Get(WindowId id) const { return *windows_[static_cast<std::size_t>(id)]; }
  // The level window of this id; none for the title and the closing window.
  Level* LevelWindow(WindowId id);
  const Level* LevelWindow(WindowId id) const;
  // The one visible window, or none before start-up.
  Window* VisibleWindow();
  const Window* VisibleWindow() const;

  // Coins collected in the game so far; carried from one level to the next.
  std::int32_t TotalCoins() const { return totalCoins_; }
  void SetTotalCoins(std::int32_t coins) { totalCoins_ = coins; }

  // The game clock, in ms. During a tick it reads that tick's time.
  std::int64_t Now() const { return now_; }
  // Runs, in order, every tick due up to and including `until`, then sets the clock to it.
  void RunTimersUntil(std::int64_t until);
  // When the next timer tick is due; -1 when no timer runs.
  std::int64_t NextDue() const;

  std::uint64_t NextLoadSequence() { return ++loadCounter_; }
  // A window was loaded or unloaded, or a timer started or stopped.
  void TimersChanged() { activeStale_ = true; }

  // Nothing is told when no observer is set.
  void SetTickObserver(TickObserver* observer) { tickObserver_ = observer; }

 private:
  // A running timer and when it ticks next (its nextDue, kept here too for a quick search).
  struct Due {
    std::int64_t at = 0;
    std::int32_t period = 0;
    std::uint32_t timer = 0;  // its place among its window's timers
    Window* window = nullptr;
    Control* control = nullptr;
  };
  // The enabled timers of the loaded windows, by the windows' load order and then by the
  // timers' order in their layout: of the ticks due at the same instant, the first here runs
  // first. Made afresh when a window loads or unloads or a timer starts or stops.
  std::vector<Due>& RunningTimers() const;
  // The running timer that ticks next; none when no timer runs.
  Due* EarliestDue() const;

  Intro intro_;
  std::array<Level, 3> levels_;
  Finish finish_;
  std::array<Window*, kWindowCount> windows_;
  std::int32_t totalCoins_ = 0;
  std::int64_t now_ = 0;
  std::uint64_t loadCounter_ = 0;
  TickObserver* tickObserver_ = nullptr;
  mutable std::vector<Due> running_;
  mutable bool activeStale_ = true;
};

}  // namespace reddoor
