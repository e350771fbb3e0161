// Pixel probes on drawn windows, with the real fonts and pictures: the drawing rules that
// neither the golden scripts nor the window tests see.
#include "scene/renderer.hpp"

#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>

#include "scene/canvas.hpp"
#include "scene/layout.hpp"
#include "scene/scene.hpp"
#include "support/stand_in_media.hpp"

namespace reddoor {
namespace {

test::StandInMedia& Media() {
  static test::StandInMedia media;
  return media;
}

Canvas Draw(const Scene& scene, int scale = 1) {
  Canvas canvas;
  Renderer(Media(), Media(), scale).Draw(scene, canvas);
  return canvas;
}

PixelRect BoxOf(const Control& control) {
  return Renderer(Media(), Media()).BoxOf(control);
}

constexpr Pixel kSky = ToPixel(palette::kSky);
constexpr Pixel kBlack = ToPixel(palette::kBlack);

void ExpectPixels(const Canvas& canvas, std::initializer_list<std::tuple<int, int, Pixel>> probes) {
  for (const auto& [x, y, pixel] : probes) EXPECT_EQ(canvas.At(x, y), pixel) << x << "," << y;
}

// The smallest rectangle around the pixels of `area` that `isInk` picks; empty for none.
PixelRect Ink(const Canvas& canvas, const PixelRect& area, auto&& isInk) {
  PixelRect ink{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (isInk(canvas.At(x, y))) ink = ink.Union({x, y, x + 1, y + 1});
    }
  }
  return ink;
}

// The box shows its picture's top-left part pixel for pixel, and its back colour where the
// picture is transparent or ends.
void ExpectShowsPicture(const Canvas& canvas, const Control& control) {
  const Image& image = Media().Picture(control.picture);
  const PixelRect box = BoxOf(control);
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const int px = x - box.left, py = y - box.top;
      const std::uint32_t rgba = px < image.width && py < image.height
                                     ? image.pixels[static_cast<std::size_t>(py * image.width + px)]
                                     : 0;
      ASSERT_EQ(canvas.At(x, y),
                ToPixel(rgba >> 24 != 0 ? rgba & 0xFFFFFF : control.record->backColor))
          << "at " << x << "," << y;
    }
  }
}

// Water(1) has a lower rank than the Floor inside it, so the water's blue and its hatch show
// there: black exactly on the diagonals x - y = 0 (mod 8) of the window, blue elsewhere.
TEST(RendererLevel1, WaterLiesHatchedOverTheFloor) {
  Scene scene(Level1Layout());
  const Canvas canvas = Draw(scene);
  const PixelRect overlap = BoxOf(scene.Array("Water")(1))
                                .Shrunk(1)
                                .Intersect(BoxOf(scene.Get("Floor")))
                                .Intersect(canvas.Bounds());
  ASSERT_FALSE(overlap.Empty());
  for (int y = overlap.top; y < overlap.bottom; ++y) {
    for (int x = overlap.left; x < overlap.right; ++x) {
      const Pixel expected = (x - y) % 8 == 0 ? kBlack : ToPixel(palette::kBlue);
      ASSERT_EQ(canvas.At(x, y), expected) << "at " << x << "," << y;
    }
  }
}

// A gold disc with a black outline; the corners of its box lie outside, where it is
// transparent.
TEST(RendererLevel1, CoinIsARoundOutlinedDisc) {
  Scene scene(Level1Layout());
  const PixelRect coin = BoxOf(scene.Array("Coin")(0));
  const int midX = (coin.left + coin.right) / 2, midY = (coin.top + coin.bottom) / 2;
  ExpectPixels(Draw(scene), {{midX, midY, ToPixel(palette::kGold)},
                             {coin.left, midY, kBlack},
                             {midX, coin.bottom - 1, kBlack},
                             {coin.right - 1, coin.bottom - 1, kSky}});
}

// The drawing follows the live controls, not the layout. The cloud's picture is partly
// transparent; the player's is narrower than his box.
TEST(RendererLevel1, ControlsAreDrawnAsTheyAreNow) {
  Scene scene(Level1Layout());
  Control& man = scene.Get("Man");
  const PixelRect before = BoxOf(man);
  man.left += 150;
  man.picture = PictureId::ManLeft;
  const Canvas canvas = Draw(scene);
  ExpectShowsPicture(canvas, man);
  ExpectShowsPicture(canvas, scene.Array("cloud")(0));
  EXPECT_EQ(canvas.At(before.left, before.top), kSky);
}

