// Water is deadly. The pass goes on after a death, over the restarted level.
#include "game/level.hpp"

namespace reddoor {

void Level::Waters() {
  const int last = water_.UBound();
  for (int i = 0; i <= last; ++i) {
    if (ControlTouch(*man_, water_(i)) != Side::None) Die("You Cant Swim?");
  }
}

}  // namespace reddoor
