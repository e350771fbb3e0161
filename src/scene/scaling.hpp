#pragma once
// Twips to pixels at a whole scale, and the largest scale at which a window fits a space.
#include <cstdint>

namespace reddoor {

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
