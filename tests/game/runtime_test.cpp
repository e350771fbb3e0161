// The scheduler: every tick told to the observer in the order it runs, with the time it was due;
// and a game in steady play that allocates nothing on the heap.
#include "game/runtime.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/counting_new.hpp"
#include "support/stage.hpp"

namespace reddoor {
namespace {

struct Tick {
  std::string timer;
  std::int64_t due = 0;
};

class RecordingObserver : public TickObserver {
 public:
  void TickRunning(const Window& /*window*/, const Control& timer, std::int64_t due) override {
    ticks.push_back({std::string(timer.Name()), due});
  }
  std::vector<Tick> ticks;
};

TEST(SchedulerTest, ToldOfEveryTickInOrderWithItsDueTime) {
  test::Stage stage(WindowId::Level2);
  RecordingObserver observer;
  stage.Game().SetTickObserver(&observer);
  stage.Wait(1000);
  std::vector<std::int64_t> gameTicks, blockTicks;
  for (const Tick& tick : observer.ticks) {
    if (tick.timer == "tmrGame") gameTicks.push_back(tick.due);
    if (tick.timer == "Block4Timer") blockTicks.push_back(tick.due);
  }
  EXPECT_EQ(gameTicks,
            (std::vector<std::int64_t>{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000}));
  EXPECT_EQ(blockTicks.size(), 20u);
  for (std::size_t i = 1; i < observer.ticks.size(); ++i) {
    EXPECT_LE(observer.ticks[i - 1].due, observer.ticks[i].due);
  }
}

TEST(SchedulerTest, EnablingARunningTimerDoesNotRestartItsCountdown) {
  test::Stage stage(WindowId::Level3);
  Control& timer = stage.Get("Block16Timer");
  stage.Window().SetTimerEnabled(timer, true);
  const std::int64_t due = stage.Window().TimerDue(timer);
  stage.Wait(50);
  stage.Window().SetTimerEnabled(timer, true);
  EXPECT_EQ(stage.Window().TimerDue(timer), due);
}

TEST(AllocationTest, SteadyTicksAllocateNothing) {
  for (WindowId id : {WindowId::Level1, WindowId::Level2, WindowId::Level3}) {
    test::Stage stage(id);
    stage.Wait(1000);  // settle on the ground
    // Jumping, and on the first two levels walking left into the limit, with monsters
    // patrolling and blocks moving.
    stage.Game().KeyDown(Key::Space);
    if (id != WindowId::Level3) stage.Game().KeyDown(Key::Left);
    stage.Wait(1000);
    const std::int64_t before = test::AllocationsMade();
    stage.Wait(60'000);
    EXPECT_EQ(test::AllocationsMade() - before, 0) << "on window " << stage.Window().Name();
    EXPECT_EQ(stage.Seen().Messages(), 0) << "the player died";
  }
}

}  // namespace
}  // namespace reddoor
