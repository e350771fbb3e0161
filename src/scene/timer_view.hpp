#pragma once
// The run timer as it is drawn over a window, in its bottom right corner: the run's time and,
// once a level is left, that level's split with its difference from the best, in the colour
// that tells ahead from behind. Drawn only by the real windows; no layout knows it.
#include <string>

#include "scene/color.hpp"

namespace reddoor {

namespace timer_colors {
constexpr Color kText = Rgb(255, 255, 255);
constexpr Color kAhead = Rgb(96, 255, 96);
constexpr Color kBehind = Rgb(255, 112, 96);
// Under the text, so that it reads over the sky, the earth and the water alike.
constexpr Color kPlate = Rgb(0, 0, 0);
}  // namespace timer_colors

struct TimerView {
  std::string time;   // "1:23.4", "1:23.4 at 50%" while slowed
  std::string split;  // "Level1 0:41.2 -1.3"; empty before the first level is left
  Color splitColor = timer_colors::kText;
  friend bool operator==(const TimerView&, const TimerView&) = default;
};

}  // namespace reddoor
