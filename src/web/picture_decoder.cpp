#include "web/picture_decoder.hpp"

#define STBI_ONLY_BMP
#define STBI_ONLY_GIF
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <fmt/format.h>
#include <stb/stb_image.h>

#include <cstring>
#include <memory>

#include "base/fault.hpp"

namespace reddoor {

Image DecodePicture(PictureId id) {
  const std::span<const std::uint8_t> file = PictureFile(id);
  if (file.empty()) return {};
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
      stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &width, &height, &channels,
                            4),
      stbi_image_free);
  if (!pixels) {
    throw GameFault(
        fmt::format("cannot decode the picture {}: {}", PictureName(id), stbi_failure_reason()));
  }
  Image image{width, height, {}};
  image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  // R, G, B, A bytes are 0xAABBGGRR on a little-endian machine, as Image holds them.
  std::memcpy(image.pixels.data(), pixels.get(), image.pixels.size() * sizeof(std::uint32_t));
  return image;
}

const Image& DecodedPictures::Picture(PictureId id) {
  auto it = pictures_.find(id);
  if (it == pictures_.end()) it = pictures_.emplace(id, DecodePicture(id)).first;
  return it->second;
}

}  // namespace reddoor
