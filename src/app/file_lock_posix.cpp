#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "app/file_lock.hpp"

namespace reddoor {

namespace {
constexpr int kTries = 100;
constexpr auto kBetweenTries = std::chrono::milliseconds(10);
}  // namespace

FileLock::FileLock(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  handle_ = fd;
  for (int i = 0; i < kTries && !held_; ++i) {
    held_ = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (!held_) std::this_thread::sleep_for(kBetweenTries);
  }
}

FileLock::~FileLock() {
  // Closing the file lets go of the lock.
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

}  // namespace reddoor
