#pragma once
// The game's real clock: whole milliseconds since the game started, on the monotonic
// performance counter, which neither drifts like a chain of timer callbacks nor jumps with
// the wall clock.
#include <SDL.h>

#include <cstdint>

namespace reddoor {

class GameClock {
 public:
  GameClock() : start_(SDL_GetPerformanceCounter()), frequency_(SDL_GetPerformanceFrequency()) {}

  std::int64_t Now() const {
    const Uint64 elapsed = SDL_GetPerformanceCounter() - start_;
    // Seconds and the rest apart, so that the product cannot overflow.
    return static_cast<std::int64_t>(elapsed / frequency_ * 1000 +
                                     elapsed % frequency_ * 1000 / frequency_);
  }
  // The same clock with the fraction of the millisecond.
  double ExactNow() const {
    return static_cast<double>(SDL_GetPerformanceCounter() - start_) * 1000.0 /
           static_cast<double>(frequency_);
  }

 private:
  Uint64 start_;
  Uint64 frequency_;
};

}  // namespace reddoor
