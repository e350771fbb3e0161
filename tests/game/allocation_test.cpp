// A game tick in steady play allocates nothing on the heap: tags, captions and side words are
// rewritten in place.
#include <gtest/gtest.h>

#include "game/level_fixture.hpp"
#include "support/counting_new.hpp"

namespace reddoor::testing {
namespace {

std::int64_t AllocationsDuring(OpenLevel& open, std::int64_t ms) {
  const std::int64_t before = AllocationsMade();
  open.Wait(ms);
  return AllocationsMade() - before;
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
