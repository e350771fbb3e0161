#include "web/browser_text.hpp"

#include <emscripten.h>

// The page's text functions (src/web/page/text.js), reached through the module.
EM_JS(int, RedDoorTextWidth, (int face, int points, int bold, int scale, const char* text),
      { return Module.redDoorText.width(face, points, bold, scale, UTF8ToString(text)); });
EM_JS(int, RedDoorLineHeight, (int face, int points, int bold, int scale),
      { return Module.redDoorText.lineHeight(face, points, bold, scale); });
EM_JS(void, RedDoorTextMask,
      (int face, int points, int bold, int scale, const char* text, int width, int height,
       unsigned char* coverage),
      {
        const mask =
            Module.redDoorText.mask(face, points, bold, scale, UTF8ToString(text), width, height);
        HEAPU8.set(mask, coverage);
      });

namespace reddoor {

namespace {

int FaceNumber(const Font& font) {
  return font.face == FontFace::Rounded ? 1 : 0;
}

}  // namespace

int BrowserText::LineHeight(const Font& font, int scale) {
  auto [it, added] = lineHeights_.try_emplace(KeyOf(font, scale), 0);
  if (added) it->second = RedDoorLineHeight(FaceNumber(font), font.points, font.bold, scale);
  return it->second;
}

int BrowserText::Width(const Font& font, int scale, std::string_view text) {
  const std::string copy(text);
  return RedDoorTextWidth(FaceNumber(font), font.points, font.bold, scale, copy.c_str());
}

const GlyphMask& BrowserText::Render(const Font& font, int scale, std::string_view text) {
  auto key = std::pair{KeyOf(font, scale), std::string(text)};
  if (auto it = masks_.find(key); it != masks_.end()) return it->second;
  GlyphMask mask;
  if (!text.empty()) {
    mask.width = Width(font, scale, text);
    mask.height = LineHeight(font, scale);
    mask.coverage.resize(static_cast<std::size_t>(mask.width) *
                         static_cast<std::size_t>(mask.height));
    RedDoorTextMask(FaceNumber(font), font.points, font.bold, scale, key.second.c_str(), mask.width,
                    mask.height, mask.coverage.data());
  }
  return masks_.emplace(std::move(key), std::move(mask)).first->second;
}

}  // namespace reddoor
