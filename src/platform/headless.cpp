#include "platform/headless.hpp"

#include <nlohmann/json.hpp>

#include "game/runtime.hpp"

namespace reddoor {

std::int64_t HeadlessPlatform::Now() const { return runtime_ ? runtime_->Now() : 0; }

void HeadlessPlatform::ShowMessage(std::string_view text) {
  nlohmann::ordered_json line;
  line["t"] = Now();
  line["event"] = "message";
  line["text"] = text;
  out_ << line.dump() << '\n';
}

void HeadlessPlatform::WindowShown(Form& form) {
  nlohmann::ordered_json line;
  line["t"] = Now();
  line["event"] = "show";
  line["window"] = form.Name();
  out_ << line.dump() << '\n';
}

}  // namespace reddoor
