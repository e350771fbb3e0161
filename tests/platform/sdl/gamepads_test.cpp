// The gamepads: which inputs stand for which game keys, keys held by several inputs at once,
// and real SDL game controllers, as SDL's virtual pads, plugged in and out while the game runs.
#include "platform/sdl/gamepads.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <bit>
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
TEST(GamepadButtons, SouthJumpsWestCallsTheBirdTheDpadWalks) {
  EXPECT_EQ(KeyOfButton(SDL_CONTROLLER_BUTTON_A), Key::Space);
  EXPECT_EQ(KeyOfButton(SDL_CONTROLLER_BUTTON_X), Key::E);
  EXPECT_EQ(KeyOfButton(SDL_CONTROLLER_BUTTON_DPAD_LEFT), Key::Left);
  EXPECT_EQ(KeyOfButton(SDL_CONTROLLER_BUTTON_DPAD_RIGHT), Key::Right);
}

TEST(GamepadButtons, OtherButtonsStandForNoKey) {
  const std::set<int> gameButtons = {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_X,
                                     SDL_CONTROLLER_BUTTON_DPAD_LEFT,
                                     SDL_CONTROLLER_BUTTON_DPAD_RIGHT};
  for (Uint8 button = 0; button <= SDL_CONTROLLER_BUTTON_MAX; ++button) {
    if (gameButtons.contains(button)) continue;
    EXPECT_EQ(KeyOfButton(button), std::nullopt)
        << SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(button));
  }
}

TEST(GamepadStick, DeadZoneKeepsItCentred) {
  EXPECT_EQ(StickAt(0, Stick::Centred), Stick::Centred);
  EXPECT_EQ(StickAt(kStickPushed - 1, Stick::Centred), Stick::Centred);
  EXPECT_EQ(StickAt(-kStickPushed + 1, Stick::Centred), Stick::Centred);
  EXPECT_EQ(StickAt(kStickPushed, Stick::Centred), Stick::Right);
  EXPECT_EQ(StickAt(-kStickPushed, Stick::Centred), Stick::Left);
  EXPECT_EQ(StickAt(32767, Stick::Centred), Stick::Right);
  EXPECT_EQ(StickAt(-32768, Stick::Centred), Stick::Left);
}

TEST(GamepadStick, StaysPushedUntilWellInsideTheDeadZone) {
  EXPECT_EQ(StickAt(kStickReleased, Stick::Right), Stick::Right);
  EXPECT_EQ(StickAt(kStickReleased - 1, Stick::Right), Stick::Centred);
  EXPECT_EQ(StickAt(-kStickReleased, Stick::Left), Stick::Left);
  EXPECT_EQ(StickAt(-kStickReleased + 1, Stick::Left), Stick::Centred);
}

TEST(GamepadStick, FlipsStraightToTheOtherSide) {
  EXPECT_EQ(StickAt(-kStickPushed, Stick::Right), Stick::Left);
  EXPECT_EQ(StickAt(kStickPushed, Stick::Left), Stick::Right);
  EXPECT_EQ(StickAt(-kStickPushed + 1, Stick::Right), Stick::Centred);
}

TEST(PadHolds, StickRestingAtTheEdgeOfTheDeadZoneDoesNotChatter) {
  ChangeLog log;
  PadHolds holds(log.Recorder());
  for (int value : {kStickPushed + 100, kStickPushed - 100, kStickPushed + 50, kStickPushed - 50}) {
    holds.StickX(kPad1, static_cast<Sint16>(value));
  }
  EXPECT_EQ(log.Take(), Changes{Down(Key::Right)});
  holds.StickX(kPad1, 0);
  EXPECT_EQ(log.Take(), Changes{Up(Key::Right)});
}

TEST(PadHolds, DpadAndStickHoldOneKeyTogether) {
  ChangeLog log;
  PadHolds holds(log.Recorder());
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  EXPECT_EQ(log.Take(), Changes{Down(Key::Right)});
  holds.StickX(kPad1, 20000);
  EXPECT_EQ(log.Take(), Changes{});
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
  EXPECT_EQ(log.Take(), Changes{});
  holds.StickX(kPad1, 0);
  EXPECT_EQ(log.Take(), Changes{Up(Key::Right)});
}

