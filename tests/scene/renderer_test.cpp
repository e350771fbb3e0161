// Pixel probes on drawn windows: stacking, the water's hatch, coins, pictures, hidden
// controls, text and scaling, with the real fonts and pictures.
#include "scene/renderer.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sdl/media.hpp"
#include "scene/canvas.hpp"
#include "scene/layout.hpp"
#include "scene/scene.hpp"

namespace reddoor {
namespace {

SdlMedia& Media() {
  static SdlMedia media;
  return media;
}

Canvas Draw(const Scene& scene, int scale = 1) {
  Canvas canvas;
  Renderer(Media(), Media(), scale).Draw(scene, canvas);
  return canvas;
}

PixelRect BoxOf(const Control& control, int scale = 1) {
  return Renderer(Media(), Media(), scale).BoxOf(control);
}

constexpr Pixel kSky = ToPixel(palette::kSky);
constexpr Pixel kBlack = ToPixel(palette::kBlack);

// A picture's pixel in the canvas's order; alpha 0 when it is transparent.
Pixel PicturePixel(const Image& image, int x, int y) {
  const std::uint32_t rgba = image.pixels[static_cast<std::size_t>(y * image.width + x)];
  return (rgba >> 24 == 0) ? 0 : ToPixel(rgba & 0xFFFFFF);
}

// The box shows the picture's top-left part, pixel for pixel, and its back colour where the
// picture is transparent.
void ExpectShowsPicture(const Canvas& canvas, const Control& control) {
  const Image& image = Media().Picture(control.picture);
  const PixelRect box = BoxOf(control);
  const Pixel back = ToPixel(control.spec->backColor);
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const int px = x - box.left, py = y - box.top;
      const Pixel expected =
          px < image.width && py < image.height ? PicturePixel(image, px, py) : back;
      ASSERT_EQ(canvas.At(x, y), expected == 0 ? back : expected) << "at " << x << "," << y;
    }
  }
}

bool IsDark(Pixel p) {
  const Color c = ToColor(p);
  return RedOf(c) + GreenOf(c) + BlueOf(c) < 200;
}

int CountDark(const Canvas& canvas, const PixelRect& area) {
  int count = 0;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) count += IsDark(canvas.At(x, y));
  }
  return count;
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

TEST(RendererLevel1, CoinIsAGoldDiscWithABlackOutline) {
  Scene scene(Level1Layout());
  const Canvas canvas = Draw(scene);
  const PixelRect coin = BoxOf(scene.Array("Coin")(0));
  const int midX = (coin.left + coin.right) / 2, midY = (coin.top + coin.bottom) / 2;
  EXPECT_EQ(canvas.At(midX, midY), ToPixel(palette::kGold));
  EXPECT_EQ(canvas.At(coin.left, midY), kBlack);
  EXPECT_EQ(canvas.At(coin.right - 1, midY), kBlack);
  EXPECT_EQ(canvas.At(midX, coin.top), kBlack);
  EXPECT_EQ(canvas.At(midX, coin.bottom - 1), kBlack);
  // Outside the disc the coin is transparent.
  EXPECT_EQ(canvas.At(coin.left, coin.top), kSky);
  EXPECT_EQ(canvas.At(coin.right - 1, coin.bottom - 1), kSky);
}

TEST(RendererLevel1, SpritesShowTheTopLeftOfTheirPictures) {
  Scene scene(Level1Layout());
  const Canvas canvas = Draw(scene);
  ExpectShowsPicture(canvas, scene.Get("Man"));
  ExpectShowsPicture(canvas, scene.Array("cloud")(0));
  ExpectShowsPicture(canvas, scene.Array("Monster")(0));
}

// The drawing follows the live controls, not the layout.
TEST(RendererLevel1, HiddenAndMovedControlsAreDrawnAsTheyAreNow) {
  Scene scene(Level1Layout());
  Control& block = scene.Array("Block")(23);
  const PixelRect box = BoxOf(block);
  EXPECT_EQ(Draw(scene).At(box.right - 3, box.bottom - 3), kSky);
  block.visible = true;
  EXPECT_EQ(Draw(scene).At(box.right - 3, box.bottom - 3), ToPixel(palette::kEarth));

  Control& man = scene.Get("Man");
  const PixelRect before = BoxOf(man);
  man.left += 150;
  man.picture = PictureId::ManLeft;
  const Canvas canvas = Draw(scene);
  EXPECT_EQ(BoxOf(man).left, before.left + 10);
  EXPECT_EQ(canvas.At(before.left, before.top), kSky);
  ExpectShowsPicture(canvas, man);
}

TEST(RendererLevel1, LabelsShowTheirCaptions) {
  Scene scene(Level1Layout());
  const Canvas canvas = Draw(scene);
  const PixelRect caption = BoxOf(scene.Get("Label1"));
  EXPECT_GT(CountDark(canvas, caption), 30);
  EXPECT_EQ(canvas.At(caption.right - 1, caption.top), kSky);

  Control& counter = scene.Get("lblTotalCoins");
  EXPECT_GT(CountDark(canvas, BoxOf(counter)), 10);
  counter.caption = "26";
  counter.foreColor = palette::kRed;
  const Canvas red = Draw(scene);
  const PixelRect box = BoxOf(counter);
  int redPixels = 0;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) redPixels += red.At(x, y) == ToPixel(palette::kRed);
  }
  EXPECT_GT(redPixels, 20);
  EXPECT_EQ(CountDark(red, box), 0);
}

