// Paints the game's five pictures and its application icon from their text sources.
//
//   paint-pictures SOURCE_DIR OUTPUT_DIR
//
// reads man-right.txt, monster.txt, bird.txt, cloud.txt, icon.txt and icon-32.txt from
// SOURCE_DIR and writes man-right.bmp, man-left.bmp, monster.bmp, bird.bmp (24-bit bitmaps),
// cloud.gif (GIF89a with one transparent colour) and reddoor.png (the 48x48 icon, a PNG with an
// alpha channel) into OUTPUT_DIR, and the installed icons of the other sizes into
// OUTPUT_DIR/icons: reddoor-32.png, and the same drawing enlarged by whole pixels,
// reddoor-64.png, reddoor-128.png and reddoor-256.png.
//
// A source is a header, one blank line, then the rows of pixels. Header lines:
//
//   size 34 33        width and height in pixels (required)
//   fill .            palette character for every pixel the rows leave out (optional)
//   transparent ,     palette character that paints nothing (required for a GIF, optional
//                     for a PNG, refused for a bitmap)
//   . = 80FFFF        palette entry: one character, " = ", the colour as RRGGBB in hex
//   ; any text        comment
//
// Each row is one line of palette characters, left to right. The rows cover the top-left
// part of the picture: a row may be shorter than the width and there may be fewer rows than
// the height, and the fill character paints the rest. Neither a space nor ';' can be a palette
// character, so a stray trailing space is an error rather than an invisible pixel.

#include <SDL.h>
#include <SDL_image.h>
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Colour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

struct Picture {
  int width = 0;
  int height = 0;
  std::string paletteKeys;  // the n-th character paints the n-th colour
  std::vector<Colour> paletteColours;
  std::optional<char> transparent;
  std::vector<std::string> rows;  // complete: height rows of width characters

  Colour colourAt(int x, int y) const { return paletteColours[paletteKeys.find(rows[y][x])]; }
};

enum class Format { kBitmap, kGif, kPng };

struct Output {
  const char* file;
  const char* source;
  int width;
  int height;
  Format format;
  // When non-zero, the picture is the source mirrored within its first this-many columns;
  // the columns beyond stay as drawn.
  int mirroredColumns;
  // Each pixel of the source becomes a square of this many pixels a side.
  int enlargement = 1;
};

// The player's box shows only the left 26 of his 34 columns, so he is drawn within them,
// and the left-facing picture mirrors him within those same columns to stay in view.
constexpr int kManShownColumns = 26;

constexpr std::array kOutputs{
    Output{"man-right.bmp", "man-right.txt", 34, 33, Format::kBitmap, 0},
    Output{"man-left.bmp", "man-right.txt", 34, 33, Format::kBitmap, kManShownColumns},
    Output{"monster.bmp", "monster.txt", 45, 43, Format::kBitmap, 0},
    Output{"bird.bmp", "bird.txt", 69, 43, Format::kBitmap, 0},
    Output{"cloud.gif", "cloud.txt", 738, 549, Format::kGif, 0},
    Output{"reddoor.png", "icon.txt", 48, 48, Format::kPng, 0},
    // A 48-pixel drawing cannot be enlarged by whole pixels to 32 or 64, so the other sizes of
    // the installed icon come from a drawing of its own at 32x32.
    Output{"icons/reddoor-32.png", "icon-32.txt", 32, 32, Format::kPng, 0},
    Output{"icons/reddoor-64.png", "icon-32.txt", 32, 32, Format::kPng, 0, 2},
    Output{"icons/reddoor-128.png", "icon-32.txt", 32, 32, Format::kPng, 0, 4},
    Output{"icons/reddoor-256.png", "icon-32.txt", 32, 32, Format::kPng, 0, 8},
};

[[noreturn]] void fail(const fs::path& path, std::size_t lineNumber, const std::string& what) {
  throw std::runtime_error(path.string() + ":" + std::to_string(lineNumber) + ": " + what);
}

