#pragma once
// Where the faces the game draws with are found: through fontconfig on Linux
// (font_files_fontconfig.cpp), in the fonts folder beside the game on Windows
// (font_files_windows.cpp).
#include <string>

#include "scene/layout.hpp"

namespace reddoor {

// The family that stands in for each of the game's fonts.
constexpr const char* FamilyName(FontFace face) {
  switch (face) {
    case FontFace::Sans:
      return "Liberation Sans";
    case FontFace::Rounded:
      return "Comic Neue";
  }
  return "";
}

struct FontFile {
  std::string path;
  int index = 0;
  bool needsBolder = false;  // the face found is lighter than asked for
};

// The file of the face, bold or not; a GameFault telling how to get it when it is missing.
FontFile FindFontFile(FontFace face, bool bold);

}  // namespace reddoor
