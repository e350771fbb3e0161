#pragma once
// The best times kept from one game to the next: the best whole run with its splits, and the
// best split of each level from any whole run. Only whole runs from the title at full speed
// count.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "game/run_timer.hpp"
#include "scene/timer_view.hpp"

namespace reddoor {

constexpr std::array<WindowId, 3> kLevels = {WindowId::Level1, WindowId::Level2, WindowId::Level3};

// Where a level stands among kLevels; kLevels.size() for the title and the closing window.
std::size_t LevelIndex(WindowId level);

struct BestTimes {
  std::optional<std::int64_t> run;
  std::vector<Split> runSplits;  // the best run's
  std::array<std::optional<std::int64_t>, kLevels.size()> splits;

  std::optional<std::int64_t> SplitOf(WindowId level) const;
  // Takes what the run did better; true when anything changed.
  bool Improve(const RunTimer& run);
  friend bool operator==(const BestTimes&, const BestTimes&) = default;
};

// Game time as the timer shows it: minutes, seconds and tenths, "12:03.4".
std::string FormatRunTime(std::int64_t ms);
// The same to the millisecond, "12:03.417", as a replay is checked.
std::string FormatExactTime(std::int64_t ms);
// "Level1 0:41.2, Level2 0:50.0", or to the millisecond.
std::string FormatSplits(const std::vector<Split>& splits, bool exact = false);

// What the timer shows at `now`; `speedPercent` below 100 says the game runs slowed.
TimerView MakeTimerView(const RunTimer& run, std::int64_t now, const BestTimes& best,
                        int speedPercent);
// The same as a window draws it: none while the timer is hidden or the run has not begun.
std::optional<TimerView> ShownTimerView(bool shown, const RunTimer& run, std::int64_t now,
                                        const BestTimes& best, int speedPercent);

}  // namespace reddoor
