#pragma once
// What a window shows, as a value: the properties of its controls that the game changes and
// the drawing reads. A window is drawn again only where its shown state differs from the one
// last drawn, so the game never has to ask for a redraw.
#include <cstdint>
#include <string>
#include <vector>

#include "scene/layout.hpp"
#include "scene/scene.hpp"

namespace reddoor {

struct ControlLook {
  std::int32_t left = 0, top = 0, width = 0, height = 0;
  bool visible = true;
  PictureId picture = PictureId::None;
  std::string caption;
  Color foreColor = 0;

  Box Area() const { return {left, top, width, height}; }
  // Two hidden controls look the same wherever they are.
  bool SameOnScreen(const ControlLook& other) const;
};

// One look per control that has a box, in the scene's order.
using VisualState = std::vector<ControlLook>;

VisualState CaptureVisualState(const Scene& scene);

// The boxes to draw again to go from `before` to `after`, two states of the same window: the
// old and the new box of every control whose look changed.
std::vector<Box> ChangedBoxes(const VisualState& before, const VisualState& after);

}  // namespace reddoor
