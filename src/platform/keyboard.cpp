#include "platform/keyboard.hpp"

namespace reddoor {

namespace {
struct KeyNaming {
  Key key;
  std::string_view name;
};
constexpr KeyNaming kKeyNames[] = {
    {Key::Left, "Left"}, {Key::Right, "Right"}, {Key::Space, "Space"}, {Key::E, "E"}};
}  // namespace

std::optional<Key> KeyFromName(std::string_view name) {
  for (const KeyNaming& k : kKeyNames) {
    if (k.name == name) return k.key;
  }
  return std::nullopt;
}

std::string_view KeyName(Key key) {
  for (const KeyNaming& k : kKeyNames) {
    if (k.key == key) return k.name;
  }
  return "";
}

std::size_t KeyLatch::Index(Key key) {
  switch (key) {
    case Key::Left:
      return 0;
    case Key::Right:
      return 1;
    case Key::Space:
      return 2;
    case Key::E:
      return 3;
  }
  return 0;
}

bool KeyLatch::Down(Key key, KeySource source) {
  State& s = slot(key);
  const bool wentDown = s.holders == 0;
  if (wentDown) s.pressedSincePoll = true;
  s.holders |= static_cast<std::uint8_t>(source);
  return wentDown;
}

bool KeyLatch::Up(Key key, KeySource source) {
  State& s = slot(key);
  const bool wasDown = s.holders != 0;
  s.holders &= static_cast<std::uint8_t>(~static_cast<unsigned>(source));
  return wasDown && s.holders == 0;
}

bool KeyLatch::Poll(Key key) {
  State& s = slot(key);
  const bool pressed = s.holders != 0 || s.pressedSincePoll;
  s.pressedSincePoll = false;
  return pressed;
}

}  // namespace reddoor
