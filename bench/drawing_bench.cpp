// How long a whole frame of a level takes to draw in the software renderer, with the fonts
// and pictures of SDL: once everything is cached (every frame but the first), and the first
// frame of a fresh program.
#include <benchmark/benchmark.h>

#include "scene/renderer.hpp"
#include "scene/scene.hpp"
#include "sdl/media.hpp"

namespace {

void Level1Frame(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  reddoor::SdlMedia media;
  const reddoor::Scene scene(reddoor::Level1Layout());
  reddoor::Renderer renderer(media, media, scale);
  reddoor::Canvas canvas;
  renderer.Draw(scene, canvas);  // fills the caches
  for (auto _ : state) {
    renderer.Draw(scene, canvas);
    benchmark::DoNotOptimize(canvas.pixels.data());
  }
}
BENCHMARK(Level1Frame)->Arg(1)->Arg(3)->ArgName("scale")->Unit(benchmark::kMillisecond);

// Fonts opened and text and pictures drawn from scratch, as on the first frame.
void Level1FirstFrame(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  const reddoor::Scene scene(reddoor::Level1Layout());
  for (auto _ : state) {
    reddoor::SdlMedia media;
    reddoor::Canvas canvas;
    reddoor::Renderer(media, media, scale).Draw(scene, canvas);
    benchmark::DoNotOptimize(canvas.pixels.data());
  }
}
BENCHMARK(Level1FirstFrame)->Arg(1)->Arg(3)->ArgName("scale")->Unit(benchmark::kMillisecond);

}  // namespace
