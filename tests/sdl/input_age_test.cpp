// The X server's time stamps of keys and clicks, read against this machine's clock: SDL's own
// stamps say only when SDL read an event, which comes late while the game is busy.
#include <gtest/gtest.h>
// After the test framework, whose names the X11 macros (None, ...) would clash with.
#include <SDL.h>
#include <SDL_syswm.h>
#include <time.h>

#include <cstdint>

#include "sdl/window_hints.hpp"

namespace reddoor {
namespace {

// An X server on this machine stamps with CLOCK_MONOTONIC in ms.
Time ServerNow() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<Time>(static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000));
}

SDL_SysWMmsg Message(int type, Time stamp) {
  SDL_SysWMmsg message{};
  message.subsystem = SDL_SYSWM_X11;
  message.msg.x11.event.type = type;
  if (type == KeyPress || type == KeyRelease) message.msg.x11.event.xkey.time = stamp;
  if (type == ButtonPress || type == ButtonRelease) message.msg.x11.event.xbutton.time = stamp;
  return message;
}

TEST(InputAge, KeysAndClicksAreAsOldAsTheServerStampedThem) {
  for (int type : {KeyPress, KeyRelease, ButtonPress, ButtonRelease}) {
    const std::optional<std::int64_t> age = InputAge(Message(type, ServerNow() - 30));
    ASSERT_TRUE(age) << type;
    EXPECT_GE(*age, 30);
    EXPECT_LT(*age, 1000) << "however slow the machine, not a second";
  }
  EXPECT_EQ(InputAge(Message(FocusIn, ServerNow())), std::nullopt) << "no input";
}

// A server on another machine has a clock of its own: its stamps are not believed.
TEST(InputAge, AStampFromAnotherClockIsNotBelieved) {
  EXPECT_EQ(InputAge(Message(KeyPress, ServerNow() + 60000)), std::nullopt);
  EXPECT_EQ(InputAge(Message(KeyPress, ServerNow() - 60000)), std::nullopt);
  SDL_SysWMmsg other = Message(KeyPress, ServerNow());
  other.subsystem = SDL_SYSWM_WAYLAND;
  EXPECT_EQ(InputAge(other), std::nullopt);
}

}  // namespace
}  // namespace reddoor
