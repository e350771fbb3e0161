#pragma once
// Whether, and on which side, two controls touch. An edge test, not a rectangle overlap: it
// asks whether an edge of the first control lies within the other's extent, and never looks at
// visibility. The tests run for every block, coin and pool on every game tick, so they are
// inline, and a pass over many controls takes the player's edges once.
#include <cstdint>

#include "base/geometry.hpp"
#include "scene/scene.hpp"

namespace reddoor {

// A control's edges, computed wide so that no sum of two coordinates wraps.
struct Edges {
  std::int64_t left = 0, top = 0, right = 0, bottom = 0;
};

inline Edges EdgesOf(const Control& c) {
  return {c.left, c.top, std::int64_t{c.left} + c.width, std::int64_t{c.top} + c.height};
}
inline std::int64_t Right(const Control& c) {
  return std::int64_t{c.left} + c.width;
}
inline std::int64_t Bottom(const Control& c) {
  return std::int64_t{c.top} + c.height;
}

enum class Side : std::uint8_t { None, Top, Bottom, Left, Right };

// One of a's side edges lies within b's horizontal span, bounds included.
inline bool HorizontalOverlap(const Edges& a, const Edges& b) {
  return InBetween(a.right, b.left, b.right) || InBetween(a.left, b.left, b.right);
}

// a's top or bottom edge lies within b's vertical span, bounds included.
inline bool VerticalOverlap(const Edges& a, const Edges& b) {
  return InBetween(a.top, b.top, b.bottom) || InBetween(a.bottom, b.top, b.bottom);
}

// A side edge of `a` within b's width and a top or bottom edge within its height.
inline bool Touches(const Edges& a, const Edges& b) {
  return HorizontalOverlap(a, b) && VerticalOverlap(a, b);
}

// Side of `a` that meets `b`; when several tests pass, Top wins over Left over Right over
// Bottom.
inline Side ControlTouch(const Edges& a, const Edges& b) {
  // How far below a control's bottom edge a top edge still counts as underneath it.
  constexpr std::int64_t kUnderneathMargin = 120;
  // How far below a control's top edge a lower edge still counts as standing on it.
  constexpr std::int64_t kStandingBand = 50;
  // Wholly left or right of `a`, `b` meets none of its sides: so it is with most controls,
  // far from the player.
  if (a.left <= a.right && (b.left > a.right || b.right < a.left)) return Side::None;
  const bool horizontal = HorizontalOverlap(a, b);
  const bool vertical = VerticalOverlap(a, b);
  if (!horizontal && !vertical) return Side::None;
  if (horizontal && InBetween(a.bottom, b.top, b.top + kStandingBand)) return Side::Top;
  if (vertical && a.left < b.right && a.left > b.left) return Side::Left;
  if (vertical && a.right > b.left && a.right < b.right) return Side::Right;
  if (horizontal && a.top - kUnderneathMargin < b.bottom && a.top > b.top) return Side::Bottom;
  return Side::None;
}

inline Side ControlTouch(const Control& a, const Control& b) {
  return ControlTouch(EdgesOf(a), EdgesOf(b));
}

}  // namespace reddoor
