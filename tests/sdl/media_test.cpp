// The SDL back end of the drawing: the embedded pictures, the fonts, and PNG files.
#include "sdl/media.hpp"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>

#include "scene/scene.hpp"

namespace reddoor {
namespace {

// Only the cloud and the icon have transparent pixels; the bitmaps are opaque.
TEST(SdlMediaPictures, DecodeToTheirSizesAndOnlyTheCloudAndTheIconHaveTransparentPixels) {
  SdlMedia media;
  const std::tuple<PictureId, int, int, bool> pictures[] = {
      {PictureId::ManRight, 34, 33, false}, {PictureId::ManLeft, 34, 33, false},
      {PictureId::Monster, 45, 43, false},  {PictureId::Bird, 69, 43, false},
      {PictureId::Cloud, 738, 549, true},   {PictureId::Icon, 48, 48, true}};
  for (const auto& [id, width, height, transparent] : pictures) {
    SCOPED_TRACE(PictureName(id));
    const Image& image = media.Picture(id);
    EXPECT_EQ(std::tuple(image.width, image.height), std::tuple(width, height));
    EXPECT_EQ(image.pixels.size(), static_cast<std::size_t>(width * height));
    EXPECT_EQ(std::any_of(image.pixels.begin(), image.pixels.end(),
                          [](std::uint32_t rgba) { return rgba >> 24 == 0; }),
              transparent);
  }
  EXPECT_TRUE(media.Picture(PictureId::None).pixels.empty());
}

// 18 points at 96 dots per inch are 24 pixels; a scaled font is that many times larger. A mask
// is as wide as the text measures and is kept for the next time.
TEST(SdlMediaText, MasksFollowPointsAndScaleAndAreKept) {
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
  EXPECT_GE(mask.height, 24);
  EXPECT_LE(mask.height, 30);
  EXPECT_NEAR(media.LineHeight(font, 3), 3 * mask.height, 3);
  EXPECT_NEAR(media.Width(font, 3, "Coins:"), 3 * mask.width, 3);
  const Font rounded{FontFace::Rounded, 24, true};
  EXPECT_GT(media.Width(rounded, 1, "Completed!"), media.Width(font, 1, "Completed!"));
}

// The file holds the drawing pixel for pixel, at the scale asked for.
TEST(SdlMediaPng, AWindowIsWrittenAsItIsDrawn) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "reddoor-media-test-level1.png").string();
  RenderWindowToPng(Level1Layout(), 2, path);
  using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;
  const Surface loaded(IMG_Load(path.c_str()), SDL_FreeSurface);
  std::filesystem::remove(path);
  ASSERT_TRUE(loaded) << IMG_GetError();
  const Surface argb(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0),
                     SDL_FreeSurface);
  SdlMedia media;
  const Scene scene(Level1Layout());
  Canvas drawn;
  Renderer(media, media, 2).Draw(scene, drawn);
  ASSERT_EQ(std::tuple(argb->w, argb->h), std::tuple(2 * 879, 2 * 563));
  ASSERT_EQ(std::tuple(drawn.width, drawn.height), std::tuple(argb->w, argb->h));
  for (int y = 0; y < drawn.height; ++y) {
    const auto* row = reinterpret_cast<const Pixel*>(
        static_cast<const std::uint8_t*>(argb->pixels) + y * argb->pitch);
    for (int x = 0; x < drawn.width; ++x) ASSERT_EQ(row[x], drawn.At(x, y)) << x << "," << y;
  }
}

}  // namespace
}  // namespace reddoor
