#include "game/form.hpp"

#include "game/runtime.hpp"

namespace reddoor {

void Form::Load() {
  if (IsLoaded()) return;
  scene_.emplace(layout_);
  loadSequence_ = runtime_.NextLoadSequence();
  for (Control* timer : scene_->Timers()) {
    if (timer->enabled) timer->nextDue = runtime_.Now() + TimerPeriod(timer->Interval());
  }
  BindControls();
  Form_Load();
}

void Form::Show() {
  Load();
  if (visible_) return;
  visible_ = true;
  runtime_.platform().WindowShown(*this);
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  runtime_.platform().WindowHidden(*this);
}

void Form::Unload() {
  if (!IsLoaded()) return;
  Hide();
  scene_.reset();
  runtime_.platform().WindowUnloaded(*this);
}

void Form::SetTimerEnabled(Control& timer, bool enabled) {
  if (timer.enabled == enabled) return;
  timer.enabled = enabled;
  if (enabled) timer.nextDue = runtime_.Now() + TimerPeriod(timer.Interval());
}

}  // namespace reddoor
