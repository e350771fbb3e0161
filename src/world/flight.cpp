// The flight at the end of the last level: first the scene slides down out of the window
// while the bird and the player stay, then the bird rises with the player below it.
#include "app/screen_flow.hpp"
#include "game/levels.hpp"

namespace reddoor {

namespace {
constexpr std::int32_t kScrollStep = 100;
constexpr std::int32_t kScrollSteps = 200;
constexpr std::int32_t kRiseStep = 10;
// Once the player's top edge is this far above the window, the game is complete.
constexpr std::int32_t kGoneAbove = -1000;

void Lower(const ControlArray& controls) {
  for (Control& c : controls) c.top = Add(c.top, kScrollStep);
}
}  // namespace

void Level3::tmrFly_Timer() {
  if (Scrolling) {
    Lower(block_);
    Lower(coin_);
    Lower(monster_);
    floor_->top = Add(floor_->top, kScrollStep);
    Lower(water_);
    scrollCount_ = Add(scrollCount_, 1);
    lblTotalCoins_->visible = false;
    label1_->visible = false;
    door_->visible = false;
    if (scrollCount_ == kScrollSteps) Scrolling = false;
    return;
  }
  bird_->top = Sub(bird_->top, kRiseStep);
  man_->top = Add(bird_->top, kCarriedBelowBird);
  man_->left = Add(bird_->left, kCarriedRightOfBird);
  if (man_->top < kGoneAbove) Main::SwitchForm(*this, runtime_.Window(FormId::Finish));
}

}  // namespace reddoor
