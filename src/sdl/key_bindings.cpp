#include "sdl/key_bindings.hpp"

#include <algorithm>
#include <string>

#include "sdl/gamepads.hpp"

namespace reddoor {

namespace {

std::optional<Action> Find(const std::vector<std::pair<SDL_Keycode, Action>>& bound,
                           SDL_Keycode code) {
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
  }
}

std::optional<Action> KeyBindings::OfKey(SDL_Keycode code) const {
  return Find(keys_, code);
}

std::optional<Action> KeyBindings::OfButton(Uint8 button) const {
  const std::optional<PadButton> pad = PadButtonOf(button);
  return pad ? map_.ActionOfButton(*pad) : std::nullopt;
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
