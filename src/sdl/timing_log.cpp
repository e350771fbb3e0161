#include "sdl/timing_log.hpp"

#include <fmt/format.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "base/fault.hpp"

namespace reddoor {

TimingLog::TimingLog(const std::string& path, const GameClock& clock)
    : clock_(clock), file_(std::fopen(path.c_str(), "w")) {
  if (!file_) {
    throw GameFault(fmt::format("cannot write the timing log {}: {}", path, std::strerror(errno)));
  }
  // Line by line, so that a game that is killed leaves a complete log.
  std::setvbuf(file_, nullptr, _IOLBF, 0);
  // Lets a measurement started outside the game (before its exec) use the same time line.
  const auto monotonic = std::chrono::steady_clock::now().time_since_epoch();
  const double zero =
      static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(monotonic).count()) -
      clock_.ExactNow() * 1e6;
  fmt::print(file_, "clock 0 = {:.0f} ns monotonic\n", zero);
}

TimingLog::~TimingLog() {
  std::fclose(file_);
}

void TimingLog::TickRunning(const Window& form, const Control& timer, std::int64_t due) {
  fmt::print(file_, "tick {} {} due {} at {:.3f}\n", form.Name(), timer.Name(), due,
             clock_.ExactNow());
}

void TimingLog::Note(std::string_view what) {
  fmt::print(file_, "{} at {:.3f} wall {:.3f}\n", what, clock_.ExactNow(), clock_.WallNow());
}

void TimingLog::FramePresented(const Window& form) {
  fmt::print(file_, "frame {} at {:.3f}\n", form.Name(), clock_.ExactNow());
}

}  // namespace reddoor
