// The gamepads: which inputs stand for which game keys, keys held by several inputs at once,
// and a real SDL game controller, as SDL's virtual pad, plugged in and out while the game runs.
#include "sdl/gamepads.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
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

constexpr SDL_JoystickID kPad1 = 1;
constexpr SDL_JoystickID kPad2 = 2;

// SDL's A is the south face button and its X the west one, wherever the letters are printed.
const std::map<SDL_GameControllerButton, Key> kGameButtons = {
    {SDL_CONTROLLER_BUTTON_A, Key::Space},
    {SDL_CONTROLLER_BUTTON_X, Key::E},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Key::Left},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Key::Right}};

// Pushed from kStickPushed on, centred again only below kStickReleased, straight to the other
// side when pushed there.
TEST(GamepadStick, DeadZoneWithHysteresis) {
  constexpr Stick kC = Stick::Centred, kL = Stick::Left, kR = Stick::Right;
  constexpr int kOn = kStickPushed, kOff = kStickReleased;
  const std::tuple<int, Stick, Stick> cases[] = {
      {kOn - 1, kC, kC},   {-kOn + 1, kC, kC}, {kOn, kC, kR},      {-kOn, kC, kL},
      {-32768, kC, kL},    {kOff, kR, kR},     {kOff - 1, kR, kC}, {-kOff, kL, kL},
      {-kOff + 1, kL, kC}, {-kOn, kR, kL},     {kOn, kL, kR},      {-kOn + 1, kR, kC}};
  for (const auto& [value, before, after] : cases) {
    EXPECT_EQ(StickAt(static_cast<Sint16>(value), before), after)
        << value << " from " << static_cast<int>(before);
  }
}

// A key goes down with the first input that holds it and up with the last; a pad removed
// releases only what no other pad holds. On focus loss every key goes up, and a button still
// down counts again only when pressed again, a stick when it next moves.
TEST(PadHolds, InputsHoldKeysTogetherUntilTheLastLetsGo) {
  Changes told;
  const KeyBindings bindings;
  PadHolds holds(bindings, RecordInto(told));
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  EXPECT_EQ(Take(told), Changes{"Right down"});
  holds.StickX(kPad1, 20000);
  holds.StickX(kPad2, 20000);
  holds.Button(kPad2, SDL_CONTROLLER_BUTTON_X, true);
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
  holds.StickX(kPad1, 0);
  EXPECT_EQ(Take(told), Changes{"E down"});
  holds.Remove(kPad1);
  EXPECT_EQ(Take(told), Changes{});
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_EQ(Take(told), Changes{"Space down"});
  holds.ReleaseAll();
  EXPECT_EQ(Take(told), (Changes{"Space up", "Right up", "E up"}));
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_EQ(Take(told), Changes{});
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_A, true);
  holds.StickX(kPad2, 21000);
  EXPECT_EQ(Take(told), (Changes{"Space down", "Right down"}));
  holds.Remove(kPad2);
  EXPECT_EQ(Take(told), Changes{"Right up"});
}

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
  const KeyBindings bindings;
  Gamepads gamepads(bindings, RecordInto(told));
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
