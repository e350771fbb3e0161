#pragma once
// Colours are stored as the game stores them: 0x00BBGGRR, red in the lowest byte.
#include <cstdint>

namespace reddoor {

using Color = std::uint32_t;

constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return Color{r} | (Color{g} << 8) | (Color{b} << 16);
}
constexpr std::uint8_t RedOf(Color c) {
  return c & 0xFF;
}
constexpr std::uint8_t GreenOf(Color c) {
  return (c >> 8) & 0xFF;
}
constexpr std::uint8_t BlueOf(Color c) {
  return (c >> 16) & 0xFF;
}

namespace palette {
constexpr Color kSky = Rgb(128, 255, 255);
constexpr Color kEarth = Rgb(64, 0, 0);
constexpr Color kGrass = Rgb(0, 255, 0);
constexpr Color kDarkGrass = Rgb(0, 192, 0);
constexpr Color kRed = Rgb(255, 0, 0);
constexpr Color kBlue = Rgb(0, 0, 255);
constexpr Color kGold = Rgb(192, 192, 0);
constexpr Color kYellow = Rgb(255, 255, 0);
constexpr Color kCyan = Rgb(0, 255, 255);
constexpr Color kBlack = Rgb(0, 0, 0);
// The desktop's system colours, at their usual values.
constexpr Color kWindowBackground = Rgb(255, 255, 255);
constexpr Color kWindowText = Rgb(0, 0, 0);
constexpr Color kButtonFace = Rgb(192, 192, 192);
constexpr Color kButtonText = Rgb(0, 0, 0);
}  // namespace palette

}  // namespace reddoor
