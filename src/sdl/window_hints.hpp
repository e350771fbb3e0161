#pragma once
// What the game asks of the window manager beyond what SDL asks.
#include <SDL.h>

#include <cstdint>
#include <optional>
#include <string>

namespace reddoor {

// No minimize and no maximize button: the game's windows have the size their layout gives them,
// or, resizable, are sized by their border. Call before the window is first shown. On a desktop
// other than X11 this does nothing.
void OfferNoMinimizeOrMaximize(SDL_Window* window, bool resizable);

// Whether the window may go fullscreen: on X11 only under a window manager that offers it this
// window (openbox, for one, offers it normal windows only). Elsewhere, and where the window
// manager has not said yet, SDL is left to try.
bool MayGoFullscreen(SDL_Window* window);

// The size the window really has on the desktop, which can differ from SDL's when the window
// manager refused a change of size; none where it cannot be asked (a desktop other than X11).
std::optional<SDL_Point> RealSize(SDL_Window* window);

// Whether the key is down on the keyboard now, whichever window has the keyboard, as the window
// system knows it; none where it cannot tell (a desktop other than X11, or a key other than the
// arrows, Space and the letters).
std::optional<bool> KeyDownNow(SDL_Window* window, SDL_Keycode key);

// For a message of the window system that SDL passes on (SDL_SYSWMEVENT): how many ms ago the
// window system took in the key or mouse button it tells of, by the window system's own time
// stamp. SDL stamps its events only when it reads them, later while the game was busy. None for
// other messages, and where that clock cannot be read (a desktop other than X11, or an X server
// on another machine).
std::optional<std::int64_t> InputAge(const SDL_SysWMmsg& message);

// The video drivers that reach the user's desktop, for SDL_HINT_VIDEODRIVER: on Linux as the
// environment names them (none without DISPLAY or WAYLAND_DISPLAY), on Windows its own (none
// where no window can be opened: a session without a display, Wine without an X server). Left
// to itself SDL would go on to a driver that draws into memory nobody sees.
std::string DesktopDrivers();
// Why there are none, for the player.
const char* NoDesktopReason();

}  // namespace reddoor
