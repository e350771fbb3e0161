#pragma once
// Text and pictures for drawing without fonts or picture files: every character is a framed
// cell whose frame is one pixel wide at any scale, as crisp text is, and every picture is a
// checkerboard with a transparent top-left quarter, of a size of its own.
#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "scene/renderer.hpp"

namespace reddoor::test {

class StandInMedia final : public TextRasterizer, public PictureSource {
 public:
  const GlyphMask& Render(const Font& font, int scale, std::string_view text) override {
    GlyphMask& mask = masks_[{font.points, scale, std::string(text)}];
    if (!mask.coverage.empty() || text.empty()) return mask;
    const int cell = CellWidth(font, scale);
    mask.width = Width(font, scale, text);
    mask.height = LineHeight(font, scale);
    mask.coverage.assign(static_cast<std::size_t>(mask.width * mask.height), 0);
    for (int y = 0; y < mask.height; ++y) {
      for (int x = 0; x < mask.width; ++x) {
        const int inCell = x % cell;
        const bool frame = inCell == 0 || inCell == cell - 2 || y == 0 || y == mask.height - 1;
        if (frame && inCell != cell - 1)
          mask.coverage[static_cast<std::size_t>(y * mask.width + x)] = 255;
      }
    }
    return mask;
  }
  int LineHeight(const Font& font, int scale) override { return font.points * scale * 3 / 2; }
  int Width(const Font& font, int scale, std::string_view text) override {
    return CellWidth(font, scale) * static_cast<int>(text.size());
  }

  const Image& Picture(PictureId id) override {
    Image& image = pictures_[id];
    if (id == PictureId::None || !image.pixels.empty()) return image;
    image.width = 10 + 3 * static_cast<int>(id);
    image.height = 12 + 2 * static_cast<int>(id);
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const bool clear = x < image.width / 2 && y < image.height / 2;
        image.pixels.push_back(clear ? 0 : ((x + y) % 2 ? 0xFF0000FFu : 0xFF00FF00u));
      }
    }
    return image;
  }

 private:
  static int CellWidth(const Font& font, int scale) { return font.points * scale * 2 / 3 + 2; }

  std::map<std::tuple<int, int, std::string>, GlyphMask> masks_;
  std::map<PictureId, Image> pictures_;
};

}  // namespace reddoor::test
