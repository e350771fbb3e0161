#include "sdl/sdl_platform.hpp"

#include <utility>

#include "sdl/window_hints.hpp"

namespace reddoor {
namespace {

bool IsAltEnter(const SDL_Keysym& key) {
  return key.sym == SDLK_RETURN && (key.mod & KMOD_ALT);
}

// The window an event is for; 0 for events of no window (gamepads, quitting).
Uint32 WindowIdOf(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      return event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      return event.key.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return event.button.windowID;
    default:
      return 0;
  }
}

}  // namespace

void SdlPlatform::Attach(Runtime& runtime) {
  runtime_ = &runtime;
  keys_.Attach(runtime);
}

void SdlPlatform::SetTimingLog(TimingLog* log) {
  timingLog_ = log;
  hold_.SetTimingLog(log);
  windows_.SetTimingLog(log);
}

// The desktop windows follow the game's windows in Present, not at once.
void SdlPlatform::WindowShown(const Window& /*window*/) {}

void SdlPlatform::MessageOpened(const Window& window, std::string_view text) {
  // A game that is ending shows no more messages.
  if (quitRequested_) return;
  // While the message is up the window shows the moment of death: the player is gone.
  windows_.Present(window, hold_.Paused(), TimerNow());
  hold_.SetMessageOpen(true);
  keys_.ReleaseAll();
  messageBox_.Show(text, windows_.Of(window));
}

void SdlPlatform::CloseMessage() {
  messageBox_.Hide();
  hold_.SetMessageOpen(false);
  if (const Window* visible = runtime_->VisibleWindow()) windows_.Of(*visible).TakeFocus();
  // The rest of the death, and of the tick that died, runs now.
  runtime_->AnswerMessage();
}

void SdlPlatform::AnswerOpenMessages() {
  if (!runtime_->MessageOpen()) return;
  while (runtime_->MessageOpen()) runtime_->AnswerMessage();
  runtime_->RunTimersUntil(runtime_->Now());
}

bool SdlPlatform::AnsweredBy(const SDL_Event& event) {
  const Uint32 windowId = WindowIdOf(event);
  if (windowId != 0 && windowId == messageBox_.Id()) return messageBox_.Answered(event);
  switch (event.type) {
    case SDL_QUIT:
      quitRequested_ = true;
      break;
    case SDL_WINDOWEVENT:
      // The box is modal: the game's windows wait for it, but for closing, which ends the game.
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) quitRequested_ = true;
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) messageBox_.TakeFocus();
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) windows_.Invalidate(windowId);
      break;
    case SDL_KEYUP:
      keys_.Keyboard(event.key);
      break;
    case SDL_CONTROLLERBUTTONDOWN:
      keys_.Pads().Handle(event);
      return event.cbutton.button == SDL_CONTROLLER_BUTTON_A;
    default:
      keys_.Pads().Handle(event);
      break;
  }
  return false;
}

bool SdlPlatform::Handle(const SDL_Event& event) {
  if (runtime_->MessageOpen()) {
    if (AnsweredBy(event) && !quitRequested_) CloseMessage();
    return !quitRequested_;
  }
  switch (event.type) {
    case SDL_QUIT:
      quitRequested_ = true;
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window);
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      HandleKey(event.key);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleMouseButton(event.button);
      break;
    case SDL_CONTROLLERBUTTONDOWN:
      keys_.Pads().Handle(event);
      HandleButton(event.cbutton);
      break;
    default:
      keys_.Pads().Handle(event);
      break;
  }
  if (keys_.TakeButtonPress()) runtime_->PressButton();
  return !quitRequested_;
}

void SdlPlatform::Present() {
  TellProgress();
  windows_.Present(*runtime_, hold_.Paused(), TimerNow());
  if (runtime_->MessageOpen() && !quitRequested_) messageBox_.Present();
}

