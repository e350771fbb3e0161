#pragma once
// Every timer of the game's windows on one game clock, on the one thread of the game. A running
// timer ticks once a period from the moment it was started. Of the ticks due at the same
// instant, those of the window loaded first run first, and a window's own in the order of its
// timers. This is the one place that knows whether a timer runs and when it ticks next.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace reddoor {

// The platform's timer cannot tick faster than this.
constexpr std::int32_t kShortestTimerMs = 16;
constexpr std::int32_t TimerPeriod(std::int32_t interval) {
  return interval < kShortestTimerMs ? kShortestTimerMs : interval;
}

class Scheduler {
 public:
  // A timer: its window's number and its place among that window's timers.
  struct TimerRef {
    std::uint32_t window = 0;
    std::uint32_t timer = 0;
  };
  // Runs a tick; `due` is the instant it was due, which the clock reads while it runs.
  using Dispatch = std::function<void(TimerRef timer, std::int64_t due)>;

  explicit Scheduler(Dispatch dispatch) : dispatch_(std::move(dispatch)) {}
  Scheduler(const Scheduler&) = delete;
  Scheduler& operator=(const Scheduler&) = delete;

  // A window with timers of these intervals, none running; returns the window's number.
  std::uint32_t AddWindow(std::span<const std::int32_t> intervals);

  // The game clock, in ms. During a tick it reads that tick's time.
  std::int64_t Now() const { return now_; }

  // The window's ticks at an instant run from now on after those of every window loaded before.
  void WindowLoaded(std::uint32_t window);
  // Starting a running timer changes nothing: its countdown goes on.
  void Start(TimerRef timer);
  void Stop(TimerRef timer);
  void StopWindow(std::uint32_t window);
  bool IsRunning(TimerRef timer) const { return State(timer).running; }
  // When a running timer ticks next.
  std::int64_t DueAt(TimerRef timer) const { return State(timer).due; }

  // Runs, in order, every tick due up to and including `until`, then sets the clock to it. A
  // hold that comes during a tick stops the run there, with the clock at that tick's time.
  void RunUntil(std::int64_t until);
  // When the next tick is due; -1 when no timer runs or the clock is held.
  std::int64_t NextDue() const;
  // While held, the clock stands still and no timer ticks.
  void Hold() { held_ = true; }
  void Release() { held_ = false; }
  bool Held() const { return held_; }

 private:
  struct TimerState {
    std::int32_t period = 0;
    bool running = false;
    std::int64_t due = 0;
  };
  struct WindowTimers {
    std::vector<TimerState> timers;
    std::uint64_t loadSequence = 0;
  };
  TimerState& State(TimerRef timer) { return windows_[timer.window].timers[timer.timer]; }
  const TimerState& State(TimerRef timer) const {
    return windows_[timer.window].timers[timer.timer];
  }
  // The running timers in the order in which ticks due at the same instant run; made afresh
  // when a window loads or a timer starts or stops.
  const std::vector<TimerRef>& Running() const;
  // The running timer that ticks next; none when no timer runs.
  const TimerRef* Earliest() const;

  Dispatch dispatch_;
  std::vector<WindowTimers> windows_;
  std::int64_t now_ = 0;
  std::uint64_t loadCounter_ = 0;
  bool held_ = false;
  std::uint64_t changes_ = 0;  // windows loaded and timers started or stopped so far
  mutable std::vector<TimerRef> running_;
  mutable std::uint64_t runningMadeAt_ = ~std::uint64_t{0};  // changes_ when running_ was made
};

}  // namespace reddoor
