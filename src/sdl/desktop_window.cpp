#include "sdl/desktop_window.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <iostream>
#include <string>

#include "base/fault.hpp"
#include "base/geometry.hpp"
#include "game/window.hpp"
#include "sdl/window_hints.hpp"

namespace reddoor {
namespace {

// Beyond this many separate rectangles one rectangle around them all is cheaper to send.
constexpr std::size_t kMostRects = 32;

Uint32 WindowFlags(const WindowLayout& layout) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (layout.border != BorderStyle::FixedSingle) flags |= SDL_WINDOW_UTILITY;
  if (layout.border == BorderStyle::SizableTool) flags |= SDL_WINDOW_RESIZABLE;
  if (!layout.inTaskBar) flags |= SDL_WINDOW_SKIP_TASKBAR;
  return flags;
}

PixelRect Around(const std::vector<PixelRect>& rects) {
  PixelRect all = rects.front();
  for (const PixelRect& r : rects) all = all.Union(r);
  return all;
}

SDL_Rect ToSdl(const PixelRect& r) {
  return {r.left, r.top, r.Width(), r.Height()};
}

}  // namespace

DesktopWindow::DesktopWindow(const WindowLayout& layout, SdlMedia& media, int scale,
                             int speedPercent)
    : layout_(layout),
      media_(media),
      speedPercent_(speedPercent),
      windowedScale_(scale),
      scale_(scale) {
  window_ = SDL_CreateWindow(Caption().c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                             TwipsToPixels(layout.clientWidth, scale),
                             TwipsToPixels(layout.clientHeight, scale), WindowFlags(layout));
  if (!window_) {
    throw GameFault(fmt::format("cannot open the window {}: {}", layout.name, SDL_GetError()));
  }
  SetIcon();
  OfferNoMinimizeOrMaximize(window_, layout.border == BorderStyle::SizableTool);
}

// The red door in the title bar and the task switcher, also when the game is not installed.
void DesktopWindow::SetIcon() {
  const Image& icon = media_.Picture(PictureId::Icon);
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(icon.pixels.data()), icon.width, icon.height, 32,
      icon.width * static_cast<int>(sizeof(std::uint32_t)), SDL_PIXELFORMAT_RGBA32);
  if (!surface) return;  // a window without an icon is no reason to stop the game
  SDL_SetWindowIcon(window_, surface);
  SDL_FreeSurface(surface);
}

DesktopWindow::~DesktopWindow() {
  SDL_DestroyWindow(window_);
}

void DesktopWindow::Show() {
  if (shown_) return;
  shown_ = true;
  SDL_ShowWindow(window_);
  // The window that comes up takes the keyboard, as the game expects of its next screen.
  TakeFocus();
  Invalidate();
}

void DesktopWindow::Hide() {
  if (!shown_) return;
  shown_ = false;
  SDL_HideWindow(window_);
}

void DesktopWindow::TakeFocus() {
  SDL_RaiseWindow(window_);
  // Without a window manager nobody else hands out the keyboard.
  SDL_SetWindowInputFocus(window_);
}

void DesktopWindow::Resize(int scale) {
  windowedScale_ = scale;
  scale_ = scale;
  SDL_SetWindowSize(window_, TwipsToPixels(layout_.clientWidth, scale),
                    TwipsToPixels(layout_.clientHeight, scale));
  Invalidate();
}

void DesktopWindow::CenterOnAsModal(const DesktopWindow& parent) {
  int x = 0, y = 0, width = 0, height = 0, ownWidth = 0, ownHeight = 0;
  SDL_GetWindowPosition(parent.window_, &x, &y);
  SDL_GetWindowSize(parent.window_, &width, &height);
  SDL_GetWindowSize(window_, &ownWidth, &ownHeight);
  SDL_SetWindowPosition(window_, x + (width - ownWidth) / 2, y + (height - ownHeight) / 2);
  SDL_SetWindowModalFor(window_, parent.window_);
}

// A refusal, once the window manager has said it, is for good: it is not asked again.
bool DesktopWindow::MayGoFullscreen() {
  refusesFullscreen_ = refusesFullscreen_ || !reddoor::MayGoFullscreen(window_);
  return !refusesFullscreen_;
}

