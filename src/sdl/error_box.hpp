#pragma once
// The box that tells of a fault that ends the game, for a player who started it from a menu and
// sees no terminal.
#include <string>

namespace reddoor {

// A modal error box titled "Red Door" with one OK button, which Return and Escape press too.
// It waits for the player, but a signal that ends the game (SIGTERM, SIGINT) closes it at once.
// False when SDL cannot show it (SDL_GetError says why).
//
// On Windows it shows nothing and returns false: what the game prints on standard error
// reaches every player there, on the console of cmd.exe or PowerShell or, started from
// Explorer, in the box that shows it as the game ends (src/app/console_windows.cpp). A box of
// its own would tell a fault twice.
bool ShowErrorBox(const std::string& text);

}  // namespace reddoor
