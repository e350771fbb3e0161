#pragma once
// The module Main: the two ways the game moves between windows.
#include "game/form.hpp"

namespace reddoor::Main {

// Unload the window, then show it again: it is rebuilt from its layout and its load handler
// runs (a level starts a new game).
void ShowFresh(Form& form);

// Hide the window left, unload it, then show the window to go to.
void SwitchForm(Form& from, Form& to);

}  // namespace reddoor::Main
