#pragma once
// The closing window: "Game Completed!" in a new colour ten times a second.
#include <cstdint>

#include "game/runtime.hpp"

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

class Finish : public Form {
 public:
  explicit Finish(Runtime& runtime) : Form(runtime, FinishLayout()) {}
  void Timer(const ControlSpec& timer) override;
  void Timer1_Timer();

 private:
  UniformRandom random_;
};

}  // namespace reddoor
