// The timing log of the real game hangs on the tick observer: it must be told of every tick,
// in the order they run, with the time each was due.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/level_fixture.hpp"

namespace reddoor::testing {
namespace {

struct Tick {
  std::string timer;
  std::int64_t due = 0;
};

class RecordingObserver : public TickObserver {
 public:
  void TickRunning(const Form& /*form*/, const ControlSpec& timer, std::int64_t due) override {
    ticks.push_back({std::string(timer.name), due});
  }
  std::vector<Tick> ticks;
};

std::vector<std::int64_t> DueTimes(const std::vector<Tick>& ticks, std::string_view timer) {
  std::vector<std::int64_t> due;
  for (const Tick& tick : ticks) {
    if (tick.timer == timer) due.push_back(tick.due);
  }
  return due;
}

TEST(TickObserverTest, ToldOfEveryTickInOrderWithItsDueTime) {
  OpenLevel open(FormId::Level2);
  RecordingObserver observer;
  open.runtime().SetTickObserver(&observer);
  open.Wait(1000);

  std::vector<std::int64_t> gameTicks;
  for (std::int64_t due = 100; due <= 1000; due += 100) gameTicks.push_back(due);
  EXPECT_EQ(DueTimes(observer.ticks, "tmrGame"), gameTicks);
  const std::int32_t blockPeriod = TimerPeriod(open.Get("Block4Timer").Interval());
  EXPECT_EQ(DueTimes(observer.ticks, "Block4Timer").size(), 1000u / blockPeriod);
  for (std::size_t i = 1; i < observer.ticks.size(); ++i) {
    EXPECT_LE(observer.ticks[i - 1].due, observer.ticks[i].due);
  }
}

}  // namespace
}  // namespace reddoor::testing
