#pragma once
// The headless back end: no window opens, keys come from a script, every message box is
// answered "OK" at once, and what the player would see is reported as JSON lines.
#include <ostream>

#include "platform/platform.hpp"

namespace reddoor {

class Runtime;

class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(std::ostream& out) : out_(out) {}
  void Attach(const Runtime& runtime) { runtime_ = &runtime; }

  KeyLatch& Keys() { return keys_; }

  bool KeyPressed(Key key) override { return keys_.Poll(key); }
  void ShowMessage(std::string_view text) override;
  void WindowShown(Form& form) override;
  void WindowHidden(Form& /*form*/) override {}
  void WindowUnloaded(Form& /*form*/) override {}

 private:
  std::int64_t Now() const;

  std::ostream& out_;
  const Runtime* runtime_ = nullptr;
  KeyLatch keys_;
};

}  // namespace reddoor
