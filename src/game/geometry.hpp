#pragma once
// The geometry helpers of a level: a control's right and bottom edges and the inclusive range
// test. Edges are computed wide, so that no sum of two coordinates can wrap.
#include <cstdint>

#include "scene/fault.hpp"
#include "scene/scene.hpp"

namespace reddoor {

inline std::int64_t Right(const Control& c) { return std::int64_t{c.left} + c.width; }
inline std::int64_t Bottom(const Control& c) { return std::int64_t{c.top} + c.height; }

// True when min <= value <= max; false for every value when min > max.
inline bool InBetween(std::int64_t value, std::int64_t min, std::int64_t max) {
  return min <= value && value <= max;
}

// A wide result kept in a 32-bit variable: out of range is an overflow.
inline std::int32_t ToLong(std::int64_t value) {
  if (value < INT32_MIN || value > INT32_MAX) ThrowOverflow();
  return static_cast<std::int32_t>(value);
}

}  // namespace reddoor
