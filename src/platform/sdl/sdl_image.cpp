// Image decoding for pictures: SDL2_image from memory, then the colour key applied to ARGB.
#include "platform/sdl/sdl_image.h"

#include <SDL_image.h>

#include <climits>
#include <cstring>

namespace platform::sdl {

HRESULT DecodeImage(const void* data, std::size_t size, SurfacePtr* out) {
  if (!data || size == 0 || !out) return D3DERR_INVALIDCALL;
  if (size > static_cast<std::size_t>(INT_MAX)) return D3DXERR_INVALIDDATA;
  SDL_ClearError();
  SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
  if (!stream) return E_OUTOFMEMORY;
  SDL_Surface* image = IMG_Load_RW(stream, 1);
  if (!image) {
    // SDL reports exhaustion only through its error text.
    return std::strstr(SDL_GetError(), "Out of memory") ? E_OUTOFMEMORY : D3DXERR_INVALIDDATA;
  }
  out->reset(image);
  return D3D_OK;
}

Format FormatOfImage(const SDL_Surface& image) {
  const SDL_PixelFormat& format = *image.format;
  if (format.Amask != 0) return format.BitsPerPixel == 16 ? D3DFMT_A4R4G4B4 : D3DFMT_A8R8G8B8;
  if (format.BitsPerPixel == 24) return D3DFMT_R8G8B8;
  // Palette and 16-bit images have no code of their own at the boundary; they load as XRGB.
  return D3DFMT_X8R8G8B8;
}

HRESULT ToKeyedArgb(SDL_Surface& image, std::uint32_t colourKey, SurfacePtr* out) {
  SurfacePtr argb(SDL_ConvertSurfaceFormat(&image, SDL_PIXELFORMAT_ARGB8888, 0));
  if (!argb) return E_OUTOFMEMORY;
  if (colourKey != 0) {
    if (SDL_LockSurface(argb.get()) != 0) return E_OUTOFMEMORY;
    auto* rows = static_cast<std::uint8_t*>(argb->pixels);
    for (int y = 0; y < argb->h; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(rows + static_cast<std::ptrdiff_t>(y) * argb->pitch);
      for (int x = 0; x < argb->w; ++x) {
        if (row[x] == colourKey) row[x] = 0;
      }
    }
    SDL_UnlockSurface(argb.get());
  }
  *out = std::move(argb);
  return D3D_OK;
}

}  // namespace platform::sdl
