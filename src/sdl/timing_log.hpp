#pragma once
// The timing log of a real game (--timing-log FILE): one line per timer tick as it runs and one
// per frame put on the screen, all in ms of the game clock, so that the lateness and the drift
// of the ticks can be measured from outside the game. The game clock stands still while the
// game is held: the lines that hold and let go of it give the real time too, so that every gap
// in the ticks is explained, and so do the ticks, which a slowed game spaces out in real time.
//   clock 0 = 123456789012 ns monotonic    (the game clock's zero on CLOCK_MONOTONIC)
//   tick Level2 tmrGame due 1200 at 1200.734 wall 1200.734
//   frame Level2 at 1201.102
//   pause at 1250.310 wall 1250.310
//   resume at 1250.310 wall 3712.944
#include <cstdio>
#include <memory>
#include <string>

#include "game/runtime.hpp"
#include "sdl/game_clock.hpp"

namespace reddoor {

class TimingLog final : public TickObserver {
 public:
  // A file that cannot be opened or written, at any line, is a GameFault naming it.
  TimingLog(const std::string& path, const GameClock& clock);

  void TickRunning(const Window& window, const Control& timer, std::int64_t due) override;
  void FramePresented(const Window& window);
  // Something that holds or lets go of the game clock: pause, resume, message opened, ...
  void Note(std::string_view what);

 private:
  // Writes a whole line.
  void Write(const std::string& line);

  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  std::string path_;
  const GameClock& clock_;
  std::unique_ptr<std::FILE, FileCloser> file_;
};

}  // namespace reddoor
