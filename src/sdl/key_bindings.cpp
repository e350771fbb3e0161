#include "sdl/key_bindings.hpp"

#include <algorithm>
#include <string>

namespace reddoor {

namespace {

template <typename Code>
std::optional<Action> Find(const std::vector<std::pair<Code, Action>>& bound, Code code) {
  const auto found = std::find_if(bound.begin(), bound.end(),
                                  [code](const auto& binding) { return binding.first == code; });
  if (found == bound.end()) return std::nullopt;
  return found->second;
}

std::optional<Key> GameKeyOf(std::optional<Action> action) {
  return action ? reddoor::GameKeyOf(*action) : std::nullopt;
}

}  // namespace

// The map's names are SDL's own, so every one of them is found.
KeyBindings::KeyBindings(const KeyMap& map) : map_(map) {
  for (Action action : kActions) {
    for (const std::string& name : map.KeysOf(action)) {
      const SDL_Keycode code = SDL_GetKeyFromName(name.c_str());
      if (code != SDLK_UNKNOWN) keys_.emplace_back(code, action);
    }
    for (const std::string& name : map.ButtonsOf(action)) {
      const SDL_GameControllerButton button = SDL_GameControllerGetButtonFromString(name.c_str());
      if (button != SDL_CONTROLLER_BUTTON_INVALID) {
        buttons_.emplace_back(static_cast<Uint8>(button), action);
      }
    }
  }
}

std::optional<Action> KeyBindings::OfKey(SDL_Keycode code) const {
  return Find(keys_, code);
}

std::optional<Action> KeyBindings::OfButton(Uint8 button) const {
  return Find(buttons_, button);
}

std::optional<Key> KeyBindings::GameKeyOfKey(SDL_Keycode code) const {
  return GameKeyOf(OfKey(code));
}

std::vector<SDL_Keycode> KeyBindings::KeysOf(Key key) const {
  std::vector<SDL_Keycode> codes;
  for (const auto& [code, action] : keys_) {
    if (GameKeyOf(action) == key && OfKey(code) == action) codes.push_back(code);
  }
  return codes;
}

}  // namespace reddoor
