#pragma once
// A monster's patrol lives in its Tag: six fields joined by "/", for example
// "LR/0/1080/4080/75/D": route letters, the 1-based leg (0: not started), the left and right
// bounds of its Left, its step in twips, and what touching it does.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace reddoor {

struct MonsterTag {
  std::string_view route;
  std::int16_t routeIndex = 0;
  std::int32_t minLeft = 0;
  std::int32_t maxLeft = 0;
  std::int32_t step = 0;
  std::string_view effect;
};

// The value of a numeric text: blanks around it, a sign, digits with an optional decimal point
// and exponent. Nothing else is a number.
std::optional<double> NumericValue(std::string_view text);

// Rounds to the nearest whole number, ties to the even one; out of range is an overflow.
std::int32_t RoundToLong(double value);
std::int16_t RoundToInteger(double value);

// Reads a tag; the fields refer into `tag`. On a malformed tag, returns nothing and says why.
std::optional<MonsterTag> ReadMonsterTag(std::string_view tag, std::string* why = nullptr);

// Writes the tag back in place: numbers in plain decimal, pieces after the sixth dropped.
void WriteMonsterTag(const MonsterTag& fields, std::string& tag);

}  // namespace reddoor
