#pragma once
// Whole-number arithmetic of the game: 32-bit and 16-bit values that never wrap. An overflow is
// a fault, as is a rounded or widened value that does not fit its variable.
#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>

#include "base/fault.hpp"

namespace reddoor {

template <std::integral Int>
Int Add(Int a, Int b) {
  Int sum;
  if (__builtin_add_overflow(a, b, &sum)) ThrowOverflow();
  return sum;
}

template <std::integral Int>
Int Sub(Int a, Int b) {
  Int difference;
  if (__builtin_sub_overflow(a, b, &difference)) ThrowOverflow();
  return difference;
}

// A wide result kept in a 32-bit variable.
inline std::int32_t ToInt32(std::int64_t value) {
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    ThrowOverflow();
  }
  return static_cast<std::int32_t>(value);
}

// To the nearest whole number, ties to the even one.
template <std::integral Int>
Int RoundTo(double value) {
  const double rounded = std::nearbyint(value);  // the default rounding mode: ties to even
  if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max())) {
    ThrowOverflow();
  }
  return static_cast<Int>(rounded);
}

}  // namespace reddoor
