#pragma once
// Boxes in twips, the world's unit, and rectangles in pixels, the screen's; twips to pixels at a
// whole scale.
#include <algorithm>
#include <cstdint>

namespace reddoor {

// True when min <= value <= max; false for every value when min > max.
constexpr bool InBetween(std::int64_t value, std::int64_t min, std::int64_t max) {
  return min <= value && value <= max;
}

// A box in twips: x grows to the right, y downwards, from a window's top-left corner.
struct Box {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
};

// A rectangle of pixels, right and bottom exclusive.
struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Empty() const { return right <= left || bottom <= top; }
  constexpr bool Contains(int x, int y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  constexpr PixelRect Intersect(const PixelRect& o) const {
    return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
            std::min(bottom, o.bottom)};
  }
  // The smallest rectangle holding both.
  constexpr PixelRect Union(const PixelRect& o) const {
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
            std::max(bottom, o.bottom)};
  }
  // The rectangle with `by` pixels taken off each side.
  constexpr PixelRect Shrunk(int by) const {
    return {left + by, top + by, right - by, bottom - by};
  }
  constexpr PixelRect Moved(int dx, int dy) const {
    return {left + dx, top + dy, right + dx, bottom + dy};
  }
};

// At scale 1 a pixel is 15 twips (96 dots per inch).
constexpr int kTwipsPerPixel = 15;
constexpr int kMaxScale = 8;

// To the nearest pixel, negative lengths too: floor((2 * twips * scale + 15) / 30). A pixel
// is an odd number of twips, so no length lies halfway between two.
constexpr int TwipsToPixels(std::int32_t twips, int scale) {
  const std::int64_t a = 2 * std::int64_t{twips} * scale + kTwipsPerPixel;
  const std::int64_t b = 2 * kTwipsPerPixel;
  return static_cast<int>(a / b - (a % b != 0 && a < 0 ? 1 : 0));
}

// The pixels that a box covers. Position and size are rounded separately, so a box keeps its
// size in pixels wherever it moves.
constexpr PixelRect PixelsOf(const Box& box, int scale) {
  const int left = TwipsToPixels(box.left, scale), top = TwipsToPixels(box.top, scale);
  return {left, top, left + std::max(TwipsToPixels(box.width, scale), 0),
          top + std::max(TwipsToPixels(box.height, scale), 0)};
}

// The largest scale from 1 to kMaxScale at which a client area of this size in twips fits in
// a space of this size in pixels; 1 when even that does not fit.
constexpr int LargestScaleThatFits(std::int32_t widthTwips, std::int32_t heightTwips,
                                   int spaceWidth, int spaceHeight) {
  int scale = kMaxScale;
  while (scale > 1 && (TwipsToPixels(widthTwips, scale) > spaceWidth ||
                       TwipsToPixels(heightTwips, scale) > spaceHeight)) {
    --scale;
  }
  return scale;
}

}  // namespace reddoor
