#include "game/best_times.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cstdlib>

namespace reddoor {

namespace {

bool Lower(std::optional<std::int64_t>& best, std::int64_t ms) {
  if (best && *best <= ms) return false;
  best = ms;
  return true;
}

// "+1.3" behind the best, "-1.3" ahead of it; a tie is ahead.
std::string Difference(std::int64_t ms, std::int64_t best) {
  const std::int64_t d = ms - best;
  const std::int64_t tenths = std::abs(d) / 100;
  return fmt::format("{}{}.{}", d > 0 ? '+' : '-', tenths / 10, tenths % 10);
}

}  // namespace

std::size_t LevelIndex(WindowId level) {
  return static_cast<std::size_t>(std::find(kLevels.begin(), kLevels.end(), level) -
                                  kLevels.begin());
}

std::optional<std::int64_t> BestTimes::SplitOf(WindowId level) const {
  const std::size_t i = LevelIndex(level);
  return i < splits.size() ? splits[i] : std::nullopt;
}

bool BestTimes::Improve(const RunTimer& timer) {
  if (!timer.FromTitle()) return false;
  bool improved = false;
  for (const Split& split : timer.Splits()) {
    const std::size_t i = LevelIndex(split.level);
    if (i < splits.size()) improved = Lower(splits[i], split.ms) || improved;
  }
  if (timer.Finished() && Lower(run, timer.Elapsed(0))) {
    runSplits = timer.Splits();
    improved = true;
  }
  return improved;
}

std::string FormatRunTime(std::int64_t ms) {
  const std::int64_t tenths = ms / 100;
  return fmt::format("{}:{:02}.{}", tenths / 600, tenths / 10 % 60, tenths % 10);
}

std::string FormatExactTime(std::int64_t ms) {
  return fmt::format("{}:{:02}.{:03}", ms / 60000, ms / 1000 % 60, ms % 1000);
}

std::string FormatSplits(const std::vector<Split>& splits, bool exact) {
  std::string text;
  for (const Split& s : splits) {
    text += fmt::format("{}{} {}", text.empty() ? "" : ", ", WindowName(s.level),
                        exact ? FormatExactTime(s.ms) : FormatRunTime(s.ms));
  }
  return text;
}

TimerView MakeTimerView(const RunTimer& run, std::int64_t now, const BestTimes& best,
                        int speedPercent) {
  TimerView view;
  view.time = FormatRunTime(run.Elapsed(now));
  if (speedPercent < 100) view.time += fmt::format(" at {}%", speedPercent);
  if (run.Splits().empty()) return view;
  const Split& last = run.Splits().back();
  view.split = fmt::format("{} {}", WindowName(last.level), FormatRunTime(last.ms));
  if (const std::optional<std::int64_t> bestSplit = best.SplitOf(last.level)) {
    view.split += fmt::format(" {}", Difference(last.ms, *bestSplit));
    view.splitColor = last.ms <= *bestSplit ? timer_colors::kAhead : timer_colors::kBehind;
  }
  return view;
}

std::optional<TimerView> ShownTimerView(bool shown, const RunTimer& run, std::int64_t now,
                                        const BestTimes& best, int speedPercent) {
  if (!shown || !run.Started()) return std::nullopt;
  return MakeTimerView(run, now, best, speedPercent);
}

}  // namespace reddoor
