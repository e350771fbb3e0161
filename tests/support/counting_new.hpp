#pragma once
// Counts the program's heap allocations. Linking counting_new.cpp into a program replaces the
// global operator new and delete in all their forms, so that each allocation and its release
// go through the same pair, also under AddressSanitizer, which checks that they match.
#include <cstdint>

namespace reddoor::test {

// Allocations made since the program started.
std::int64_t AllocationsMade();
// Allocations made and not yet released.
std::int64_t AllocationsLive();

}  // namespace reddoor::test
