// Standing on blocks and on the floor, and bumping the head on a block from below.
#include "game/geometry.hpp"
#include "game/level.hpp"

namespace reddoor {

namespace {
// The player's top edge less than this far below a block's bottom edge bumps his head.
constexpr std::int64_t kHeadMargin = 120;
// He lands when his lower edge is from this far above a block's top edge ...
constexpr std::int64_t kLandingAbove = 50;
// ... to this far below it.
constexpr std::int64_t kLandingBelow = 100;
// He stands on the floor from this far above its top edge down to its bottom edge.
constexpr std::int64_t kFloorAbove = 25;
}  // namespace

Side Level::BlocksTouching() const {
  Side side = Side::None;
  for (const Control& block : block_) {
    const Side touch = ControlTouch(*man_, block);
    if (touch != Side::None) side = touch;
  }
  return side;
}

void Level::Blocks() {
  const int last = block_.UBound();
  for (int i = 0; i <= last; ++i) {
    const Control& block = block_(i);
    const bool overlap = HorizontalOverlap(*man_, block);
    if (overlap && man_->top - kHeadMargin < Bottom(block) && man_->top > block.top) {
      StopJump();
      Fall();
    }
    if (overlap &&
        InBetween(Bottom(*man_), block.top - kLandingAbove, block.top + kLandingBelow)) {
      Standing = true;
      StopJump();
    }
    if (InBetween(Bottom(*man_), floor_->top - kFloorAbove, Bottom(*floor_))) {
      Standing = true;
      StopJump();
    }
  }
}

}  // namespace reddoor
