#include "game/intro.hpp"

#include "game/runtime.hpp"

namespace reddoor {

Intro::Intro(Runtime& runtime, Platform& platform)
    : Window(runtime, platform, WindowId::Intro, IntroLayout()) {}

void Intro::Click(std::string_view button) {
  if (button == "CmdPlay") PlayClicked();
}

void Intro::PlayClicked() {
  Hide();
  runtime_.Get(WindowId::Level1).Show();
}

}  // namespace reddoor
