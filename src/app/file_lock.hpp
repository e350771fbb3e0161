#pragma once
// A lock that games hold while they read, merge and write a file that several may write at
// once. It is the operating system's, so a game that dies lets go of it. A lock that stays
// taken for long is not waited for: the file is written anyway.
#include <cstdint>
#include <filesystem>

namespace reddoor {

class FileLock {
 public:
  // Takes the lock on the file `path` (made when missing), waiting a second at most.
  explicit FileLock(const std::filesystem::path& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  bool Held() const { return held_; }

 private:
  // The open lock file: an fd on POSIX, a HANDLE on Windows; -1 is none on both. What each
  // platform does with it is in file_lock_posix.cpp and file_lock_windows.cpp.
  static constexpr std::intptr_t kNoFile = -1;
  static std::intptr_t OpenLockFile(const std::filesystem::path& path);
  // Takes the lock if no one holds it; false at once otherwise.
  static bool TryLock(std::intptr_t file);
  static void CloseLockFile(std::intptr_t file);

  std::intptr_t handle_;
  bool held_ = false;
};

}  // namespace reddoor
