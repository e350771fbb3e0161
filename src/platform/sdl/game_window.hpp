#pragma once
// The desktop window of one game window. It is made when the game window is first shown and
// kept for good: a death unloads and shows the same level again, and the player should not
// see the window vanish and come back. It draws itself again only where what it shows has
// changed since it was last drawn.
#include <SDL.h>

#include <optional>
#include <vector>

#include "scene/canvas.hpp"
#include "scene/layout.hpp"
#include "scene/renderer.hpp"
#include "scene/scene.hpp"
#include "scene/visual_state.hpp"

namespace reddoor {

class GameWindow {
 public:
  GameWindow(const WindowLayout& layout, Renderer& renderer);
  ~GameWindow();
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;

  SDL_Window* Handle() const { return window_; }
  Uint32 Id() const { return SDL_GetWindowID(window_); }

  void Show();
  void Hide();
  // Uncovered, resized or shown: the next Present draws the whole window.
  void Invalidate() { drawnState_.reset(); }
  // Brings the window up to date with the scene; false when nothing had changed.
  bool Present(const Scene& scene);

 private:
  // The pixels that differ between two states of the window.
  std::vector<PixelRect> ChangedPixels(const VisualState& before, const VisualState& after) const;
  PixelRect PixelsOf(const Box& box) const;
  SDL_Surface& Surface() const;
  void DrawWhole(SDL_Surface& surface) const;
  void DrawParts(std::vector<PixelRect> rects, SDL_Surface& surface) const;
  // Copies a part of the canvas into the same place on the surface.
  void Copy(const PixelRect& rect, SDL_Surface& surface) const;

  const WindowLayout& layout_;
  Renderer& renderer_;
  SDL_Window* window_ = nullptr;
  Canvas canvas_;
  // What the window showed when it was last drawn; none when it must be drawn whole.
  std::optional<VisualState> drawnState_;
};

}  // namespace reddoor
