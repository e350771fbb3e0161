#include "sdl/sdl_platform.hpp"

#include <iostream>
#include <optional>
#include <utility>

namespace reddoor {
namespace {

std::optional<Key> GameKey(SDL_Keycode code) {
  switch (code) {
    case SDLK_RIGHT:
      return Key::Right;
    case SDLK_LEFT:
      return Key::Left;
    case SDLK_SPACE:
      return Key::Space;
    case SDLK_e:
      return Key::E;
    default:
      return std::nullopt;
  }
}

bool IsFullscreenKey(const SDL_Keysym& key) {
  return key.sym == SDLK_F11 || (key.sym == SDLK_RETURN && (key.mod & KMOD_ALT));
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

bool ShowErrorBox(const std::string& text) {
  const SDL_MessageBoxButtonData ok{
      SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"};
  const SDL_MessageBoxData box{
      SDL_MESSAGEBOX_ERROR, nullptr, "Red Door", text.c_str(), 1, &ok, nullptr};
  int pressed = 0;
  return SDL_ShowMessageBox(&box, &pressed) == 0;
}

void SdlPlatform::SetFullscreen(bool fullscreen, std::function<void(bool)> changed) {
  fullscreen_ = fullscreen;
  fullscreenChanged_ = std::move(changed);
}

void SdlPlatform::ShowMessage(const Window& window, std::string_view text) {
  if (recorder_) recorder_->MessageShown(text);
  // A game that is ending shows no more messages.
  if (quitRequested_) return;
  // While the message is up the window shows the moment of death: the player is gone.
  PresentWindow(window);
  DesktopWindow& parent = DesktopOf(window);
  messageOpen_ = true;
  HoldClock(true, "message opened");
  ReleaseAllKeys();
  messageBox_.Show(text, parent);
  for (bool answered = false; !answered && !quitRequested_;) {
    messageBox_.Present();
    SDL_Event event;
    if (!SDL_WaitEvent(&event)) break;
    answered = HandleWhileMessageOpen(event, window);
  }
  messageBox_.Hide();
  HoldClock(false, "message closed");
  messageOpen_ = false;
  parent.TakeFocus();
}

bool SdlPlatform::HandleWhileMessageOpen(const SDL_Event& event, const Window& window) {
  const Uint32 windowId = WindowIdOf(event);
  if (windowId == messageBox_.Id()) return messageBox_.Answered(event);
  switch (event.type) {
    case SDL_QUIT:
      quitRequested_ = true;
      break;
    case SDL_WINDOWEVENT:
      // The box is modal: the game's windows wait for it, but for closing, which ends the game.
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) quitRequested_ = true;
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) messageBox_.TakeFocus();
      if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
        if (DesktopWindow* shown = WindowOf(windowId)) shown->Invalidate();
        PresentWindow(window);
      }
      break;
    case SDL_KEYUP:
      if (const std::optional<Key> key = GameKey(event.key.keysym.sym)) {
        KeyChanged(KeySource::Keyboard, *key, false);
      }
      break;
    case SDL_CONTROLLERBUTTONDOWN:
      gamepads_.Handle(event);
      return event.cbutton.button == SDL_CONTROLLER_BUTTON_A;
    default:
      gamepads_.Handle(event);
      break;
  }
  return false;
}

void SdlPlatform::WindowShown(const Window& window) {
  if (recorder_) recorder_->WindowShown(window);
}

void SdlPlatform::KeyChanged(KeySource source, Key key, bool down) {
  if (down && Held()) return;
  const bool changed = down ? keys_.Down(key, source) : keys_.Up(key, source);
  if (!changed) return;
  if (recorder_) recorder_->KeyChanged(key, down);
  if (key == Key::Space && !down && !Held()) buttonKeyed_ = true;
}

// SDL stamps events as it takes them in, not as they happened: a fresh press that comes in
// together with the focus has the same stamp. Only a game key that was held when the game let
// go of the keys can be one still held; any other key is taken as held, as it may be.
bool SdlPlatform::StillHeld(SDL_Keycode code) const {
  const std::optional<Key> key = GameKey(code);
  return !key || heldWhenLetGo_[IndexOf(*key)];
}

bool SdlPlatform::Handle(const SDL_Event& event, Runtime& runtime) {
  const bool afterFocusGain = std::exchange(focusJustGained_, false);
  switch (event.type) {
    case SDL_QUIT:
      quitRequested_ = true;
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(event.window, runtime);
      break;
    case SDL_KEYDOWN:
      // Keys held when a window gets the focus are no presses: they must be pressed again.
      if (afterFocusGain && event.key.timestamp - focusGainedAt_ <= 1 &&
          StillHeld(event.key.keysym.sym)) {
        focusJustGained_ = true;
        break;
      }
      HandleKey(event.key, runtime);
      break;
    case SDL_KEYUP:
      HandleKey(event.key, runtime);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleMouseButton(event.button, runtime);
      break;
    case SDL_CONTROLLERBUTTONDOWN:
      if (event.cbutton.button == SDL_CONTROLLER_BUTTON_START && !Held()) buttonKeyed_ = true;
      gamepads_.Handle(event);
      break;
    default:
      gamepads_.Handle(event);
      break;
  }
  if (std::exchange(buttonKeyed_, false)) PressFocusedButton(runtime);
  return !quitRequested_;
}

void SdlPlatform::Present(const Runtime& runtime) {
  // Hide before showing: the window shown last takes the keyboard.
  for (std::size_t i = 0; i < kWindowCount; ++i) {
    if (windows_[i] && !runtime.Get(static_cast<WindowId>(i)).IsVisible()) windows_[i]->Hide();
  }
  if (const Window* visible = runtime.VisibleWindow()) PresentWindow(*visible);
}

void SdlPlatform::PresentWindow(const Window& form) {
  DesktopWindow& window = DesktopOf(form);
  window.SetFullscreen(fullscreen_);
  window.ShowPaused(Paused());
  window.Show();
  if (window.Present(form.Contents()) && timingLog_) timingLog_->FramePresented(form);
}

DesktopWindow& SdlPlatform::DesktopOf(const Window& form) {
  auto& window = windows_[static_cast<std::size_t>(form.Id())];
  if (!window) window = std::make_unique<DesktopWindow>(form.Layout(), media_, scale_);
  return *window;
}

DesktopWindow* SdlPlatform::WindowOf(Uint32 windowId) {
  for (auto& window : windows_) {
    if (window && window->Id() == windowId) return window.get();
  }
  return nullptr;
}

Window* SdlPlatform::VisibleWindowOf(Uint32 windowId, Runtime& runtime) {
  Window* form = runtime.VisibleWindow();
  if (!form) return nullptr;
  const auto& window = windows_[static_cast<std::size_t>(form->Id())];
  return window && window->Id() == windowId ? form : nullptr;
}

void SdlPlatform::HandleWindowEvent(const SDL_WindowEvent& event, Runtime& runtime) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      // Closing any of the game's windows ends the game.
      quitRequested_ = true;
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // The game hears only its own window's keys: away from it, it waits for the player.
      if (VisibleWindowOf(event.windowID, runtime)) SetPause(pausedByPlayer_, true);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (WindowOf(event.windowID)) {
        focusJustGained_ = true;
        focusGainedAt_ = event.timestamp;
        SetPause(pausedByPlayer_, false);
      }
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_SHOWN:
      if (DesktopWindow* window = WindowOf(event.windowID)) window->Invalidate();
      break;
    default:
      break;
  }
}