void SdlPlatform::HandleWindowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      // Closing any of the game's windows ends the game.
      quitRequested_ = true;
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // The game hears only its own window's keys: away from it, it waits for the player.
      if (windows_.VisibleWithId(event.windowID, *runtime_)) {
        SetPause(hold_.PausedByPlayer(), true);
        keys_.FocusLost(event.timestamp);
      }
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (windows_.WithId(event.windowID)) {
        SDL_Window* window = SDL_GetWindowFromID(event.windowID);
        keys_.FocusGained([window](SDL_Keycode key) { return KeyDownNow(window, key); });
        SetPause(hold_.PausedByPlayer(), false);
      }
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_SHOWN:
      windows_.Invalidate(event.windowID);
      break;
    default:
      break;
  }
}

// Only presses typed into the game's own windows count, and a held key's repeats are no new
// presses. A release always counts, wherever it lands.
void SdlPlatform::HandleKey(const SDL_KeyboardEvent& event) {
  const bool down = event.state == SDL_PRESSED;
  if (down &&
      (event.repeat || !windows_.WithId(event.windowID) || HandleCommandKey(event.keysym))) {
    return;
  }
  const bool returnKey = event.keysym.sym == SDLK_RETURN || event.keysym.sym == SDLK_KP_ENTER;
  if (down && returnKey && !hold_.Held()) runtime_->PressButton();
  keys_.Keyboard(event);
}

bool SdlPlatform::HandleCommandKey(const SDL_Keysym& key) {
  if (IsAltEnter(key) || (key.sym == SDLK_ESCAPE && windows_.Fullscreen())) {
    return Command(Action::Fullscreen);
  }
  const std::optional<Action> action = bindings_.OfKey(key.sym);
  return action && Command(*action);
}

void SdlPlatform::HandleButton(const SDL_ControllerButtonEvent& event) {
  if (event.button == SDL_CONTROLLER_BUTTON_START && !hold_.Held()) runtime_->PressButton();
  if (const std::optional<Action> action = bindings_.OfButton(event.button)) Command(*action);
}

bool SdlPlatform::Command(Action action) {
  switch (action) {
    case Action::Pause:
      SetPause(!hold_.PausedByPlayer(), hold_.PausedByFocus());
      return true;
    case Action::Fullscreen:
      if (const Window* visible = runtime_->VisibleWindow()) windows_.ToggleFullscreen(*visible);
      return true;
    case Action::Timer:
      ToggleTimer();
      return true;
    default:
      return false;
  }
}

void SdlPlatform::ToggleTimer() {
  timerShown_ = !timerShown_;
  if (options_.timer.shownChanged) options_.timer.shownChanged(timerShown_);
}

std::optional<TimerView> SdlPlatform::TimerNow() const {
  return ShownTimerView(timerShown_, runtime_->Run(), runtime_->Now(), options_.timer.best,
                        options_.speedPercent);
}

void SdlPlatform::TellProgress() {
  const RunTimer& run = runtime_->Run();
  if (progress_.Moved(run) && options_.timer.progressed) options_.timer.progressed(run);
}

void SdlPlatform::SetPause(bool byPlayer, bool byFocus) {
  if (hold_.SetPause(byPlayer, byFocus)) keys_.ReleaseAll();
}

// A click is a press and a release of the left button on the same button of the visible
// window.
void SdlPlatform::HandleMouseButton(const SDL_MouseButtonEvent& event) {
  if (event.button != SDL_BUTTON_LEFT) return;
  const Window* window = hold_.Held() ? nullptr : windows_.VisibleWithId(event.windowID, *runtime_);
  const std::string button =
      window ? windows_.Of(*window).ButtonAt(window->Contents(), event.x, event.y) : std::string();
  if (event.state == SDL_PRESSED) {
    pressedButton_ = button;
    return;
  }
  if (!button.empty() && button == std::exchange(pressedButton_, {})) runtime_->Click(button);
}

}  // namespace reddoor
