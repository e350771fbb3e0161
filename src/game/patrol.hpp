#pragma once
// A monster's patrol, as its Tag in the layout gives it: six fields joined by "/", for example
// "LR/0/1080/4080/75/D": route letters, the 1-based leg (0: not started), the left and right
// bounds of its Left, its step in twips, and what touching it does. The Tag is read when the
// level loads; the game writes it back, as text, only where it is read.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/route.hpp"

namespace reddoor {

enum class MonsterEffect : std::uint8_t { None, Kills, TakesAllCoins, TakesCoins };

struct Patrol {
  Route route;
  std::int32_t minLeft = 0;
  std::int32_t maxLeft = 0;
  std::int32_t step = 0;
  std::string_view effectText;
  MonsterEffect effect = MonsterEffect::None;
  double coinsTaken = 0;  // for MonsterEffect::TakesCoins
  // The monster has walked, so its Tag has been written back.
  bool walked = false;

  // One step along the route, turning at the ends. An "R" leg that ends with an "L" leg next
  // steps back left within the same step.
  void Walk(std::int32_t& left);
  // The Tag as the game writes it back: numbers in plain decimal, pieces after the sixth
  // dropped.
  std::string Tag() const;
};

// Reads a Tag; the patrol refers into `tag`. On a malformed tag, returns nothing and says why.
std::optional<Patrol> ReadPatrol(std::string_view tag, std::string* why = nullptr);

// The value of a numeric text: blanks around it, a sign, digits with an optional decimal point
// and exponent. Nothing else is a number.
std::optional<double> NumericValue(std::string_view text);

}  // namespace reddoor
