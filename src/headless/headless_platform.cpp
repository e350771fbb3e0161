#include "headless/headless_platform.hpp"

#include "game/window.hpp"
#include "headless/event_lines.hpp"

namespace reddoor {

void HeadlessPlatform::ShowMessage(const Window& window, std::string_view text) {
  if (out_) *out_ << MessageEventLine(window.Now(), text) << '\n';
}

void HeadlessPlatform::WindowShown(const Window& window) {
  if (out_) *out_ << ShowEventLine(window.Now(), window.Name()) << '\n';
}

}  // namespace reddoor
