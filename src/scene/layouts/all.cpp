#include <array>

#include "scene/layout.hpp"

namespace reddoor {

std::span<const WindowLayout* const> AllLayouts() {
  static const std::array<const WindowLayout*, 5> kLayouts = {
      &IntroLayout(), &Level1Layout(), &Level2Layout(), &Level3Layout(), &FinishLayout()};
  return kLayouts;
}

}  // namespace reddoor
