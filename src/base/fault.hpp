#pragma once
// Faults end the program with a clear message: a broken layout, an arithmetic overflow, a
// missing resource. They are thrown as GameFault and reported once, at the top.
#include <stdexcept>
#include <string>
#include <string_view>

namespace reddoor {

class GameFault : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The game's whole numbers never wrap: an overflow ends the program with "Overflow".
[[noreturn]] void ThrowOverflow();

// A text from outside as a message quotes it: in double quotes, at most 40 characters, a byte
// that is not printable ASCII as \xNN, and "..." where it is cut.
std::string Quoted(std::string_view text);

}  // namespace reddoor
