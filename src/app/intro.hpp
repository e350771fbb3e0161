#pragma once
// The title window: "Play" starts the game.
#include "game/runtime.hpp"

namespace reddoor {

class Intro : public Form {
 public:
  explicit Intro(Runtime& runtime) : Form(runtime, IntroLayout()) {}
  void Timer(const ControlSpec& /*timer*/) override {}
  void Click(std::string_view button) override;
  void CmdPlay_Click();
};

}  // namespace reddoor
