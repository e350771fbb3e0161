#pragma once
#include <cstdint>
#include <string_view>

namespace reddoor {

// The letter at a 1-based position of a route; 0 when the position lies outside it.
inline char RouteLetter(std::string_view route, std::int16_t position) {
  if (position < 1 || static_cast<std::size_t>(position) > route.size()) return 0;
  return route[static_cast<std::size_t>(position) - 1];
}

}  // namespace reddoor
