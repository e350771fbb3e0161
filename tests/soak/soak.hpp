#pragma once
// The soak: the game played for a long time by random keys pressed and released at random
// moments, on all three levels and through the flight, with the game's invariants checked
// after every timer tick and every key.
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>

namespace reddoor::soak {

struct SoakOptions {
  std::int64_t gameTicks = 100000;  // game ticks (tmrGame and tmrFly) to play
  std::uint64_t seed = 1;
};

// What the run went through.
struct SoakFigures {
  std::int64_t gameTicks = 0;    // tmrGame ticks
  std::int64_t flightTicks = 0;  // tmrFly ticks
  std::int64_t otherTicks = 0;   // the block timers and the closing window's colours
  std::int64_t keyEvents = 0;
  std::int64_t virtualMs = 0;
  std::map<std::string, std::int64_t> sessions;  // by the level each session started on
  std::map<std::string, std::int64_t> messages;  // death messages by text
  std::int64_t levelExits = 0;                   // a level's door led on to the next level
  std::int64_t flightsCompleted = 0;             // the bird carried the player to Finish
  std::int64_t baselineAllocations = 0;          // live after the first session, the game torn down
  std::int64_t finalAllocations = 0;             // live after the last session
  std::int64_t peakAllocations = 0;              // live at the busiest moment
};

// An invariant that did not hold, with where and when.
class SoakFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How many allocations are live now; the soak checks that the number stays flat.
using AllocationCounter = std::function<std::int64_t()>;

// Plays until the game ticks are done; throws SoakFailure on the first broken invariant.
SoakFigures RunSoak(const SoakOptions& options, const AllocationCounter& liveAllocations);

}  // namespace reddoor::soak
