#pragma once
// The embedded pictures decoded without SDL: stb_image (Debian's libstb-dev) reads the three
// formats under assets/, 24-bit BMP, GIF89a with a transparent colour and PNG with alpha.
#include "scene/pictures.hpp"
#include "scene/renderer.hpp"

#include <map>

namespace reddoor {

// Straight RGBA, alpha 0 where the picture is transparent; a GameFault when it cannot be read.
Image DecodePicture(PictureId id);

// Decodes each picture on first use and keeps it.
class DecodedPictures final : public PictureSource {
 public:
  const Image& Picture(PictureId id) override;

 private:
  std::map<PictureId, Image> pictures_;
};

}  // namespace reddoor
