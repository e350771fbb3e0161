// How fast the game plays headless: game ticks per second with the player walking and
// jumping, block timers running, no drawing and no JSON.
#include <benchmark/benchmark.h>

#include "game/runtime.hpp"
#include "scripted/headless_platform.hpp"

namespace {

using reddoor::Key;
using reddoor::WindowId;

// The keys for the game tick at `t`: the right arrow always, the left arrow in every seventh
// second, the space bar every other second.
void HoldKeys(reddoor::Runtime& game, std::int64_t t) {
  const std::int64_t second = t / 1000;
  const auto hold = [&game](Key key, bool down) { down ? game.KeyDown(key) : game.KeyUp(key); };
  hold(Key::Right, true);
  hold(Key::Left, second % 7 == 3);
  hold(Key::Space, second % 2 == 0);
}

void GameTicks(benchmark::State& state) {
  reddoor::HeadlessPlatform platform;
  reddoor::Runtime runtime(platform);
  runtime.Get(static_cast<WindowId>(state.range(0))).Show();
  for (auto _ : state) {
    // One game tick, with the block timers that fall due in its 100 ms.
    const std::int64_t tick = runtime.Now() + 100;
    HoldKeys(runtime, tick);
    runtime.RunAnsweringUntil(tick);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["ticks/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(GameTicks)
    ->Arg(static_cast<int>(WindowId::Level1))
    ->Arg(static_cast<int>(WindowId::Level2))
    ->Arg(static_cast<int>(WindowId::Level3))
    ->ArgName("level");

}  // namespace
