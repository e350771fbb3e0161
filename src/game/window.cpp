#include "game/window.hpp"

#include <fmt/format.h>

#include "base/fault.hpp"
#include "game/runtime.hpp"

namespace reddoor {

Window::Window(Runtime& runtime, Platform& platform, WindowId id, const WindowLayout& layout)
    : runtime_(runtime),
      platform_(platform),
      id_(id),
      scene_(layout),
      timerHandlers_(scene_.Timers().size()) {}

std::int64_t Window::Now() const {
  return runtime_.Now();
}

void Window::OnTimer(std::string_view timer, std::function<void()> handler) {
  const auto timers = scene_.Timers();
  for (std::size_t i = 0; i < timers.size(); ++i) {
    if (timers[i]->Name() == timer) {
      timerHandlers_[i] = std::move(handler);
      return;
    }
  }
  throw GameFault(fmt::format("layout fault: window {} has no timer {}", Name(), timer));
}

void Window::CheckTimersHandled() const {
  for (std::size_t i = 0; i < timerHandlers_.size(); ++i) {
    if (!timerHandlers_[i]) {
      throw GameFault(fmt::format("layout fault: window {}: nothing handles the timer {}", Name(),
                                  scene_.Timers()[i]->Name()));
    }
  }
}

void Window::Load() {
  if (loaded_) return;
  scene_.Reset();
  loaded_ = true;
  runtime_.TimersChanged();
  loadSequence_ = runtime_.NextLoadSequence();
  for (Control* timer : scene_.Timers()) {
    if (timer->enabled) timer->nextDue = Now() + TimerPeriod(timer->Interval());
  }
  OnLoad();
}

void Window::Show() {
  Load();
  if (visible_) return;
  visible_ = true;
  platform_.WindowShown(*this);
}

void Window::Hide() {
  visible_ = false;
}

void Window::Unload() {
  Hide();
  loaded_ = false;
  runtime_.TimersChanged();
}

void Window::SetTimerEnabled(Control& timer, bool enabled) {
  if (timer.enabled == enabled) return;
  timer.enabled = enabled;
  runtime_.TimersChanged();
  if (enabled) timer.nextDue = Now() + TimerPeriod(timer.Interval());
}

}  // namespace reddoor
