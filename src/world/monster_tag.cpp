#include "world/monster_tag.hpp"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "scene/fault.hpp"

namespace reddoor {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Skips a run of digits; returns how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& at) {
  const std::size_t start = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at - start;
}

bool IsDecimal(std::string_view text) {
  std::size_t at = 0;
  std::size_t digits = SkipDigits(text, at);
  if (at < text.size() && text[at] == '.') {
    ++at;
    digits += SkipDigits(text, at);
  }
  if (digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (SkipDigits(text, at) == 0) return false;
  }
  return at == text.size();
}

// The usual field, a few digits alone, read without the general decimal conversion. Up to 15
// digits the value is exact as a double, as that conversion would give it.
std::optional<double> ShortWholeNumber(std::string_view digits) {
  constexpr std::size_t kMostExactDigits = 15;
  if (digits.size() > kMostExactDigits) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return static_cast<double>(value);
}

template <typename Int>
Int RoundTo(double value) {
  const double rounded = std::nearbyint(value);  // the default rounding: ties to even
  if (!(rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max())) {
    ThrowOverflow();
  }
  return static_cast<Int>(rounded);
}

}  // namespace

std::optional<double> NumericValue(std::string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (!IsDecimal(text)) return std::nullopt;
  if (const std::optional<double> whole = ShortWholeNumber(text)) {
    return negative ? -*whole : *whole;
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  // A number too large for any value is not a number at all.
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return negative ? -value : value;
}

std::int32_t RoundToLong(double value) {
  return RoundTo<std::int32_t>(value);
}
std::int16_t RoundToInteger(double value) {
  return RoundTo<std::int16_t>(value);
}

std::optional<MonsterTag> ReadMonsterTag(std::string_view tag, std::string* why) {
  std::array<std::string_view, 6> fields;
  std::size_t count = 0;
  for (std::size_t start = 0; count < fields.size();) {
    const std::size_t slash = tag.find('/', start);
    fields[count++] = tag.substr(start, slash == std::string_view::npos ? slash : slash - start);
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  if (count < fields.size()) {
    if (why) *why = fmt::format("it has {} fields, not 6", count);
    return std::nullopt;
  }
  std::array<double, 4> numbers;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    const std::optional<double> value = NumericValue(fields[i + 1]);
    if (!value) {
      if (why) *why = fmt::format("field {} (\"{}\") is not a number", i + 2, fields[i + 1]);
      return std::nullopt;
    }
    numbers[i] = *value;
  }
  return MonsterTag{fields[0],
                    RoundToInteger(numbers[0]),
                    RoundToLong(numbers[1]),
                    RoundToLong(numbers[2]),
                    RoundToLong(numbers[3]),
                    fields[5]};
}

void WriteMonsterTag(const MonsterTag& fields, std::string& tag) {
  // The fields point into the tag itself, so the text is put together aside first.
  // Written every tick for every monster: the format is compiled in.
  fmt::memory_buffer text;
  fmt::format_to(fmt::appender(text), FMT_COMPILE("{}/{}/{}/{}/{}/{}"), fields.route,
                 fields.routeIndex, fields.minLeft, fields.maxLeft, fields.step, fields.effect);
  tag.assign(text.data(), text.size());
}

}  // namespace reddoor
