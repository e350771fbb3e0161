// The gamepads: a real SDL game controller, as SDL's virtual pad, plugged in and out while the
// game runs. Which inputs hold which keys: tests/game/pad_holds_test.cpp.
#include "sdl/gamepads.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

namespace reddoor {
namespace {

// The changes told at one moment, as "Right down", in no particular order.
using Changes = std::multiset<std::string>;

PadHolds::KeyChange RecordInto(Changes& told) {
  return [&told](Key key, bool down) {
    told.insert(std::string(KeyName(key)) + (down ? " down" : " up"));
  };
}

// The changes told since the previous call.
Changes Take(Changes& told) {
  return std::exchange(told, {});
}

// SDL's A is the south face button and its X the west one, wherever the letters are printed.
const std::map<SDL_GameControllerButton, Key> kGameButtons = {
    {SDL_CONTROLLER_BUTTON_A, Key::Space},
    {SDL_CONTROLLER_BUTTON_X, Key::E},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Key::Left},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Key::Right}};

// A pad plugged in and out through SDL's virtual joysticks, with no display. SDL numbers a
// virtual pad's joystick buttons in the order of the set bits of its mask: with the gaps, the
// d-pad's joystick numbers are not its controller button numbers, and only the controller
// events carry the right buttons.
TEST(VirtualPad, PluggedInWhileRunningItWalksJumpsAndCallsUnpluggedItLetsGo) {
  if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) GTEST_SKIP() << SDL_GetError();
  // Quitting the subsystem takes the pad and every event left with it, after the gamepads.
  struct Quit {
    ~Quit() { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }
  } const quit;
  Changes told;
  Gamepads gamepads(RecordInto(told));
  ASSERT_TRUE(gamepads.Start()) << SDL_GetError();
  Uint32 buttons = 1u << SDL_CONTROLLER_BUTTON_B;  // and one that stands for no key
  for (const auto& [button, key] : kGameButtons) buttons |= 1u << button;
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  desc.nbuttons = static_cast<Uint16>(std::popcount(buttons));
  desc.button_mask = buttons;
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) GTEST_SKIP() << "no virtual joysticks in this SDL: " << SDL_GetError();
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
  const auto deliver = [&gamepads] {  // as the game's loop does
    SDL_Event event;
    while (SDL_PollEvent(&event)) gamepads.Handle(event);
  };
  deliver();
  SDL_GameController* pad = SDL_GameControllerFromInstanceID(id);
  ASSERT_NE(pad, nullptr) << "the plugged pad was not opened";
  SDL_Joystick* joystick = SDL_GameControllerGetJoystick(pad);
  const auto press = [&](SDL_GameControllerButton button, Uint8 state) {
    SDL_JoystickSetVirtualButton(
        joystick, SDL_GameControllerGetBindForButton(pad, button).value.button, state);
    deliver();
  };
  const auto tilt = [&](SDL_GameControllerAxis axis, Sint16 value) {
    SDL_JoystickSetVirtualAxis(joystick, SDL_GameControllerGetBindForAxis(pad, axis).value.axis,
                               value);
    deliver();
  };

  for (const auto& [button, key] : kGameButtons) {
    press(button, SDL_PRESSED);
    EXPECT_EQ(Take(told), Changes{std::string(KeyName(key)) + " down"});
    press(button, SDL_RELEASED);
    EXPECT_EQ(Take(told), Changes{std::string(KeyName(key)) + " up"});
  }
  // Other buttons and axes do nothing; the left stick walks.
  press(SDL_CONTROLLER_BUTTON_B, SDL_PRESSED);
  tilt(SDL_CONTROLLER_AXIS_LEFTY, 30000);
  tilt(SDL_CONTROLLER_AXIS_RIGHTX, 30000);
  EXPECT_EQ(Take(told), Changes{});
  tilt(SDL_CONTROLLER_AXIS_LEFTX, -20000);
  press(SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
  EXPECT_EQ(Take(told), (Changes{"Left down", "Space down"}));

  // SDL releases the buttons of an unplugged pad and centres its sticks by events of their own;
  // the removal alone must release them too.
  SDL_JoystickDetachVirtual(index);
  SDL_PumpEvents();
  SDL_Event removal;
  ASSERT_EQ(SDL_PeepEvents(&removal, 1, SDL_GETEVENT, SDL_CONTROLLERDEVICEREMOVED,
                           SDL_CONTROLLERDEVICEREMOVED),
            1);
  gamepads.Handle(removal);
  EXPECT_EQ(Take(told), (Changes{"Space up", "Left up"}));
  EXPECT_EQ(SDL_GameControllerFromInstanceID(id), nullptr) << "the unplugged pad is still open";
}

}  // namespace
}  // namespace reddoor
