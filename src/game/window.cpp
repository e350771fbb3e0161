#include "game/window.hpp"

#include <fmt/format.h>

#include "base/fault.hpp"

namespace reddoor {
namespace {

std::vector<std::int32_t> Intervals(std::span<Control* const> timers) {
  std::vector<std::int32_t> intervals;
  for (const Control* timer : timers) intervals.push_back(timer->Interval());
  return intervals;
}

}  // namespace

std::string_view WindowName(WindowId id) {
  return AllLayouts()[static_cast<std::size_t>(id)]->name;
}

std::optional<WindowId> WindowNamed(std::string_view name, std::span<const WindowId> among) {
  for (WindowId id : among) {
    if (WindowName(id) == name) return id;
  }
  return std::nullopt;
}

std::string ShownCaption(std::string_view caption, int speedPercent, bool paused) {
  std::string notes;
  if (speedPercent < 100) notes = fmt::format("{}% speed", speedPercent);
  if (paused) notes += notes.empty() ? "paused" : ", paused";
  if (notes.empty()) return std::string(caption);
  return caption.empty() ? fmt::format("({})", notes) : fmt::format("{} ({})", caption, notes);
}

std::string WindowNames(std::span<const WindowId> windows, std::string_view separator) {
  std::string names;
  for (WindowId id : windows) {
    if (!names.empty()) names += separator;
    names += WindowName(id);
  }
  return names;
}

Window::Window(Scheduler& scheduler, Platform& platform, WindowId id, const WindowLayout& layout)
    : platform_(platform),
      scheduler_(scheduler),
      id_(id),
      scene_(layout),
      timersNumber_(scheduler.AddWindow(Intervals(scene_.Timers()))),
      timerHandlers_(scene_.Timers().size()) {
  if (timersNumber_ != static_cast<std::uint32_t>(id)) {
    throw GameFault(fmt::format("window {} made out of the order of the windows' ids", Name()));
  }
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

Scheduler::TimerRef Window::TimerOf(const Control& timer) const {
  const auto timers = scene_.Timers();
  for (std::uint32_t i = 0; i < timers.size(); ++i) {
    if (timers[i] == &timer) return {timersNumber_, i};
  }
  throw GameFault(fmt::format("window {} has no timer {}", Name(), timer.DisplayName()));
}

void Window::Load() {
  if (loaded_) return;
  scene_.Reset();
  loaded_ = true;
  scheduler_.WindowLoaded(timersNumber_);
  for (const Control* timer : scene_.Timers()) {
    if (timer->record->enabled) scheduler_.Start(TimerOf(*timer));
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
  scheduler_.StopWindow(timersNumber_);
}

void Window::SetTimerEnabled(const Control& timer, bool enabled) {
  if (!loaded_) return;
  if (enabled) {
    scheduler_.Start(TimerOf(timer));
  } else {
    scheduler_.Stop(TimerOf(timer));
  }
}

bool Window::TimerEnabled(const Control& timer) const {
  return scheduler_.IsRunning(TimerOf(timer));
}

std::int64_t Window::TimerDue(const Control& timer) const {
  return scheduler_.DueAt(TimerOf(timer));
}

}  // namespace reddoor
