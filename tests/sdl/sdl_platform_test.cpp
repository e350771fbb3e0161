// The desktop back end fed with events as SDL gives them: the gamepad presses the title
// window's button, the keys that SDL reports held as a window gets the focus are no presses,
// and the player's own key map moves, pauses and shows the timer.
#include "sdl/sdl_platform.hpp"

#include <SDL.h>
#include <gtest/gtest.h>

#include <bit>
#include <optional>
#include <string_view>

namespace reddoor {
namespace {

class SdlPlatformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    // The dummy desktop gives no window the keyboard, and SDL passes a pad's buttons only to a
    // program that has it, unless told otherwise.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK) != 0) GTEST_SKIP() << SDL_GetError();
  }
  void TearDown() override {
    runtime_.reset();
    platform_.reset();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  }
  // The game on the title window, with the player's choices.
  void Start(const WindowedOptions& options) {
    options_ = options;
    platform_.emplace(media_, 1, clock_, options_);
    runtime_.emplace(*platform_);
    platform_->Attach(*runtime_);
    runtime_->Get(WindowId::Intro).Show();
    Deliver();
  }

  // As the game's loop does.
  void Deliver() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) platform_->Handle(event);
    platform_->Present();
  }
  bool Shown(WindowId id) { return runtime_->Get(id).IsVisible(); }
  void KeyEvent(SDL_Keycode sym, bool down, Uint32 at, Uint32 window) {
    SDL_Event event{};
    event.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.timestamp = at;
    event.key.windowID = window;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sym;
    platform_->Handle(event);
  }
  // The id of the desktop window with this caption.
  static Uint32 WindowId(std::string_view caption) {
    for (Uint32 id = 1; id < 1000; ++id) {
      SDL_Window* window = SDL_GetWindowFromID(id);
      if (window && caption == SDL_GetWindowTitle(window)) return id;
    }
    return 0;
  }

  SdlMedia media_;
  GameClock clock_;
  WindowedOptions options_;
  std::optional<SdlPlatform> platform_;
  std::optional<Runtime> runtime_;
};

TEST_F(SdlPlatformTest, TheGamepadsStartAndSouthButtonsPressPlayAndSouthCountsAsSpace) {
  Start({});
  platform_->StartGamepads();
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_A) | (1u << SDL_CONTROLLER_BUTTON_START);
  desc.nbuttons = static_cast<Uint16>(std::popcount(desc.button_mask));
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  if (index < 0) GTEST_SKIP() << "no virtual joysticks in this SDL: " << SDL_GetError();
  Deliver();
  SDL_GameController* pad =
      SDL_GameControllerFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
  ASSERT_NE(pad, nullptr);
  const auto press = [&](SDL_GameControllerButton button, Uint8 state) {
    SDL_JoystickSetVirtualButton(SDL_GameControllerGetJoystick(pad),
                                 SDL_GameControllerGetBindForButton(pad, button).value.button,
                                 state);
    Deliver();
  };
  press(SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
  EXPECT_TRUE(Shown(WindowId::Intro)) << "the south button presses on release";
  press(SDL_CONTROLLER_BUTTON_A, SDL_RELEASED);
  ASSERT_TRUE(Shown(WindowId::Level1));
  EXPECT_TRUE(runtime_->KeyPressed(Key::Space)) << "the jump's press counts on the level";

  runtime_->Get(WindowId::Level1).Hide();
  runtime_->Get(WindowId::Intro).Show();
  Deliver();
  press(SDL_CONTROLLER_BUTTON_START, SDL_PRESSED);
  EXPECT_TRUE(Shown(WindowId::Level1)) << "the start button presses at once";
}

TEST_F(SdlPlatformTest, AKeyHeldAsTheWindowGetsTheFocusBackIsNoPress) {
  Start({});
  const Uint32 intro = WindowId("Intro");
  ASSERT_NE(intro, 0u);
  const auto windowEvent = [&](Uint8 what, Uint32 at) {
    SDL_Event event{};
    event.window = {SDL_WINDOWEVENT, at, intro, what, 0, 0, 0, 0, 0};
    platform_->Handle(event);
  };
  const auto keyEvent = [&](SDL_Keycode sym, bool down, Uint32 at) {
    KeyEvent(sym, down, at, intro);
  };
  // Left is held as the window loses the focus, and SDL reports it down as the focus comes back.
  keyEvent(SDLK_LEFT, true, 900);
  windowEvent(SDL_WINDOWEVENT_FOCUS_LOST, 950);
  EXPECT_TRUE(platform_->Paused());
  windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, 1000);
  EXPECT_FALSE(platform_->Paused());
  EXPECT_TRUE(runtime_->KeyPressed(Key::Left)) << "the press before the pause, not yet polled";
  keyEvent(SDLK_LEFT, true, 1000);
  EXPECT_FALSE(runtime_->KeyPressed(Key::Left));

  keyEvent(SDLK_LEFT, false, 1000);
  keyEvent(SDLK_LEFT, true, 1500);
  EXPECT_TRUE(runtime_->KeyPressed(Key::Left)) << "a press later on counts";

  // A key that was not held when the game let go of the keys is a fresh press, even when SDL
  // takes it in together with the focus.
  windowEvent(SDL_WINDOWEVENT_FOCUS_LOST, 1900);
  windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED, 2000);
  keyEvent(SDLK_RIGHT, true, 2000);
  EXPECT_TRUE(runtime_->KeyPressed(Key::Right));
}

// Every action on keys of the player's own: the game keys go to the game under their own names,
// so a recording replays with any map, and the default keys do nothing.
TEST_F(SdlPlatformTest, AKeyMapOfThePlayersOwnMovesPausesAndShowsTheTimer) {
  WindowedOptions options;
  options.keys.keys = {{{"A"}, {"D"}, {"W", "Up"}, {"F"}, {"Q"}, {"F2"}, {"F3"}}};
  std::optional<bool> timerShown;
  options.timer.shownChanged = [&timerShown](bool shown) { timerShown = shown; };
  Start(options);
  const Uint32 intro = WindowId("Intro");
  KeyEvent(SDLK_RETURN, true, 10, intro);
  Deliver();
  ASSERT_TRUE(Shown(WindowId::Level1));
  const Uint32 level = WindowId("Level1");
  ASSERT_NE(level, 0u);
  const std::pair<SDL_Keycode, Key> moves[] = {{SDLK_a, Key::Left},
                                               {SDLK_d, Key::Right},
                                               {SDLK_w, Key::Space},
                                               {SDLK_UP, Key::Space},
                                               {SDLK_f, Key::E}};
  for (const auto& [code, key] : moves) {
    KeyEvent(code, true, 20, level);
    EXPECT_TRUE(runtime_->IsKeyDown(key)) << SDL_GetKeyName(code);
    KeyEvent(code, false, 30, level);
  }
  for (SDL_Keycode old : {SDLK_LEFT, SDLK_RIGHT, SDLK_SPACE, SDLK_e}) {
    KeyEvent(old, true, 40, level);
    for (Key key : kKeys) EXPECT_FALSE(runtime_->IsKeyDown(key)) << SDL_GetKeyName(old);
  }
  KeyEvent(SDLK_p, true, 50, level);
  EXPECT_FALSE(platform_->Paused());
  KeyEvent(SDLK_q, true, 60, level);
  EXPECT_TRUE(platform_->Paused());
  KeyEvent(SDLK_F3, true, 70, level);
  EXPECT_EQ(timerShown, true);
  KeyEvent(SDLK_F3, true, 80, level);
  EXPECT_EQ(timerShown, false);
}

}  // namespace
}  // namespace reddoor
