#pragma once
// The keys the game polls, and the polling rule: a key counts as pressed when it is down at the
// poll or went down since the previous poll of that key.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace reddoor {

enum class Key : std::uint8_t { Left, Right, Space, E };
constexpr std::array<Key, 4> kKeys = {Key::Left, Key::Right, Key::Space, Key::E};

constexpr std::size_t IndexOf(Key key) {
  return static_cast<std::size_t>(key);
}

// "Right", "Left", "Space" or "E" as the scripts and recordings name the keys.
std::optional<Key> KeyFromName(std::string_view name);
std::string_view KeyName(Key key);

// What holds a game key down: the keyboard and the gamepads hold it each on their own, and
// the key is up only when neither does.
enum class KeySource : std::uint8_t { Keyboard = 1, Gamepad = 2 };

class KeyLatch {
 public:
  // True when the key went down, which counts as a new press; a source that holds it already,
  // or a second source, changes nothing.
  bool Down(Key key, KeySource source = KeySource::Keyboard);
  // True when the key went up: no source holds it any more. A press not yet polled still counts.
  bool Up(Key key, KeySource source = KeySource::Keyboard);
  // Down now, or went down since the previous poll of this key; clears the latch.
  bool Poll(Key key) {
    State& s = states_[IndexOf(key)];
    const bool pressed = s.holders != 0 || s.pressedSincePoll;
    s.pressedSincePoll = false;
    return pressed;
  }
  bool IsDown(Key key) const { return states_[IndexOf(key)].holders != 0; }

 private:
  struct State {
    std::uint8_t holders = 0;  // KeySource bits
    bool pressedSincePoll = false;
  };
  std::array<State, kKeys.size()> states_{};
};

}  // namespace reddoor
