// Any bytes as a monster's Tag and as a numeric text. Reading either gives a value, "not a
// number" or a GameFault, never a crash or undefined behaviour; a tag that reads writes back
// to a text that reads as the same fields, also when it is written over itself, as the
// monsters do.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <tuple>

#include "scene/fault.hpp"
#include "world/monster_tag.hpp"

namespace {

using reddoor::MonsterTag;

void Expect(bool holds) {
  if (!holds) std::abort();
}

auto Numbers(const MonsterTag& tag) {
  return std::tuple(tag.routeIndex, tag.minLeft, tag.maxLeft, tag.step);
}

void RoundTrip(std::string tag) {
  const auto read = reddoor::ReadMonsterTag(tag);
  if (!read) return;
  const std::string route(read->route), effect(read->effect);
  reddoor::WriteMonsterTag(*read, tag);  // the fields point into the tag being written
  const auto again = reddoor::ReadMonsterTag(tag);
  Expect(again && again->route == route && again->effect == effect &&
         Numbers(*again) == Numbers(*read));
  std::string copy;
  reddoor::WriteMonsterTag(*again, copy);
  Expect(copy == tag);
}

void Number(std::string_view text) {
  const auto value = reddoor::NumericValue(text);
  if (!value) return;
  Expect(std::isfinite(*value));
  const std::int32_t rounded = reddoor::RoundToLong(*value);
  Expect(std::fabs(*value - rounded) <= 0.5);
}

template <typename Check, typename Text>
void AllowFault(Check check, Text text) {
  try {
    check(text);
  } catch (const reddoor::GameFault&) {
    // An overflow is the expected end for a number out of range.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  AllowFault(RoundTrip, std::string(text));
  AllowFault(Number, text);
  return 0;
}
