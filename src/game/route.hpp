#pragma once
// A route of direction letters ("LR", "RLR", "D") and the place along it: monsters patrol along
// one, and so do the blocks that move by themselves.
#include <cstdint>
#include <string_view>

#include "base/checked.hpp"

namespace reddoor {

struct Route {
  std::string_view letters;
  std::int16_t position = 0;  // 1-based; 0 before the first leg

  // The first leg starts at the first letter.
  void Start() {
    if (position == 0) position = 1;
  }
  // The letter of the current leg; 0 when the position lies outside the route.
  char Letter() const {
    if (position < 1 || static_cast<std::size_t>(position) > letters.size()) return 0;
    return letters[static_cast<std::size_t>(position) - 1];
  }
  // On to the next leg; after the last letter the route goes on at `restart`.
  void NextLeg(std::int16_t restart) {
    position = static_cast<std::size_t>(position) == letters.size()
                   ? restart
                   : Add(position, std::int16_t{1});
  }
};

}  // namespace reddoor
