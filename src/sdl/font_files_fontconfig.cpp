#include <fmt/format.h>
#include <fontconfig/fontconfig.h>

#include <memory>
#include <string_view>

#include "base/fault.hpp"
#include "sdl/font_files.hpp"

namespace reddoor {
namespace {

struct PatternDestroyer {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDestroyer>;

// Where Debian packs the faces.
const char* PackageOf(FontFace face) {
  switch (face) {
    case FontFace::Sans:
      return "fonts-liberation2";
    case FontFace::Rounded:
      return "fonts-comic-neue";
  }
  return "";
}

bool HasFamily(const FcPattern* match, std::string_view family) {
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    if (family == reinterpret_cast<const char*>(name)) return true;
  }
  return false;
}

}  // namespace

// fontconfig always answers with some face, so the answer is checked against the family.
FontFile FindFontFile(FontFace face, bool bold) {
  const char* family = FamilyName(face);
  const PatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  const PatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  FcChar8* file = nullptr;
  if (!match || !HasFamily(match.get(), family) ||
      FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
    throw GameFault(fmt::format("the font \"{}\"{} is not installed; install the Debian package {}",
                                family, bold ? " Bold" : "", PackageOf(face)));
  }
  FontFile found{reinterpret_cast<const char*>(file), 0, false};
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.index);
  int weight = FC_WEIGHT_REGULAR;
  FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &weight);
  found.needsBolder = bold && weight < FC_WEIGHT_BOLD;
  return found;
}

}  // namespace reddoor
