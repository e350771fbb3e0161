#pragma once
// What the player does, and the keys and gamepad buttons that do it. The four game keys are
// actions too: a recording stores the game key ("down Right"), never the key that held it, so
// it replays with any key map. Keys and buttons are named as the desktop names them
// ("Left", "Space", "E", "F11"; "a", "dpleft", "start").
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/keys.hpp"

namespace reddoor {

enum class Action : std::uint8_t { WalkLeft, WalkRight, Jump, CallBird, Pause, Fullscreen, Timer };
constexpr std::array<Action, 7> kActions = {Action::WalkLeft, Action::WalkRight, Action::Jump,
                                            Action::CallBird, Action::Pause,     Action::Fullscreen,
                                            Action::Timer};

// "walk-left", "walk-right", "jump", "call-bird", "pause", "fullscreen", "timer".
std::string_view ActionName(Action action);
std::optional<Action> ActionNamed(std::string_view name);
// The game key an action holds down; none for the actions of the surroundings.
std::optional<Key> GameKeyOf(Action action);

// A gamepad's buttons by their place on the pad, not by the letters printed on them (a Nintendo
// pad has its A on the east); named "a", "b", "x", "y", "back", "guide", "start", "leftstick",
// "rightstick", "leftshoulder", "rightshoulder", "dpup", "dpdown", "dpleft", "dpright".
enum class PadButton : std::uint8_t {
  South,
  East,
  West,
  North,
  Back,
  Guide,
  Start,
  LeftStick,
  RightStick,
  LeftShoulder,
  RightShoulder,
  DpadUp,
  DpadDown,
  DpadLeft,
  DpadRight
};
inline constexpr std::size_t kPadButtonCount = 15;
std::optional<PadButton> PadButtonNamed(std::string_view name);

// The keyboard's key of this name, written as the key map writes it ("left" is "Left"); none
// for a name that is no key.
std::optional<std::string_view> KeyNamed(std::string_view name);
// The gamepad's button of this name ("a", "dpleft"); none for a name that is no button.
std::optional<std::string_view> ButtonNamed(std::string_view name);

struct KeyMap {
  // By action: the keys and buttons that do it. A key listed for two actions does the first.
  std::array<std::vector<std::string>, kActions.size()> keys;
  std::array<std::vector<std::string>, kActions.size()> buttons;

  const std::vector<std::string>& KeysOf(Action a) const {
    return keys[static_cast<std::size_t>(a)];
  }
  const std::vector<std::string>& ButtonsOf(Action a) const {
    return buttons[static_cast<std::size_t>(a)];
  }
  // What the keyboard's key of this name does (any spelling KeyNamed takes), if anything.
  std::optional<Action> ActionOfKey(std::string_view name) const;
  std::optional<Action> ActionOfButton(PadButton button) const;
  // The game key a gamepad button holds, if any.
  std::optional<Key> GameKeyOf(PadButton button) const;
  friend bool operator==(const KeyMap&, const KeyMap&) = default;
};

// Left and Right walk, Space jumps, E calls the bird, P pauses, F11 switches to fullscreen, T
// shows the timer; on a gamepad the d-pad walks, the south button jumps, the west one calls
// the bird and back pauses.
const KeyMap& DefaultKeyMap();

// The map as --keys prints it: one line for each action.
std::string FormatKeyMap(const KeyMap& map);

}  // namespace reddoor
