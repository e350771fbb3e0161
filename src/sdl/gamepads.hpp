#pragma once
// The gamepads as SDL game controllers (game/pad_holds.hpp tells which input holds which key).
// Pads can be plugged in and out while the game runs.
#include <SDL.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "game/pad_holds.hpp"

namespace reddoor {

// The pad button an SDL game controller button (SDL_GameControllerButton) is; SDL has some more
// (paddles, a touchpad) that stand for nothing.
std::optional<PadButton> PadButtonOf(Uint8 button);

class Gamepads {
 public:
  using KeyChange = PadHolds::KeyChange;
  // The buttons hold the game keys that `map` gives them.
  explicit Gamepads(KeyChange onChange, const KeyMap& map = DefaultKeyMap())
      : holds_(std::move(onChange), map) {}
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;
  // Closes the open controllers and stops what Start started; before SDL_Quit, if at all.
  ~Gamepads();

  // Starts SDL's game controller subsystem and opens the pads already plugged in; false (with a
  // reason in SDL_GetError) when it cannot, in which case the game simply has no gamepad.
  bool Start();
  // Handles a controller event; false when the event is not one of the gamepads'.
  bool Handle(const SDL_Event& event);
  // Releases every held key (the game lost the focus, or is pausing).
  void ReleaseAll() { holds_.ReleaseAll(); }

 private:
  struct CloseController {
    void operator()(SDL_GameController* controller) const { SDL_GameControllerClose(controller); }
  };
  struct Controller {
    SDL_JoystickID id;
    std::unique_ptr<SDL_GameController, CloseController> handle;
  };
  void Open(int deviceIndex);
  void Close(SDL_JoystickID id);
  bool IsOpen(SDL_JoystickID id) const;

  PadHolds holds_;
  std::vector<Controller> controllers_;
  bool started_ = false;
};

}  // namespace reddoor
