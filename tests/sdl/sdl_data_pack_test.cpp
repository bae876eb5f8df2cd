// The default pack through the real backend's picture decoder: every picture decodes at its
// stored size, and the colour key leaves clean transparent edges.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "gfx/archive.h"
#include "gfx/picture_names.h"
#include "platform/sdl/sdl_image.h"

namespace {

std::uint32_t KeyOf(const char* name) {
  std::string prefix(name, 4);
  if (prefix == "PIX_") return 0xFF00FF00u;
  if (prefix == "PIY_") return 0xFF008080u;
  if (prefix == "PIZ_") return 0xFF00DBFFu;
  return 0;
}

TEST(SdlDataPackTest, EveryPictureDecodesAndKeysCleanly) {
  const std::string archive = (std::filesystem::path(SORVANI_DATA_DIR) / "svdata01.dat").string();
  for (int id = 0; id < NUMSURFACES; ++id) {
    std::unique_ptr<unsigned char[]> payload;
    std::uint32_t size = 0;
    ASSERT_TRUE(ReadArchiveEntry(archive.c_str(), surfaces[id], &payload, &size)) << surfaces[id];
    platform::sdl::SurfacePtr image, keyed;
    ASSERT_EQ(platform::sdl::DecodeImage(payload.get(), size, &image), platform::D3D_OK) << surfaces[id];
    const std::uint32_t key = KeyOf(surfaces[id]);
    ASSERT_EQ(platform::sdl::ToTextureSurface(std::move(image), key, &keyed), platform::D3D_OK) << surfaces[id];
    ASSERT_EQ(keyed->format->BytesPerPixel, 4) << surfaces[id];
    ASSERT_EQ(SDL_LockSurface(keyed.get()), 0);
    long clear = 0, fringes = 0;
    // Pixels as 0xAARRGGBB whatever layout the upload surface kept.
    auto at = [&](int x, int y) {
      std::uint32_t raw =
          reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(keyed->pixels) + y * keyed->pitch)[x];
      Uint8 r, g, b, a;
      SDL_GetRGBA(raw, keyed->format, &r, &g, &b, &a);
      return a == 0 ? 0u : (std::uint32_t{a} << 24) | (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
    };
    for (int y = 0; y < keyed->h; ++y)
      for (int x = 0; x < keyed->w; ++x) {
        std::uint32_t p = at(x, y);
        if ((p >> 24) == 0) {
          ++clear;
          continue;
        }
        if (key == 0) continue;
        bool edge = (x > 0 && at(x - 1, y) == 0) || (x + 1 < keyed->w && at(x + 1, y) == 0) ||
                    (y > 0 && at(x, y - 1) == 0) || (y + 1 < keyed->h && at(x, y + 1) == 0);
        int distance = std::abs(int((p >> 16) & 0xFF) - int((key >> 16) & 0xFF)) +
                       std::abs(int((p >> 8) & 0xFF) - int((key >> 8) & 0xFF)) + std::abs(int(p & 0xFF) - int(key & 0xFF));
        if (edge && distance < 96) ++fringes;
      }
    SDL_UnlockSurface(keyed.get());
    if (key != 0) {
      EXPECT_GT(clear, 0) << surfaces[id] << ": the key made nothing transparent";
      EXPECT_EQ(fringes, 0) << surfaces[id] << ": near-key pixels at the transparent edge";
    }
  }
}

}  // namespace
