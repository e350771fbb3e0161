#pragma once
// What the game asks of the window manager beyond what SDL asks.
#include <SDL.h>

#include <optional>

namespace reddoor {

// No minimize and no maximize button: the game's windows have the size their layout gives them,
// or, resizable, are sized by their border. Call before the window is first shown. On a desktop
// other than X11 this does nothing.
void OfferNoMinimizeOrMaximize(SDL_Window* window, bool resizable);

// Whether the key is down on the keyboard now, whichever window has the keyboard, as the window
// system knows it; none where it cannot tell (a desktop other than X11, or a key other than the
// arrows, Space and the letters).
std::optional<bool> KeyDownNow(SDL_Window* window, SDL_Keycode key);

}  // namespace reddoor
