// Windows has neither fontconfig nor the game's faces: they come with the game, in the fonts
// folder beside reddoor.exe.
#include <SDL.h>
#include <fmt/format.h>

#include <memory>

#include "base/fault.hpp"
#include "sdl/font_files.hpp"

namespace reddoor {
namespace {

const char* FileOf(FontFace face, bool bold) {
  switch (face) {
    case FontFace::Sans:
      return bold ? "LiberationSans-Bold.ttf" : "LiberationSans-Regular.ttf";
    case FontFace::Rounded:
      return bold ? "ComicNeue-Bold.otf" : "ComicNeue-Regular.otf";
  }
  return "";
}

std::string GameFolder() {
  const std::unique_ptr<char, decltype(&SDL_free)> base(SDL_GetBasePath(), SDL_free);
  return base ? base.get() : "";
}

}  // namespace

FontFile FindFontFile(FontFace face, bool bold) {
  FontFile found{GameFolder() + "fonts\\" + FileOf(face, bold), 0, false};
  SDL_RWops* file = SDL_RWFromFile(found.path.c_str(), "rb");
  if (!file) {
    throw GameFault(
        fmt::format("the font \"{}\"{} is missing: {} came with the game; unpack its "
                    "zip again",
                    FamilyName(face), bold ? " Bold" : "", found.path));
  }
  SDL_RWclose(file);
  return found;
}

}  // namespace reddoor
