#include "game/finish.hpp"

#include <cmath>

namespace reddoor {

float UniformRandom::Next() {
  // xorshift32; the top 24 bits make a float in [0, 1) exactly.
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(state_ >> 8) * 0x1p-24f;
}

// The product is taken in single precision, like the draw, so that a draw whose product is
// exactly half way rounds to the even neighbour.
std::uint8_t ColorComponent(float draw) {
  return static_cast<std::uint8_t>(std::nearbyint(draw * 255.0f));
}

Finish::Finish(Scheduler& scheduler, Platform& platform)
    : Window(scheduler, platform, WindowId::Finish, FinishLayout()),
      label1_(Contents().Get("Label1")) {
  OnTimer("Timer1", [this] { ChangeColor(); });
}

void Finish::ChangeColor() {
  const float red = random_.Next();
  const float green = random_.Next();
  const float blue = random_.Next();
  label1_.foreColor = Rgb(ColorComponent(red), ColorComponent(green), ColorComponent(blue));
  random_.Next();  // a fourth draw, unused
}

}  // namespace reddoor
