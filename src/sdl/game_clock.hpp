#pragma once
// The game clock: whole milliseconds of game time on the monotonic performance counter, which
// neither drifts like a chain of timer callbacks nor jumps with the wall clock. Game time
// stands still while the game is held (paused, or a message box is open) and leaves out a
// stall that the game could not run in, so the real game runs its timers exactly as the
// scripted run's virtual clock does. A slowed game's clock runs at a percentage of real time.
#include <SDL.h>

#include <cstdint>

namespace reddoor {

class GameClock {
 public:
  explicit GameClock(int speedPercent = 100)
      : start_(SDL_GetPerformanceCounter()),
        frequency_(SDL_GetPerformanceFrequency()),
        speedPercent_(static_cast<Uint64>(speedPercent)) {}

  std::int64_t Now() const {
    const Uint64 elapsed = Slowed(Elapsed());
    // Seconds and the rest apart, so that the product cannot overflow.
    return static_cast<std::int64_t>(elapsed / frequency_ * 1000 +
                                     elapsed % frequency_ * 1000 / frequency_);
  }
  // The same clock with the fraction of the millisecond.
  double ExactNow() const { return Milliseconds(Slowed(Elapsed())); }
  // Game time that passes in this much real time, and the real time that this much game time
  // takes, rounded up.
  std::int64_t GameMilliseconds(std::int64_t real) const {
    return real * static_cast<std::int64_t>(speedPercent_) / 100;
  }
  std::int64_t RealMilliseconds(std::int64_t game) const {
    const auto percent = static_cast<std::int64_t>(speedPercent_);
    return (game * 100 + percent - 1) / percent;
  }
  // The real time since the clock started, held or not.
  double WallNow() const { return Milliseconds(SDL_GetPerformanceCounter() - start_); }

  // Stops game time until as many Release calls as Hold calls have come.
  void Hold() {
    if (holds_++ == 0) heldAt_ = SDL_GetPerformanceCounter();
  }
  void Release() {
    if (holds_ > 0 && --holds_ == 0) left_ += SDL_GetPerformanceCounter() - heldAt_;
  }
  // Leaves this much of the game time that has passed out of game time.
  void LeaveOut(std::int64_t ms) {
    left_ += static_cast<Uint64>(RealMilliseconds(ms)) * frequency_ / 1000;
  }

 private:
  double Milliseconds(Uint64 ticks) const {
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency_);
  }
  Uint64 Slowed(Uint64 ticks) const {
    return ticks / 100 * speedPercent_ + ticks % 100 * speedPercent_ / 100;
  }
  Uint64 Elapsed() const {
    return (holds_ > 0 ? heldAt_ : SDL_GetPerformanceCounter()) - start_ - left_;
  }

  Uint64 start_;
  Uint64 frequency_;
  Uint64 speedPercent_;
  Uint64 left_ = 0;  // counter ticks that are no game time
  Uint64 heldAt_ = 0;
  int holds_ = 0;
};

}  // namespace reddoor
