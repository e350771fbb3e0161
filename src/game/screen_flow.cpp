#include "game/screen_flow.hpp"

namespace reddoor {

void ShowFresh(Form& form) {
  form.Unload();
  form.Show();
}

void SwitchForm(Form& from, Form& to) {
  from.Hide();
  from.Unload();
  to.Show();
}

}  // namespace reddoor
