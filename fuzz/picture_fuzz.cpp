// An archive entry on its way to a texture: the header probe, the decoder and the colour-key
// conversion must take any bytes without reading outside them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/sdl/sdl_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::ImageInfo info{};
  const bool headerRead = platform::sdl::ReadPngInfo(data, size, &info);
  platform::sdl::SurfacePtr image;
  if (platform::Failed(platform::sdl::DecodeImage(data, size, &image))) return 0;
  // The header probe and the decoder agree on the size of every picture both accept.
  if (headerRead && (info.width != static_cast<std::uint32_t>(image->w) ||
                     info.height != static_cast<std::uint32_t>(image->h))) {
    std::abort();
  }
  platform::sdl::SurfacePtr texture;
  platform::sdl::ToTextureSurface(std::move(image), 0xFF00FF00, &texture);
  return 0;
}
