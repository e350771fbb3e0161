#pragma once
// Why the real game is held: paused by the player (P), paused while its window has lost the
// focus, or a message box open. While it is held the game clock stands still, and each change
// of the clock is a line in the timing log with the real time.
#include "sdl/game_clock.hpp"
#include "sdl/timing_log.hpp"

namespace reddoor {

class GameHold {
 public:
  explicit GameHold(GameClock& clock) : clock_(clock) {}
  void SetTimingLog(TimingLog* log) { timingLog_ = log; }

  bool Paused() const { return pausedByPlayer_ || pausedByFocus_; }
  bool PausedByPlayer() const { return pausedByPlayer_; }
  bool PausedByFocus() const { return pausedByFocus_; }
  // No presses and no clicks reach a held game.
  bool Held() const { return Paused() || messageOpen_; }

  // True when the game has just been paused.
  bool SetPause(bool byPlayer, bool byFocus) {
    const bool was = Paused();
    pausedByPlayer_ = byPlayer;
    pausedByFocus_ = byFocus;
    if (Paused() == was) return false;
    HoldClock(Paused(), Paused() ? "pause" : "resume");
    return Paused();
  }
  void SetMessageOpen(bool open) {
    if (open == messageOpen_) return;
    messageOpen_ = open;
    HoldClock(open, open ? "message opened" : "message closed");
  }

 private:
  // The log gives the game clock as it stands still.
  void HoldClock(bool hold, const char* why) {
    if (hold) clock_.Hold();
    if (timingLog_) timingLog_->Note(why);
    if (!hold) clock_.Release();
  }

  GameClock& clock_;
  TimingLog* timingLog_ = nullptr;
  bool pausedByPlayer_ = false;
  bool pausedByFocus_ = false;
  bool messageOpen_ = false;
};

}  // namespace reddoor