TEST(PadHolds, TwoPadsHoldOneKeyTogether) {
  ChangeLog log;
  PadHolds holds(log.Recorder());
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_A, true);
  holds.Button(kPad2, SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_EQ(log.Take(), Changes{Down(Key::Space)});
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_EQ(log.Take(), Changes{});
  holds.Button(kPad2, SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_EQ(log.Take(), Changes{Up(Key::Space)});
}

// A button's second down is no second holder: one up releases it.
TEST(PadHolds, RepeatedEventsOfOneButtonCountOnce) {
  ChangeLog log;
  PadHolds holds(log.Recorder());
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_X, true);
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_X, true);
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_X, false);
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_X, false);
  EXPECT_EQ(log.Take(), (Changes{Down(Key::E), Up(Key::E)}));
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

// After a release of everything a button still down counts again only when pressed again, and
// the stick when it next moves.
TEST(PadHolds, ReleaseAllReleasesEveryKeyUntilPressedAgain) {
  ChangeLog log;
  PadHolds holds(log.Recorder());
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_A, true);
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  holds.StickX(kPad2, 20000);
  log.Take();
  holds.ReleaseAll();
  EXPECT_EQ(log.Take(), (Changes{Up(Key::Space), Up(Key::Left), Up(Key::Right)}));
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_A, false);
  EXPECT_EQ(log.Take(), Changes{});
  holds.Button(kPad1, SDL_CONTROLLER_BUTTON_A, true);
  holds.StickX(kPad2, 21000);
  EXPECT_EQ(log.Take(), (Changes{Down(Key::Space), Down(Key::Right)}));
}

SDL_Event EventOfType(SDL_EventType type) {
  SDL_Event event{};
  event.type = type;
  return event;
}

TEST(GamepadEvents, OnlyControllerEventsAreTheGamepads) {
  ChangeLog log;
  Gamepads gamepads(log.Recorder());
  EXPECT_FALSE(gamepads.Handle(EventOfType(SDL_KEYDOWN)));
  // SDL reports a game controller as a joystick too; those events are not the gamepads'.
  EXPECT_FALSE(gamepads.Handle(EventOfType(SDL_JOYBUTTONDOWN)));
  EXPECT_TRUE(gamepads.Handle(EventOfType(SDL_CONTROLLERTOUCHPADDOWN)));
  // A press on a pad the gamepads have not opened holds nothing.
  SDL_Event press = EventOfType(SDL_CONTROLLERBUTTONDOWN);
  press.cbutton.button = SDL_CONTROLLER_BUTTON_A;
  press.cbutton.state = SDL_PRESSED;
  EXPECT_TRUE(gamepads.Handle(press));
  EXPECT_EQ(log.Take(), Changes{});
}

// The buttons of the virtual pad. SDL numbers a virtual pad's joystick buttons in the order of
// the set bits of this mask: with the gaps, the d-pad's joystick numbers are not its controller
// button numbers, and only the controller events carry the right buttons.
constexpr Uint32 kVirtualPadButtons =
    (1u << SDL_CONTROLLER_BUTTON_A) | (1u << SDL_CONTROLLER_BUTTON_B) |
    (1u << SDL_CONTROLLER_BUTTON_X) | (1u << SDL_CONTROLLER_BUTTON_Y) |
    (1u << SDL_CONTROLLER_BUTTON_START) | (1u << SDL_CONTROLLER_BUTTON_DPAD_UP) |
    (1u << SDL_CONTROLLER_BUTTON_DPAD_DOWN) | (1u << SDL_CONTROLLER_BUTTON_DPAD_LEFT) |
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

// SDL's game controllers started by something other than the gamepads, while this lives.
class OtherControllerUser {
 public:
  OtherControllerUser() { started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0; }
  ~OtherControllerUser() {
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }
  OtherControllerUser(const OtherControllerUser&) = delete;
  OtherControllerUser& operator=(const OtherControllerUser&) = delete;
  bool Started() const { return started_; }

 private:
  bool started_;
};

