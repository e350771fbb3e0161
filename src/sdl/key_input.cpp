#include "sdl/key_input.hpp"

#include <utility>

namespace reddoor {

void KeyInput::Changed(KeySource source, Key key, bool down) {
  if (!runtime_ || (down && hold_.Held())) return;
  const bool changed = down ? runtime_->KeyDown(key, source) : runtime_->KeyUp(key, source);
  if (changed && key == Key::Space && !down && !hold_.Held()) buttonPressed_ = true;
}

// A key held when the game is held must be pressed again: its release may never reach the game.
void KeyInput::ReleaseAll() {
  gamepads_.ReleaseAll();
  if (!runtime_) return;
  for (Key key : kKeys) {
    heldWhenLetGo_[IndexOf(key)] = runtime_->IsKeyDown(key);
    Changed(KeySource::Keyboard, key, false);
    Changed(KeySource::Gamepad, key, false);
  }
}

void KeyInput::Keyboard(const SDL_KeyboardEvent& event) {
  const std::optional<Key> key = bindings_.GameKeyOfKey(event.keysym.sym);
  if (!key) return;
  const bool down = event.state == SDL_PRESSED;
  bool& heldFromBefore = heldFromBefore_[IndexOf(*key)];
  if (down && heldFromBefore) return;
  if (!down) {
    heldFromBefore = false;
    releasedAt_[IndexOf(*key)] = event.timestamp;
  }
  Changed(KeySource::Keyboard, *key, down);
}

// The keys that SDL let go of as the focus went were held then.
void KeyInput::FocusLost(Uint32 timestamp) {
  pausedByFocusLoss_ = true;
  for (Key key : kKeys) {
    if (releasedAt_[IndexOf(key)] == timestamp) heldWhenLetGo_[IndexOf(key)] = true;
  }
}

// A key down now was held through, or pressed while the game was away: either way not a press
// into the game. Where the desktop cannot tell, a key held when the game let go of it is taken
// as held still.
void KeyInput::FocusGained(const std::function<std::optional<bool>(SDL_Keycode)>& downNow) {
  // Only a focus loss that paused the game counts: a message box takes the focus and gives it
  // back at once, and a key pressed then, before the game hears of the focus, is a press.
  if (!std::exchange(pausedByFocusLoss_, false)) return;
  for (Key key : kKeys) {
    std::optional<bool> down;
    for (SDL_Keycode code : bindings_.KeysOf(key)) {
      const std::optional<bool> codeDown = downNow(code);
      if (codeDown) down = down.value_or(false) || *codeDown;
    }
    heldFromBefore_[IndexOf(key)] = down.value_or(heldWhenLetGo_[IndexOf(key)]);
  }
}

}  // namespace reddoor
