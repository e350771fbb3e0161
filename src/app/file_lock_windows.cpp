#include <windows.h>

#include "app/file_lock.hpp"

namespace reddoor {

// INVALID_HANDLE_VALUE is -1, as kNoFile is.
std::intptr_t FileLock::OpenLockFile(const std::filesystem::path& path) {
  return reinterpret_cast<std::intptr_t>(
      CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool FileLock::TryLock(std::intptr_t file) {
  OVERLAPPED whole{};
  return LockFileEx(reinterpret_cast<HANDLE>(file),
                    LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole) != 0;
}

void FileLock::CloseLockFile(std::intptr_t file) {
  CloseHandle(reinterpret_cast<HANDLE>(file));
}

}  // namespace reddoor
