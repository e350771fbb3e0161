#pragma once
// The tests' stand-in for the desktop: keys held by the test, and every window shown and every
// message box noted (and answered at once) for the test to look at or to react to.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/window.hpp"
#include "game/platform.hpp"

namespace reddoor::test {

class TestPlatform final : public Platform {
 public:
  struct Event {
    std::int64_t t = 0;
    std::string window;   // the window shown, or the one the message was shown over
    std::string message;  // empty for a window shown
  };

  bool KeyPressed(Key key) override { return keys.Poll(key); }
  void ShowMessage(const Window& window, std::string_view text) override {
    events.push_back({window.Now(), std::string(window.Name()), std::string(text)});
    if (onMessage) onMessage(window, text);
  }
  void WindowShown(const Window& window) override {
    events.push_back({window.Now(), std::string(window.Name()), {}});
    if (onShown) onShown(window);
  }

  KeyLatch keys;
  std::vector<Event> events;
  std::function<void(const Window&, std::string_view)> onMessage;
  std::function<void(const Window&)> onShown;
};

}  // namespace reddoor::test
