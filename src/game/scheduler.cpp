#include "game/scheduler.hpp"

#include <algorithm>

namespace reddoor {

std::uint32_t Scheduler::AddWindow(std::span<const std::int32_t> intervals) {
  WindowTimers& added = windows_.emplace_back();
  for (std::int32_t interval : intervals) added.timers.push_back({TimerPeriod(interval)});
  return static_cast<std::uint32_t>(windows_.size() - 1);
}

void Scheduler::WindowLoaded(std::uint32_t window) {
  windows_[window].loadSequence = ++loadCounter_;
  ++changes_;
}

void Scheduler::Start(TimerRef timer) {
  TimerState& state = State(timer);
  if (state.running) return;
  state.running = true;
  state.due = now_ + state.period;
  ++changes_;
}

void Scheduler::Stop(TimerRef timer) {
  TimerState& state = State(timer);
  if (!state.running) return;
  state.running = false;
  ++changes_;
}

void Scheduler::StopWindow(std::uint32_t window) {
  for (TimerState& state : windows_[window].timers) state.running = false;
  ++changes_;
}

const std::vector<Scheduler::TimerRef>& Scheduler::Running() const {
  if (runningMadeAt_ == changes_) return running_;
  running_.clear();
  for (std::uint32_t w = 0; w < windows_.size(); ++w) {
    const std::vector<TimerState>& timers = windows_[w].timers;
    for (std::uint32_t t = 0; t < timers.size(); ++t) {
      if (timers[t].running) running_.push_back({w, t});
    }
  }
  std::sort(running_.begin(), running_.end(), [this](TimerRef a, TimerRef b) {
    const std::uint64_t first = windows_[a.window].loadSequence;
    const std::uint64_t second = windows_[b.window].loadSequence;
    return first != second ? first < second : a.timer < b.timer;
  });
  runningMadeAt_ = changes_;
  return running_;
}

const Scheduler::TimerRef* Scheduler::Earliest() const {
  const TimerRef* earliest = nullptr;
  for (const TimerRef& timer : Running()) {
    if (!earliest || State(timer).due < State(*earliest).due) earliest = &timer;
  }
  return earliest;
}

std::int64_t Scheduler::NextDue() const {
  const TimerRef* earliest = held_ ? nullptr : Earliest();
  return earliest ? State(*earliest).due : -1;
}

void Scheduler::RunUntil(std::int64_t until) {
  for (const TimerRef* earliest = Earliest(); !held_ && earliest && State(*earliest).due <= until;
       earliest = Earliest()) {
    // The ticks due at this instant run in the order of the running timers; a tick moves its
    // own timer on by its period. A tick that changes the running timers, or holds the clock,
    // ends the pass: the next pass takes up the ticks still due at this instant.
    now_ = State(*earliest).due;
    const std::uint64_t changesBefore = changes_;
    for (std::size_t i = 0; i < running_.size() && changes_ == changesBefore && !held_; ++i) {
      TimerState& state = State(running_[i]);
      if (state.due != now_) continue;
      state.due += state.period;
      dispatch_(running_[i], now_);
    }
  }
  if (!held_ && until > now_) now_ = until;
}

}  // namespace reddoor
