#include "platform/sdl/game_window.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <string>

#include "scene/fault.hpp"

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
  for (const PixelRect& r : rects) {
    all = {std::min(all.left, r.left), std::min(all.top, r.top), std::max(all.right, r.right),
           std::max(all.bottom, r.bottom)};
  }
  return all;
}

SDL_Rect ToSdl(const PixelRect& r) {
  return {r.left, r.top, r.Width(), r.Height()};
}

}  // namespace

GameWindow::GameWindow(const WindowLayout& layout, Renderer& renderer)
    : layout_(layout), renderer_(renderer) {
  const std::string caption(layout.caption);
  window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                             renderer.ToPixels(layout.clientWidth),
                             renderer.ToPixels(layout.clientHeight), WindowFlags(layout));
  if (!window_) {
    throw GameFault(fmt::format("cannot open the window {}: {}", layout.name, SDL_GetError()));
  }
}

GameWindow::~GameWindow() {
  SDL_DestroyWindow(window_);
}

void GameWindow::Show() {
  if (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) return;
  SDL_ShowWindow(window_);
  // The window that comes up takes the keyboard, as the game expects of its next screen.
  SDL_RaiseWindow(window_);
  Invalidate();
}

void GameWindow::Hide() {
  if (SDL_GetWindowFlags(window_) & SDL_WINDOW_SHOWN) SDL_HideWindow(window_);
}

bool GameWindow::Present(const Scene& scene) {
  VisualState state = CaptureVisualState(scene);
  std::vector<PixelRect> changed;
  if (drawnState_) {
    changed = ChangedPixels(*drawnState_, state);
    if (changed.empty()) return false;
  }
  const bool whole = !drawnState_;
  drawnState_ = std::move(state);
  renderer_.Draw(scene, canvas_);
  SDL_Surface& surface = Surface();
  if (whole) {
    DrawWhole(surface);
  } else {
    DrawParts(std::move(changed), surface);
  }
  return true;
}

std::vector<PixelRect> GameWindow::ChangedPixels(const VisualState& before,
                                                 const VisualState& after) const {
  std::vector<PixelRect> rects;
  for (const Box& box : ChangedBoxes(before, after)) {
    const PixelRect r = PixelsOf(box).Intersect(canvas_.Bounds());
    if (!r.Empty()) rects.push_back(r);
  }
  return rects;
}

// The pixels the renderer gives a control with this box.
PixelRect GameWindow::PixelsOf(const Box& box) const {
  const int left = renderer_.ToPixels(box.left), top = renderer_.ToPixels(box.top);
  return {left, top, left + std::max(renderer_.ToPixels(box.width), 0),
          top + std::max(renderer_.ToPixels(box.height), 0)};
}

// The surface goes stale when the window is resized, so it is asked for at every drawing.
SDL_Surface& GameWindow::Surface() const {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (!surface) {
    throw GameFault(fmt::format("cannot draw the window {}: {}", layout_.name, SDL_GetError()));
  }
  return *surface;
}

// A window made larger than its client area (the resizable one) shows its background in the
// space that the controls leave.
void GameWindow::DrawWhole(SDL_Surface& surface) const {
  const Color back = layout_.background;
  SDL_FillRect(&surface, nullptr,
               SDL_MapRGB(surface.format, RedOf(back), GreenOf(back), BlueOf(back)));
  Copy(canvas_.Bounds().Intersect({0, 0, surface.w, surface.h}), surface);
  SDL_UpdateWindowSurface(window_);
}

void GameWindow::DrawParts(std::vector<PixelRect> rects, SDL_Surface& surface) const {
  if (rects.size() > kMostRects) rects = {Around(rects)};
  std::vector<SDL_Rect> sent;
  for (const PixelRect& rect : rects) {
    const PixelRect r = rect.Intersect({0, 0, surface.w, surface.h});
    if (r.Empty()) continue;
    Copy(r, surface);
    sent.push_back(ToSdl(r));
  }
  if (!sent.empty()) {
    SDL_UpdateWindowSurfaceRects(window_, sent.data(), static_cast<int>(sent.size()));
  }
}

void GameWindow::Copy(const PixelRect& rect, SDL_Surface& surface) const {
  if (rect.Empty()) return;
  const int canvasPitch = canvas_.width * static_cast<int>(sizeof(Pixel));
  auto* target = static_cast<Uint8*>(surface.pixels) + rect.top * surface.pitch +
                 rect.left * surface.format->BytesPerPixel;
  SDL_ConvertPixels(rect.Width(), rect.Height(), SDL_PIXELFORMAT_ARGB8888,
                    canvas_.Row(rect.top) + rect.left, canvasPitch, surface.format->format, target,
                    surface.pitch);
}

}  // namespace reddoor
