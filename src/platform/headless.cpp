#include "platform/headless.hpp"

#include "game/runtime.hpp"
#include "platform/events.hpp"

namespace reddoor {

std::int64_t HeadlessPlatform::Now() const {
  return runtime_ ? runtime_->Now() : 0;
}

void HeadlessPlatform::ShowMessage(std::string_view text) {
  out_ << MessageEventLine(Now(), text) << '\n';
}

void HeadlessPlatform::WindowShown(Form& form) {
  out_ << ShowEventLine(Now(), form.Name()) << '\n';
}

}  // namespace reddoor
