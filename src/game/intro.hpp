#pragma once
// The title window: "Play" starts the game.
#include "game/window.hpp"

namespace reddoor {

class Runtime;

class Intro : public Window {
 public:
  Intro(Runtime& runtime, Scheduler& scheduler, Platform& platform);
  void Click(std::string_view button) override;
  // CmdPlay: hide the title, show the first level.
  void PlayClicked();

 private:
  Runtime& runtime_;
};

}  // namespace reddoor
