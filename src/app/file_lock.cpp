#include "app/file_lock.hpp"

#include <chrono>
#include <thread>

namespace reddoor {

namespace {
constexpr int kTries = 100;
constexpr auto kBetweenTries = std::chrono::milliseconds(10);
}  // namespace

FileLock::FileLock(const std::filesystem::path& path) : handle_(OpenLockFile(path)) {
  if (handle_ == kNoFile) return;
  for (int i = 0; i < kTries && !held_; ++i) {
    held_ = TryLock(handle_);
    if (!held_) std::this_thread::sleep_for(kBetweenTries);
  }
}

FileLock::~FileLock() {
  // Closing the file lets go of the lock.
  if (handle_ != kNoFile) CloseLockFile(handle_);
}

}  // namespace reddoor
