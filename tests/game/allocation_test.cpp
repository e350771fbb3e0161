// A game tick in steady play allocates nothing on the heap: tags, captions and side words are
// rewritten in place.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "game/level_fixture.hpp"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace reddoor::testing {
namespace {

long AllocationsDuring(OpenLevel& open, std::int64_t ms) {
  const long before = allocations.load();
  open.Wait(ms);
  return allocations.load() - before;
}

TEST(AllocationTest, SteadyTicksAllocateNothing) {
  for (FormId id : {FormId::Level1, FormId::Level2, FormId::Level3}) {
    OpenLevel open(id);
    open.Wait(1000);  // settle on the ground
    // Jumping, and on the first two levels walking left into the limit, with monsters
    // patrolling and blocks moving.
    open.keys().Down(Key::Space);
    if (id != FormId::Level3) open.keys().Down(Key::Left);
    open.Wait(1000);
    EXPECT_EQ(AllocationsDuring(open, 60'000), 0) << "on window " << open.level().Name();
    EXPECT_EQ(open.Output().find("message"), std::string::npos) << "the player died";
  }
}

}  // namespace
}  // namespace reddoor::testing
