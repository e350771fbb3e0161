#include "base/fault.hpp"

#include <fmt/format.h>

namespace reddoor {

std::string Quoted(std::string_view text) {
  constexpr std::size_t kLongest = 40;
  std::string quoted = "\"";
  for (const char c : text.substr(0, kLongest)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f && c != '"' && c != '\\') {
      quoted += c;
    } else {
      quoted += fmt::format("\\x{:02X}", byte);
    }
  }
  quoted += text.size() > kLongest ? "\"..." : "\"";
  return quoted;
}

void ThrowOverflow() {
  throw GameFault("Overflow");
}

}  // namespace reddoor
