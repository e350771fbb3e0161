#pragma once
// Fonts and pictures for the renderer, from SDL2_ttf (faces found through fontconfig) and
// SDL2_image (the embedded picture files), and PNG files of drawn windows. Only the parts
// of SDL that need no display are started, so this works without one.
#include <SDL_ttf.h>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "scene/canvas.hpp"
#include "scene/layout.hpp"
#include "scene/pictures.hpp"
#include "scene/renderer.hpp"

namespace reddoor {

// Faces are opened, text drawn and pictures decoded on first use, and kept.
class SdlMedia final : public TextRasterizer, public PictureSource {
 public:
  SdlMedia();
  ~SdlMedia() override;
  SdlMedia(const SdlMedia&) = delete;
  SdlMedia& operator=(const SdlMedia&) = delete;

  const GlyphMask& Render(const Font& font, int scale, std::string_view text) override;
  int LineHeight(const Font& font, int scale) override;
  int Width(const Font& font, int scale, std::string_view text) override;
  const Image& Picture(PictureId id) override;

 private:
  using FontKey = std::tuple<FontFace, std::uint8_t, bool, int>;
  struct FontCloser {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
  };

  static FontKey KeyOf(const Font& font, int scale) {
    return {font.face, font.points, font.bold, scale};
  }
  TTF_Font* Open(const Font& font, int scale);

  std::map<FontKey, std::unique_ptr<TTF_Font, FontCloser>> fonts_;
  std::map<std::pair<FontKey, std::string>, GlyphMask> masks_;
  std::map<PictureId, Image> pictures_;
};

// Writes the canvas as a PNG file; a failure is a GameFault naming the file.
void WritePng(const Canvas& canvas, const std::string& path);

// Draws a scene at `scale` times 96 dots per inch into a PNG file.
void WriteScenePng(SdlMedia& media, const Scene& scene, int scale, const std::string& path);

// Draws a window exactly as its layout builds it, before any load handler, at `scale` times
// 96 dots per inch, into a PNG file.
void RenderWindowToPng(const WindowLayout& layout, int scale, const std::string& path);

}  // namespace reddoor
