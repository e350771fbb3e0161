#include "base/fault.hpp"

namespace reddoor {

void ThrowOverflow() {
  throw GameFault("Overflow");
}

}  // namespace reddoor
