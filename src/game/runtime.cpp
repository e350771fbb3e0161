#include "game/runtime.hpp"

#include "game/windows.hpp"

namespace reddoor {

Runtime::Runtime(Platform& platform) : platform_(platform) {
  for (std::size_t i = 0; i < kFormCount; ++i) {
    forms_[i] = MakeWindow(*this, static_cast<FormId>(i));
  }
}

Runtime::~Runtime() = default;

Form* Runtime::FindWindow(std::string_view name) {
  for (auto& form : forms_) {
    if (form->Name() == name) return form.get();
  }
  return nullptr;
}

Form* Runtime::VisibleWindow() {
  for (auto& form : forms_) {
    if (form->IsVisible()) return form.get();
  }
  return nullptr;
}

// Ticks due at the same instant run by the windows' load order, then by the timers' order in
// their window's layout.
Runtime::Due Runtime::EarliestDue() const {
  Due best;
  std::uint64_t bestSequence = 0;
  for (const auto& form : forms_) {
    if (!form->IsLoaded()) continue;
    const std::uint64_t sequence = form->LoadSequence();
    for (Control* timer : form->Controls().Timers()) {
      if (!timer->enabled) continue;
      if (!best.timer || timer->nextDue < best.timer->nextDue ||
          (timer->nextDue == best.timer->nextDue && sequence < bestSequence)) {
        best = {form.get(), timer};
        bestSequence = sequence;
      }
    }
  }
  return best;
}

std::int64_t Runtime::NextDue() const {
  const Due due = EarliestDue();
  return due.timer ? due.timer->nextDue : -1;
}

void Runtime::RunTimersUntil(std::int64_t until) {
  for (Due due = EarliestDue(); due.timer && due.timer->nextDue <= until; due = EarliestDue()) {
    Control& timer = *due.timer;
    now_ = timer.nextDue;
    timer.nextDue += TimerPeriod(timer.Interval());
    if (tickObserver_) tickObserver_->TickRunning(*due.form, *timer.spec, now_);
    // The handler may unload the window, and with it the timer: only its record is passed.
    due.form->Timer(*timer.spec);
  }
  if (until > now_) now_ = until;
}

}  // namespace reddoor
