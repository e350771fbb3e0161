#pragma once
// Whether, and on which side, two controls touch. An edge test, not a rectangle overlap:
// it asks whether an edge of the first control lies within the other's extent, and never
// looks at visibility. The tests run for every block, coin and pool on every game tick, so
// they are inline.
#include <string_view>

#include "game/geometry.hpp"
#include "scene/scene.hpp"

namespace reddoor {

enum class Side : std::uint8_t { None, Top, Bottom, Left, Right };

// The side word as the game names it: "Top", "Bottom", "Left", "Right" or "".
std::string_view SideWord(Side side);

// One of a's side edges lies within b's horizontal span, bounds included.
inline bool HorizontalOverlap(const Control& a, const Control& b) {
  return InBetween(Right(a), b.left, Right(b)) || InBetween(a.left, b.left, Right(b));
}

// Side of `a` that meets `b`; when several tests pass, Top wins over Left over Right over
// Bottom.
inline Side ControlTouch(const Control& a, const Control& b) {
  // How far below a control's bottom edge a top edge still counts as underneath it.
  constexpr std::int64_t kUnderneathMargin = 120;
  // How far below a control's top edge a lower edge still counts as standing on it.
  constexpr std::int64_t kStandingBand = 50;
  const bool horizontal = HorizontalOverlap(a, b);
  const bool vertical =
      InBetween(a.top, b.top, Bottom(b)) || InBetween(Bottom(a), b.top, Bottom(b));
  // Every side needs one of the two: most controls are far from the player.
  if (!horizontal && !vertical) return Side::None;
  Side side = Side::None;
  if (horizontal && a.top - kUnderneathMargin < Bottom(b) && a.top > b.top) side = Side::Bottom;
  if (vertical && Right(a) > b.left && Right(a) < Right(b)) side = Side::Right;
  if (vertical && a.left < Right(b) && a.left > b.left) side = Side::Left;
  if (horizontal && InBetween(Bottom(a), b.top, b.top + kStandingBand)) side = Side::Top;
  return side;
}

}  // namespace reddoor
