#pragma once
// The game clock of the page: whole milliseconds of game time on the page's own clock
// (performance.now(), handed in as it is read). Game time stands still while the game is held
// (paused, or the message open) and leaves out a stall the game could not run in, so the page
// runs its timers exactly as the scripted run's virtual clock does. A slowed game's clock runs
// at a percentage of the page's.
#include <cmath>
#include <cstdint>

namespace reddoor {

class PageClock {
 public:
  explicit PageClock(double pageMs, int speedPercent = 100)
      : start_(pageMs), speed_(speedPercent / 100.0) {}

  // Game time at this moment of the page's clock.
  std::int64_t Now(double pageMs) const {
    const double at = holds_ > 0 ? heldAt_ : pageMs;
    return static_cast<std::int64_t>(std::floor((at - start_ - left_) * speed_));
  }
  // The page time that this much game time takes.
  double PageMilliseconds(std::int64_t game) const { return static_cast<double>(game) / speed_; }
  // Stops game time until as many Release calls as Hold calls have come.
  void Hold(double pageMs) {
    if (holds_++ == 0) heldAt_ = pageMs;
  }
  void Release(double pageMs) {
    if (holds_ > 0 && --holds_ == 0) left_ += pageMs - heldAt_;
  }
  bool Held() const { return holds_ > 0; }
  // Leaves this much of the game time that has passed out of game time.
  void LeaveOut(std::int64_t ms) { left_ += PageMilliseconds(ms); }

 private:
  double start_;
  double speed_;     // game time to page time
  double left_ = 0;  // page time that is no game time
  double heldAt_ = 0;
  int holds_ = 0;
};

}  // namespace reddoor
