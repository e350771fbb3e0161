#pragma once
// A level window: the player, the blocks, the hazards and the pickups of one screen, played by
// a 100 ms game tick. One class plays all three levels; what sets them apart is data
// (LevelRules).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/contact.hpp"
#include "game/level_rules.hpp"
#include "game/patrol.hpp"
#include "game/route.hpp"
#include "game/window.hpp"

namespace reddoor {

class Runtime;

enum class Facing : std::uint8_t { None, Right, Left };
enum class JumpPhase : std::uint8_t { None, Up, Down };

// The member variables of a level. They survive an unload: only NewGame resets some.
struct LevelVariables {
  std::int32_t levelCoins = 0;
  bool birdCalled = false;
  bool birdCarrying = false;
  bool scrolling = false;
  std::int32_t speed = 0;
  std::int32_t jumpHeight = 0;
  Facing facing = Facing::None;  // the way of the last step
  bool jumping = false;          // in the air, or a take-off asked for
  std::int32_t jumpStart = 0;    // the top at take-off
  std::int32_t jumpPeak = 0;     // the top at which rising turns into falling
  JumpPhase jumpPhase = JumpPhase::None;
  bool standing = false;
  bool dead = false;

  // A take-off starts only when both are 0: only StopJump brings them back to 0, so there is
  // none in a fall, nor after a new game before the player has settled once.
  bool CanTakeOff() const { return jumpStart == 0 && jumpPeak == 0; }
  friend bool operator==(const LevelVariables&, const LevelVariables&) = default;
};

class Level : public Window {
 public:
  Level(Runtime& runtime, Scheduler& scheduler, Platform& platform, WindowId id,
        const LevelRules& rules);

  const LevelRules& Rules() const { return rules_; }
  const LevelVariables& Vars() const { return vars_; }
  LevelVariables& Vars() { return vars_; }
  // A control's Tag as the game reads it: a monster that has walked carries its patrol.
  std::string Tag(const Control& control) const;
  // The outer width of the window, frame included: the player's right-hand limit.
  std::int32_t OuterWidth() const { return Layout().clientWidth + 2 * kFrameTwips; }

  // The passes of a game tick that a death can cut short: the rest of the tick goes on, over the
  // restarted level, once the player has answered the death's message.
  enum class Pass : std::uint8_t { Waters, Monsters };
  struct TickPlace {
    Pass pass = Pass::Waters;
    int next = 0;  // the next water or monster to look at
  };

  // The game tick (tmrGame) and the procedures it calls. The passes that may die return false
  // when a death has stopped them.
  void GameTick();
  void NewGame();
  void Forward();
  void Backwards();
  void Jump();
  bool Waters(int from = 0);
  void Blocks();
  bool Monsters(int from = 0);
  void Coins();
  void Special();
  void Fall();
  void StopJump();
  // Opens the message; the rest of the death, and of the tick from `resume` (none: outside a
  // tick), follow its answer.
  void Die(std::string_view message, std::optional<TickPlace> resume = std::nullopt);
  // A level that has been left runs no more game ticks.
  void StopGameTimer() { SetTimerEnabled(tmrGame_, false); }
  Side BlocksTouching() const;
  // A step of the flight that ends the last level (tmrFly).
  void FlightStep();

 private:
  void OnLoad() override;
  bool KeyPressed(Key key);
  // The tick from this place on.
  void PlayOn(TickPlace from);
  // The end of a tick: standing, or falling.
  void Settle();
  Control& ControlOf(const ControlRef& ref);
  void WriteTotalCoins();
  void ShowTotalCoins(Color color);
  void CountCoin();
  void ApplyCoinRules();
  void CallBird();
  void ApproachPlayer();
  // A block that moves by itself, and where it is along its route.
  struct MovingBlock {
    const MovingBlockRule* rule = nullptr;
    Control* block = nullptr;
    Route route;
  };
  // A tick of the moving block's timer.
  static void MoveBlock(MovingBlock& moving);

  Runtime& runtime_;
  const LevelRules& rules_;
  LevelVariables vars_;

  // The controls the logic uses.
  Control& man_;
  Control& picForwards_;
  Control& picBackwards_;
  Control& floor_;
  Control& door_;
  Control& lblTotalCoins_;
  Control& tmrGame_;
  Control& hiddenAtLoad_;  // what the load handler hides
  ControlArray block_;
  ControlArray coin_;
  ControlArray water_;
  ControlArray monster_;
  // Each coin switch's coin and what taking that coin turns on.
  struct BoundCoinSwitch {
    const Control* coin;
    Control* turnsOn;
  };
  std::vector<BoundCoinSwitch> coinSwitches_;
  // The flight's, on a level that the bird leaves.
  Control* bird_ = nullptr;
  Control* label1_ = nullptr;
  Control* tmrFly_ = nullptr;

  // What procedures keep from one call to the next; afresh at every load.
  std::vector<MovingBlock> movingBlocks_;
  std::vector<std::optional<Patrol>> patrols_;  // by monster; none without a Tag
  // The monsters' patrols as their Tags in the layout give them, read once.
  std::vector<std::optional<Patrol>> layoutPatrols_;
  std::int32_t scrollCount_ = 0;  // scrolling steps of the flight
};

}  // namespace reddoor
