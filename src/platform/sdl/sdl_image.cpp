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
  // Only the formats pictures come in: PNG, BMP, JPEG, and TGA, which has no signature and so
  // is what is left. The other decoders (SVG, XCF, ...) are more parser than a replaced
  // archive should reach.
  const char* type = IMG_isPNG(stream) ? "PNG" : IMG_isBMP(stream) ? "BMP" : IMG_isJPG(stream) ? "JPG" : "TGA";
  if ((std::strcmp(type, "PNG") == 0 && !PngChunksFit(data, size)) ||
      (std::strcmp(type, "BMP") == 0 && !BmpHeaderFits(data, size)) ||
      (std::strcmp(type, "TGA") == 0 && !TgaHeaderFits(data, size))) {
    SDL_RWclose(stream);
    return D3DXERR_INVALIDDATA;
  }
  SDL_Surface* image = IMG_LoadTyped_RW(stream, 1, type);
  if (!image) {
    // SDL reports exhaustion only through its error text.
    return std::strstr(SDL_GetError(), "Out of memory") ? E_OUTOFMEMORY : D3DXERR_INVALIDDATA;
  }
  out->reset(image);
  return D3D_OK;
}

bool PngChunksFit(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::size_t at = 8;  // past the signature
  while (at + 12 <= size) {
    const std::uint64_t length = std::uint64_t(bytes[at]) << 24 | std::uint64_t(bytes[at + 1]) << 16 |
                                 std::uint64_t(bytes[at + 2]) << 8 | bytes[at + 3];
    if (at + 12 + length > size) return false;
    if (std::memcmp(bytes + at + 4, "IEND", 4) == 0) return true;
    at += 12 + static_cast<std::size_t>(length);
  }
  return false;  // ended inside a chunk header, or without "IEND"
}

bool TgaHeaderFits(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  if (!bytes || size < 18) return false;
  auto word = [&](std::size_t at) { return std::uint64_t(bytes[at]) | std::uint64_t(bytes[at + 1]) << 8; };
  const unsigned imageType = bytes[2];
  const bool runLength = imageType >= 9;
  if (imageType != 1 && imageType != 2 && imageType != 3 && imageType != 9 && imageType != 10 && imageType != 11)
    return false;
  const std::uint64_t pixels = word(12) * word(14);
  const unsigned depth = bytes[16];
  if (pixels == 0 || (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32)) return false;
  const std::uint64_t pixelBytes = (depth + 7) / 8;
  const std::uint64_t header = 18 + bytes[0] + (bytes[1] != 0 ? word(5) * ((bytes[7] + 7) / 8) : 0);
  // A run-length packet is one count byte and one pixel for up to 128 pixels.
  const std::uint64_t least = runLength ? (pixels + 127) / 128 * (1 + pixelBytes) : pixels * pixelBytes;
  return header + least <= size;
}

bool BmpHeaderFits(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  if (!bytes || size < 18 || bytes[0] != 'B' || bytes[1] != 'M') return false;
  auto word = [&](std::size_t at) { return std::uint32_t(bytes[at]) | std::uint32_t(bytes[at + 1]) << 8; };
  auto dword = [&](std::size_t at) { return word(at) | word(at + 2) << 16; };
  const std::uint32_t infoSize = dword(14);
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::uint32_t depth = 0;
  std::uint32_t compression = 0;
  if (infoSize == 12) {  // the old core header: 16-bit sizes, never compressed
    if (size < 26) return false;
    width = word(18);
    height = word(20);
    depth = word(24);
  } else if (infoSize >= 40) {
    if (size < 54) return false;
    width = static_cast<std::int32_t>(dword(18));
    height = static_cast<std::int32_t>(dword(22));
    depth = word(28);
    compression = dword(30);
  } else {
    return false;
  }
  if (height < 0) height = -height;  // top-down rows
  if (width <= 0 || height == 0 || depth == 0 || depth > 32) return false;
  const std::uint64_t headers = 14 + std::uint64_t(infoSize);
  const std::uint64_t stored = size > headers ? size - headers : 0;
  const std::uint64_t pixels = std::uint64_t(width) * std::uint64_t(height);
  // Run-length data: a two-byte packet covers at most 255 pixels.
  if (compression == 1 || compression == 2) return pixels <= stored / 2 * 255;
  const std::uint64_t rowBytes = (std::uint64_t(width) * depth + 31) / 32 * 4;
  return rowBytes * std::uint64_t(height) <= stored;
}

bool ReadPngInfo(const void* data, std::size_t size, ImageInfo* out) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  const auto* bytes = static_cast<const unsigned char*>(data);
  if (!bytes || size < 26 || std::memcmp(bytes, kSignature, 8) != 0 || std::memcmp(bytes + 12, "IHDR", 4) != 0) {
    return false;
  }
  auto bigEndian = [&](std::size_t at) {
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 | std::uint32_t(bytes[at + 2]) << 8 |
           bytes[at + 3];
  };
  const std::uint32_t width = bigEndian(16);
  const std::uint32_t height = bigEndian(20);
  if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) return false;
  // What SDL2_image decodes each colour type into: grey and palette images come out as 8-bit
  // palette surfaces, RGB as 24 bits, anything with alpha as 32.
  switch (bytes[25]) {
    case 0:
    case 3:
      out->format = D3DFMT_X8R8G8B8;
      break;
    case 2:
      out->format = D3DFMT_R8G8B8;
      break;
    case 4:
    case 6:
      out->format = D3DFMT_A8R8G8B8;
      break;
    default:
      return false;
  }
  out->width = width;
  out->height = height;
  return true;
}

Format FormatOfImage(const SDL_Surface& image) {
  const SDL_PixelFormat& format = *image.format;
  if (format.Amask != 0) return format.BitsPerPixel == 16 ? D3DFMT_A4R4G4B4 : D3DFMT_A8R8G8B8;
  if (format.BitsPerPixel == 24) return D3DFMT_R8G8B8;
  // Palette and 16-bit images have no code of their own at the boundary; they load as XRGB.
  return D3DFMT_X8R8G8B8;
}

HRESULT ToTextureSurface(SurfacePtr image, std::uint32_t colourKey, SurfacePtr* out) {
  if (!image) return D3DERR_INVALIDCALL;
  // 32-bit images with alpha (what PNG pictures decode to) go up as they are; copying them into
  // one fixed layout would cost about a fifth of the decoding again.
  const SDL_PixelFormat* format = image->format;
  if (format->BytesPerPixel != 4 || format->Amask == 0 || format->palette) {
    SurfacePtr argb(SDL_ConvertSurfaceFormat(image.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!argb) return E_OUTOFMEMORY;
    image = std::move(argb);
    format = image->format;
  }
  if (colourKey != 0) {
    const std::uint32_t key = SDL_MapRGBA(format, (colourKey >> 16) & 0xFF, (colourKey >> 8) & 0xFF, colourKey & 0xFF,
                                          colourKey >> 24);
    const std::uint32_t clear = SDL_MapRGBA(format, 0, 0, 0, 0);
    if (SDL_LockSurface(image.get()) != 0) return E_OUTOFMEMORY;
    auto* rows = static_cast<std::uint8_t*>(image->pixels);
    for (int y = 0; y < image->h; ++y) {
      auto* row = reinterpret_cast<std::uint32_t*>(rows + static_cast<std::ptrdiff_t>(y) * image->pitch);
      for (int x = 0; x < image->w; ++x) {
        if (row[x] == key) row[x] = clear;
      }
    }
    SDL_UnlockSurface(image.get());
  }
  *out = std::move(image);
  return D3D_OK;
}

}  // namespace platform::sdl
