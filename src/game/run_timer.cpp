#include "game/run_timer.hpp"

namespace reddoor {

void RunTimer::WindowShown(WindowId window, std::int64_t now) {
  if (Finished()) return;
  if (window == WindowId::Intro) {
    titleSeen_ = true;
    return;
  }
  if (!start_) {
    start_ = now;
    fromTitle_ = titleSeen_;
  }
  // A death shows the same level again: its split runs on.
  if (level_ == window) return;
  if (level_) splits_.push_back({*level_, now - levelStart_});
  if (window == WindowId::Finish) {
    finishedAt_ = now;
    level_.reset();
    return;
  }
  level_ = window;
  levelStart_ = now;
}

std::int64_t RunTimer::Elapsed(std::int64_t now) const {
  if (!start_) return 0;
  return finishedAt_.value_or(now) - *start_;
}

bool RunProgress::Moved(const RunTimer& run) {
  if (run.Splits().size() == splits_ && run.Finished() == finished_) return false;
  splits_ = run.Splits().size();
  finished_ = run.Finished();
  return true;
}

}  // namespace reddoor
