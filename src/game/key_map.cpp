#include "game/key_map.hpp"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <algorithm>
#include <cctype>

namespace reddoor {

namespace {

constexpr std::array<std::string_view, kActions.size()> kActionNames = {
    "walk-left", "walk-right", "jump", "call-bird", "pause", "fullscreen", "timer"};

// The keys a map may name beyond letters, digits and F1 to F12.
constexpr std::array<std::string_view, 28> kNamedKeys = {
    "Left",       "Right",     "Up",        "Down",        "Space",       "Return",
    "Tab",        "Backspace", "Escape",    "Insert",      "Delete",      "Home",
    "End",        "PageUp",    "PageDown",  "Left Shift",  "Right Shift", "Left Ctrl",
    "Right Ctrl", "Left Alt",  "Right Alt", "Keypad 0",    "Keypad 2",    "Keypad 4",
    "Keypad 5",   "Keypad 6",  "Keypad 8",  "Keypad Enter"};

// In the order of PadButton.
constexpr std::array<std::string_view, kPadButtonCount> kButtons = {"a",
                                                                    "b",
                                                                    "x",
                                                                    "y",
                                                                    "back",
                                                                    "guide",
                                                                    "start",
                                                                    "leftstick",
                                                                    "rightstick",
                                                                    "leftshoulder",
                                                                    "rightshoulder",
                                                                    "dpup",
                                                                    "dpdown",
                                                                    "dpleft",
                                                                    "dpright"};

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

template <std::size_t N>
std::optional<std::string_view> Among(const std::array<std::string_view, N>& names,
                                      std::string_view name) {
  const auto found = std::find_if(names.begin(), names.end(),
                                  [name](std::string_view n) { return SameIgnoringCase(n, name); });
  if (found == names.end()) return std::nullopt;
  return *found;
}

constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kDigits = "0123456789";
constexpr std::array<std::string_view, 12> kFunctionKeys = {"F1", "F2", "F3", "F4",  "F5",  "F6",
                                                            "F7", "F8", "F9", "F10", "F11", "F12"};

std::string Listed(const std::vector<std::string>& names) {
  return names.empty() ? std::string("-") : fmt::format("{}", fmt::join(names, ", "));
}

}  // namespace

std::string_view ActionName(Action action) {
  return kActionNames[static_cast<std::size_t>(action)];
}

std::optional<Action> ActionNamed(std::string_view name) {
  for (Action action : kActions) {
    if (ActionName(action) == name) return action;
  }
  return std::nullopt;
}

std::optional<Key> GameKeyOf(Action action) {
  switch (action) {
    case Action::WalkLeft:
      return Key::Left;
    case Action::WalkRight:
      return Key::Right;
    case Action::Jump:
      return Key::Space;
    case Action::CallBird:
      return Key::E;
    default:
      return std::nullopt;
  }
}

std::optional<std::string_view> KeyNamed(std::string_view name) {
  if (name.size() == 1) {
    const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    for (std::string_view set : {kLetters, kDigits}) {
      if (const std::size_t at = set.find(c); at != std::string_view::npos)
        return set.substr(at, 1);
    }
    return std::nullopt;
  }
  if (auto key = Among(kFunctionKeys, name)) return key;
  return Among(kNamedKeys, name);
}

std::optional<std::string_view> ButtonNamed(std::string_view name) {
  return Among(kButtons, name);
}

std::optional<PadButton> PadButtonNamed(std::string_view name) {
  const std::optional<std::string_view> known = ButtonNamed(name);
  if (!known) return std::nullopt;
  return static_cast<PadButton>(std::find(kButtons.begin(), kButtons.end(), *known) -
                                kButtons.begin());
}

std::optional<Action> KeyMap::ActionOfKey(std::string_view name) const {
  const std::optional<std::string_view> key = KeyNamed(name);
  if (!key) return std::nullopt;
  for (Action action : kActions) {
    for (const std::string& listed : KeysOf(action)) {
      if (KeyNamed(listed) == key) return action;
    }
  }
  return std::nullopt;
}

std::optional<Action> KeyMap::ActionOfButton(PadButton button) const {
  for (Action action : kActions) {
    for (const std::string& name : ButtonsOf(action)) {
      if (PadButtonNamed(name) == button) return action;
    }
  }
  return std::nullopt;
}

std::optional<Key> KeyMap::GameKeyOf(PadButton button) const {
  const std::optional<Action> action = ActionOfButton(button);
  return action ? reddoor::GameKeyOf(*action) : std::nullopt;
}

const KeyMap& DefaultKeyMap() {
  static const KeyMap kDefault{
      .keys = {{{"Left"}, {"Right"}, {"Space"}, {"E"}, {"P"}, {"F11"}, {"T"}}},
      .buttons = {{{"dpleft"}, {"dpright"}, {"a"}, {"x"}, {"back"}, {}, {}}}};
  return kDefault;
}

std::string FormatKeyMap(const KeyMap& map) {
  std::string text;
  for (Action action : kActions) {
    text += fmt::format("{:<11} {:<24} gamepad: {}\n", ActionName(action),
                        Listed(map.KeysOf(action)), Listed(map.ButtonsOf(action)));
  }
  return text;
}

}  // namespace reddoor
