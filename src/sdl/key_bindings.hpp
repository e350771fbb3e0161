#pragma once
// The player's key map in SDL's terms: which keyboard keys and controller buttons do which
// action. Alt+Enter switching to fullscreen and Escape leaving it, Return and the start
// button pressing the window's button, and the left stick walking come on top, whatever the map.
#include <SDL.h>

#include <optional>
#include <utility>
#include <vector>

#include "game/key_map.hpp"

namespace reddoor {

class KeyBindings {
 public:
  explicit KeyBindings(const KeyMap& map = DefaultKeyMap());

  std::optional<Action> OfKey(SDL_Keycode code) const;
  std::optional<Action> OfButton(Uint8 button) const;
  // The game key that this keyboard key holds down, if any.
  std::optional<Key> GameKeyOfKey(SDL_Keycode code) const;
  // The keyboard keys that hold this game key.
  std::vector<SDL_Keycode> KeysOf(Key key) const;
  const KeyMap& Map() const { return map_; }

 private:
  KeyMap map_;
  std::vector<std::pair<SDL_Keycode, Action>> keys_;  // the first for a key counts
};

}  // namespace reddoor
