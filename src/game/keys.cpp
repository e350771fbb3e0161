#include "game/keys.hpp"

namespace reddoor {

namespace {
constexpr std::array<std::string_view, kKeys.size()> kKeyNames = {"Left", "Right", "Space", "E"};
}  // namespace

std::optional<Key> KeyFromName(std::string_view name) {
  for (Key key : kKeys) {
    if (KeyName(key) == name) return key;
  }
  return std::nullopt;
}

std::string_view KeyName(Key key) {
  return kKeyNames[IndexOf(key)];
}

bool KeyLatch::Down(Key key, KeySource source) {
  State& s = states_[IndexOf(key)];
  const bool wentDown = s.holders == 0;
  if (wentDown) s.pressedSincePoll = true;
  s.holders |= static_cast<std::uint8_t>(source);
  return wentDown;
}

bool KeyLatch::Up(Key key, KeySource source) {
  State& s = states_[IndexOf(key)];
  const bool wasDown = s.holders != 0;
  s.holders &= static_cast<std::uint8_t>(~static_cast<unsigned>(source));
  return wasDown && s.holders == 0;
}

}  // namespace reddoor
