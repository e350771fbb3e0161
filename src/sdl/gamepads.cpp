#include "sdl/gamepads.hpp"

#include <algorithm>
#include <iostream>

namespace reddoor {
namespace {

std::optional<Key> KeyOfStick(Stick stick) {
  switch (stick) {
    case Stick::Left:
      return Key::Left;
    case Stick::Right:
      return Key::Right;
    case Stick::Centred:
      break;
  }
  return std::nullopt;
}

std::uint32_t Bit(Uint8 button) {
  return std::uint32_t{1} << button;
}

}  // namespace

Stick StickAt(Sint16 value, Stick before) {
  // How far the stick still leans the way it pointed.
  const int leaning = before == Stick::Right ? value : before == Stick::Left ? -value : 0;
  if (leaning >= kStickReleased) return before;
  if (value >= kStickPushed) return Stick::Right;
  if (value <= -kStickPushed) return Stick::Left;
  return Stick::Centred;
}

void PadHolds::Button(SDL_JoystickID pad, Uint8 button, bool down) {
  if (!bindings_.GameKeyOfButton(button)) return;
  const HeldKeys before = Held();
  Pad& p = PadOf(pad);
  p.buttons = down ? p.buttons | Bit(button) : p.buttons & ~Bit(button);
  Report(before);
}

void PadHolds::StickX(SDL_JoystickID pad, Sint16 value) {
  const HeldKeys before = Held();
  Pad& p = PadOf(pad);
  p.stick = StickAt(value, p.stick);
  Report(before);
}

void PadHolds::Remove(SDL_JoystickID pad) {
  const HeldKeys before = Held();
  std::erase_if(pads_, [pad](const Pad& p) { return p.id == pad; });
  Report(before);
}

void PadHolds::ReleaseAll() {
  const HeldKeys before = Held();
  for (Pad& p : pads_) p = Pad{p.id};
  Report(before);
}

PadHolds::Pad& PadHolds::PadOf(SDL_JoystickID id) {
  const auto known =
      std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
  return known != pads_.end() ? *known : pads_.emplace_back(Pad{id});
}

PadHolds::HeldKeys PadHolds::Held() const {
  HeldKeys held;
  const auto hold = [&held](std::optional<Key> key) {
    if (key) held.set(IndexOf(*key));
  };
  for (const Pad& pad : pads_) {
    hold(KeyOfStick(pad.stick));
    for (Uint8 button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
      if (pad.buttons & Bit(button)) hold(bindings_.GameKeyOfButton(button));
    }
  }
  return held;
}

void PadHolds::Report(HeldKeys before) const {
  const HeldKeys after = Held();
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (before[i] != after[i]) onChange_(kKeys[i], after[i]);
  }
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
      if (IsOpen(event.cbutton.which)) {
        holds_.Button(event.cbutton.which, event.cbutton.button,
                      event.cbutton.state == SDL_PRESSED);
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
