#pragma once
// Whether, and on which side, two controls touch. An edge test, not a rectangle overlap:
// it asks whether an edge of the first control lies within the other's extent, and never
// looks at visibility.
#include <string_view>

#include "scene/scene.hpp"

namespace reddoor {

enum class Side : std::uint8_t { None, Top, Bottom, Left, Right };

// The side word as the game names it: "Top", "Bottom", "Left", "Right" or "".
std::string_view SideWord(Side side);

// Side of `a` that meets `b`; when several tests pass, Top wins over Left over Right over
// Bottom.
Side ControlTouch(const Control& a, const Control& b);

// One of a's side edges lies within b's horizontal span, bounds included.
bool HorizontalOverlap(const Control& a, const Control& b);

}  // namespace reddoor
