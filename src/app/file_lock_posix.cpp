#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "app/file_lock.hpp"

namespace reddoor {

std::intptr_t FileLock::OpenLockFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  return fd < 0 ? kNoFile : fd;
}

bool FileLock::TryLock(std::intptr_t file) {
  return ::flock(static_cast<int>(file), LOCK_EX | LOCK_NB) == 0;
}

void FileLock::CloseLockFile(std::intptr_t file) {
  ::close(static_cast<int>(file));
}

}  // namespace reddoor
