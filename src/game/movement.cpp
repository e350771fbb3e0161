// The player's steps: walking left and right, jumping and falling, 125 twips at a time.
#include "game/geometry.hpp"
#include "game/level.hpp"

namespace reddoor {

void Level::Forward() {
  // Facing is the way he faced before this step: having just turned, he makes one step into
  // the block before it stops him.
  if (BlocksTouching() == Side::Right && Facing == 'R') return;
  Facing = 'R';
  if (Right(*man_) <= OuterWidth()) {
    man_->picture = picForwards_->picture;
    man_->left = Add(man_->left, Speed);
    if (KeyPressed(Key::Space)) Jumping = true;
  }
}

void Level::Backwards() {
  if (BlocksTouching() == Side::Left && Facing == 'L') return;
  Facing = 'L';
  if (man_->left >= 0) {
    man_->picture = picBackwards_->picture;
    man_->left = Sub(man_->left, Speed);
    if (KeyPressed(Key::Space)) Jumping = true;
  }
}

void Level::Jump() {
  if (!Jumping) return;
  if (JumpStart == 0 && JumpPeak == 0) {
    JumpStart = man_->top;
    JumpPeak = Sub(JumpStart, JumpHeight);
    JumpPhase = 'U';
  }
  if (JumpPhase == 'U') {
    man_->top = Sub(man_->top, Speed);
    if (man_->top <= JumpPeak) JumpPhase = 'D';
  }
  if (JumpPhase == 'D') {
    man_->top = Add(man_->top, Speed);
    if (man_->top >= JumpStart) StopJump();
  }
}

void Level::Fall() {
  if (Standing) {
    StopJump();
    return;
  }
  Jumping = true;
  JumpPhase = 'D';
  JumpPeak = floor_->top;
}

void Level::StopJump() {
  JumpPhase = 0;
  JumpStart = 0;
  JumpPeak = 0;
  Jumping = false;
}

}  // namespace reddoor