// Pads plugged in and out through SDL's virtual joysticks, with no display. The joystick
// subsystem lets a test plug pads in before the gamepads start; it goes at the end of each
// test, and with it every pad and every event left.
class VirtualPads : public ::testing::Test {
 protected:
  void SetUp() override {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) GTEST_SKIP() << SDL_GetError();
    const SDL_VirtualJoystickDesc pad = VirtualPad();
    const int probe = SDL_JoystickAttachVirtualEx(&pad);
    if (probe < 0) GTEST_SKIP() << "no virtual joysticks in this SDL: " << SDL_GetError();
    SDL_JoystickDetachVirtual(probe);
    DropEvents();
  }
  void TearDown() override {
    gamepads_.reset();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }

  void StartGamepads() {
    gamepads_.emplace(log_.Recorder());
    ASSERT_TRUE(gamepads_->Start()) << SDL_GetError();
  }

  static void DropEvents() {
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }

  // Hands every event waiting to the gamepads, as the game's loop does.
  void Deliver() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) gamepads_->Handle(event);
  }

  // Plugs a pad in; its instance id.
  static SDL_JoystickID Plug() {
    const SDL_VirtualJoystickDesc pad = VirtualPad();
    const int index = SDL_JoystickAttachVirtualEx(&pad);
    EXPECT_GE(index, 0) << SDL_GetError();
    return SDL_JoystickGetDeviceInstanceID(index);
  }

  // SDL detaches a virtual pad by its device index, which the pads unplugged before shift.
  static void Detach(SDL_JoystickID pad) {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == pad) SDL_JoystickDetachVirtual(i);
    }
    SDL_PumpEvents();
  }
  void Unplug(SDL_JoystickID pad) {
    Detach(pad);
    Deliver();
  }

  // The controller the gamepads opened for the pad.
  static SDL_GameController* Opened(SDL_JoystickID pad) {
    SDL_GameController* controller = SDL_GameControllerFromInstanceID(pad);
    EXPECT_NE(controller, nullptr) << "pad " << pad << " is not open";
    return controller;
  }

  // Presses or releases the joystick button that SDL maps to the controller button.
  void Press(SDL_JoystickID pad, SDL_GameControllerButton button, bool down = true) {
    SDL_GameController* controller = Opened(pad);
    if (!controller) return;
    const SDL_GameControllerButtonBind bind =
        SDL_GameControllerGetBindForButton(controller, button);
    ASSERT_EQ(bind.bindType, SDL_CONTROLLER_BINDTYPE_BUTTON);
    SDL_JoystickSetVirtualButton(SDL_GameControllerGetJoystick(controller), bind.value.button,
                                 down ? SDL_PRESSED : SDL_RELEASED);
    Deliver();
  }
  void Release(SDL_JoystickID pad, SDL_GameControllerButton button) { Press(pad, button, false); }

  void Move(SDL_JoystickID pad, SDL_GameControllerAxis axis, Sint16 value) {
    SDL_GameController* controller = Opened(pad);
    if (!controller) return;
    const SDL_GameControllerButtonBind bind = SDL_GameControllerGetBindForAxis(controller, axis);
    ASSERT_EQ(bind.bindType, SDL_CONTROLLER_BINDTYPE_AXIS);
    SDL_JoystickSetVirtualAxis(SDL_GameControllerGetJoystick(controller), bind.value.axis, value);
    Deliver();
  }
  void Tilt(SDL_JoystickID pad, Sint16 x) { Move(pad, SDL_CONTROLLER_AXIS_LEFTX, x); }

  ChangeLog log_;
  std::optional<Gamepads> gamepads_;
};

TEST_F(VirtualPads, PadPluggedInWhileRunningWorksAtOnce) {
  StartGamepads();
  const SDL_JoystickID pad = Plug();
  Deliver();
  for (const auto& [button, key] :
       {std::pair{SDL_CONTROLLER_BUTTON_A, Key::Space}, std::pair{SDL_CONTROLLER_BUTTON_X, Key::E},
        std::pair{SDL_CONTROLLER_BUTTON_DPAD_LEFT, Key::Left},
        std::pair{SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Key::Right}}) {
    Press(pad, button);
    EXPECT_EQ(log_.Take(), Changes{Down(key)}) << KeyName(key);
    Release(pad, button);
    EXPECT_EQ(log_.Take(), Changes{Up(key)}) << KeyName(key);
  }
}

TEST_F(VirtualPads, StickWalksBothWays) {
  StartGamepads();
  const SDL_JoystickID pad = Plug();
  Deliver();
  Tilt(pad, kStickPushed - 1);
  EXPECT_EQ(log_.Take(), Changes{});
  Tilt(pad, 20000);
  EXPECT_EQ(log_.Take(), Changes{Down(Key::Right)});
  Tilt(pad, -20000);
  EXPECT_EQ(log_.Take(), (Changes{Up(Key::Right), Down(Key::Left)}));
  Tilt(pad, 0);
  EXPECT_EQ(log_.Take(), Changes{Up(Key::Left)});
}

