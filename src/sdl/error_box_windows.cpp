// Windows needs no box of the game's own for a fault: error_box.hpp tells why.
#include "sdl/error_box.hpp"

namespace reddoor {

bool ShowErrorBox(const std::string& /*text: on standard error already*/) {
  return false;
}

}  // namespace reddoor
