// The SDL back end of the drawing: the embedded pictures, the fonts, and PNG files.
#include "platform/sdl/media.hpp"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

namespace reddoor {
namespace {

namespace fs = std::filesystem;

bool Transparent(std::uint32_t rgba) {
  return rgba >> 24 == 0;
}

std::string TempPath(const std::string& name) {
  return (fs::temp_directory_path() / ("reddoor-media-test-" + name)).string();
}

// Only the cloud and the icon have transparent pixels; the bitmaps are opaque.
TEST(SdlMediaPictures, DecodeToTheirSizesAndOnlyTheCloudAndTheIconHaveTransparentPixels) {
  SdlMedia media;
  struct Expected {
    PictureId id;
    int width, height;
    bool transparent;
  };
  for (const Expected& e : {Expected{PictureId::ManRight, 34, 33, false},
                            {PictureId::ManLeft, 34, 33, false},
                            {PictureId::Monster, 45, 43, false},
                            {PictureId::Bird, 69, 43, false},
                            {PictureId::Cloud, 738, 549, true},
                            {PictureId::Icon, 48, 48, true}}) {
    SCOPED_TRACE(PictureName(e.id));
    const Image& image = media.Picture(e.id);
    EXPECT_EQ(image.width, e.width);
    EXPECT_EQ(image.height, e.height);
    EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(e.width * e.height));
    EXPECT_EQ(std::any_of(image.pixels.begin(), image.pixels.end(), Transparent), e.transparent);
  }
  EXPECT_EQ(media.Picture(PictureId::None).pixels.size(), 0u);
}

TEST(SdlMediaText, MasksMatchTheMeasuredWidthAndAreKept) {
  SdlMedia media;
  const Font font{FontFace::Sans, 18, false};
  const GlyphMask& mask = media.Render(font, 1, "Coins:");
  EXPECT_EQ(mask.width, media.Width(font, 1, "Coins:"));
  EXPECT_EQ(mask.height, media.LineHeight(font, 1));
  EXPECT_EQ(mask.coverage.size(), static_cast<std::size_t>(mask.width * mask.height));
  EXPECT_TRUE(std::any_of(mask.coverage.begin(), mask.coverage.end(),
                          [](std::uint8_t c) { return c == 255; }));
  EXPECT_EQ(&media.Render(font, 1, "Coins:"), &mask);
  EXPECT_EQ(media.Render(font, 1, "").width, 0);
}

// 18 points at 96 dots per inch are 24 pixels; a scaled font is that many times larger.
TEST(SdlMediaText, SizesFollowPointsAndScale) {
  SdlMedia media;
  const Font font{FontFace::Sans, 18, false};
  const int height = media.LineHeight(font, 1);
  EXPECT_GE(height, 24);
  EXPECT_LE(height, 30);
  EXPECT_NEAR(media.LineHeight(font, 3), 3 * height, 3);
  EXPECT_NEAR(media.Width(font, 3, "Coins:"), 3 * media.Width(font, 1, "Coins:"), 3);
  const Font rounded{FontFace::Rounded, 24, true};
  EXPECT_GT(media.Width(rounded, 1, "Completed!"), media.Width(font, 1, "Completed!"));
}

TEST(SdlMediaPng, WritesTheCanvasPixels) {
  Canvas canvas;
  canvas.Resize(3, 2);
  for (std::size_t i = 0; i < canvas.pixels.size(); ++i) {
    canvas.pixels[i] = ToPixel(Rgb(static_cast<std::uint8_t>(40 * i), 255, 7));
  }
  const std::string path = TempPath("pixels.png");
  WritePng(canvas, path);

  const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> loaded(IMG_Load(path.c_str()),
                                                                        SDL_FreeSurface);
  ASSERT_TRUE(loaded) << IMG_GetError();
  const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> argb(
      SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0), SDL_FreeSurface);
  ASSERT_EQ(argb->w, 3);
  ASSERT_EQ(argb->h, 2);
  for (int y = 0; y < 2; ++y) {
    const auto* row = reinterpret_cast<const Pixel*>(
        static_cast<const std::uint8_t*>(argb->pixels) + y * argb->pitch);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(row[x], canvas.At(x, y));
  }
  fs::remove(path);
}

TEST(SdlMediaPng, RendersAWindowAtItsClientSize) {
  const std::string path = TempPath("level1.png");
  RenderWindowToPng(Level1Layout(), 1, path);
  const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> loaded(IMG_Load(path.c_str()),
                                                                        SDL_FreeSurface);
  ASSERT_TRUE(loaded) << IMG_GetError();
  EXPECT_EQ(loaded->w, 879);
  EXPECT_EQ(loaded->h, 563);
  fs::remove(path);
}

}  // namespace
}  // namespace reddoor
