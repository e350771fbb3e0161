#include "game/intro.hpp"

#include "game/runtime.hpp"

namespace reddoor {

Intro::Intro(Runtime& runtime, Scheduler& scheduler, Platform& platform)
    : Window(scheduler, platform, WindowId::Intro, IntroLayout()), runtime_(runtime) {}

void Intro::Click(std::string_view button) {
  if (button == "CmdPlay") PlayClicked();
}

void Intro::PlayClicked() {
  Hide();
  runtime_.Get(WindowId::Level1).Show();
}

}  // namespace reddoor
