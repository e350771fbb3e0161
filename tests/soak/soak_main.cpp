// reddoor_soak: plays the game with random keys for a number of game ticks and prints what it
// went through; exit status 1 and the broken invariant on the first one that does not hold.
//   reddoor_soak [--ticks N] [--seed S]
#include <fmt/format.h>
#include <sys/resource.h>
#include <CLI/CLI.hpp>

#include <chrono>
#include <iostream>

#include "soak.hpp"
#include "support/counting_new.hpp"

namespace {

long PeakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void Print(const reddoor::soak::SoakFigures& f, double seconds) {
  const std::int64_t played = f.gameTicks + f.flightTicks;
  fmt::print("game ticks: {} (tmrGame {}, tmrFly {}); other timer ticks: {}\n", played, f.gameTicks,
             f.flightTicks, f.otherTicks);
  fmt::print("virtual time: {:.1f} h; key events: {}\n", static_cast<double>(f.virtualMs) / 3.6e6,
             f.keyEvents);
  for (const auto& [level, count] : f.sessions) fmt::print("sessions on {}: {}\n", level, count);
  for (const auto& [text, count] : f.messages) fmt::print("messages \"{}\": {}\n", text, count);
  fmt::print("level exits: {}; flights to Finish: {}\n", f.levelExits, f.flightsCompleted);
  fmt::print("live allocations: {} after the first game, {} at the end, {} at most\n",
             f.baselineAllocations, f.finalAllocations, f.peakAllocations);
  fmt::print("wall time: {:.2f} s; {:.0f} game ticks/s; peak resident memory: {} KiB\n", seconds,
             static_cast<double>(played) / seconds, PeakResidentKiB());
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Plays Red Door with random keys and checks its invariants on the way."};
  app.name("reddoor_soak");
  reddoor::soak::SoakOptions options;
  app.add_option("--ticks", options.gameTicks, "Game ticks to play (tmrGame and tmrFly)")
      ->check(CLI::PositiveNumber);
  app.add_option("--seed", options.seed, "Seed of the random keys and times");
  CLI11_PARSE(app, argc, argv);

  fmt::print("soak: {} game ticks, seed {}\n", options.gameTicks, options.seed);
  const auto start = std::chrono::steady_clock::now();
  try {
    const auto figures = reddoor::soak::RunSoak(options, reddoor::testing::AllocationsLive);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    Print(figures, took.count());
  } catch (const reddoor::soak::SoakFailure& failure) {
    std::cerr << "soak: FAILED (seed " << options.seed << "): " << failure.what() << '\n';
    return 1;
  }
  return 0;
}
