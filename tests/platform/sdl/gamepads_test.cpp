// The gamepads: which inputs stand for which game keys, keys held by several inputs at once,
// and a real SDL game controller, as SDL's virtual pad, plugged in and out while the game runs.
#include "platform/sdl/gamepads.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <bit>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <utility>

namespace reddoor {
namespace {

struct Change {
  Key key;
  bool down;
  auto operator<=>(const Change&) const = default;
};
void PrintTo(const Change& change, std::ostream* out) {
  *out << KeyName(change.key) << (change.down ? " down" : " up");
}
Change Down(Key key) {
  return {key, true};
}
Change Up(Key key) {
  return {key, false};
}

// The changes told at one moment come in no particular order.
using Changes = std::multiset<Change>;

class ChangeLog {
 public:
  PadHolds::KeyChange Recorder() {
    return [this](Key key, bool down) { told_.insert({key, down}); };
  }
  // The changes told since the previous call.
  Changes Take() { return std::exchange(told_, {}); }

 private:
  Changes told_;
};

constexpr SDL_JoystickID kPad1 = 1;
constexpr SDL_JoystickID kPad2 = 2;

// SDL's A is the south face button and its X the west one, wherever the letters are printed.
const std::map<SDL_GameControllerButton, Key> kGameButtons = {
    {SDL_CONTROLLER_BUTTON_A, Key::Space},
    {SDL_CONTROLLER_BUTTON_X, Key::E},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Key::Left},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Key::Right}};

TEST(GamepadButtons, SouthJumpsWestCallsTheBirdTheDpadWalksOthersDoNothing) {
  for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
    const auto game = kGameButtons.find(static_cast<SDL_GameControllerButton>(button));
    EXPECT_EQ(KeyOfButton(static_cast<Uint8>(button)),
              game == kGameButtons.end() ? std::nullopt : std::optional(game->second))
        << SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(button));
  }
}

// Pushed from kStickPushed on, centred again only below kStickReleased, straight to the other
// side when pushed there.
TEST(GamepadStick, DeadZoneWithHysteresis) {
  struct Case {
    int value;
    Stick before, after;
  };
  for (const Case c :
       {Case{kStickPushed - 1, Stick::Centred, Stick::Centred},
        Case{-kStickPushed + 1, Stick::Centred, Stick::Centred},
        Case{kStickPushed, Stick::Centred, Stick::Right},
        Case{-kStickPushed, Stick::Centred, Stick::Left}, Case{-32768, Stick::Centred, Stick::Left},
        Case{kStickReleased, Stick::Right, Stick::Right},
        Case{kStickReleased - 1, Stick::Right, Stick::Centred},
        Case{-kStickReleased, Stick::Left, Stick::Left},
        Case{-kStickReleased + 1, Stick::Left, Stick::Centred},
        Case{-kStickPushed, Stick::Right, Stick::Left},
        Case{kStickPushed, Stick::Left, Stick::Right},
        Case{-kStickPushed + 1, Stick::Right, Stick::Centred}}) {
    EXPECT_EQ(StickAt(static_cast<Sint16>(c.value), c.before), c.after)
        << c.value << " from " << static_cast<int>(c.before);
  }
}

// A key goes down with the first input that holds it and up with the last.
TEST(PadHolds, DpadStickAndTwoPadsHoldOneKeyTogether) {
  ChangeLog log;
  PadHolds holds(log.Recorder());
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  EXPECT_EQ(log.Take(), Changes{Down(Key::Right)});
  holds.StickX(kPad1, 20000);
  holds.StickX(kPad2, 20000);
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
  holds.StickX(kPad1, 0);
  EXPECT_EQ(log.Take(), Changes{});
  holds.StickX(kPad2, 0);
  EXPECT_EQ(log.Take(), Changes{Up(Key::Right)});
}

TEST(PadHolds, RemovedPadReleasesOnlyWhatNoOtherPadHolds) {
  ChangeLog log;
  PadHolds holds(log.Recorder());
  holds.StickX(kPad1, -20000);
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_X, true);
  holds.Button(kPad2, SDL_CONTROLLER_BUTTON_X, true);
  log.Take();
  holds.Remove(kPad1);
  EXPECT_EQ(log.Take(), Changes{Up(Key::Left)});
  holds.Remove(kPad2);
  EXPECT_EQ(log.Take(), Changes{Up(Key::E)});
}

// On focus loss: a button still down counts again only when pressed again, and the stick when
// it next moves.
TEST(PadHolds, ReleaseAllReleasesEveryKeyUntilPressedAgain) {
  ChangeLog log;
  PadHolds holds(log.Recorder());
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_A, true);
  holds.StickX(kPad2, 20000);
  log.Take();
  holds.ReleaseAll();
  EXPECT_EQ(log.Take(), (Changes{Up(Key::Space), Up(Key::Right)}));
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_EQ(log.Take(), Changes{});
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_A, true);
  holds.StickX(kPad2, 21000);
  EXPECT_EQ(log.Take(), (Changes{Down(Key::Space), Down(Key::Right)}));
}

