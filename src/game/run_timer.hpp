#pragma once
// The time of a run on the game clock, which stands still while the game is paused or a
// message is open: from the click on Play (or the first window of a game started on a level)
// to the closing window, with a split at each level's exit, and the deaths on the way.
#include <cstdint>
#include <optional>
#include <vector>

#include "game/window.hpp"

namespace reddoor {

struct Split {
  WindowId level;
  std::int64_t ms;  // from the level's first showing to the next window's
  friend bool operator==(const Split&, const Split&) = default;
};

class RunTimer {
 public:
  // A window became visible at `now`.
  void WindowShown(WindowId window, std::int64_t now);
  void Died() { ++deaths_; }

  // The run has begun: Play was clicked, or the game started on a level.
  bool Started() const { return start_.has_value(); }
  // The run began on the title window, so it is a whole run.
  bool FromTitle() const { return fromTitle_; }
  // The closing window is shown: the time stands.
  bool Finished() const { return finishedAt_.has_value(); }
  // The run's time at `now`; 0 before it began, the whole run's once it finished.
  std::int64_t Elapsed(std::int64_t now) const;
  const std::vector<Split>& Splits() const { return splits_; }
  int Deaths() const { return deaths_; }

 private:
  std::optional<std::int64_t> start_;
  std::optional<std::int64_t> finishedAt_;
  std::optional<WindowId> level_;  // the level being played
  std::int64_t levelStart_ = 0;
  std::vector<Split> splits_;
  int deaths_ = 0;
  bool titleSeen_ = false;
  bool fromTitle_ = false;
};

// Tells whether a run has left a level, or finished, since it was last asked.
class RunProgress {
 public:
  bool Moved(const RunTimer& run);

 private:
  std::size_t splits_ = 0;
  bool finished_ = false;
};

}  // namespace reddoor
