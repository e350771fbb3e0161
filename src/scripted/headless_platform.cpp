#include "scripted/headless_platform.hpp"

#include "game/window.hpp"
#include "scripted/event_lines.hpp"

namespace reddoor {

void HeadlessPlatform::WindowShown(const Window& window) {
  if (out_) *out_ << ShowEventLine(window.Now(), window.Name()) << '\n';
}

void HeadlessPlatform::MessageOpened(const Window& window, std::string_view text) {
  if (out_) *out_ << MessageEventLine(window.Now(), text) << '\n';
}

}  // namespace reddoor