// Only presses typed into the game's own windows count, and a held key's repeats are no new
// presses. A release always counts, wherever it lands.
void SdlPlatform::HandleKey(const SDL_KeyboardEvent& event, Runtime& runtime) {
  const bool down = event.state == SDL_PRESSED;
  if (down && (event.repeat || !WindowOf(event.windowID) || HandleCommandKey(event.keysym))) {
    return;
  }
  const bool returnKey = event.keysym.sym == SDLK_RETURN || event.keysym.sym == SDLK_KP_ENTER;
  if (down && returnKey && !Held()) PressFocusedButton(runtime);
  if (const std::optional<Key> key = GameKey(event.keysym.sym)) {
    KeyChanged(KeySource::Keyboard, *key, down);
  }
}

bool SdlPlatform::HandleCommandKey(const SDL_Keysym& key) {
  if (key.sym == SDLK_p) {
    SetPause(!pausedByPlayer_, pausedByFocus_);
  } else if (IsFullscreenKey(key) || (key.sym == SDLK_ESCAPE && fullscreen_)) {
    ToggleFullscreen();
  } else {
    return false;
  }
  return true;
}

void SdlPlatform::ToggleFullscreen() {
  fullscreen_ = !fullscreen_;
  if (fullscreenChanged_) fullscreenChanged_(fullscreen_);
}

void SdlPlatform::SetPause(bool byPlayer, bool byFocus) {
  const bool was = Paused();
  pausedByPlayer_ = byPlayer;
  pausedByFocus_ = byFocus;
  if (Paused() == was) return;
  HoldClock(Paused(), Paused() ? "pause" : "resume");
  if (Paused()) ReleaseAllKeys();
}

// The log gives the game clock as it stands still.
void SdlPlatform::HoldClock(bool hold, const char* why) {
  if (hold) clock_.Hold();
  if (timingLog_) timingLog_->Note(why);
  if (!hold) clock_.Release();
}

// A key held when the game is held must be pressed again: its release may never reach the game.
void SdlPlatform::ReleaseAllKeys() {
  gamepads_.ReleaseAll();
  for (Key key : kKeys) {
    heldWhenLetGo_[IndexOf(key)] = keys_.IsDown(key);
    KeyChanged(KeySource::Keyboard, key, false);
    KeyChanged(KeySource::Gamepad, key, false);
  }
}

// A click is a press and a release of the left button on the same button of the visible
// window.
void SdlPlatform::HandleMouseButton(const SDL_MouseButtonEvent& event, Runtime& runtime) {
  if (event.button != SDL_BUTTON_LEFT) return;
  Window* form = Held() ? nullptr : VisibleWindowOf(event.windowID, runtime);
  const std::string button =
      form ? DesktopOf(*form).ButtonAt(form->Contents(), event.x, event.y) : std::string();
  if (event.state == SDL_PRESSED) {
    pressedButton_ = button;
    return;
  }
  if (!button.empty() && button == std::exchange(pressedButton_, {})) Click(*form, button);
}

void SdlPlatform::PressFocusedButton(Runtime& runtime) {
  Window* form = runtime.VisibleWindow();
  if (!form) return;
  for (const Control& c : form->Contents().Controls()) {
    if (c.Kind() == ControlKind::Button && c.visible) return Click(*form, std::string(c.Name()));
  }
}

void SdlPlatform::Click(Window& form, const std::string& button) {
  if (recorder_) recorder_->Clicked(button);
  form.Click(button);
}

}  // namespace reddoor
