#pragma once
// The title window: "Play" starts the game.
#include "game/window.hpp"

namespace reddoor {

class Intro : public Window {
 public:
  Intro(Runtime& runtime, Platform& platform);
  void Click(std::string_view button) override;
  // CmdPlay: hide the title, show the first level.
  void PlayClicked();
};

}  // namespace reddoor
