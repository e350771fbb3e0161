#include "game/runtime.hpp"

namespace reddoor {

Runtime::Runtime(Platform& platform, const LevelSet& levels)
    : platform_(platform),
      intro_(*this, scheduler_, reporter_),
      levels_{Level(*this, scheduler_, reporter_, WindowId::Level1, *levels[0]),
              Level(*this, scheduler_, reporter_, WindowId::Level2, *levels[1]),
              Level(*this, scheduler_, reporter_, WindowId::Level3, *levels[2])},
      finish_(scheduler_, reporter_),
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

void Runtime::RunTick(Scheduler::TimerRef timer, std::int64_t due) {
  Window& window = *windows_[timer.window];
  if (tickObserver_)
    tickObserver_->TickRunning(window, *window.Contents().Timers()[timer.timer], due);
  // The handler may unload the window, or load it again, and so change the running timers.
  window.RunTimer(timer.timer);
}

void Runtime::RunAnsweringUntil(std::int64_t until) {
  for (RunTimersUntil(until); MessageOpen(); RunTimersUntil(until)) AnswerMessage();
}

bool Runtime::KeyDown(Key key, KeySource source) {
  if (!keys_.Down(key, source)) return false;
  if (recorder_) recorder_->KeyChanged(Now(), key, true);
  return true;
}

bool Runtime::KeyUp(Key key, KeySource source) {
  if (!keys_.Up(key, source)) return false;
  if (recorder_) recorder_->KeyChanged(Now(), key, false);
  return true;
}

void Runtime::Click(std::string_view button) {
  Window* visible = VisibleWindow();
  if (!visible) return;
  if (recorder_) recorder_->Clicked(Now(), button);
  visible->Click(button);
}

void Runtime::PressButton() {
  const Window* visible = VisibleWindow();
  if (!visible) return;
  for (const Control& c : visible->Contents().Controls()) {
    if (c.Kind() == ControlKind::Button && c.visible) return Click(c.Name());
  }
}

void Runtime::OpenMessage(const Window& over, std::string_view text,
                          std::function<void()> afterAnswer) {
  message_ = Message{std::string(text), std::move(afterAnswer)};
  scheduler_.Hold();
  reporter_.MessageOpened(over, text);
}

void Runtime::AnswerMessage() {
  if (!message_) return;
  const std::function<void()> afterAnswer = std::move(message_->afterAnswer);
  message_.reset();
  scheduler_.Release();
  // What follows may open the next message.
  afterAnswer();
}

void Runtime::Reporter::WindowShown(const Window& window) {
  runtime_.run_.WindowShown(window.Id(), runtime_.Now());
  if (runtime_.recorder_) runtime_.recorder_->WindowShown(runtime_.Now(), window.Name());
  runtime_.platform_.WindowShown(window);
}

void Runtime::Reporter::MessageOpened(const Window& window, std::string_view text) {
  runtime_.run_.Died();
  if (runtime_.recorder_) runtime_.recorder_->MessageShown(runtime_.Now(), text);
  runtime_.platform_.MessageOpened(window, text);
}

}  // namespace reddoor
