#include "game/intro.hpp"

#include "game/runtime.hpp"

namespace reddoor {

Intro::Intro(Runtime& runtime, Platform& platform)
    : Form(runtime, platform, FormId::Intro, IntroLayout()) {}

void Intro::Click(std::string_view button) {
  if (button == "CmdPlay") PlayClicked();
}

void Intro::PlayClicked() {
  Hide();
  runtime_.Window(FormId::Level1).Show();
}

}  // namespace reddoor
