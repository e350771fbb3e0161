#pragma once
// The keys the game polls, by virtual-key code, and the polling rule: a key counts as pressed
// when it is down at the poll or went down since the previous poll of that key.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace reddoor {

enum class Key : std::uint8_t { Left = 37, Right = 39, Space = 32, E = 69 };

// "Right", "Left", "Space" or "E" as the scripts and recordings name the keys.
std::optional<Key> KeyFromName(std::string_view name);
std::string_view KeyName(Key key);

class KeyLatch {
 public:
  // Only an up-to-down change counts as a new press: a repeated down changes nothing.
  void Down(Key key);
  void Up(Key key);
  // Down now, or went down since the previous poll of this key; clears the latch.
  bool Poll(Key key);
  bool IsDown(Key key) const { return slot(key).down; }
  void ReleaseAll();

 private:
  struct State {
    bool down = false;
    bool pressedSincePoll = false;
  };
  static std::size_t Index(Key key);
  State& slot(Key key) { return states_[Index(key)]; }
  const State& slot(Key key) const { return states_[Index(key)]; }
  std::array<State, 4> states_{};
};

}  // namespace reddoor
