// The closing window's colours: three draws made into a colour, round half to even, and a
// fourth draw thrown away, every 100 ms.
#include <gtest/gtest.h>

#include <cmath>

#include "app/finish.hpp"
#include "script_helpers.hpp"

namespace reddoor {
namespace {

TEST(ColorComponentTest, DrawsFromZeroToJustBelowOneGiveZeroTo255HalvesToEven) {
  EXPECT_EQ(ColorComponent(0.0f), 0);
  EXPECT_EQ(ColorComponent(std::nextafter(1.0f, 0.0f)), 255);
  // The draws are single-precision numbers, and so is their product with 255: for these draws
  // it comes out exactly half-way between two whole numbers, and goes to the even one.
  struct Case {
    float product;
    int component;
  };
  for (const Case c :
       {Case{0.5f, 0}, Case{1.5f, 2}, Case{2.5f, 2}, Case{126.5f, 126}, Case{127.5f, 128}}) {
    const float draw = c.product / 255.0f;
    ASSERT_EQ(draw * 255.0f, c.product);
    EXPECT_EQ(ColorComponent(draw), c.component) << "product " << c.product;
  }
}

TEST(FinishTest, EachTickTakesFourDrawsAndColoursTheTextWithTheFirstThree) {
  // Level3: E calls the bird at once; Finish is shown at t = 24096 and Timer1 ticks from
  // t = 24196 on.
  const auto run = testing::RunScriptText("tap E\nwait 24096\ndump\n" + testing::DumpEachTick(6),
                                          FormId::Level3);
  const auto dumps = run.Dumps();
  ASSERT_EQ(dumps.front()["visible"], "Finish");
  EXPECT_EQ(testing::Control(dumps.front(), "Label1")["ForeColor"], 0);

  UniformRandom generator;  // never seeded, like the window's own
  for (std::size_t tick = 1; tick < dumps.size(); ++tick) {
    const std::uint8_t red = ColorComponent(generator.Next());
    const std::uint8_t green = ColorComponent(generator.Next());
    const std::uint8_t blue = ColorComponent(generator.Next());
    generator.Next();
    EXPECT_EQ(testing::Control(dumps[tick], "Label1")["ForeColor"], Rgb(red, green, blue))
        << "tick " << tick;
  }
}

}  // namespace
}  // namespace reddoor
