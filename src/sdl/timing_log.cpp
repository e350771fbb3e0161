#include "sdl/timing_log.hpp"

#include <fmt/format.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "base/fault.hpp"

namespace reddoor {

// Written in binary: lines end in "\n" on Windows too, for the same tools that read the log.
TimingLog::TimingLog(const std::string& path, const GameClock& clock)
    : path_(path), clock_(clock), file_(std::fopen(path.c_str(), "wb")) {
  if (!file_) {
    throw GameFault(fmt::format("cannot write the timing log {}: {}", path, std::strerror(errno)));
  }
  // Lets a measurement started outside the game (before its exec) use the same time line.
  const auto monotonic = std::chrono::steady_clock::now().time_since_epoch();
  const double zero =
      static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(monotonic).count()) -
      clock_.ExactNow() * 1e6;
  Write(fmt::format("clock 0 = {:.0f} ns monotonic\n", zero));
}

void TimingLog::Write(const std::string& line) {
  // Each line is written through at once, so that a game that is killed leaves a complete log
  // and a full disk shows at the line's end. Not by line buffering: Windows' C library buffers
  // such a file whole.
  if (std::fputs(line.c_str(), file_.get()) == EOF || std::fflush(file_.get()) == EOF) {
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