// The buttons of the virtual pad. SDL numbers a virtual pad's joystick buttons in the order of
// the set bits of this mask: with the gaps, the d-pad's joystick numbers are not its controller
// button numbers, and only the controller events carry the right buttons.
constexpr Uint32 kVirtualPadButtons =
    (1u << SDL_CONTROLLER_BUTTON_A) | (1u << SDL_CONTROLLER_BUTTON_B) |
    (1u << SDL_CONTROLLER_BUTTON_X) | (1u << SDL_CONTROLLER_BUTTON_DPAD_LEFT) |
    (1u << SDL_CONTROLLER_BUTTON_DPAD_RIGHT);

SDL_VirtualJoystickDesc VirtualPad() {
  SDL_VirtualJoystickDesc pad{};
  pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  pad.naxes = SDL_CONTROLLER_AXIS_MAX;
  pad.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  pad.nbuttons = static_cast<Uint16>(std::popcount(kVirtualPadButtons));
  pad.button_mask = kVirtualPadButtons;
  pad.name = "Red Door test pad";
  return pad;
}

// A pad plugged in and out through SDL's virtual joysticks, with no display. The joystick
// subsystem goes at the end of the test, and with it the pad and every event left.
class VirtualPads : public ::testing::Test {
 protected:
  void SetUp() override {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) GTEST_SKIP() << SDL_GetError();
  }
  void TearDown() override {
    gamepads_.reset();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }

  // Hands every event waiting to the gamepads, as the game's loop does.
  void Deliver() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) gamepads_->Handle(event);
  }

  // Presses or releases the joystick button that SDL maps to the controller button.
  void Press(SDL_GameControllerButton button, bool down = true) {
    const SDL_GameControllerButtonBind bind =
        SDL_GameControllerGetBindForButton(Controller(), button);
    ASSERT_EQ(bind.bindType, SDL_CONTROLLER_BINDTYPE_BUTTON);
    SDL_JoystickSetVirtualButton(Joystick(), bind.value.button, down ? SDL_PRESSED : SDL_RELEASED);
    Deliver();
  }
  void Tilt(SDL_GameControllerAxis axis, Sint16 value) {
    const SDL_GameControllerButtonBind bind = SDL_GameControllerGetBindForAxis(Controller(), axis);
    ASSERT_EQ(bind.bindType, SDL_CONTROLLER_BINDTYPE_AXIS);
    SDL_JoystickSetVirtualAxis(Joystick(), bind.value.axis, value);
    Deliver();
  }

  // The controller the gamepads opened for the pad.
  SDL_GameController* Controller() const { return SDL_GameControllerFromInstanceID(pad_); }
  SDL_Joystick* Joystick() const { return SDL_GameControllerGetJoystick(Controller()); }

  ChangeLog log_;
  std::optional<Gamepads> gamepads_;
  SDL_JoystickID pad_ = -1;
};

TEST_F(VirtualPads, PluggedInWhileRunningItWalksJumpsAndCallsUnpluggedItLetsGo) {
  gamepads_.emplace(log_.Recorder());
  ASSERT_TRUE(gamepads_->Start()) << SDL_GetError();
  const SDL_VirtualJoystickDesc desc = VirtualPad();
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) GTEST_SKIP() << "no virtual joysticks in this SDL: " << SDL_GetError();
  pad_ = SDL_JoystickGetDeviceInstanceID(index);
  Deliver();
  ASSERT_NE(Controller(), nullptr) << "the plugged pad was not opened";

  for (const auto& [button, key] : kGameButtons) {
    Press(button);
    EXPECT_EQ(log_.Take(), Changes{Down(key)}) << KeyName(key);
    Press(button, false);
    EXPECT_EQ(log_.Take(), Changes{Up(key)}) << KeyName(key);
  }
  // Other buttons and axes do nothing; the left stick walks past its dead zone.
  Press(SDL_CONTROLLER_BUTTON_B);
  Tilt(SDL_CONTROLLER_AXIS_LEFTY, 30000);
  Tilt(SDL_CONTROLLER_AXIS_RIGHTX, 30000);
  Tilt(SDL_CONTROLLER_AXIS_LEFTX, kStickPushed - 1);
  EXPECT_EQ(log_.Take(), Changes{});
  Tilt(SDL_CONTROLLER_AXIS_LEFTX, -20000);
  EXPECT_EQ(log_.Take(), Changes{Down(Key::Left)});

  // SDL releases the buttons of an unplugged pad and centres its sticks by events of their own;
  // the removal alone must release them too.
  Press(SDL_CONTROLLER_BUTTON_A);
  log_.Take();
  SDL_JoystickDetachVirtual(index);
  SDL_PumpEvents();
  SDL_Event removal;
  ASSERT_EQ(SDL_PeepEvents(&removal, 1, SDL_GETEVENT, SDL_CONTROLLERDEVICEREMOVED,
                           SDL_CONTROLLERDEVICEREMOVED),
            1);
  gamepads_->Handle(removal);
  EXPECT_EQ(log_.Take(), (Changes{Up(Key::Space), Up(Key::Left)}));
  EXPECT_EQ(Controller(), nullptr) << "the unplugged pad is still open";
}

}  // namespace
}  // namespace reddoor
