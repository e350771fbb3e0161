// The polling rule with the keyboard and the gamepads holding keys each on their own.
#include "game/keys.hpp"

#include <gtest/gtest.h>

namespace reddoor {
namespace {

TEST(KeyLatchTest, AKeyHeldByTwoSourcesIsUpOnlyWhenBothLetGo) {
  KeyLatch keys;
  EXPECT_TRUE(keys.Down(Key::Right, KeySource::Keyboard));
  EXPECT_FALSE(keys.Down(Key::Right, KeySource::Gamepad)) << "the key was down already";
  EXPECT_FALSE(keys.Up(Key::Right, KeySource::Keyboard)) << "the gamepad still holds it";
  EXPECT_TRUE(keys.Poll(Key::Right));
  EXPECT_TRUE(keys.Up(Key::Right, KeySource::Gamepad));
  EXPECT_FALSE(keys.Poll(Key::Right));
  EXPECT_FALSE(keys.Up(Key::Right, KeySource::Gamepad)) << "a second release changes nothing";
}

TEST(KeyLatchTest, APressReleasedBeforeThePollStillCountsOnce) {
  KeyLatch keys;
  keys.Down(Key::Space, KeySource::Gamepad);
  keys.Up(Key::Space, KeySource::Gamepad);
  EXPECT_FALSE(keys.IsDown(Key::Space));
  EXPECT_TRUE(keys.Poll(Key::Space));
  EXPECT_FALSE(keys.Poll(Key::Space));
}

TEST(KeyLatchTest, ASourceThatLetsGoOfAKeyItNeverHeldChangesNothing) {
  KeyLatch keys;
  keys.Down(Key::E, KeySource::Keyboard);
  EXPECT_FALSE(keys.Up(Key::E, KeySource::Gamepad));
  EXPECT_TRUE(keys.IsDown(Key::E));
}

}  // namespace
}  // namespace reddoor
