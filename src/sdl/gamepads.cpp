#include "sdl/gamepads.hpp"

#include <algorithm>
#include <iostream>

namespace reddoor {

// SDL numbers its buttons in the order of PadButton.
std::optional<PadButton> PadButtonOf(Uint8 button) {
  if (button >= kPadButtonCount) return std::nullopt;
  return static_cast<PadButton>(button);
}

Gamepads::~Gamepads() {
  controllers_.clear();
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool Gamepads::Start() {
  if (started_) return true;
  // Jumping is the south button on every pad: SDL is to name the face buttons by their place, as
  // on an Xbox pad, not by the letters printed on them (a Nintendo pad has its A on the east).
  SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
  started_ = true;
  // SDL announces the pads plugged in already only when this starts the subsystem, not when
  // something else in the program had started it before.
  for (int i = 0; i < SDL_NumJoysticks(); ++i) Open(i);
  return true;
}

bool Gamepads::Handle(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Open(event.cdevice.which);  // a device index
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      Close(event.cdevice.which);  // an instance id
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (const std::optional<PadButton> button = PadButtonOf(event.cbutton.button);
          button && IsOpen(event.cbutton.which)) {
        holds_.Button(event.cbutton.which, *button, event.cbutton.state == SDL_PRESSED);
      }
      return true;
    case SDL_CONTROLLERAXISMOTION:
      if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX && IsOpen(event.caxis.which)) {
        holds_.StickX(event.caxis.which, event.caxis.value);
      }
      return true;
    case SDL_CONTROLLERDEVICEREMAPPED:
    case SDL_CONTROLLERTOUCHPADDOWN:
    case SDL_CONTROLLERTOUCHPADMOTION:
    case SDL_CONTROLLERTOUCHPADUP:
    case SDL_CONTROLLERSENSORUPDATE:
      return true;
    default:
      return false;
  }
}

// A pad plugged in before Start is opened there and announced by an event as well; an event
// can also name a device index that a pad unplugged since has left empty.
void Gamepads::Open(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex) || IsOpen(SDL_JoystickGetDeviceInstanceID(deviceIndex))) {
    return;
  }
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (!controller) {
    std::cerr << "reddoor: cannot open a gamepad: " << SDL_GetError() << '\n';
    return;
  }
  const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
  controllers_.push_back({id, decltype(Controller::handle)(controller)});
}

void Gamepads::Close(SDL_JoystickID id) {
  holds_.Remove(id);
  std::erase_if(controllers_, [id](const Controller& c) { return c.id == id; });
}

bool Gamepads::IsOpen(SDL_JoystickID id) const {
  return std::any_of(controllers_.begin(), controllers_.end(),
                     [id](const Controller& c) { return c.id == id; });
}

}  // namespace reddoor