void DesktopWindow::SetFullscreen(bool fullscreen) {
  if (fullscreen == fullscreen_ || (fullscreen && !MayGoFullscreen())) return;
  if (SDL_SetWindowFullscreen(window_, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    std::cerr << "reddoor: cannot " << (fullscreen ? "enter" : "leave")
              << " fullscreen: " << SDL_GetError() << '\n';
    return;
  }
  fullscreen_ = fullscreen;
  Invalidate();
}

std::string DesktopWindow::Caption() const {
  return ShownCaption(layout_.caption, speedPercent_, paused_);
}

void DesktopWindow::ShowPaused(bool paused) {
  if (paused == paused_) return;
  paused_ = paused;
  SDL_SetWindowTitle(window_, Caption().c_str());
  Invalidate();
}

std::string DesktopWindow::ButtonAt(const Scene& scene, int x, int y) const {
  for (const Control& c : scene.Controls()) {
    if (c.Kind() == ControlKind::Button && c.visible &&
        OnSurface(PixelsOf(c.Area(), scale_)).Contains(x, y)) {
      return std::string(c.Name());
    }
  }
  return {};
}

void DesktopWindow::Fit(int width, int height) {
  const int scale =
      fullscreen_ ? LargestScaleThatFits(layout_.clientWidth, layout_.clientHeight, width, height)
                  : windowedScale_;
  int x = 0, y = 0;
  if (fullscreen_) {
    x = std::max((width - TwipsToPixels(layout_.clientWidth, scale)) / 2, 0);
    y = std::max((height - TwipsToPixels(layout_.clientHeight, scale)) / 2, 0);
  }
  if (scale == scale_ && x == offsetX_ && y == offsetY_) return;
  scale_ = scale;
  offsetX_ = x;
  offsetY_ = y;
  Invalidate();
}

bool DesktopWindow::Present(const Scene& scene, const std::optional<TimerView>& timer) {
  SDL_Surface& surface = Surface();
  // Drawn for the size the window really has: the window manager may have kept it from
  // going fullscreen, whatever SDL's surface says. Asked only for a drawing of the whole
  // window, as every change of size brings.
  if (!drawnState_) {
    const SDL_Point size = RealSize(window_).value_or(SDL_Point{surface.w, surface.h});
    Fit(std::min(size.x, surface.w), std::min(size.y, surface.h));
  }
  VisualState state = CaptureVisualState(scene);
  std::vector<PixelRect> changed;
  const bool timerChanged = timer != drawnTimer_;
  if (drawnState_) {
    changed = ChangedPixels(*drawnState_, state);
    if (changed.empty() && !timerChanged) return false;
    // Where the timer was, the window shows through again.
    if (timerChanged && !timerRect_.Empty()) changed.push_back(timerRect_);
  }
  const bool whole = !drawnState_;
  drawnState_ = std::move(state);
  Renderer renderer = MakeRenderer();
  renderer.Draw(scene, canvas_);
  // Seen in fullscreen too, where there is no caption.
  if (paused_) renderer.DrawPaused(canvas_);
  timerRect_ = timer ? renderer.DrawTimer(*timer, canvas_) : PixelRect{};
  if (timerChanged && !timerRect_.Empty()) changed.push_back(timerRect_);
  drawnTimer_ = timer;
  if (whole || paused_) {
    DrawWhole(surface);
  } else {
    DrawParts(std::move(changed), surface);
  }
  return true;
}

std::vector<PixelRect> DesktopWindow::ChangedPixels(const VisualState& before,
                                                    const VisualState& after) const {
  std::vector<PixelRect> rects;
  for (const Box& box : ChangedBoxes(before, after)) {
    const PixelRect r = PixelsOf(box, scale_).Intersect(canvas_.Bounds());
    if (!r.Empty()) rects.push_back(r);
  }
  return rects;
}

PixelRect DesktopWindow::OnSurface(const PixelRect& rect) const {
  return rect.Moved(offsetX_, offsetY_);
}

// The surface goes stale when the window is resized, so it is asked for at every drawing.
SDL_Surface& DesktopWindow::Surface() const {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) {
    throw GameFault(fmt::format("cannot draw the window {}: {}", layout_.name, SDL_GetError()));
  }
  return *surface;
}

// A window made larger than its client area (the resizable one) shows its background in the
// space that the controls leave; the screen around the game in fullscreen is black.
void DesktopWindow::DrawWhole(SDL_Surface& surface) const {
  const Color back = fullscreen_ ? palette::kBlack : layout_.background;
  SDL_FillRect(&surface, nullptr,
               SDL_MapRGB(surface.format, RedOf(back), GreenOf(back), BlueOf(back)));
  Copy(canvas_.Bounds(), surface);
  SDL_UpdateWindowSurface(window_);
}

void DesktopWindow::DrawParts(std::vector<PixelRect> rects, SDL_Surface& surface) const {
  if (rects.size() > kMostRects) rects = {Around(rects)};
  std::vector<SDL_Rect> sent;
  for (const PixelRect& rect : rects) {
    const PixelRect r = OnSurface(rect).Intersect({0, 0, surface.w, surface.h});
    if (r.Empty()) continue;
    Copy(rect, surface);
    sent.push_back(ToSdl(r));
  }
  if (!sent.empty()) {
    SDL_UpdateWindowSurfaceRects(window_, sent.data(), static_cast<int>(sent.size()));
  }
}

void DesktopWindow::Copy(const PixelRect& rect, SDL_Surface& surface) const {
  // Only what lies on the surface: the canvas can be larger than a small window or screen.
  const PixelRect target = OnSurface(rect).Intersect({0, 0, surface.w, surface.h});
  if (target.Empty()) return;
  const PixelRect source = target.Moved(-offsetX_, -offsetY_);
  const int canvasPitch = canvas_.width * static_cast<int>(sizeof(Pixel));
  auto* pixels = static_cast<Uint8*>(surface.pixels) + target.top * surface.pitch +
                 target.left * surface.format->BytesPerPixel;
  SDL_ConvertPixels(source.Width(), source.Height(), SDL_PIXELFORMAT_ARGB8888,
                    canvas_.Row(source.top) + source.left, canvasPitch, surface.format->format,
                    pixels, surface.pitch);
}

}  // namespace reddoor