// The boxes of the controls that show text: labels and buttons.
std::vector<PixelRect> TextBoxes(const Scene& scene) {
  std::vector<PixelRect> boxes;
  for (const Control& c : scene.Controls()) {
    if (c.Kind() == ControlKind::Label || c.Kind() == ControlKind::Button) {
      boxes.push_back(BoxOf(c));
    }
  }
  return boxes;
}

bool InAny(const std::vector<PixelRect>& boxes, int x, int y) {
  for (const PixelRect& r : boxes) {
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  }
  return false;
}

// Where a round outline is drawn at this scale: it follows the circle more closely than the
// enlarged outline does.
bool OnCircleOutline(const Scene& scene, int x, int y, Pixel one, Pixel two) {
  for (const Control& c : scene.Controls()) {
    if (c.Kind() != ControlKind::Shape || c.spec->shape != ShapeKind::Circle) continue;
    const PixelRect r = BoxOf(c);
    const Pixel border = ToPixel(c.spec->borderColor);
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom &&
        (one == border || two == border)) {
      return true;
    }
  }
  return false;
}

// At scale 2 every pixel is the scale-1 pixel enlarged, shapes, borders and pictures alike,
// but for the text, which comes from the font at twice its size (finer than the enlarged
// text), and round outlines, drawn as finely.
TEST(RendererScale, TwiceTheScaleIsTheDrawingEnlargedButForItsCrispText) {
  for (const WindowLayout* layout : AllLayouts()) {
    SCOPED_TRACE(layout->name);
    Scene scene(*layout);
    const Canvas one = Draw(scene, 1);
    const Canvas two = Draw(scene, 2);
    ASSERT_EQ(two.width, 2 * one.width);
    ASSERT_EQ(two.height, 2 * one.height);
    const std::vector<PixelRect> text = TextBoxes(scene);
    int redrawnText = 0;
    for (int y = 0; y < one.height; ++y) {
      for (int x = 0; x < one.width; ++x) {
        for (int d = 0; d < 4; ++d) {
          const Pixel enlarged = two.At(2 * x + d % 2, 2 * y + d / 2);
          if (InAny(text, x, y)) {
            redrawnText += enlarged != one.At(x, y);
          } else if (enlarged != one.At(x, y)) {
            ASSERT_TRUE(OnCircleOutline(scene, x, y, one.At(x, y), enlarged))
                << "at " << x << "," << y << ": " << enlarged << " at scale 2, " << one.At(x, y);
          }
        }
      }
    }
    if (!text.empty()) {
      EXPECT_GT(redrawnText, 0) << "the text was only enlarged";
    }
  }
}

TEST(RendererIntro, ButtonLiesRaisedOverTheEarth) {
  Scene scene(IntroLayout());
  const Canvas canvas = Draw(scene);
  const PixelRect button = BoxOf(scene.Get("CmdPlay"));
  const int midY = (button.top + button.bottom) / 2;
  EXPECT_EQ(canvas.At(button.left - 1, midY), ToPixel(palette::kEarth));
  EXPECT_EQ(canvas.At(button.left, midY), kBlack);
  EXPECT_EQ(canvas.At(button.right - 1, midY), kBlack);
  EXPECT_EQ(canvas.At(button.left + 1, midY), ToPixel(Rgb(255, 255, 255)));
  EXPECT_EQ(canvas.At(button.right - 2, midY), ToPixel(Rgb(128, 128, 128)));
  EXPECT_EQ(canvas.At(button.left + 3, button.top + 3), ToPixel(palette::kGrass));
  EXPECT_GT(CountDark(canvas, button.Shrunk(2)), 10) << "no caption";
}

// bASE(0) starts left of the window, and the ground stops 30 twips short of its right edge.
TEST(RendererIntro, GroundIsClippedAndLeavesAStripOfSky) {
  Scene scene(IntroLayout());
  const Canvas canvas = Draw(scene);
  const PixelRect grass = BoxOf(scene.Array("bASE")(0));
  ASSERT_LT(grass.left, 0);
  const int midY = (grass.top + grass.bottom) / 2;
  EXPECT_EQ(canvas.At(0, midY), ToPixel(palette::kGrass));
  EXPECT_EQ(canvas.At(grass.right - 2, midY), ToPixel(palette::kGrass));
  EXPECT_EQ(canvas.At(canvas.width - 1, midY), kSky);
}

// "Game Completed!" does not fit its box on one line: "Game" over "Completed!", centred.
TEST(RendererFinish, TextTakesTwoCentredLines) {
  Scene scene(FinishLayout());
  const Canvas canvas = Draw(scene);
  const PixelRect box = BoxOf(scene.Get("Label1"));
  struct Band {
    int top, bottom, left, right;
  };
  std::vector<Band> bands;
  bool inBand = false;
  for (int y = box.top; y < box.bottom; ++y) {
    int left = box.right, right = box.left;
    for (int x = box.left; x < box.right; ++x) {
      if (!IsDark(canvas.At(x, y))) continue;
      left = std::min(left, x);
      right = std::max(right, x + 1);
    }
    const bool ink = left < right;
    if (ink && !inBand) bands.push_back({y, y, left, right});
    if (ink) {
      Band& band = bands.back();
      band = {band.top, y + 1, std::min(band.left, left), std::max(band.right, right)};
    }
    inBand = ink;
  }
  ASSERT_EQ(bands.size(), 2u);
  EXPECT_LT(bands[0].right - bands[0].left, bands[1].right - bands[1].left);
  for (const Band& band : bands) {
    EXPECT_NEAR(band.left - box.left, box.right - band.right, 3);
  }
}

}  // namespace
}  // namespace reddoor
