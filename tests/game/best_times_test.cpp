// The run's time and splits as the game shows them, and which runs make best times.
#include "game/best_times.hpp"

#include <gtest/gtest.h>

namespace reddoor {
namespace {

// Play at 1000; Level1 left at 16600; a death shows Level2 again at 20000; closing at 76000.
RunTimer AWholeRun() {
  RunTimer run;
  run.WindowShown(WindowId::Intro, 0);
  run.WindowShown(WindowId::Level1, 1000);
  run.WindowShown(WindowId::Level2, 16600);
  run.Died();
  run.WindowShown(WindowId::Level2, 20000);
  run.WindowShown(WindowId::Level3, 56300);
  run.WindowShown(WindowId::Finish, 75968);
  return run;
}

TEST(RunTimer, SplitsAtEachLevelsExitAndStandsAtTheClosingWindow) {
  const RunTimer run = AWholeRun();
  EXPECT_TRUE(run.FromTitle());
  EXPECT_TRUE(run.Finished());
  EXPECT_EQ(run.Elapsed(999999), 74968);
  EXPECT_EQ(run.Splits(),
            (std::vector<Split>{
                {WindowId::Level1, 15600}, {WindowId::Level2, 39700}, {WindowId::Level3, 19668}}))
      << "a death runs the level's split on";
  EXPECT_EQ(run.Deaths(), 1);
  EXPECT_EQ(FormatSplits(run.Splits(), true), "Level1 0:15.600, Level2 0:39.700, Level3 0:19.668");

  RunTimer practice;
  practice.WindowShown(WindowId::Level3, 0);
  EXPECT_TRUE(practice.Started());
  EXPECT_FALSE(practice.FromTitle());
  EXPECT_EQ(practice.Elapsed(2500), 2500);
}

TEST(BestTimes, OnlyWholeRunsCountAndEachTimeKeepsItsBest) {
  BestTimes best;
  RunTimer practice;
  practice.WindowShown(WindowId::Level1, 0);
  practice.WindowShown(WindowId::Level2, 100);
  EXPECT_FALSE(best.Improve(practice));
  EXPECT_TRUE(best.Improve(AWholeRun()));
  EXPECT_EQ(best.run, 74968);
  EXPECT_FALSE(best.Improve(AWholeRun())) << "a tie is no better";
  EXPECT_EQ(best.SplitOf(WindowId::Level2), 39700);
  EXPECT_EQ(best.SplitOf(WindowId::Intro), std::nullopt);
}

TEST(TimerView, TheLastSplitIsGreenAheadOfTheBestAndRedBehindIt) {
  RunTimer run;
  run.WindowShown(WindowId::Intro, 0);
  run.WindowShown(WindowId::Level1, 0);
  EXPECT_EQ(MakeTimerView(run, 61250, {}, 100), (TimerView{"1:01.2", "", timer_colors::kText}));
  EXPECT_EQ(MakeTimerView(run, 61250, {}, 50).time, "1:01.2 at 50%");
  run.WindowShown(WindowId::Level2, 15600);
  EXPECT_EQ(MakeTimerView(run, 16000, {}, 100).split, "Level1 0:15.6") << "no best to beat";
  BestTimes best;
  best.splits[0] = 15800;
  EXPECT_EQ(MakeTimerView(run, 16000, best, 100),
            (TimerView{"0:16.0", "Level1 0:15.6 -0.2", timer_colors::kAhead}));
  best.splits[0] = 15600;
  EXPECT_EQ(MakeTimerView(run, 16000, best, 100).splitColor, timer_colors::kAhead) << "a tie";
  best.splits[0] = 14000;
  EXPECT_EQ(MakeTimerView(run, 16000, best, 100),
            (TimerView{"0:16.0", "Level1 0:15.6 +1.6", timer_colors::kBehind}));
}

}  // namespace
}  // namespace reddoor
