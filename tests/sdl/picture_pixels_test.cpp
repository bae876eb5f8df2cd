// The game's own picture path on the real backend and the software renderer: archive, colour
// key, half opacity, sharp scaling and the screenshot file, checked pixel by pixel.
#include <gtest/gtest.h>
#include <unistd.h>

#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app.h"
#include "archive_writer.h"
#include "gfx/gfx.h"
#include "sdl_test_support.h"

namespace {

using platform::sdl::SdlDevice;

// A PNG with an alpha channel, as the data pack's pictures are; pixels are 0xAARRGGBB.
std::vector<unsigned char> MakePng(int width, int height, const std::vector<std::uint32_t>& pixels) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  for (int y = 0; y < height; ++y) {
    std::memcpy(static_cast<unsigned char*>(surface->pixels) + y * surface->pitch, &pixels[static_cast<std::size_t>(y * width)],
                static_cast<std::size_t>(width) * 4);
  }
  std::vector<unsigned char> bytes(4096);
  SDL_RWops* stream = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
  EXPECT_EQ(IMG_SavePNG_RW(surface, stream, 0), 0) << SDL_GetError();
  bytes.resize(static_cast<std::size_t>(SDL_RWtell(stream)));
  SDL_RWclose(stream);
  SDL_FreeSurface(surface);
  return bytes;
}

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kSky = 0x00DBFF, kYellow = 0xFFFF00;

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", value & 0xFFFFFF);
  return text;
}

class PicturePixelsTest : public sdltest::BackendTest {
 protected:
  void SetUp() override {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    BackendTest::SetUp();
    if (HasFatalFailure()) return;
    previousDirectory = std::filesystem::current_path();
    char pattern[] = "/tmp/sorvani-pixels-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory = pattern;
    std::filesystem::current_path(directory);

    // The opening logos, a green-keyed and a sky-keyed picture, and one to scale up.
    std::vector<ArchiveEntry> entries;
    for (PictureId id : {PIC_LOGO, PIC_QUENTALOR, PIC_SHIRO}) {
      entries.push_back({surfaces[id], sdltest::MakeBmp(4, 4, std::vector<std::uint32_t>(16, 0x808080))});
    }
    entries.push_back({"PIX_YAKKYO1", sdltest::MakeBmp(2, 1, {kRed, kGreen})});
    entries.push_back({"PIZ_TAMA1", sdltest::MakeBmp(2, 1, {kSky, kYellow})});
    entries.push_back({"PIC_DOT", sdltest::MakeBmp(2, 1, {kRed, kBlue})});
    entries.push_back({"PIZ_TAMA2", MakePng(3, 1, {0xFF000000 | kSky, 0x80000000 | kRed, 0xFF000000 | kYellow})});
    std::vector<unsigned char> image;
    std::string error;
    ASSERT_TRUE(BuildArchive(entries, &image, &error)) << error;
    std::ofstream(kPictureArchive, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));

    ResetAppState();
    appState.bWindowed = 1;
    window = CreateTestWindow();
    ASSERT_NE(window, platform::kNoWindow);
    windows.ShowWindow(window, platform::ShowCommand::kShow);
    ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
    ASSERT_STREQ(Device().RendererName(), "software");
    ASSERT_EQ(LoadPictureSet(kSet), platform::S_OK);
  }

  void TearDown() override {
    ReleaseDirect3D();
    ResetPictureTable();
    if (!previousDirectory.empty()) std::filesystem::current_path(previousDirectory);
    std::error_code ignored;
    if (!directory.empty()) std::filesystem::remove_all(directory, ignored);
    BackendTest::TearDown();
    SDL_ResetHint(SDL_HINT_RENDER_DRIVER);
  }

  SdlDevice& Device() { return static_cast<SdlDevice&>(*graphics.pDevice); }

  std::uint32_t Pixel(int x, int y) {
    std::uint32_t argb = 0;
    EXPECT_TRUE(Device().ReadPixel(x, y, &argb)) << x << "," << y;
    return argb & 0xFFFFFF;
  }

  static constexpr PictureId kSet[] = {PIX_YAKKYO1, PIZ_TAMA1, PIC_DOT, PIZ_TAMA2, kPictureListEnd};
  platform::WindowHandle window = platform::kNoWindow;
  std::filesystem::path previousDirectory;
  std::filesystem::path directory;
};

// Half opacity over blue: half the texel plus half the blue, within the renderer's rounding.
void ExpectHalfOver(std::uint32_t drawn, std::uint32_t texel, std::uint32_t background, const char* where) {
  for (int shift : {16, 8, 0}) {
    const int expected = (static_cast<int>(texel >> shift & 0xFF) * 128 +
                          static_cast<int>(background >> shift & 0xFF) * 127) / 255;
    EXPECT_NEAR(static_cast<int>(drawn >> shift & 0xFF), expected, 2) << where << ": " << Hex(drawn);
  }
}

