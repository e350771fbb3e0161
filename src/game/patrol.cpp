#include "game/patrol.hpp"

#include <fmt/format.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "base/checked.hpp"

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

// A decimal number as the nearest double; none when it lies beyond every double or so close to
// 0 that it becomes 0. The C++ library of the web build has no from_chars for doubles; strtod
// gives the same value (both round to nearest) and reports the same two cases as ERANGE.
std::optional<double> DecimalValue(std::string_view text) {
  double value = 0;
#if defined(__cpp_lib_to_chars)
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
#else
  const std::string copy(text);
  char* end = nullptr;
  errno = 0;
  value = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size()) return std::nullopt;
  if (errno == ERANGE && (std::isinf(value) || value == 0)) return std::nullopt;
#endif
  return value;
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
  const std::optional<double> value = DecimalValue(text);
  if (value && negative) return -*value;
  return value;
}

namespace {

// "D" kills, "C" takes all coins, a number takes that many; anything else is harmless.
MonsterEffect EffectOf(std::string_view text, double& coins) {
  if (text == "D") return MonsterEffect::Kills;
  if (text == "C") return MonsterEffect::TakesAllCoins;
  if (const std::optional<double> value = NumericValue(text)) {
    coins = *value;
    return MonsterEffect::TakesCoins;
  }
  return MonsterEffect::None;
}

}  // namespace

std::optional<Patrol> ReadPatrol(std::string_view tag, std::string* why) {
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
  Patrol patrol;
  patrol.route = {fields[0], RoundTo<std::int16_t>(numbers[0])};
  patrol.minLeft = RoundTo<std::int32_t>(numbers[1]);
  patrol.maxLeft = RoundTo<std::int32_t>(numbers[2]);
  patrol.step = RoundTo<std::int32_t>(numbers[3]);
  if (patrol.route.position < 0) {
    if (why) *why = "its route position is negative";
    return std::nullopt;
  }
  patrol.effectText = fields[5];
  patrol.effect = EffectOf(fields[5], patrol.coinsTaken);
  return patrol;
}

void Patrol::Walk(std::int32_t& left) {
  route.Start();
  if (route.Letter() == 'R') {
    left = Add(left, step);
    if (left >= maxLeft) route.NextLeg(1);
  }
  if (route.Letter() == 'L') {
    left = Sub(left, step);
    if (left <= minLeft) route.NextLeg(1);
  }
  walked = true;
}

std::string Patrol::Tag() const {
  return fmt::format("{}/{}/{}/{}/{}/{}", route.letters, route.position, minLeft, maxLeft, step,
                     effectText);
}

}  // namespace reddoor
