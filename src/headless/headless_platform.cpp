#include "headless/headless_platform.hpp"

#include "game/form.hpp"
#include "headless/event_lines.hpp"

namespace reddoor {

void HeadlessPlatform::ShowMessage(const Form& window, std::string_view text) {
  if (out_) *out_ << MessageEventLine(window.Now(), text) << '\n';
}

void HeadlessPlatform::WindowShown(const Form& window) {
  if (out_) *out_ << ShowEventLine(window.Now(), window.Name()) << '\n';
}

}  // namespace reddoor
