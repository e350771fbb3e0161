#pragma once
// What the player sees happen, one JSON line each, as the scripted run prints it and a
// recording of a real game notes it.
#include <cstdint>
#include <string>
#include <string_view>

namespace reddoor {

// {"t":T,"event":"show","window":"Level1"}
std::string ShowEventLine(std::int64_t t, std::string_view window);
// {"t":T,"event":"message","text":"..."}
std::string MessageEventLine(std::int64_t t, std::string_view text);

}  // namespace reddoor
