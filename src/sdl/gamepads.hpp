#pragma once
// The gamepads as a second keyboard: the left stick walks, and the buttons do what the key map
// says (by default the d-pad walks, the south face button jumps and the west one calls the
// bird). Pads can be plugged in and out while the game runs.
#include <SDL.h>

#include <bitset>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "game/keys.hpp"
#include "sdl/key_bindings.hpp"

namespace reddoor {

// Where the left stick points along its X axis.
enum class Stick : std::uint8_t { Centred, Left, Right };

// The stick is pushed from kStickPushed on, and centred again only below kStickReleased: a stick
// resting near the edge of the dead zone does not walk in fits and starts.
inline constexpr int kStickPushed = 8000;
inline constexpr int kStickReleased = 6000;

// Where the stick points at this axis value, given where it pointed before.
Stick StickAt(Sint16 value, Stick before);

// The game keys the pads' inputs hold down. Each button and each stick of each pad holds its key
// on its own: a key goes down with the first input holding it and up with the last.
class PadHolds {
 public:
  // Told when a game key goes down or up on the gamepads taken together.
  using KeyChange = std::function<void(Key key, bool down)>;
  PadHolds(const KeyBindings& bindings, KeyChange onChange)
      : bindings_(bindings), onChange_(std::move(onChange)) {}
  void Button(SDL_JoystickID pad, Uint8 button, bool down);
  void StickX(SDL_JoystickID pad, Sint16 value);
  // The pad is gone: it holds nothing any more.
  void Remove(SDL_JoystickID pad);
  // Nothing is held until pressed again; a stick counts again when it next moves.
  void ReleaseAll();

 private:
  using HeldKeys = std::bitset<kKeys.size()>;
  struct Pad {
    SDL_JoystickID id;
    std::uint32_t buttons = 0;  // the held buttons that stand for keys, by SDL number
    Stick stick = Stick::Centred;
  };
  Pad& PadOf(SDL_JoystickID id);
  HeldKeys Held() const;
  // Tells the keys that went down or up since the keys held were `before`.
  void Report(HeldKeys before) const;

  const KeyBindings& bindings_;
  KeyChange onChange_;
  std::vector<Pad> pads_;
};

class Gamepads {
 public:
  using KeyChange = PadHolds::KeyChange;
  Gamepads(const KeyBindings& bindings, KeyChange onChange)
      : holds_(bindings, std::move(onChange)) {}
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
