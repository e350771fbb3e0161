// The player's steps: walking left and right, jumping and falling, 125 twips at a time, and
// standing on blocks and the floor or bumping the head on a block from below.
#include "base/checked.hpp"
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

void Level::Forward() {
  // Facing is the way he faced before this step: having just turned, he makes one step into
  // the block before it stops him.
  if (vars_.facing == Facing::Right && BlocksTouching() == Side::Right) return;
  vars_.facing = Facing::Right;
  if (Right(man_) <= OuterWidth()) {
    man_.picture = picForwards_.picture;
    man_.left = Add(man_.left, vars_.speed);
    if (KeyPressed(Key::Space)) vars_.jumping = true;
  }
}

void Level::Backwards() {
  if (vars_.facing == Facing::Left && BlocksTouching() == Side::Left) return;
  vars_.facing = Facing::Left;
  if (man_.left >= 0) {
    man_.picture = picBackwards_.picture;
    man_.left = Sub(man_.left, vars_.speed);
    if (KeyPressed(Key::Space)) vars_.jumping = true;
  }
}

void Level::Jump() {
  if (!vars_.jumping) return;
  if (vars_.CanTakeOff()) {
    vars_.jumpStart = man_.top;
    vars_.jumpPeak = Sub(vars_.jumpStart, vars_.jumpHeight);
    vars_.jumpPhase = JumpPhase::Up;
  }
  if (vars_.jumpPhase == JumpPhase::Up) {
    man_.top = Sub(man_.top, vars_.speed);
    if (man_.top <= vars_.jumpPeak) vars_.jumpPhase = JumpPhase::Down;
  }
  if (vars_.jumpPhase == JumpPhase::Down) {
    man_.top = Add(man_.top, vars_.speed);
    if (man_.top >= vars_.jumpStart) StopJump();
  }
}

void Level::Fall() {
  if (vars_.standing) {
    StopJump();
    return;
  }
  vars_.jumping = true;
  vars_.jumpPhase = JumpPhase::Down;
  vars_.jumpPeak = floor_.top;
}

void Level::StopJump() {
  vars_.jumpPhase = JumpPhase::None;
  vars_.jumpStart = 0;
  vars_.jumpPeak = 0;
  vars_.jumping = false;
}

// The side of the player that the highest-numbered block touching him meets.
Side Level::BlocksTouching() const {
  const Edges man = EdgesOf(man_);
  for (int i = block_.UBound(); i >= 0; --i) {
    const Side side = ControlTouch(man, EdgesOf(block_(i)));
    if (side != Side::None) return side;
  }
  return Side::None;
}

// Nothing here moves the player, so his edges are taken once.
void Level::Blocks() {
  const Edges man = EdgesOf(man_);
  const bool onFloor = InBetween(man.bottom, floor_.top - kFloorAbove, Bottom(floor_));
  for (const Control& control : block_) {
    const Edges block = EdgesOf(control);
    const bool overlap = HorizontalOverlap(man, block);
    if (overlap && man.top - kHeadMargin < block.bottom && man.top > block.top) {
      StopJump();
      Fall();
    }
    if (overlap && InBetween(man.bottom, block.top - kLandingAbove, block.top + kLandingBelow)) {
      vars_.standing = true;
      StopJump();
    }
    if (onFloor) {
      vars_.standing = true;
      StopJump();
    }
  }
}

}  // namespace reddoor
