#include "game/screen_flow.hpp"

namespace reddoor {

void ShowFresh(Window& window) {
  window.Unload();
  window.Show();
}

void SwitchWindow(Window& from, Window& to) {
  from.Hide();
  from.Unload();
  to.Show();
}

}  // namespace reddoor
