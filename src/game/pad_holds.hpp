#pragma once
// The gamepads as a second keyboard, whatever reads them: the left stick walks, and the buttons
// hold the game keys that the key map gives them (by default the d-pad walks, the south face
// button jumps and the west one calls the bird).
#include <array>
#include <bitset>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "game/key_map.hpp"
#include "game/keys.hpp"

namespace reddoor {

// Where the left stick points along its X axis.
enum class Stick : std::uint8_t { Centred, Left, Right };

// The stick's X runs from -32768 (left) to 32767. It is pushed from kStickPushed on, and
// centred again only below kStickReleased: a stick resting near the edge of the dead zone does
// not walk in fits and starts.
inline constexpr int kStickPushed = 8000;
inline constexpr int kStickReleased = 6000;

// Where the stick points at this axis value, given where it pointed before.
Stick StickAt(int value, Stick before);

// The game keys the pads' inputs hold down. Each button and each stick of each pad holds its key
// on its own: a key goes down with the first input holding it and up with the last.
class PadHolds {
 public:
  // Told when a game key goes down or up on the gamepads taken together.
  using KeyChange = std::function<void(Key key, bool down)>;
  explicit PadHolds(KeyChange onChange, const KeyMap& map = DefaultKeyMap());
  void Button(int pad, PadButton button, bool down);
  void StickX(int pad, int value);
  // The pad is gone: it holds nothing any more.
  void Remove(int pad);
  // Nothing is held until pressed again; a stick counts again when it next moves.
  void ReleaseAll();

 private:
  using HeldKeys = std::bitset<kKeys.size()>;
  struct Pad {
    int id;
    std::bitset<kPadButtonCount> buttons{};
    Stick stick = Stick::Centred;
  };
  Pad& PadOf(int id);
  HeldKeys Held() const;
  // Tells the keys that went down or up since the keys held were `before`.
  void Report(HeldKeys before) const;

  KeyChange onChange_;
  std::array<std::optional<Key>, kPadButtonCount> buttonKeys_;  // by PadButton
  std::vector<Pad> pads_;
};

}  // namespace reddoor
