#pragma once
// The tests' stand-in for the desktop: every window shown and every message opened is noted for
// the test to look at or to react to.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/platform.hpp"
#include "game/window.hpp"

namespace reddoor::test {

class TestPlatform final : public Platform {
 public:
  struct Event {
    std::int64_t t = 0;
    std::string window;   // the window shown, or the one the message was shown over
    std::string message;  // empty for a window shown
  };

  void WindowShown(const Window& window) override {
    events.push_back({window.Now(), std::string(window.Name()), {}});
    if (onShown) onShown(window);
  }
  void MessageOpened(const Window& window, std::string_view text) override {
    events.push_back({window.Now(), std::string(window.Name()), std::string(text)});
    if (onMessage) onMessage(window, text);
  }

  // How many messages of this text opened; any text when empty.
  int Messages(std::string_view text = {}) const {
    int count = 0;
    for (const Event& e : events)
      count += !e.message.empty() && (text.empty() || e.message == text);
    return count;
  }
  // How many times the window was shown.
  int Shows(std::string_view window) const {
    int count = 0;
    for (const Event& e : events) count += e.message.empty() && e.window == window;
    return count;
  }

  std::vector<Event> events;
  std::function<void(const Window&, std::string_view)> onMessage;
  std::function<void(const Window&)> onShown;
};

}  // namespace reddoor::test
