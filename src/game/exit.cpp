// The level exits: the door leads on to the next level; on the last level it calls the bird,
// which flies to the player, picks him up and carries him out of the window.
#include "base/checked.hpp"
#include "game/level.hpp"
#include "game/runtime.hpp"
#include "game/screen_flow.hpp"

namespace reddoor {

namespace {
// The player hangs this far below and to the right of the bird that carries him.
constexpr std::int32_t kCarriedBelowBird = 600;
constexpr std::int32_t kCarriedRightOfBird = 360;
// The bird aims this far above the player's top edge ...
constexpr std::int32_t kBirdAimAbove = 200;
// ... and comes at most this far a game tick on each axis.
constexpr std::int32_t kBirdStep = 60;
// The flight first slides the scene down out of the window, 200 steps of 100 twips ...
constexpr std::int32_t kScrollStep = 100;
constexpr std::int32_t kScrollSteps = 200;
// ... then the bird rises with the player, 10 twips a step, ...
constexpr std::int32_t kRiseStep = 10;
// ... until the player's top edge is this far above the window: the game is complete.
constexpr std::int32_t kGoneAbove = -1000;

void Lower(const ControlArray& controls) {
  for (Control& c : controls) c.top = Add(c.top, kScrollStep);
}
}  // namespace

void Level::Special() {
  if (rules_.exit == ExitKind::Bird) return CallBird();
  if (ControlTouch(man_, door_) == Side::None) return;
  if (rules_.exitStopsGameTimer) SetTimerEnabled(tmrGame_, false);
  // Otherwise the next level's load handler stops this level's game timer.
  SwitchWindow(*this, runtime_.Get(rules_.next));
}

void Level::CallBird() {
  // Both are asked on every tick: the key query also clears the key's pressed-since mark.
  const bool atDoor = ControlTouch(man_, door_) != Side::None;
  const bool keyE = KeyPressed(Key::E);
  if (atDoor || keyE) {
    door_.visible = false;
    vars_.birdCalled = true;
    bird_->visible = true;
  }
  if (!vars_.birdCalled) return;
  ApproachPlayer();
  if (ControlTouch(man_, *bird_) != Side::None) {
    man_.top = Add(bird_->top, kCarriedBelowBird);
    man_.left = Add(bird_->left, kCarriedRightOfBird);
    vars_.birdCalled = false;
    vars_.birdCarrying = true;
  }
  if (vars_.birdCarrying) {
    vars_.scrolling = true;
    SetTimerEnabled(tmrGame_, false);
    SetTimerEnabled(*tmrFly_, true);
  }
}

// Each axis is corrected twice with fresh readings, so a bird nearer than one step to its
// target goes past it and straight back.
void Level::ApproachPlayer() {
  Control& bird = *bird_;
  const std::int32_t targetTop = Sub(man_.top, kBirdAimAbove);
  if (targetTop < bird.top) bird.top = Sub(bird.top, kBirdStep);
  if (targetTop > bird.top) bird.top = Add(bird.top, kBirdStep);
  if (man_.left > bird.left) bird.left = Add(bird.left, kBirdStep);
  if (man_.left < bird.left) bird.left = Sub(bird.left, kBirdStep);
}

void Level::FlightStep() {
  if (vars_.scrolling) {
    Lower(block_);
    Lower(coin_);
    Lower(monster_);
    floor_.top = Add(floor_.top, kScrollStep);
    Lower(water_);
    scrollCount_ = Add(scrollCount_, 1);
    lblTotalCoins_.visible = false;
    label1_->visible = false;
    door_.visible = false;
    if (scrollCount_ == kScrollSteps) vars_.scrolling = false;
    return;
  }
  bird_->top = Sub(bird_->top, kRiseStep);
  man_.top = Add(bird_->top, kCarriedBelowBird);
  man_.left = Add(bird_->left, kCarriedRightOfBird);
  if (man_.top < kGoneAbove) SwitchWindow(*this, runtime_.Get(rules_.next));
}

}  // namespace reddoor
