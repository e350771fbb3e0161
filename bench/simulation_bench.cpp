// How fast the game plays headless: game ticks per second with the player walking and
// jumping, block timers running, no drawing and no JSON.
#include <benchmark/benchmark.h>

#include "game/runtime.hpp"
#include "platform/platform.hpp"

namespace {

using reddoor::FormId;
using reddoor::Key;

// Holds the right arrow, and the space bar every other second, and answers every message.
class PlayingPlatform : public reddoor::Platform {
 public:
  explicit PlayingPlatform(const reddoor::Runtime*& runtime) : runtime_(runtime) {}
  bool KeyPressed(Key key) override {
    const std::int64_t second = runtime_->Now() / 1000;
    if (key == Key::Right) return true;
    if (key == Key::Left) return second % 7 == 3;
    if (key == Key::Space) return second % 2 == 0;
    return false;
  }
  void ShowMessage(std::string_view) override {}
  void WindowShown(reddoor::Form&) override {}
  void WindowHidden(reddoor::Form&) override {}
  void WindowUnloaded(reddoor::Form&) override {}

 private:
  const reddoor::Runtime*& runtime_;
};

void GameTicks(benchmark::State& state) {
  const reddoor::Runtime* view = nullptr;
  PlayingPlatform platform(view);
  reddoor::Runtime runtime(platform);
  view = &runtime;
  runtime.Window(static_cast<FormId>(state.range(0))).Show();
  for (auto _ : state) {
    // One game tick, with the block timers that fall due in its 100 ms.
    runtime.RunTimersUntil(runtime.Now() + 100);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["ticks/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(GameTicks)
    ->Arg(static_cast<int>(FormId::Level1))
    ->Arg(static_cast<int>(FormId::Level2))
    ->Arg(static_cast<int>(FormId::Level3))
    ->ArgName("level");

}  // namespace
