#pragma once
// The pictures, embedded into the program as the files under assets/ hold them: 24-bit BMP
// for the player (both ways), the monster and the bird; GIF89a for the cloud; PNG with alpha
// for the program's icon.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "scene/layout.hpp"

namespace reddoor {

// The file assets/NAME.* as built into the program; empty when there is none of that name.
std::span<const std::uint8_t> EmbeddedPicture(std::string_view name);

// The encoded file of a picture; empty for PictureId::None.
inline std::span<const std::uint8_t> PictureFile(PictureId id) {
  return EmbeddedPicture(PictureName(id));
}

// A decoded picture: straight RGBA, alpha 0 where the picture is transparent.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0xAABBGGRR, row by row
};

}  // namespace reddoor
