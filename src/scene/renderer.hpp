#pragma once
// Draws a window's controls into a canvas, the way the window shows them: background, then
// shapes and labels, then picture boxes and the button, each from the highest rank to rank 1.
// Text and pictures come from the platform through the two interfaces below.
#include <cstdint>
#include <string_view>
#include <vector>

#include "scene/canvas.hpp"
#include "scene/layout.hpp"
#include "scene/pictures.hpp"
#include "scene/scene.hpp"
#include "scene/timer_view.hpp"

namespace reddoor {

// One line of text as 8-bit coverage, 255 where the text is fully opaque. Its height is the
// font's line height.
struct GlyphMask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> coverage;  // row by row
};

class TextRasterizer {
 public:
  virtual ~TextRasterizer() = default;
  // One line of text drawn in `font` at `scale` times its size. The mask stays valid as long
  // as the rasterizer lives.
  virtual const GlyphMask& Render(const Font& font, int scale, std::string_view text) = 0;
  // Distance from one line's top to the next.
  virtual int LineHeight(const Font& font, int scale) = 0;
  virtual int Width(const Font& font, int scale, std::string_view text) = 0;
};

class PictureSource {
 public:
  virtual ~PictureSource() = default;
  // The decoded picture; empty for PictureId::None. Valid as long as the source lives.
  virtual const Image& Picture(PictureId id) = 0;
};

class Renderer {
 public:
  // At `scale` N every length is N times its size at 96 dots per inch: text comes from the
  // font at N times its size, pictures are enlarged by whole pixels, borders are N pixels.
  Renderer(TextRasterizer& text, PictureSource& pictures, int scale = 1);

  // The pixels that a control covers.
  PixelRect BoxOf(const Control& control) const { return PixelsOf(control.Area(), scale_); }

  // Draws the whole client area of the scene's window; the canvas takes the client size.
  void Draw(const Scene& scene, Canvas& canvas);
  // Dims a drawn window and writes "Paused" across it.
  void DrawPaused(Canvas& canvas);
  // Draws the run timer in the bottom right corner of a drawn window; returns where.
  PixelRect DrawTimer(const TimerView& timer, Canvas& canvas);

 private:
  void DrawShape(const Control& control, Canvas& canvas) const;
  void DrawLabel(const Control& control, Canvas& canvas);
  void DrawButton(const Control& control, Canvas& canvas);
  void DrawPictureBox(const Control& control, Canvas& canvas);
  // The caption broken at spaces into lines no wider than `width` where the words allow.
  std::vector<std::string_view> WrapText(const Font& font, std::string_view text, int width);

  TextRasterizer& text_;
  PictureSource& pictures_;
  int scale_;
};

}  // namespace reddoor
