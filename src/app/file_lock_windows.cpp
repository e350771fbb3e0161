#include <windows.h>

#include <chrono>
#include <thread>

#include "app/file_lock.hpp"

namespace reddoor {

namespace {
constexpr int kTries = 100;
constexpr auto kBetweenTries = std::chrono::milliseconds(10);
}  // namespace

FileLock::FileLock(const std::filesystem::path& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  handle_ = reinterpret_cast<std::intptr_t>(file);
  for (int i = 0; i < kTries && !held_; ++i) {
    OVERLAPPED whole{};
    held_ =
        LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole) != 0;
    if (!held_) std::this_thread::sleep_for(kBetweenTries);
  }
}

FileLock::~FileLock() {
  // Closing the file lets go of the lock.
  if (handle_ != -1) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace reddoor
