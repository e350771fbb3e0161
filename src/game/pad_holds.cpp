#include "game/pad_holds.hpp"

#include <algorithm>
#include <array>
#include <optional>

namespace reddoor {
namespace {

std::optional<Key> KeyOfStick(Stick stick) {
  switch (stick) {
    case Stick::Left:
      return Key::Left;
    case Stick::Right:
      return Key::Right;
    case Stick::Centred:
      break;
  }
  return std::nullopt;
}

}  // namespace

PadHolds::PadHolds(KeyChange onChange, const KeyMap& map) : onChange_(std::move(onChange)) {
  for (std::size_t b = 0; b < kPadButtonCount; ++b) {
    buttonKeys_[b] = map.GameKeyOf(static_cast<PadButton>(b));
  }
}

Stick StickAt(int value, Stick before) {
  // How far the stick still leans the way it pointed.
  const int leaning = before == Stick::Right ? value : before == Stick::Left ? -value : 0;
  if (leaning >= kStickReleased) return before;
  if (value >= kStickPushed) return Stick::Right;
  if (value <= -kStickPushed) return Stick::Left;
  return Stick::Centred;
}

void PadHolds::Button(int pad, PadButton button, bool down) {
  const HeldKeys before = Held();
  PadOf(pad).buttons.set(static_cast<std::size_t>(button), down);
  Report(before);
}

void PadHolds::StickX(int pad, int value) {
  const HeldKeys before = Held();
  Pad& p = PadOf(pad);
  p.stick = StickAt(value, p.stick);
  Report(before);
}

void PadHolds::Remove(int pad) {
  const HeldKeys before = Held();
  std::erase_if(pads_, [pad](const Pad& p) { return p.id == pad; });
  Report(before);
}

void PadHolds::ReleaseAll() {
  const HeldKeys before = Held();
  for (Pad& p : pads_) p = Pad{p.id};
  Report(before);
}

PadHolds::Pad& PadHolds::PadOf(int id) {
  const auto known =
      std::find_if(pads_.begin(), pads_.end(), [id](const Pad& p) { return p.id == id; });
  return known != pads_.end() ? *known : pads_.emplace_back(Pad{id});
}

PadHolds::HeldKeys PadHolds::Held() const {
  HeldKeys held;
  for (const Pad& pad : pads_) {
    if (const std::optional<Key> key = KeyOfStick(pad.stick)) held.set(IndexOf(*key));
    for (std::size_t b = 0; b < kPadButtonCount; ++b) {
      if (pad.buttons[b] && buttonKeys_[b]) held.set(IndexOf(*buttonKeys_[b]));
    }
  }
  return held;
}

void PadHolds::Report(HeldKeys before) const {
  const HeldKeys after = Held();
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (before[i] != after[i]) onChange_(kKeys[i], after[i]);
  }
}

}  // namespace reddoor
