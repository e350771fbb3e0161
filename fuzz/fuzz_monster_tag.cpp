// Any bytes as a monster's Tag and as a numeric text. Reading either gives a value, "not a
// number" or a GameFault, never a crash or undefined behaviour; a tag that reads is written
// back as a text that reads as the same patrol, and is written back the same again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <tuple>

#include "base/checked.hpp"
#include "base/fault.hpp"
#include "game/patrol.hpp"

namespace {

using reddoor::Patrol;

void Expect(bool holds) {
  if (!holds) std::abort();
}

auto Fields(const Patrol& patrol) {
  return std::tuple(patrol.route.letters, patrol.route.position, patrol.minLeft, patrol.maxLeft,
                    patrol.step, patrol.effectText, patrol.effect, patrol.coinsTaken);
}

void RoundTrip(std::string_view tag) {
  const auto read = reddoor::ReadPatrol(tag);
  if (!read) return;
  const std::string written = read->Tag();
  const auto again = reddoor::ReadPatrol(written);  // refers into `written`
  Expect(again && Fields(*again) == Fields(*read));
  Expect(again->Tag() == written);
}

void Number(std::string_view text) {
  const auto value = reddoor::NumericValue(text);
  if (!value) return;
  Expect(std::isfinite(*value));
  const std::int32_t rounded = reddoor::RoundTo<std::int32_t>(*value);
  Expect(std::fabs(*value - rounded) <= 0.5);
}

void AllowFault(void (*check)(std::string_view), std::string_view text) {
  try {
    check(text);
  } catch (const reddoor::GameFault&) {
    // An overflow is the expected end for a number out of range.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  AllowFault(RoundTrip, text);
  AllowFault(Number, text);
  return 0;
}
