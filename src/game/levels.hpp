#pragma once
// The three levels: what sets each apart from the others.
#include "game/level.hpp"

namespace reddoor {

class Level1 : public Level {
 public:
  explicit Level1(Runtime& runtime);
  void Special() override;

 protected:
  void HideAtLoad() override;
  void CountCoin() override;
  void AfterCoins() override;
};

class Level2 : public Level {
 public:
  explicit Level2(Runtime& runtime);
  void Special() override;

 protected:
  void HideAtLoad() override;
  void CountCoin() override;
  void AfterCoins() override;
};

// The player hangs this far below and to the right of the bird that carries him.
constexpr std::int32_t kCarriedBelowBird = 600;
constexpr std::int32_t kCarriedRightOfBird = 360;

// The last level: its coins start blocks moving, and its exit calls the bird that carries
// the player out of the window.
class Level3 : public Level {
 public:
  explicit Level3(Runtime& runtime);
  void Special() override;
  void tmrFly_Timer();

 protected:
  void BindControls() override;
  void HideAtLoad() override;
  void CountCoin() override;
  void AfterCoins() override;
  void OtherTimer(const ControlSpec& timer) override;

 private:
  void ApproachPlayer();

  Control* bird_ = nullptr;
  Control* label1_ = nullptr;
  Control* tmrFly_ = nullptr;
  Control* block16Timer_ = nullptr;
  Control* block17Timer_ = nullptr;
  // Scrolling steps of the flight; 0 again at every load.
  std::int32_t scrollCount_ = 0;
};

}  // namespace reddoor
