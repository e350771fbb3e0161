#pragma once
// A window's picture in memory: 32-bit pixels 0xAARRGGBB, row by row, so that a window
// surface of that format takes it as it is. Every drawing call clips to the canvas.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/geometry.hpp"
#include "scene/color.hpp"

namespace reddoor {

using Pixel = std::uint32_t;

constexpr Pixel ToPixel(Color c) {
  return 0xFF000000u | (Pixel{RedOf(c)} << 16) | (Pixel{GreenOf(c)} << 8) | BlueOf(c);
}

struct Canvas {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;

  void Resize(int w, int h) {
    width = w;
    height = h;
    pixels.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  }
  PixelRect Bounds() const { return {0, 0, width, height}; }
  Pixel* Row(int y) { return pixels.data() + static_cast<std::ptrdiff_t>(y) * width; }
  const Pixel* Row(int y) const { return pixels.data() + static_cast<std::ptrdiff_t>(y) * width; }
  Pixel At(int x, int y) const { return Row(y)[x]; }
};

// Sets `count` pixels from `first` on. A loop of single stores is slow at this size, so the
// pixels set so far are copied onto the rest, doubling each time.
inline void FillPixels(Pixel* first, std::ptrdiff_t count, Pixel pixel) {
  constexpr std::ptrdiff_t kSeed = 16;
  std::fill(first, first + std::min(count, kSeed), pixel);
  for (std::ptrdiff_t done = kSeed; done < count;) {
    const std::ptrdiff_t n = std::min(done, count - done);
    std::memcpy(first + done, first, static_cast<std::size_t>(n) * sizeof(Pixel));
    done += n;
  }
}

// Fills the part of `rect` that lies on the canvas: its first row, copied onto the others.
inline void FillRect(Canvas& canvas, const PixelRect& rect, Pixel pixel) {
  const PixelRect r = rect.Intersect(canvas.Bounds());
  if (r.Empty()) return;
  const Pixel* first = canvas.Row(r.top) + r.left;
  FillPixels(canvas.Row(r.top) + r.left, r.Width(), pixel);
  for (int y = r.top + 1; y < r.bottom; ++y) {
    std::memcpy(canvas.Row(y) + r.left, first, static_cast<std::size_t>(r.Width()) * sizeof(Pixel));
  }
}

}  // namespace reddoor
