#include "app/screen_flow.hpp"

namespace reddoor::Main {

void ShowFresh(Form& form) {
  form.Unload();
  form.Show();
}

void SwitchForm(Form& from, Form& to) {
  from.Hide();
  from.Unload();
  to.Show();
}

}  // namespace reddoor::Main
