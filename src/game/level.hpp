#pragma once
// A level window: the player, the blocks, the hazards and the pickups of one screen, played
// by a 100 ms game tick. The three levels share this class; what differs between them is
// data (LevelRules) and the small overrides of Level1, Level2 and Level3.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "game/form.hpp"
#include "game/runtime.hpp"
#include "scene/fault.hpp"
#include "world/contact.hpp"

namespace reddoor {

// A block that moves by itself on a timer of its own, along a route of direction letters.
struct MovingBlock {
  std::string_view timer;
  int block = 0;
  std::string_view route;
  std::int32_t rightBound = 0;  // an "R" leg ends at Left >= this
  std::int32_t leftBound = 0;   // an "L" leg ends at Left <= this
  std::int32_t lowerBound = 0;  // a "D" leg ends at Top >= this
};

struct LevelRules {
  std::int32_t jumpHeight = 0;
  // The level before, whose game timer this level's load handler stops.
  std::optional<FormId> previous;
  std::span<const MovingBlock> movingBlocks;
};

class Level : public Form {
 public:
  Level(Runtime& runtime, const WindowLayout& layout, const LevelRules& rules);

  // The level's member variables. They survive an unload: only NewGame resets some.
  std::int32_t LevelCoins = 0;
  bool BirdCalled = false;
  bool BirdCarrying = false;
  bool Scrolling = false;
  std::int32_t Speed = 0;
  std::int32_t JumpHeight = 0;
  char Facing = 0;  // 'R', 'L', or 0 before the first step
  bool Jumping = false;
  std::int32_t JumpStart = 0;
  std::int32_t JumpPeak = 0;
  char JumpPhase = 0;  // 'U' rising, 'D' falling, 0 on the ground
  bool Standing = false;
  bool Dead = false;

  void Timer(const ControlSpec& timer) override;

  // The game tick and its procedures.
  void tmrGame_Timer();
  void NewGame();
  void Die(std::string_view message);
  void Forward();
  void Backwards();
  void Jump();
  void Fall();
  void StopJump();
  Side BlocksTouching() const;
  void Blocks();
  void Waters();
  void Monsters();
  void Coins();
  virtual void Special() = 0;

  // The outer width of the window, frame included: the player's right-hand limit.
  std::int32_t OuterWidth() const { return Layout().clientWidth + 2 * kFrameTwips; }

 protected:
  void BindControls() override;
  void Form_Load() override;
  // The load handler's own step: what this level hides before the game starts.
  virtual void HideAtLoad() = 0;
  // One coin taken: raise the counts this level keeps, in its order.
  virtual void CountCoin() = 0;
  // After every coin pass, taken or not.
  virtual void AfterCoins() = 0;
  // Timers other than the game tick and the moving blocks.
  virtual void OtherTimer(const ControlSpec& /*timer*/) {}

  bool KeyPressed(Key key) { return runtime_.platform().KeyPressed(key); }
  void ShowTotalCoins(Color color);

  // The controls the logic uses, looked up afresh at every load.
  Control* man_ = nullptr;
  Control* picForwards_ = nullptr;
  Control* picBackwards_ = nullptr;
  Control* floor_ = nullptr;
  Control* door_ = nullptr;
  Control* lblTotalCoins_ = nullptr;
  Control* tmrGame_ = nullptr;
  ControlArray block_;
  ControlArray coin_;
  ControlArray water_;
  ControlArray monster_;

 private:
  // What a moving block's timer keeps between its ticks; empty again at every load, but for
  // the timer's record, by which its ticks are told apart.
  struct RouteProgress {
    const ControlSpec* timer = nullptr;
    std::string_view route;
    std::int16_t position = 0;
    char letter = 0;
  };
  void MoveBlock(const MovingBlock& moving, RouteProgress& progress);
  void CheckMonsterTags();

  const LevelRules& rules_;
  std::vector<RouteProgress> routes_;
};

}  // namespace reddoor
