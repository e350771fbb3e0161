#pragma once
// The closing window: "Game Completed!" in a new colour ten times a second.
#include <cstdint>

#include "game/window.hpp"

namespace reddoor {

// Uniform single-precision numbers in [0, 1). Never seeded: every run sees the same sequence.
class UniformRandom {
 public:
  float Next();

 private:
  std::uint32_t state_ = 0x2545F491u;
};

// A draw times 255, to the nearest whole number with ties to the even one.
std::uint8_t ColorComponent(float draw);

class Finish : public Window {
 public:
  Finish(Scheduler& scheduler, Platform& platform);
  // Timer1: Label1 takes a new random colour.
  void ChangeColor();

 private:
  UniformRandom random_;
  Control& label1_;
};

}  // namespace reddoor
