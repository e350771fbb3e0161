#include "app/intro.hpp"

namespace reddoor {

void Intro::Click(std::string_view button) {
  if (button == "CmdPlay") CmdPlay_Click();
}

void Intro::CmdPlay_Click() {
  Hide();
  runtime_.Window(FormId::Level1).Show();
}

}  // namespace reddoor
