// Image files held in memory, decoded by SDL2_image: what picture info and textures start from.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/graphics.h"

namespace platform::sdl {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

// The image as stored. D3DXERR_INVALIDDATA for bytes no decoder accepts, E_OUTOFMEMORY when
// memory ran out, D3DERR_INVALIDCALL for no bytes at all.
HRESULT DecodeImage(const void* data, std::size_t size, SurfacePtr* out);

// True when every chunk of a PNG file lies inside it (walked up to "IEND"). A damaged length
// would otherwise have the decoder checksum hundreds of megabytes that are not there.
bool PngChunksFit(const void* data, std::size_t size);

// True when a TGA file (which has no signature: anything else ends up read as one) holds at
// least the pixels its header claims, counting run-length packets at their densest. Without it
// 34 bytes of noise can claim four billion pixels and have them allocated and cleared.
bool TgaHeaderFits(const void* data, std::size_t size);

// True when a BMP file holds the rows its header claims (run-length data counted at its
// densest). The decoder allocates the whole surface from the header first, so 65 bytes could
// otherwise ask for gigabytes.
bool BmpHeaderFits(const void* data, std::size_t size);

// Size and format from a PNG file's header alone; false for anything that is not a PNG with a
// header SDL2_image would take.
bool ReadPngInfo(const void* data, std::size_t size, ImageInfo* out);

// The stored pixel format in the terms the game logs.
Format FormatOfImage(const SDL_Surface& image);

// The image in a 32-bit layout with alpha, ready for upload: kept as decoded when it already is
// one, else converted to ARGB8888. Every pixel equal to the opaque colour key (ARGB, 0 for none)
// becomes transparent black.
HRESULT ToTextureSurface(SurfacePtr image, std::uint32_t colourKey, SurfacePtr* out);

}  // namespace platform::sdl