TEST_F(VirtualPads, OtherButtonsAndAxesDoNothing) {
  StartGamepads();
  const SDL_JoystickID pad = Plug();
  Deliver();
  for (SDL_GameControllerButton button :
       {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_START,
        SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN}) {
    Press(pad, button);
  }
  for (SDL_GameControllerAxis axis :
       {SDL_CONTROLLER_AXIS_LEFTY, SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY,
        SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_CONTROLLER_AXIS_TRIGGERRIGHT}) {
    Move(pad, axis, 30000);
    Move(pad, axis, -30000);
  }
  EXPECT_EQ(log_.Take(), Changes{});
}

TEST_F(VirtualPads, TwoPadsHoldOneKeyTogether) {
  StartGamepads();
  const SDL_JoystickID first = Plug();
  const SDL_JoystickID second = Plug();
  Deliver();
  Press(first, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  Tilt(second, 20000);
  EXPECT_EQ(log_.Take(), Changes{Down(Key::Right)});
  Release(first, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  EXPECT_EQ(log_.Take(), Changes{});
  Tilt(second, 0);
  EXPECT_EQ(log_.Take(), Changes{Up(Key::Right)});
}

TEST_F(VirtualPads, UnpluggingReleasesWhatThePadHeldAndClosesIt) {
  StartGamepads();
  const SDL_JoystickID pad = Plug();
  const SDL_JoystickID other = Plug();
  Deliver();
  Press(pad, SDL_CONTROLLER_BUTTON_A);
  Tilt(pad, -20000);
  Press(other, SDL_CONTROLLER_BUTTON_X);
  log_.Take();
  Unplug(pad);
  EXPECT_EQ(log_.Take(), (Changes{Up(Key::Space), Up(Key::Left)}));
  EXPECT_EQ(SDL_GameControllerFromInstanceID(pad), nullptr);
  Release(other, SDL_CONTROLLER_BUTTON_X);
  EXPECT_EQ(log_.Take(), Changes{Up(Key::E)});
}

// SDL releases the buttons of an unplugged pad and centres its sticks, by events that come
// before the removal; the removal alone releases them too.
TEST_F(VirtualPads, RemovalAloneReleasesWhatThePadHeld) {
  StartGamepads();
  const SDL_JoystickID pad = Plug();
  Deliver();
  Press(pad, SDL_CONTROLLER_BUTTON_X);
  Tilt(pad, 20000);
  log_.Take();
  Detach(pad);
  SDL_Event removal;
  ASSERT_EQ(SDL_PeepEvents(&removal, 1, SDL_GETEVENT, SDL_CONTROLLERDEVICEREMOVED,
                           SDL_CONTROLLERDEVICEREMOVED),
            1);
  gamepads_->Handle(removal);
  EXPECT_EQ(log_.Take(), (Changes{Up(Key::E), Up(Key::Right)}));
}

TEST_F(VirtualPads, PadPluggedInBeforeStartWorks) {
  const SDL_JoystickID pad = Plug();
  StartGamepads();
  Deliver();
  Press(pad, SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(log_.Take(), Changes{Down(Key::Space)});
}

// When something else started SDL's game controllers first, SDL announced the pad to it alone.
TEST_F(VirtualPads, StartOpensPadsAnnouncedBeforeIt) {
  const OtherControllerUser other;
  ASSERT_TRUE(other.Started()) << SDL_GetError();
  const SDL_JoystickID pad = Plug();
  DropEvents();
  StartGamepads();
  Press(pad, SDL_CONTROLLER_BUTTON_X);
  EXPECT_EQ(log_.Take(), Changes{Down(Key::E)});
}

TEST_F(VirtualPads, GamepadsCloseTheirControllersWhenDestroyed) {
  const OtherControllerUser other;
  ASSERT_TRUE(other.Started()) << SDL_GetError();
  StartGamepads();
  const SDL_JoystickID pad = Plug();
  Deliver();
  ASSERT_NE(Opened(pad), nullptr);
  gamepads_.reset();
  EXPECT_EQ(SDL_GameControllerFromInstanceID(pad), nullptr);
}

}  // namespace
}  // namespace reddoor
