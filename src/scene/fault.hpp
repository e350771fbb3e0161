#pragma once
// Faults end the program with a clear message: a broken layout, an arithmetic overflow,
// a missing resource. They are thrown as GameFault and reported once at the top.
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace reddoor {

class GameFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void ThrowOverflow();

// Whole-number arithmetic of the game: 32-bit, and an overflow is an error, never a wrap.
inline std::int32_t Add(std::int32_t a, std::int32_t b) {
  std::int32_t r;
  if (__builtin_add_overflow(a, b, &r)) ThrowOverflow();
  return r;
}
inline std::int32_t Sub(std::int32_t a, std::int32_t b) {
  std::int32_t r;
  if (__builtin_sub_overflow(a, b, &r)) ThrowOverflow();
  return r;
}

}  // namespace reddoor
