#include "game/runtime.hpp"

#include <algorithm>

namespace reddoor {

Runtime::Runtime(Platform& platform, const LevelSet& levels)
    : intro_(*this, platform),
      levels_{Level(*this, platform, WindowId::Level1, *levels[0]),
              Level(*this, platform, WindowId::Level2, *levels[1]),
              Level(*this, platform, WindowId::Level3, *levels[2])},
      finish_(*this, platform),
      windows_{&intro_, &levels_[0], &levels_[1], &levels_[2], &finish_} {
  for (const Window* window : windows_) window->CheckTimersHandled();
}

Level* Runtime::LevelWindow(WindowId id) {
  switch (id) {
    case WindowId::Level1:
      return &levels_[0];
    case WindowId::Level2:
      return &levels_[1];
    case WindowId::Level3:
      return &levels_[2];
    case WindowId::Intro:
    case WindowId::Finish:
      break;
  }
  return nullptr;
}

const Level* Runtime::LevelWindow(WindowId id) const {
  return const_cast<Runtime*>(this)->LevelWindow(id);
}

Window* Runtime::VisibleWindow() {
  for (Window* window : windows_) {
    if (window->IsVisible()) return window;
  }
  return nullptr;
}

const Window* Runtime::VisibleWindow() const {
  return const_cast<Runtime*>(this)->VisibleWindow();
}

std::vector<Runtime::Due>& Runtime::RunningTimers() const {
  if (!activeStale_) return running_;
  running_.clear();
  for (Window* window : windows_) {
    if (!window->IsLoaded()) continue;
    const auto timers = window->Contents().Timers();
    for (std::uint32_t i = 0; i < timers.size(); ++i) {
      const Control& timer = *timers[i];
      if (!timer.enabled) continue;
      running_.push_back({timer.nextDue, TimerPeriod(timer.Interval()), i, window, timers[i]});
    }
  }
  std::sort(running_.begin(), running_.end(), [](const Due& a, const Due& b) {
    const std::uint64_t first = a.window->LoadSequence(), second = b.window->LoadSequence();
    return first != second ? first < second : a.timer < b.timer;
  });
  activeStale_ = false;
  return running_;
}

Runtime::Due* Runtime::EarliestDue() const {
  Due* earliest = nullptr;
  for (Due& due : RunningTimers()) {
    if (!earliest || due.at < earliest->at) earliest = &due;
  }
  return earliest;
}

std::int64_t Runtime::NextDue() const {
  const Due* due = EarliestDue();
  return due ? due->at : -1;
}

void Runtime::RunTimersUntil(std::int64_t until) {
  for (const Due* earliest = EarliestDue(); earliest && earliest->at <= until;
       earliest = EarliestDue()) {
    // The ticks due at this instant run in the order of the running timers; a tick moves its
    // own timer on by its period, and only a change of the running timers moves another.
    now_ = earliest->at;
    for (std::size_t i = 0; i < running_.size() && !activeStale_; ++i) {
      Due& due = running_[i];
      if (due.at != now_) continue;
      due.at += due.period;
      due.control->nextDue = due.at;
      if (tickObserver_) tickObserver_->TickRunning(*due.window, *due.control, now_);
      // The handler may unload the window, or load it again, and so change the running timers.
      due.window->RunTimer(due.timer);
    }
  }
  if (until > now_) now_ = until;
}

}  // namespace reddoor
