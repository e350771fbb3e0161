// Which pad inputs hold which game keys, and keys held by several inputs at once.
#include "game/pad_holds.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace reddoor {
namespace {

// The changes told since the last look, as "Right down", in no particular order.
class Told {
 public:
  PadHolds::KeyChange Recorder() {
    return [this](Key key, bool down) {
      changes_.insert(std::string(KeyName(key)) + (down ? " down" : " up"));
    };
  }
  std::multiset<std::string> Take() { return std::exchange(changes_, {}); }

 private:
  std::multiset<std::string> changes_;
};
using Changes = std::multiset<std::string>;

constexpr int kPad1 = 1;
constexpr int kPad2 = 2;

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
    EXPECT_EQ(StickAt(value, before), after) << value << " from " << static_cast<int>(before);
  }
}

// A key goes down with the first input that holds it and up with the last; a pad removed
// releases only what no other pad holds. When the game lets go of every key, a button still
// down counts again only when pressed again, a stick when it next moves.
TEST(PadHolds, InputsHoldKeysTogetherUntilTheLastLetsGo) {
  Told told;
  PadHolds holds(told.Recorder());
  holds.Button(kPad1, PadButton::DpadRight, true);
  EXPECT_EQ(told.Take(), Changes{"Right down"});
  holds.StickX(kPad1, 20000);
  holds.StickX(kPad2, 20000);
  holds.Button(kPad2, PadButton::West, true);
  holds.Button(kPad1, PadButton::DpadRight, false);
  holds.StickX(kPad1, 0);
  EXPECT_EQ(told.Take(), Changes{"E down"});
  holds.Remove(kPad1);
  EXPECT_EQ(told.Take(), Changes{});
  holds.Button(kPad1, PadButton::South, true);
  EXPECT_EQ(told.Take(), Changes{"Space down"});
  holds.ReleaseAll();
  EXPECT_EQ(told.Take(), (Changes{"Space up", "Right up", "E up"}));
  holds.Button(kPad1, PadButton::South, false);
  EXPECT_EQ(told.Take(), Changes{});
  holds.Button(kPad1, PadButton::South, true);
  holds.StickX(kPad2, 21000);
  EXPECT_EQ(told.Take(), (Changes{"Space down", "Right down"}));
  holds.Remove(kPad2);
  EXPECT_EQ(told.Take(), Changes{"Right up"});
}

// The key map gives the buttons their keys: a button mapped to nothing holds nothing.
TEST(PadHolds, TheButtonsHoldTheKeysOfThePlayersMap) {
  KeyMap map = DefaultKeyMap();
  map.buttons[static_cast<std::size_t>(Action::Jump)] = {"b", "rightshoulder"};
  Told told;
  PadHolds holds(told.Recorder(), map);
  holds.Button(kPad1, PadButton::South, true);
  EXPECT_EQ(told.Take(), Changes{});
  holds.Button(kPad1, PadButton::East, true);
  holds.Button(kPad2, PadButton::RightShoulder, true);
  holds.Button(kPad1, PadButton::East, false);
  EXPECT_EQ(told.Take(), Changes{"Space down"});
  holds.Button(kPad2, PadButton::RightShoulder, false);
  EXPECT_EQ(told.Take(), Changes{"Space up"});
}

}  // namespace
}  // namespace reddoor
