#pragma once
// The headless back end: no window opens, the keys are held and released by whoever drives
// the run, every message box is answered "OK" at once, and what the player would see is
// reported as JSON lines, or not at all in a quiet run (measuring, soaking).
#include <ostream>

#include "game/keys.hpp"
#include "game/platform.hpp"

namespace reddoor {

class HeadlessPlatform final : public Platform {
 public:
  HeadlessPlatform() = default;
  explicit HeadlessPlatform(std::ostream& out) : out_(&out) {}

  KeyLatch& Keys() { return keys_; }

  bool KeyPressed(Key key) override { return keys_.Poll(key); }
  void ShowMessage(const Window& window, std::string_view text) override;
  void WindowShown(const Window& window) override;

 private:
  std::ostream* out_ = nullptr;
  KeyLatch keys_;
};

}  // namespace reddoor