std::vector<std::string> readLines(const fs::path& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error(path.string() + ": cannot open");
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::optional<Colour> parseColour(const std::string& hex) {
  const auto isHexDigit = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
  if (hex.size() != 6 || !std::all_of(hex.begin(), hex.end(), isHexDigit)) return std::nullopt;
  const auto channel = [&hex](std::size_t at) {
    return static_cast<std::uint8_t>(std::stoi(hex.substr(at, 2), nullptr, 16));
  };
  return Colour{channel(0), channel(2), channel(4)};
}

bool isPaletteEntry(const std::string& line) {
  return line.size() >= 4 && line[0] != ' ' && line.compare(1, 3, " = ") == 0;
}

struct Header {
  Picture picture;
  std::optional<char> fill;
};

void parsePaletteEntry(const std::string& line, Picture& picture, const fs::path& path,
                       std::size_t lineNumber) {
  const char key = line[0];
  if (picture.paletteKeys.find(key) != std::string::npos) {
    fail(path, lineNumber, std::string("palette character '") + key + "' is given twice");
  }
  const auto colour = parseColour(line.substr(4));
  if (!colour) fail(path, lineNumber, "colour must be six hex digits RRGGBB");
  picture.paletteKeys += key;
  picture.paletteColours.push_back(*colour);
}

char parseCharacter(std::istringstream& words, const fs::path& path, std::size_t lineNumber) {
  std::string word;
  if (!(words >> word) || word.size() != 1) fail(path, lineNumber, "expected one character");
  return word[0];
}

void parseHeaderLine(const std::string& line, Header& header, const fs::path& path,
                     std::size_t lineNumber) {
  if (line[0] == ';') return;
  if (isPaletteEntry(line)) {
    parsePaletteEntry(line, header.picture, path, lineNumber);
    return;
  }
  std::istringstream words(line);
  std::string keyword;
  words >> keyword;
  if (keyword == "size") {
    if (!(words >> header.picture.width >> header.picture.height) || header.picture.width <= 0 ||
        header.picture.height <= 0) {
      fail(path, lineNumber, "expected 'size WIDTH HEIGHT' with positive numbers");
    }
  } else if (keyword == "fill") {
    header.fill = parseCharacter(words, path, lineNumber);
  } else if (keyword == "transparent") {
    header.picture.transparent = parseCharacter(words, path, lineNumber);
  } else {
    fail(path, lineNumber, "unknown header line '" + line + "'");
  }
}

void requireInPalette(const Picture& picture, char key, const std::string& role,
                      const fs::path& path) {
  if (picture.paletteKeys.find(key) == std::string::npos) {
    throw std::runtime_error(path.string() + ": " + role + " character '" + key +
                             "' is not in the palette");
  }
}

void checkHeader(const Header& header, const fs::path& path) {
  if (header.picture.width == 0) throw std::runtime_error(path.string() + ": no size line");
  if (header.fill) requireInPalette(header.picture, *header.fill, "fill", path);
  if (header.picture.transparent) {
    requireInPalette(header.picture, *header.picture.transparent, "transparent", path);
  }
}

// Checks one row of the source and widens it to the full width with the fill character.
std::string completeRow(std::string row, const Header& header, const fs::path& path,
                        std::size_t lineNumber) {
  const Picture& picture = header.picture;
  if (std::cmp_greater(row.size(), picture.width)) {
    fail(path, lineNumber,
         "row has " + std::to_string(row.size()) + " pixels, the width is " +
             std::to_string(picture.width));
  }
  for (std::size_t x = 0; x < row.size(); ++x) {
    if (picture.paletteKeys.find(row[x]) == std::string::npos) {
      fail(path, lineNumber,
           "column " + std::to_string(x) + ": '" + row[x] + "' is not in the palette");
    }
  }
  if (std::cmp_less(row.size(), picture.width)) {
    if (!header.fill) fail(path, lineNumber, "row is short of the width and there is no fill");
    row.resize(static_cast<std::size_t>(picture.width), *header.fill);
  }
  return row;
}

Picture readPicture(const fs::path& path) {
  const std::vector<std::string> lines = readLines(path);
  Header header;
  std::size_t at = 0;
  for (; at < lines.size() && !lines[at].empty(); ++at) {
    parseHeaderLine(lines[at], header, path, at + 1);
  }
  checkHeader(header, path);
  Picture& picture = header.picture;
  for (++at; at < lines.size(); ++at) {
    if (std::cmp_equal(picture.rows.size(), picture.height)) {
      fail(path, at + 1, "more rows than the height " + std::to_string(picture.height));
    }
    picture.rows.push_back(completeRow(lines[at], header, path, at + 1));
  }
  if (std::cmp_less(picture.rows.size(), picture.height)) {
    if (!header.fill) {
      throw std::runtime_error(path.string() + ": fewer rows than the height and no fill");
    }
    picture.rows.resize(static_cast<std::size_t>(picture.height),
                        std::string(static_cast<std::size_t>(picture.width), *header.fill));
  }
  return picture;
}

void checkFitsOutput(const Picture& picture, const Output& output, const fs::path& path) {
  if (picture.width != output.width || picture.height != output.height) {
    throw std::runtime_error(path.string() + ": size is " + std::to_string(picture.width) + " x " +
                             std::to_string(picture.height) + ", " + output.file + " must be " +
                             std::to_string(output.width) + " x " + std::to_string(output.height));
  }
  if (output.format == Format::kGif && !picture.transparent) {
    throw std::runtime_error(path.string() + ": " + output.file + " needs a transparent line");
  }
  if (output.format == Format::kBitmap && picture.transparent) {
    throw std::runtime_error(path.string() + ": " + output.file + " cannot be transparent");
  }
}

Picture mirrored(Picture picture, int columns) {
  for (std::string& row : picture.rows) std::reverse(row.begin(), row.begin() + columns);
  return picture;
}

Picture enlarged(const Picture& picture, int factor) {
  Picture large = picture;
  large.width = picture.width * factor;
  large.height = picture.height * factor;
  large.rows.clear();
  for (const std::string& row : picture.rows) {
    std::string wide;
    for (char key : row) wide.append(static_cast<std::size_t>(factor), key);
    large.rows.insert(large.rows.end(), static_cast<std::size_t>(factor), wide);
  }
  return large;
}

using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

// A surface of the picture's size in `format`, each pixel written by `write(pixel, x, y)`.
template <typename WritePixel>
SurfacePtr paintSurface(const Picture& picture, int depth, SDL_PixelFormatEnum format,
                        WritePixel write) {
  SurfacePtr surface(
      SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, depth, format),
      SDL_FreeSurface);
  if (!surface) throw std::runtime_error(std::string("SDL: ") + SDL_GetError());
  auto* pixels = static_cast<std::uint8_t*>(surface->pixels);
  for (int y = 0; y < picture.height; ++y) {
    std::uint8_t* pixel = pixels + y * surface->pitch;
    for (int x = 0; x < picture.width; ++x, pixel += depth / 8) write(pixel, x, y);
  }
  return surface;
}