TEST_F(PicturePixelsTest, KeyedPictureAtHalfOpacityAndItsScreenshot) {
  ASSERT_EQ(graphics.pDevice->BeginScene(), platform::D3D_OK);
  ASSERT_EQ(graphics.pSprite->Begin(platform::D3DXSPRITE_ALPHABLEND), platform::D3D_OK);
  graphics.pDevice->Clear(platform::D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
  DrawPicture(PIX_YAKKYO1, 10, 10, 128);
  DrawPicture(PIZ_TAMA1, 20, 10, 128);
  graphics.pSprite->End();
  graphics.pDevice->EndScene();

  ExpectHalfOver(Pixel(10, 10), kRed, kBlue, "red texel");
  EXPECT_EQ(Hex(Pixel(11, 10)), Hex(kBlue)) << "the green key is fully transparent";
  EXPECT_EQ(Hex(Pixel(20, 10)), Hex(kBlue)) << "the sky-blue key is fully transparent";
  ExpectHalfOver(Pixel(21, 10), kYellow, kBlue, "yellow texel");
  EXPECT_EQ(Hex(Pixel(12, 10)), Hex(kBlue));

  const std::uint32_t drawn[4] = {Pixel(10, 10), Pixel(11, 10), Pixel(20, 10), Pixel(21, 10)};
  ASSERT_EQ(graphics.pDevice->Present(), platform::D3D_OK);
  ASSERT_EQ(graphics.pDevice->SaveRenderTargetToBmp("shot.bmp"), platform::D3D_OK);
  SDL_Surface* loaded = SDL_LoadBMP("shot.bmp");
  ASSERT_NE(loaded, nullptr) << SDL_GetError();
  SDL_Surface* shot = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
  SDL_FreeSurface(loaded);
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->w, 640);
  EXPECT_EQ(shot->h, 480);
  auto at = [&](int x, int y) { return static_cast<const std::uint32_t*>(shot->pixels)[y * shot->pitch / 4 + x]; };
  EXPECT_EQ(Hex(at(10, 10)), Hex(drawn[0]));
  EXPECT_EQ(Hex(at(11, 10)), Hex(drawn[1]));
  EXPECT_EQ(Hex(at(20, 10)), Hex(drawn[2]));
  EXPECT_EQ(Hex(at(21, 10)), Hex(drawn[3]));
  EXPECT_EQ(Hex(at(639, 479)), Hex(kBlue));
  SDL_FreeSurface(shot);
}

// A PNG keeps its own alpha beside the colour key.
TEST_F(PicturePixelsTest, PngWithAlphaIsKeyedAndBlended) {
  ASSERT_EQ(PictureWidth(PIZ_TAMA2), 3);
  graphics.pDevice->Clear(platform::D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
  DrawPicture(PIZ_TAMA2, 30, 40, 255);
  EXPECT_EQ(Hex(Pixel(30, 40)), Hex(kBlue)) << "the key";
  ExpectHalfOver(Pixel(31, 40), kRed, kBlue, "the picture's own half alpha");
  EXPECT_EQ(Hex(Pixel(32, 40)), Hex(kYellow));
}

// SDL's render reset comes back as a lost device at Present; the game's recovery resets the
// device and reads the current set again, and drawing works as before.
TEST_F(PicturePixelsTest, RenderResetRunsTheRecoveryAndThePicturesComeBack) {
  SDL_Event reset{};
  reset.type = SDL_RENDER_DEVICE_RESET;
  SDL_PushEvent(&reset);
  Drain();
  ASSERT_EQ(graphics.pDevice->Present(), platform::D3DERR_DEVICELOST);
  ASSERT_EQ(ResetDirect3D(window), platform::S_OK);
  EXPECT_EQ(graphics.pDevice->TestCooperativeLevel(), platform::D3D_OK);
  EXPECT_EQ(pictures.currentSet, kSet);
  for (int i = 0; i < PictureSetSize(kSet); ++i) EXPECT_NE(PictureTexture(kSet[i]), nullptr) << surfaces[kSet[i]];

  graphics.pDevice->Clear(platform::D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
  DrawPicture(PIX_YAKKYO1, 10, 10, 255);
  EXPECT_EQ(Hex(Pixel(10, 10)), Hex(kRed));
  EXPECT_EQ(Hex(Pixel(11, 10)), Hex(kBlue));
  EXPECT_EQ(graphics.pDevice->Present(), platform::D3D_OK);
}

// Scaled pictures keep hard edges: with smoothing the texel boundary would blend red and blue.
TEST_F(PicturePixelsTest, ScaledPictureStaysSharp) {
  graphics.pDevice->Clear(platform::D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  DrawPictureScaled(PIC_DOT, platform::Rect{0, 0, 2, 1}, platform::Vector2{4, 4}, 0, 0, 255);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(Hex(Pixel(x, 2)), Hex(kRed)) << x;
  for (int x = 4; x < 8; ++x) EXPECT_EQ(Hex(Pixel(x, 2)), Hex(kBlue)) << x;
}

}  // namespace
