#pragma once
// Text drawn by the browser: the page's canvas fills the text in the web fonts it ships
// (Liberation Sans and Comic Neue, the faces the desktop takes from Debian), and the game takes
// the coverage as a mask. Masks are kept, as on the desktop.
#include <map>
#include <string>
#include <tuple>
#include <utility>

#include "scene/renderer.hpp"

namespace reddoor {

class BrowserText final : public TextRasterizer {
 public:
  const GlyphMask& Render(const Font& font, int scale, std::string_view text) override;
  int LineHeight(const Font& font, int scale) override;
  int Width(const Font& font, int scale, std::string_view text) override;

 private:
  using FontKey = std::tuple<FontFace, std::uint8_t, bool, int>;
  static FontKey KeyOf(const Font& font, int scale) {
    return {font.face, font.points, font.bold, scale};
  }
  std::map<std::pair<FontKey, std::string>, GlyphMask> masks_;
  std::map<FontKey, int> lineHeights_;
};

}  // namespace reddoor