// At scale 2 every pixel is the scale-1 pixel enlarged, but for the text, which comes from the
// font at twice its size, and round outlines, which follow the circle more closely.
TEST(RendererScale, TwiceTheScaleIsTheDrawingEnlargedButForItsCrispText) {
  for (const WindowLayout* layout : AllLayouts()) {
    SCOPED_TRACE(layout->name);
    Scene scene(*layout);
    const Canvas one = Draw(scene, 1);
    const Canvas two = Draw(scene, 2);
    ASSERT_EQ(two.width, 2 * one.width);
    ASSERT_EQ(two.height, 2 * one.height);
    int redrawnText = 0;
    for (int y = 0; y < one.height; ++y) {
      for (int x = 0; x < one.width; ++x) {
        for (int d = 0; d < 4; ++d) {
          const Pixel was = one.At(x, y), enlarged = two.At(2 * x + d % 2, 2 * y + d / 2);
          if (enlarged == was) continue;
          bool text = false, outline = false;
          for (const Control& c : scene.Controls()) {
            if (!BoxOf(c).Contains(x, y)) continue;
            const Pixel border = ToPixel(c.record->borderColor);
            text = text || c.Kind() == ControlKind::Label || c.Kind() == ControlKind::Button;
            outline = outline ||
                      (c.Kind() == ControlKind::Shape && c.record->shape == ShapeKind::Circle &&
                       (enlarged == border || was == border));
          }
          ASSERT_TRUE(text || outline) << "at " << x << "," << y;
          redrawnText += text ? 1 : 0;
        }
      }
    }
    EXPECT_GT(redrawnText, 0) << "the text was only enlarged";
  }
}

// The button's raised edges, and the ground: bASE(0) starts left of the window and stops 30
// twips short of its right edge.
TEST(RendererIntro, ButtonLiesRaisedAndTheGroundIsClipped) {
  Scene scene(IntroLayout());
  const Canvas canvas = Draw(scene);
  const PixelRect button = BoxOf(scene.Get("CmdPlay")), ground = BoxOf(scene.Array("bASE")(0));
  ASSERT_LT(ground.left, 0);
  const int y = (button.top + button.bottom) / 2, groundY = (ground.top + ground.bottom) / 2;
  const Pixel grass = ToPixel(palette::kGrass);
  ExpectPixels(canvas, {{button.left, y, kBlack},
                        {button.right - 1, y, kBlack},
                        {button.left + 1, y, ToPixel(Rgb(255, 255, 255))},
                        {button.right - 2, y, ToPixel(Rgb(128, 128, 128))},
                        {button.left + 3, button.top + 3, grass},
                        {0, groundY, grass},
                        {ground.right - 2, groundY, grass},
                        {canvas.width - 1, groundY, kSky}});
  EXPECT_FALSE(Ink(canvas, button.Shrunk(2), [&](Pixel p) { return p != grass; }).Empty())
      << "no caption";
}

// "Game Completed!" does not fit its box on one line: "Game" over "Completed!", centred, in the
// colour the game gives it.
TEST(RendererFinish, TextTakesTwoCentredLines) {
  Scene scene(FinishLayout());
  Control& label = scene.Get("Label1");
  label.foreColor = palette::kRed;
  const Canvas canvas = Draw(scene);
  const PixelRect box = BoxOf(label);
  const int height = Media().LineHeight(label.record->font, 1);
  const auto line = [&](int n) {
    return Ink(canvas, {box.left, box.top + n * height, box.right, box.top + (n + 1) * height},
               [](Pixel p) { return p == ToPixel(palette::kRed); });
  };
  const PixelRect game = line(0), completed = line(1);
  for (const PixelRect& ink : {game, completed}) {
    ASSERT_FALSE(ink.Empty());
    EXPECT_NEAR(ink.left - box.left, box.right - ink.right, 3);
  }
  EXPECT_LT(game.Width(), completed.Width());
  EXPECT_TRUE(line(2).Empty());
}

// The timer lies in the bottom right corner on a plate dark enough to read over any ground,
// the split over the time in its own colour, and the window shows through the plate.
TEST(RendererTimer, TheTimerLiesOnADarkPlateInTheBottomRightCorner) {
  const Scene scene(Level1Layout());
  Canvas canvas = Draw(scene, 2);
  const Canvas window = canvas;
  const Color ahead = Rgb(96, 255, 96);
  const PixelRect plate =
      Renderer(Media(), Media(), 2)
          .DrawTimer({.time = "1:14.9", .split = "Level1 0:15.6 -0.2", .splitColor = ahead},
                     canvas);
  EXPECT_EQ(plate.right, canvas.width - 6);
  EXPECT_EQ(plate.bottom, canvas.height - 6);
  EXPECT_GT(plate.Width(), 0);
  EXPECT_GT(plate.Height(), 0);
  for (int y = 0; y < canvas.height; ++y) {
    for (int x = 0; x < canvas.width; ++x) {
      if (!plate.Contains(x, y)) {
        ASSERT_EQ(canvas.At(x, y), window.At(x, y)) << x << "," << y;
      }
    }
  }
  const auto darker = [&](Pixel drawn, Pixel under) { return (drawn & 0xFF) < (under & 0xFF); };
  EXPECT_TRUE(darker(canvas.At(plate.left, plate.top), window.At(plate.left, plate.top)));
  const PixelRect upper{plate.left, plate.top, plate.right, plate.top + plate.Height() / 2};
  const PixelRect lower{plate.left, upper.bottom, plate.right, plate.bottom};
  const auto is = [](Pixel p) { return [p](Pixel q) { return q == p; }; };
  EXPECT_FALSE(Ink(canvas, upper, is(ToPixel(ahead))).Empty()) << "the split, in green";
  EXPECT_FALSE(Ink(canvas, lower, is(ToPixel(Rgb(255, 255, 255)))).Empty()) << "the time";
  EXPECT_TRUE(Ink(canvas, lower, is(ToPixel(ahead))).Empty());
}

}  // namespace
}  // namespace reddoor
