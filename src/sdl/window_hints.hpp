#pragma once
// What the game asks of the window manager beyond what SDL asks.
#include <SDL.h>

namespace reddoor {

// No minimize and no maximize button: the game's windows have the size their layout gives them,
// or, resizable, are sized by their border. Call before the window is first shown. On a desktop
// other than X11 this does nothing.
void OfferNoMinimizeOrMaximize(SDL_Window* window, bool resizable);

}  // namespace reddoor
