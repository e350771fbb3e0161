#include "sdl/media.hpp"

#include <SDL.h>
#include <SDL_image.h>
#include <fmt/format.h>

#include <cstring>

#include "base/fault.hpp"
#include "scene/scene.hpp"
#include "sdl/font_files.hpp"

namespace reddoor {
namespace {

// Text is laid out at the screen's usual 96 dots per inch.
constexpr unsigned kDotsPerInch = 96;

struct SurfaceFreer {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFreer>;

std::string FontName(const Font& font) {
  return fmt::format("{} {}pt{}", FamilyName(font.face), font.points, font.bold ? " bold" : "");
}

GlyphMask CoverageOf(const SDL_Surface& surface) {
  GlyphMask mask{surface.w, surface.h, {}};
  mask.coverage.resize(static_cast<std::size_t>(surface.w) * static_cast<std::size_t>(surface.h));
  for (int y = 0; y < surface.h; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(surface.pixels) + y * surface.pitch;
    for (int x = 0; x < surface.w; ++x) {
      std::uint32_t pixel;
      std::memcpy(&pixel, row + x * 4, sizeof pixel);
      mask.coverage[static_cast<std::size_t>(y * surface.w + x)] =
          static_cast<std::uint8_t>(pixel >> 24);
    }
  }
  return mask;
}

Image Decode(PictureId id) {
  const std::span<const std::uint8_t> file = PictureFile(id);
  if (file.empty()) return {};
  const SurfacePtr loaded(
      IMG_Load_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1));
  // Keyed pixels (the cloud's transparent colour) turn into alpha 0 here.
  const SurfacePtr rgba(loaded ? SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0)
                               : nullptr);
  if (!rgba) {
    throw GameFault(
        fmt::format("cannot decode the picture {}: {}", PictureName(id), SDL_GetError()));
  }
  Image image{rgba->w, rgba->h, {}};
  image.pixels.resize(static_cast<std::size_t>(image.width) *
                      static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(image.pixels.data() + static_cast<std::ptrdiff_t>(y) * image.width,
                static_cast<const std::uint8_t*>(rgba->pixels) + y * rgba->pitch,
                static_cast<std::size_t>(image.width) * sizeof(std::uint32_t));
  }
  return image;
}

}  // namespace

SdlMedia::SdlMedia() {
  // Neither video nor audio: fonts and pictures need neither.
  if (SDL_Init(0) != 0 || TTF_Init() != 0) {
    throw GameFault(fmt::format("cannot start SDL: {}", SDL_GetError()));
  }
}

SdlMedia::~SdlMedia() {
  fonts_.clear();
  TTF_Quit();
}

TTF_Font* SdlMedia::Open(const Font& font, int scale) {
  auto& slot = fonts_[KeyOf(font, scale)];
  if (slot) return slot.get();
  const FontFile file = FindFontFile(font.face, font.bold);
  const unsigned dpi = kDotsPerInch * static_cast<unsigned>(scale);
  slot.reset(TTF_OpenFontIndexDPI(file.path.c_str(), font.points, file.index, dpi, dpi));
  if (!slot) {
    throw GameFault(
        fmt::format("cannot open the font {} ({}): {}", FontName(font), file.path, TTF_GetError()));
  }
  if (file.needsBolder) TTF_SetFontStyle(slot.get(), TTF_STYLE_BOLD);
  return slot.get();
}

const GlyphMask& SdlMedia::Render(const Font& font, int scale, std::string_view text) {
  auto key = std::pair{KeyOf(font, scale), std::string(text)};
  if (auto it = masks_.find(key); it != masks_.end()) return it->second;
  GlyphMask mask;
  if (!text.empty()) {
    const SurfacePtr surface(
        TTF_RenderUTF8_Blended(Open(font, scale), key.second.c_str(), {255, 255, 255, 255}));
    if (!surface) {
      throw GameFault(
          fmt::format("cannot draw \"{}\" in {}: {}", text, FontName(font), TTF_GetError()));
    }
    mask = CoverageOf(*surface);
  }
  return masks_.emplace(std::move(key), std::move(mask)).first->second;
}

int SdlMedia::LineHeight(const Font& font, int scale) {
  return TTF_FontHeight(Open(font, scale));
}

int SdlMedia::Width(const Font& font, int scale, std::string_view text) {
  int width = 0;
  if (TTF_SizeUTF8(Open(font, scale), std::string(text).c_str(), &width, nullptr) != 0) {
    throw GameFault(
        fmt::format("cannot measure \"{}\" in {}: {}", text, FontName(font), TTF_GetError()));
  }
  return width;
}

const Image& SdlMedia::Picture(PictureId id) {
  auto it = pictures_.find(id);
  if (it == pictures_.end()) it = pictures_.emplace(id, Decode(id)).first;
  return it->second;
}

void WritePng(const Canvas& canvas, const std::string& path) {
  // SDL only reads the pixels through this surface.
  const SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<Pixel*>(canvas.pixels.data()), canvas.width, canvas.height, 32,
      canvas.width * static_cast<int>(sizeof(Pixel)), SDL_PIXELFORMAT_ARGB8888));
  // Closing the file is where a full disk shows.
  SDL_RWops* file = surface ? SDL_RWFromFile(path.c_str(), "wb") : nullptr;
  const bool saved = file && IMG_SavePNG_RW(surface.get(), file, 0) == 0;
  if (!file || SDL_RWclose(file) != 0 || !saved) {
    throw GameFault(fmt::format("cannot write {}: {}", path, SDL_GetError()));
  }
}

void WriteScenePng(SdlMedia& media, const Scene& scene, int scale, const std::string& path) {
  Canvas canvas;
  Renderer(media, media, scale).Draw(scene, canvas);
  WritePng(canvas, path);
}

void RenderWindowToPng(const WindowLayout& layout, int scale, const std::string& path) {
  SdlMedia media;
  WriteScenePng(media, Scene(layout), scale, path);
}

}  // namespace reddoor
