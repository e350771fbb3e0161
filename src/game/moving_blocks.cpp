// Blocks that move by themselves, 50 twips a tick of their own timer, along a route of
// direction letters. A route that comes to its end resumes at its second letter.
#include "base/checked.hpp"
#include "game/level.hpp"

namespace reddoor {

namespace {
constexpr std::int32_t kBlockStep = 50;
}  // namespace

void Level::MoveBlock(MovingBlock& moving) {
  const MovingBlockRule& rule = *moving.rule;
  Route& route = moving.route;
  route.Start();
  Control& block = *moving.block;
  bool legEnded = false;
  switch (route.Letter()) {
    case 'R':
      block.left = Add(block.left, kBlockStep);
      legEnded = block.left >= rule.rightBound;
      break;
    case 'L':
      block.left = Sub(block.left, kBlockStep);
      legEnded = block.left <= rule.leftBound;
      break;
    case 'D':
      block.top = Add(block.top, kBlockStep);
      legEnded = block.top >= rule.lowerBound;
      break;
    default:
      return;
  }
  if (legEnded) route.NextLeg(2);
}

}  // namespace reddoor
