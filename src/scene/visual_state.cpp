#include "scene/visual_state.hpp"

#include <algorithm>

namespace reddoor {

bool ControlLook::SameOnScreen(const ControlLook& other) const {
  if (!visible && !other.visible) return true;
  return left == other.left && top == other.top && width == other.width && height == other.height &&
         visible == other.visible && picture == other.picture && caption == other.caption &&
         foreColor == other.foreColor;
}

VisualState CaptureVisualState(const Scene& scene) {
  VisualState state;
  for (const Control& c : scene.Controls()) {
    if (c.Kind() == ControlKind::Timer) continue;
    state.push_back(
        {c.left, c.top, c.width, c.height, c.visible, c.picture, c.caption, c.foreColor});
  }
  return state;
}

std::vector<Box> ChangedBoxes(const VisualState& before, const VisualState& after) {
  std::vector<Box> boxes;
  const std::size_t common = std::min(before.size(), after.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (before[i].SameOnScreen(after[i])) continue;
    if (before[i].visible) boxes.push_back(before[i].Area());
    if (after[i].visible) boxes.push_back(after[i].Area());
  }
  return boxes;
}

}  // namespace reddoor
