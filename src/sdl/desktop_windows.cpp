#include "sdl/desktop_windows.hpp"

#include <iostream>
#include <utility>

namespace reddoor {

void DesktopWindows::SetFullscreen(bool fullscreen, std::function<void(bool)> changed) {
  fullscreen_ = fullscreen;
  shownFullscreen_ = false;
  fullscreenChanged_ = std::move(changed);
}

void DesktopWindows::ToggleFullscreen(const Window& visible) {
  if (!fullscreen_ && !Of(visible).MayGoFullscreen()) return TellNoFullscreen(visible);
  fullscreen_ = !fullscreen_;
}

DesktopWindow& DesktopWindows::Of(const Window& window) {
  auto& desktop = windows_[static_cast<std::size_t>(window.Id())];
  if (!desktop)
    desktop = std::make_unique<DesktopWindow>(window.Layout(), media_, scale_, speedPercent_);
  return *desktop;
}

DesktopWindow* DesktopWindows::WithId(Uint32 id) {
  for (auto& desktop : windows_) {
    if (desktop && desktop->Id() == id) return desktop.get();
  }
  return nullptr;
}

Window* DesktopWindows::VisibleWithId(Uint32 id, Runtime& runtime) {
  Window* visible = runtime.VisibleWindow();
  if (!visible) return nullptr;
  const auto& desktop = windows_[static_cast<std::size_t>(visible->Id())];
  return desktop && desktop->Id() == id ? visible : nullptr;
}

void DesktopWindows::Invalidate(Uint32 id) {
  if (DesktopWindow* desktop = WithId(id)) desktop->Invalidate();
}

void DesktopWindows::Present(const Runtime& runtime, bool paused,
                             const std::optional<TimerView>& timer) {
  // Hide before showing: the window shown last takes the keyboard.
  for (WindowId id : kAllWindows) {
    auto& desktop = windows_[static_cast<std::size_t>(id)];
    if (desktop && !runtime.Get(id).IsVisible()) desktop->Hide();
  }
  if (const Window* visible = runtime.VisibleWindow()) Present(*visible, paused, timer);
}

void DesktopWindows::TellNoFullscreen(const Window& window) {
  if (std::exchange(toldNoFullscreen_, true)) return;
  std::cerr << "reddoor: the desktop does not let the window " << window.Name()
            << " go fullscreen (that needs a window manager that offers it); it stays a window\n";
}

void DesktopWindows::Present(const Window& window, bool paused,
                             const std::optional<TimerView>& timer) {
  DesktopWindow& desktop = Of(window);
  desktop.SetFullscreen(fullscreen_);
  if (fullscreen_ && !desktop.Fullscreen() && !desktop.MayGoFullscreen()) TellNoFullscreen(window);
  // Only what really happened is told.
  if (desktop.Fullscreen() != shownFullscreen_) {
    shownFullscreen_ = desktop.Fullscreen();
    if (fullscreenChanged_) fullscreenChanged_(shownFullscreen_);
  }
  desktop.ShowPaused(paused);
  desktop.Show();
  if (desktop.Present(window.Contents(), timer) && timingLog_) timingLog_->FramePresented(window);
}

}  // namespace reddoor
