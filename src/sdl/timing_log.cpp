#include "sdl/timing_log.hpp"

#include <fmt/format.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "base/fault.hpp"

namespace reddoor {

TimingLog::TimingLog(const std::string& path, const GameClock& clock)
    : path_(path), clock_(clock), file_(std::fopen(path.c_str(), "w")) {
  if (!file_) {
    throw GameFault(fmt::format("cannot write the timing log {}: {}", path, std::strerror(errno)));
  }
  // Line by line, so that a game that is killed leaves a complete log.
  std::setvbuf(file_.get(), nullptr, _IOLBF, 0);
  // Lets a measurement started outside the game (before its exec) use the same time line.
  const auto monotonic = std::chrono::steady_clock::now().time_since_epoch();
  const double zero =
      static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(monotonic).count()) -
      clock_.ExactNow() * 1e6;
  Write(fmt::format("clock 0 = {:.0f} ns monotonic\n", zero));
}

void TimingLog::Write(const std::string& line) {
  // Line-buffered: a full disk shows at the line's end.
  if (std::fputs(line.c_str(), file_.get()) == EOF || std::ferror(file_.get())) {
    throw GameFault(fmt::format("cannot write the timing log {}: {}", path_, std::strerror(errno)));
  }
}

void TimingLog::TickRunning(const Window& window, const Control& timer, std::int64_t due) {
  Write(fmt::format("tick {} {} due {} at {:.3f} wall {:.3f}\n", window.Name(), timer.Name(), due,
                    clock_.ExactNow(), clock_.WallNow()));
}

void TimingLog::Note(std::string_view what) {
  Write(fmt::format("{} at {:.3f} wall {:.3f}\n", what, clock_.ExactNow(), clock_.WallNow()));
}

void TimingLog::FramePresented(const Window& window) {
  Write(fmt::format("frame {} at {:.3f}\n", window.Name(), clock_.ExactNow()));
}

}  // namespace reddoor
