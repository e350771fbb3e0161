#include "world/contact.hpp"

#include "game/geometry.hpp"

namespace reddoor {

namespace {
// How far below a control's bottom edge a top edge still counts as underneath it.
constexpr std::int64_t kUnderneathMargin = 120;
// How far below a control's top edge a lower edge still counts as standing on it.
constexpr std::int64_t kStandingBand = 50;

bool VerticalOverlap(const Control& a, const Control& b) {
  return InBetween(a.top, b.top, Bottom(b)) || InBetween(Bottom(a), b.top, Bottom(b));
}
}  // namespace

std::string_view SideWord(Side side) {
  switch (side) {
    case Side::Top: return "Top";
    case Side::Bottom: return "Bottom";
    case Side::Left: return "Left";
    case Side::Right: return "Right";
    case Side::None: break;
  }
  return "";
}

bool HorizontalOverlap(const Control& a, const Control& b) {
  return InBetween(Right(a), b.left, Right(b)) || InBetween(a.left, b.left, Right(b));
}

Side ControlTouch(const Control& a, const Control& b) {
  const bool horizontal = HorizontalOverlap(a, b);
  const bool vertical = VerticalOverlap(a, b);
  Side side = Side::None;
  if (horizontal && a.top - kUnderneathMargin < Bottom(b) && a.top > b.top) side = Side::Bottom;
  if (vertical && Right(a) > b.left && Right(a) < Right(b)) side = Side::Right;
  if (vertical && a.left < Right(b) && a.left > b.left) side = Side::Left;
  if (horizontal && InBetween(Bottom(a), b.top, b.top + kStandingBand)) side = Side::Top;
  return side;
}

}  // namespace reddoor
