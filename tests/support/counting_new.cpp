#include "support/counting_new.hpp"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::int64_t> made{0};
std::atomic<std::int64_t> released{0};

void* AllocateOrNull(std::size_t size) noexcept {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p) made.fetch_add(1, std::memory_order_relaxed);
  return p;
}

void* Allocate(std::size_t size) {
  void* p = AllocateOrNull(size);
  if (!p) throw std::bad_alloc();
  return p;
}

void Release(void* p) noexcept {
  if (!p) return;
  released.fetch_add(1, std::memory_order_relaxed);
  std::free(p);
}

}  // namespace

namespace reddoor::test {

std::int64_t AllocationsMade() {
  return made.load(std::memory_order_relaxed);
}
std::int64_t AllocationsLive() {
  return made.load(std::memory_order_relaxed) - released.load(std::memory_order_relaxed);
}

}  // namespace reddoor::test

// clang-format off
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
// clang-format on
