#pragma once
// The headless back end: no window opens, and what the player would see is reported as JSON
// lines, or not at all in a quiet run (measuring, soaking). Whoever drives the run pushes the
// keys in and answers the messages (Runtime::RunAnsweringUntil answers them at once).
#include <ostream>

#include "game/platform.hpp"

namespace reddoor {

class HeadlessPlatform final : public Platform {
 public:
  HeadlessPlatform() = default;
  explicit HeadlessPlatform(std::ostream& out) : out_(&out) {}

  void WindowShown(const Window& window) override;
  void MessageOpened(const Window& window, std::string_view text) override;

 private:
  std::ostream* out_ = nullptr;
};

}  // namespace reddoor
