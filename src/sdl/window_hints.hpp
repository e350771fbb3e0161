#pragma once
// What the game asks of the window manager beyond what SDL asks.
#include <SDL.h>

#include <string>

namespace reddoor {

// No minimize and no maximize button: the game's windows have the size their layout gives them,
// or, resizable, are sized by their border. Call before the window is first shown. On a desktop
// other than X11 this does nothing.
void OfferNoMinimizeOrMaximize(SDL_Window* window, bool resizable);

// The video drivers that reach the user's desktop, for SDL_HINT_VIDEODRIVER: on Linux as the
// environment names them (none without DISPLAY or WAYLAND_DISPLAY), on Windows its own. Left to
// itself SDL would go on to a driver that draws into memory nobody sees.
std::string DesktopDrivers();

}  // namespace reddoor