void saveBitmap(const Picture& picture, const fs::path& path) {
  const SurfacePtr surface = paintSurface(
      picture, 24, SDL_PIXELFORMAT_BGR24, [&picture](std::uint8_t* pixel, int x, int y) {
        const Colour colour = picture.colourAt(x, y);
        pixel[0] = colour.blue;  // BGR24 keeps blue first in memory, as the file does
        pixel[1] = colour.green;
        pixel[2] = colour.red;
      });
  if (SDL_SaveBMP(surface.get(), path.c_str()) != 0) {
    throw std::runtime_error(path.string() + ": " + SDL_GetError());
  }
}

void savePng(const Picture& picture, const fs::path& path) {
  const SurfacePtr surface = paintSurface(
      picture, 32, SDL_PIXELFORMAT_RGBA32, [&picture](std::uint8_t* pixel, int x, int y) {
        const Colour colour = picture.colourAt(x, y);
        const bool clear = picture.transparent == picture.rows[y][x];
        // RGBA32 keeps red first in memory on every machine.
        pixel[0] = clear ? 0 : colour.red;
        pixel[1] = clear ? 0 : colour.green;
        pixel[2] = clear ? 0 : colour.blue;
        pixel[3] = clear ? 0 : 255;
      });
  if (IMG_SavePNG(surface.get(), path.c_str()) != 0) {
    throw std::runtime_error(path.string() + ": " + IMG_GetError());
  }
}

