#include "sdl/sdl_platform.hpp"

#include <iostream>
#include <optional>

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

}  // namespace

bool ShowErrorBox(SDL_Window* parent, const std::string& text) {
  const SDL_MessageBoxButtonData ok{
      SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, "OK"};
  const SDL_MessageBoxData box{
      SDL_MESSAGEBOX_ERROR, parent, "Red Door", text.c_str(), 1, &ok, nullptr};
  int pressed = 0;
  return SDL_ShowMessageBox(&box, &pressed) == 0;
}

void SdlPlatform::ShowMessage(const Form& window, std::string_view text) {
  if (recorder_) recorder_->MessageShown(text);
  // While the message is up the window shows the moment of death: the player is gone.
  PresentWindow(window);
  // Nothing of the game runs while the message is open, and no game time passes.
  clock_.Hold();
  if (!ShowErrorBox(DesktopWindow(window).Handle(), std::string(text))) {
    std::cerr << "reddoor: " << text << " (no message box: " << SDL_GetError() << ")\n";
  }
  clock_.Release();
}

void SdlPlatform::WindowShown(const Form& window) {
  if (recorder_) recorder_->WindowShown(window);
}

void SdlPlatform::KeyChanged(KeySource source, Key key, bool down) {
  if (down && Paused()) return;
  const bool changed = down ? keys_.Down(key, source) : keys_.Up(key, source);
  if (changed && recorder_) recorder_->KeyChanged(key, down);
}

bool SdlPlatform::Handle(const SDL_Event& event, Runtime& runtime) {
  switch (event.type) {
    case SDL_QUIT:
      return false;
    case SDL_WINDOWEVENT:
      return HandleWindowEvent(event.window, runtime);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      HandleKey(event.key);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      HandleMouseButton(event.button, runtime);
      break;
    default:
      gamepads_.Handle(event);
      break;
  }
  return true;
}

void SdlPlatform::Present(const Runtime& runtime) {
  // Hide before showing: the window shown last takes the keyboard.
  for (std::size_t i = 0; i < kFormCount; ++i) {
    if (windows_[i] && !runtime.Window(static_cast<FormId>(i)).IsVisible()) windows_[i]->Hide();
  }
  if (const Form* visible = runtime.VisibleWindow()) PresentWindow(*visible);
}

void SdlPlatform::PresentWindow(const Form& form) {
  GameWindow& window = DesktopWindow(form);
  window.SetFullscreen(fullscreen_);
  window.ShowPaused(Paused());
  window.Show();
  if (window.Present(form.Controls()) && timingLog_) timingLog_->FramePresented(form);
}

GameWindow& SdlPlatform::DesktopWindow(const Form& form) {
  auto& window = windows_[static_cast<std::size_t>(form.Id())];
  if (!window) window = std::make_unique<GameWindow>(form.Layout(), media_, scale_);
  return *window;
}

GameWindow* SdlPlatform::WindowOf(Uint32 windowId) {
  for (auto& window : windows_) {
    if (window && window->Id() == windowId) return window.get();
  }
  return nullptr;
}

Form* SdlPlatform::VisibleFormOf(Uint32 windowId, Runtime& runtime) {
  Form* form = runtime.VisibleWindow();
  if (!form) return nullptr;
  const auto& window = windows_[static_cast<std::size_t>(form->Id())];
  return window && window->Id() == windowId ? form : nullptr;
}

bool SdlPlatform::HandleWindowEvent(const SDL_WindowEvent& event, Runtime& runtime) {
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      // Closing the window the player sees ends the game.
      return VisibleFormOf(event.windowID, runtime) == nullptr;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // The game hears only its own window's keys: away from it, it waits for the player.
      if (VisibleFormOf(event.windowID, runtime)) SetPause(pausedByPlayer_, true);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      if (WindowOf(event.windowID)) SetPause(pausedByPlayer_, false);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      if (GameWindow* window = WindowOf(event.windowID)) window->Invalidate();
      break;
    default:
      break;
  }
  return true;
}

// Only presses typed into the game's own windows count, and a held key's repeats are no new
// presses. A release always counts, wherever it lands.
void SdlPlatform::HandleKey(const SDL_KeyboardEvent& event) {
  const bool down = event.state == SDL_PRESSED;
  if (down && (event.repeat || !WindowOf(event.windowID) || HandleCommandKey(event.keysym))) {
    return;
  }
  if (const std::optional<Key> key = GameKey(event.keysym.sym)) {
    KeyChanged(KeySource::Keyboard, *key, down);
  }
}

bool SdlPlatform::HandleCommandKey(const SDL_Keysym& key) {
  if (key.sym == SDLK_p) {
    SetPause(!pausedByPlayer_, pausedByFocus_);
  } else if (IsFullscreenKey(key)) {
    fullscreen_ = !fullscreen_;
  } else {
    return false;
  }
  return true;
}

void SdlPlatform::SetPause(bool byPlayer, bool byFocus) {
  const bool was = Paused();
  pausedByPlayer_ = byPlayer;
  pausedByFocus_ = byFocus;
  if (Paused() == was) return;
  if (Paused()) {
    clock_.Hold();
    ReleaseAllKeys();
  } else {
    clock_.Release();
  }
}

// A key held when the game pauses must be pressed again: its release may never reach the game.
void SdlPlatform::ReleaseAllKeys() {
  gamepads_.ReleaseAll();
  for (Key key : kKeys) {
    KeyChanged(KeySource::Keyboard, key, false);
    KeyChanged(KeySource::Gamepad, key, false);
  }
}

// A click is a press and a release of the left button on the same button of the visible
// window.
void SdlPlatform::HandleMouseButton(const SDL_MouseButtonEvent& event, Runtime& runtime) {
  if (event.button != SDL_BUTTON_LEFT) return;
  Form* form = Paused() ? nullptr : VisibleFormOf(event.windowID, runtime);
  const std::string button =
      form ? DesktopWindow(*form).ButtonAt(form->Controls(), event.x, event.y) : std::string();
  if (event.state == SDL_PRESSED) {
    pressedButton_ = button;
    return;
  }
  const bool clicked = !button.empty() && button == pressedButton_;
  pressedButton_.clear();
  if (!clicked) return;
  if (recorder_) recorder_->Clicked(button);
  form->Click(button);
}

}  // namespace reddoor
