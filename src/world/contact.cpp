#include "world/contact.hpp"

namespace reddoor {

std::string_view SideWord(Side side) {
  switch (side) {
    case Side::Top: return "Top";
    case Side::Bottom: return "Bottom";
    case Side::Left: return "Left";
    case Side::Right: return "Right";
    case Side::None: break;
  }
  return "";
}

}  // namespace reddoor
