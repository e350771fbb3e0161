#include "sdl/key_input.hpp"

#include <utility>

namespace reddoor {

std::optional<Key> GameKey(SDL_Keycode code) {
  switch (code) {
    case SDLK_RIGHT:
      return Key::Right;
    case SDLK_LEFT:
      return Key::Left;
    case SDLK_SPACE:
      return Key::Space;
    case SDLK_e:
      return Key::E;
    default:
      return std::nullopt;
  }
}

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

void KeyInput::FocusGained(Uint32 timestamp) {
  focusJustGained_ = true;
  focusGainedAt_ = timestamp;
}

// SDL stamps events as it takes them in, not as they happened: a fresh press that comes in
// together with the focus has the same stamp. Only a game key that was held when the game let
// go of the keys can be one still held; any other key is taken as held, as it may be.
bool KeyInput::MayStillBeHeld(SDL_Keycode code) const {
  const std::optional<Key> key = GameKey(code);
  return !key || heldWhenLetGo_[IndexOf(*key)];
}

bool KeyInput::IsHeldFromBefore(const SDL_Event& event) {
  if (!std::exchange(focusJustGained_, false)) return false;
  const bool heldFromBefore = event.type == SDL_KEYDOWN &&
                              event.key.timestamp - focusGainedAt_ <= 1 &&
                              MayStillBeHeld(event.key.keysym.sym);
  // The next key may come with the focus too.
  focusJustGained_ = heldFromBefore;
  return heldFromBefore;
}

}  // namespace reddoor
