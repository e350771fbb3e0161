// Blocks that move by themselves, 50 twips a tick of their own timer, along a route of
// direction letters. A route that comes to its end resumes at its second letter.
#include "game/level.hpp"
#include "world/route.hpp"

namespace reddoor {

namespace {
constexpr std::int32_t kBlockStep = 50;

}  // namespace

void Level::MoveBlock(const MovingBlock& moving, RouteProgress& progress) {
  if (progress.route.empty()) progress.route = moving.route;
  if (progress.position == 0) progress.position = 1;
  progress.letter = RouteLetter(progress.route, progress.position);
  Control& block = block_(moving.block);
  bool legEnded = false;
  switch (progress.letter) {
    case 'R':
      block.left = Add(block.left, kBlockStep);
      legEnded = block.left >= moving.rightBound;
      break;
    case 'L':
      block.left = Sub(block.left, kBlockStep);
      legEnded = block.left <= moving.leftBound;
      break;
    case 'D':
      block.top = Add(block.top, kBlockStep);
      legEnded = block.top >= moving.lowerBound;
      break;
    default:
      return;
  }
  if (!legEnded) return;
  if (static_cast<std::size_t>(progress.position) == progress.route.size()) progress.position = 1;
  ++progress.position;
  progress.letter = RouteLetter(progress.route, progress.position);
}

}  // namespace reddoor
