#pragma once
// The desktop window of one game window. It is made when the game window is first shown and
// kept for good: a death unloads and shows the same level again, and the player should not
// see the window vanish and come back. It draws itself again only where what it shows has
// changed since it was last drawn.
//
// In a window the game is drawn at the chosen scale from the top left; in fullscreen at the
// largest whole scale that fits the screen, centred, with the rest of the screen black.
#include <SDL.h>

#include <optional>
#include <string>
#include <vector>

#include "scene/canvas.hpp"
#include "scene/layout.hpp"
#include "scene/renderer.hpp"
#include "scene/scene.hpp"
#include "scene/visual_state.hpp"
#include "sdl/media.hpp"

namespace reddoor {

class DesktopWindow {
 public:
  // Below 100 % of full speed the caption says how slowed the game runs.
  DesktopWindow(const WindowLayout& layout, SdlMedia& media, int scale, int speedPercent = 100);
  ~DesktopWindow();
  DesktopWindow(const DesktopWindow&) = delete;
  DesktopWindow& operator=(const DesktopWindow&) = delete;

  Uint32 Id() const { return SDL_GetWindowID(window_); }
  // The scale the window is drawn at now.
  int Scale() const { return scale_; }

  // Shown once, the window stays so until hidden: a window that the window manager has
  // minimized is not brought back but by the player.
  void Show();
  void Hide();
  // Takes the keyboard, with or without a window manager.
  void TakeFocus();
  // The layout has a new client size, or the window a new scale: the window takes its size.
  void Resize(int scale);
  // Puts the window over the middle of `parent`, and makes it modal for it.
  void CenterOnAsModal(const DesktopWindow& parent);
  // Fullscreen, where the desktop lets this window go fullscreen; windowed.
  void SetFullscreen(bool fullscreen);
  bool MayGoFullscreen();
  bool Fullscreen() const { return fullscreen_; }
  // While the game is paused the caption says "(paused)", and the window is drawn dimmed with
  // "Paused" over it.
  void ShowPaused(bool paused);
  // Uncovered, resized or shown: the next Present draws the whole window.
  void Invalidate() { drawnState_.reset(); }
  // Brings the window up to date with the scene, and the run timer over it; false when nothing
  // had changed.
  bool Present(const Scene& scene, const std::optional<TimerView>& timer = std::nullopt);
  // The name of the visible button under a point of the window, or an empty text.
  std::string ButtonAt(const Scene& scene, int x, int y) const;

 private:
  void SetIcon();
  Renderer MakeRenderer() const { return Renderer(media_, media_, scale_); }
  // Chooses the scale and the place of the picture for a window surface of this size.
  void Fit(int width, int height);
  // The pixels that differ between two states of the window.
  std::vector<PixelRect> ChangedPixels(const VisualState& before, const VisualState& after) const;
  SDL_Surface& Surface() const;
  void DrawWhole(SDL_Surface& surface) const;
  void DrawParts(std::vector<PixelRect> rects, SDL_Surface& surface) const;
  // Copies a part of the canvas into its place on the surface.
  void Copy(const PixelRect& rect, SDL_Surface& surface) const;
  // Where a part of the canvas lies on the surface.
  PixelRect OnSurface(const PixelRect& rect) const;

  std::string Caption() const;

  const WindowLayout& layout_;
  SdlMedia& media_;
  int speedPercent_;
  int windowedScale_;
  int scale_;
  bool fullscreen_ = false;
  bool refusesFullscreen_ = false;  // the window manager said so
  bool shown_ = false;
  bool paused_ = false;
  int offsetX_ = 0, offsetY_ = 0;  // where the canvas's top left lies on the surface
  SDL_Window* window_ = nullptr;
  Canvas canvas_;
  // What the window showed when it was last drawn; none when it must be drawn whole.
  std::optional<VisualState> drawnState_;
  std::optional<TimerView> drawnTimer_;
  PixelRect timerRect_{};  // where the timer was drawn
};

}  // namespace reddoor
