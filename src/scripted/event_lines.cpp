#include "scripted/event_lines.hpp"

#include <nlohmann/json.hpp>

namespace reddoor {
namespace {

std::string EventLine(std::int64_t t, std::string_view event, std::string_view field,
                      std::string_view value) {
  nlohmann::ordered_json line;
  line["t"] = t;
  line["event"] = event;
  line[std::string(field)] = value;
  return line.dump();
}

}  // namespace

std::string ShowEventLine(std::int64_t t, std::string_view window) {
  return EventLine(t, "show", "window", window);
}

std::string MessageEventLine(std::int64_t t, std::string_view text) {
  return EventLine(t, "message", "text", text);
}

}  // namespace reddoor
