#pragma once
// What sets the three levels apart, as data: the one level class plays each by its rules.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "game/window.hpp"
#include "scene/layout.hpp"

namespace reddoor {

// A control of a level by name, with an index for an element of a control array.
struct ControlRef {
  std::string_view name;
  int index = -1;
};

// A block that moves by itself on a timer of its own, 50 twips a tick, along a route of
// direction letters.
struct MovingBlockRule {
  std::string_view timer;
  int block = 0;
  std::string_view route;
  std::int32_t rightBound = 0;  // an "R" leg ends at Left >= this
  std::int32_t leftBound = 0;   // an "L" leg ends at Left <= this
  std::int32_t lowerBound = 0;  // a "D" leg ends at Top >= this
};

enum class CoinCount : std::uint8_t { Total, Level };

// After every coin pass: the door shows once a count reaches the threshold (or, when `exactly`,
// is exactly at it).
struct DoorRule {
  CoinCount count = CoinCount::Total;
  std::int32_t coins = 0;
  bool exactly = false;
};

// After every coin pass: once this coin has been taken, the control is turned on (a timer
// started, anything else shown).
struct CoinSwitch {
  int coin = 0;
  ControlRef turnsOn;
};

enum class ExitKind : std::uint8_t {
  Door,  // touching the door switches to the next window
  Bird,  // the door or the E key calls the bird, which carries the player off to the next
};

struct LevelRules {
  const WindowLayout* layout = nullptr;
  std::int32_t jumpHeight = 0;
  // The level before, whose game timer the load handler stops.
  std::optional<WindowId> previous{};
  // What the load handler hides before the game starts.
  ControlRef hiddenAtLoad{};
  // The level keeps a count of the coins taken on it, LevelCoins, beside the total.
  bool countsLevelCoins = false;
  DoorRule door{};
  std::span<const CoinSwitch> coinSwitches{};
  std::span<const MovingBlockRule> movingBlocks{};
  ExitKind exit = ExitKind::Door;
  WindowId next = WindowId::Finish;
  // The door stops the level's own game timer before it switches.
  bool exitStopsGameTimer = false;
};

using LevelSet = std::array<const LevelRules*, 3>;

const LevelRules& Level1Rules();
const LevelRules& Level2Rules();
const LevelRules& Level3Rules();
// The three levels as the game plays them.
const LevelSet& StandardLevels();

}  // namespace reddoor