[[noreturn]] void failGif(const fs::path& path, int error) {
  throw std::runtime_error(path.string() + ": " + GifErrorString(error));
}

// A GIF colour table has a power-of-two size; the entries past the palette stay black.
ColorMapObject* makeGifColourMap(const Picture& picture, const fs::path& path) {
  int size = 2;
  while (std::cmp_less(size, picture.paletteColours.size())) size *= 2;
  if (size > 256) throw std::runtime_error(path.string() + ": a GIF holds at most 256 colours");
  ColorMapObject* map = GifMakeMapObject(size, nullptr);
  if (map == nullptr) failGif(path, E_GIF_ERR_NOT_ENOUGH_MEM);
  for (std::size_t i = 0; i < picture.paletteColours.size(); ++i) {
    const Colour colour = picture.paletteColours[i];
    map->Colors[i] = GifColorType{colour.red, colour.green, colour.blue};
  }
  return map;
}

void putTransparency(GifFileType* gif, const Picture& picture, const fs::path& path) {
  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSAL_UNSPECIFIED;
  control.TransparentColor = static_cast<int>(picture.paletteKeys.find(*picture.transparent));
  GifByteType extension[4];
  const std::size_t length = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
      GIF_OK) {
    failGif(path, gif->Error);
  }
}

void putGifImage(GifFileType* gif, const Picture& picture, const fs::path& path) {
  const std::unique_ptr<ColorMapObject, decltype(&GifFreeMapObject)> map(
      makeGifColourMap(picture, path), GifFreeMapObject);
  if (EGifPutScreenDesc(gif, picture.width, picture.height, 8, 0, map.get()) != GIF_OK) {
    failGif(path, gif->Error);
  }
  putTransparency(gif, picture, path);
  if (EGifPutImageDesc(gif, 0, 0, picture.width, picture.height, false, nullptr) != GIF_OK) {
    failGif(path, gif->Error);
  }
  std::vector<GifPixelType> line(static_cast<std::size_t>(picture.width));
  for (const std::string& row : picture.rows) {
    std::transform(row.begin(), row.end(), line.begin(), [&picture](char key) {
      return static_cast<GifPixelType>(picture.paletteKeys.find(key));
    });
    if (EGifPutLine(gif, line.data(), picture.width) != GIF_OK) failGif(path, gif->Error);
  }
}

void saveGif(const Picture& picture, const fs::path& path) {
  int error = 0;
  GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
  if (gif == nullptr) failGif(path, error);
  EGifSetGifVersion(gif, true);  // the transparent colour needs GIF89a
  try {
    putGifImage(gif, picture, path);
  } catch (...) {
    EGifCloseFile(gif, &error);
    throw;
  }
  if (EGifCloseFile(gif, &error) != GIF_OK) failGif(path, error);
  // giflib creates the file readable by its owner only; make it readable like the bitmaps.
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::others_read);
}

void paint(const Output& output, const fs::path& sourceDir, const fs::path& outputDir) {
  const fs::path source = sourceDir / output.source;
  Picture picture = readPicture(source);
  checkFitsOutput(picture, output, source);
  if (output.mirroredColumns != 0) picture = mirrored(std::move(picture), output.mirroredColumns);
  if (output.enlargement != 1) picture = enlarged(picture, output.enlargement);
  const fs::path target = outputDir / output.file;
  fs::create_directories(target.parent_path());
  switch (output.format) {
    case Format::kBitmap:
      saveBitmap(picture, target);
      break;
    case Format::kGif:
      saveGif(picture, target);
      break;
    case Format::kPng:
      savePng(picture, target);
      break;
  }
  std::cout << "painted " << target.string() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: " << argv[0] << " SOURCE_DIR OUTPUT_DIR\n";
    return 2;
  }
  if (SDL_Init(0) != 0) {
    std::cerr << "SDL: " << SDL_GetError() << '\n';
    return 1;
  }
  int status = 0;
  try {
    fs::create_directories(argv[2]);
    for (const Output& output : kOutputs) paint(output, argv[1], argv[2]);
  } catch (const std::exception& error) {
    std::cerr << "error: " << error.what() << '\n';
    status = 1;
  }
  SDL_Quit();
  return status;
}
