// The level exits: the door leads on to the next level; on the last level it calls the bird,
// which flies to the player and picks him up.
#include "app/screen_flow.hpp"
#include "game/levels.hpp"

namespace reddoor {

namespace {
// The bird aims this far above the player's top edge ...
constexpr std::int32_t kBirdAimAbove = 200;
// ... and comes at most this far a game tick on each axis.
constexpr std::int32_t kBirdStep = 60;
}  // namespace

void Level1::Special() {
  if (ControlTouch(*man_, *door_) == Side::None) return;
  SetTimerEnabled(*tmrGame_, false);
  Main::SwitchForm(*this, runtime_.Window(FormId::Level2));
}

void Level2::Special() {
  if (ControlTouch(*man_, *door_) == Side::None) return;
  // The game timer of this level is stopped by the next level's load handler.
  Main::SwitchForm(*this, runtime_.Window(FormId::Level3));
}

void Level3::Special() {
  if (LevelCoins == 5) door_->visible = true;
  // Both are asked on every tick: the key query also clears the key's pressed-since mark.
  const bool atDoor = ControlTouch(*man_, *door_) != Side::None;
  const bool keyE = KeyPressed(Key::E);
  if (atDoor || keyE) {
    door_->visible = false;
    BirdCalled = true;
    bird_->visible = true;
  }
  if (!BirdCalled) return;
  ApproachPlayer();
  if (ControlTouch(*man_, *bird_) != Side::None) {
    man_->top = Add(bird_->top, kCarriedBelowBird);
    man_->left = Add(bird_->left, kCarriedRightOfBird);
    BirdCalled = false;
    BirdCarrying = true;
  }
  if (BirdCarrying) {
    Scrolling = true;
    SetTimerEnabled(*tmrGame_, false);
    SetTimerEnabled(*tmrFly_, true);
  }
}

// Each axis is corrected twice with fresh readings, so a bird nearer than one step to its
// target goes past it and straight back.
void Level3::ApproachPlayer() {
  const std::int32_t targetTop = Sub(man_->top, kBirdAimAbove);
  if (targetTop < bird_->top) bird_->top = Sub(bird_->top, kBirdStep);
  if (targetTop > bird_->top) bird_->top = Add(bird_->top, kBirdStep);
  if (man_->left > bird_->left) bird_->left = Add(bird_->left, kBirdStep);
  if (man_->left < bird_->left) bird_->left = Sub(bird_->left, kBirdStep);
}

}  // namespace reddoor
