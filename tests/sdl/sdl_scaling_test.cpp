// How the 640x480 frame fills a larger window: aspect kept, whole multiples only when asked,
// sharp or smooth pixels. Read from the window itself, on the software renderer.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>

#include "sdl_test_support.h"

namespace {

using namespace platform;

constexpr std::uint32_t kWhite = 0xFFFFFF, kBlack = 0x000000;

class SdlScalingTest : public sdltest::BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (HasFatalFailure()) return;
    window = CreateTestWindow();
    ASSERT_NE(window, kNoWindow);
    windows.ShowWindow(window, ShowCommand::kShow);
    direct3d = backend.Gfx().CreateDirect3D(kDirect3DSdkVersion);
    ASSERT_NE(direct3d, nullptr);
  }

  // A black frame with a 2x2 white block at (320, 240), shown in a window of the given size.
  void Show(int windowWidth, int windowHeight, bool integerScaling, bool smoothScaling) {
    SDL_Window* sdlWindow = windows.SdlWindowOf(window);
    SDL_SetWindowSize(sdlWindow, windowWidth, windowHeight);
    SDL_PumpEvents();
    PresentParameters parameters;
    parameters.windowed = true;
    parameters.swapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.deviceWindow = window;
    parameters.integerScaling = integerScaling;
    parameters.smoothScaling = smoothScaling;
    ASSERT_EQ(direct3d->CreateDevice(0, D3DDEVTYPE_REF, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
                                     &device),
              D3D_OK)
        << SDL_GetError();
    std::unique_ptr<Sprite> sprite;
    ASSERT_EQ(device->CreateSprite(&sprite), D3D_OK);
    const std::vector<std::uint8_t> file = sdltest::MakeBmp(2, 2, {kWhite, kWhite, kWhite, kWhite});
    std::unique_ptr<Texture> block;
    ASSERT_EQ(device->CreateTextureFromMemory(file.data(), file.size(), 0, &block), D3D_OK);
    ASSERT_EQ(device->Clear(D3DCLEAR_TARGET, 0xFF000000, 1, 0), D3D_OK);
    ASSERT_EQ(device->BeginScene(), D3D_OK);
    sprite->Begin(D3DXSPRITE_ALPHABLEND);
    const Vector2 at{320, 240};
    sprite->Draw(block.get(), nullptr, nullptr, nullptr, 0, &at, 0xFFFFFFFF);
    sprite->End();
    ASSERT_EQ(device->EndScene(), D3D_OK);
    ASSERT_EQ(device->Present(), D3D_OK);
    surface = SDL_GetWindowSurface(sdlWindow);
    ASSERT_NE(surface, nullptr);
    ASSERT_EQ(surface->w, windowWidth);
    ASSERT_EQ(surface->h, windowHeight);
  }

  std::uint32_t Pixel(int x, int y) const {
    const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
    std::uint32_t raw = 0;
    std::memcpy(&raw, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
    std::uint8_t r = 0, g = 0, b = 0;
    SDL_GetRGB(raw, surface->format, &r, &g, &b);
    return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 | b;
  }
  // Pixels of the window that are neither black nor white.
  int InBetweenPixels() const {
    int count = 0;
    for (int y = 0; y < surface->h; ++y) {
      for (int x = 0; x < surface->w; ++x) count += Pixel(x, y) != kBlack && Pixel(x, y) != kWhite;
    }
    return count;
  }

  WindowHandle window = kNoWindow;
  std::unique_ptr<Direct3D> direct3d;
  std::unique_ptr<Device> device;
  SDL_Surface* surface = nullptr;
};

TEST_F(SdlScalingTest, FrameFillsTheWindowWithSharpPixelsByDefault) {
  Show(1000, 750, false, false);  // 1.5625 times the frame
  EXPECT_EQ(Pixel(500, 375), kWhite);
  EXPECT_EQ(Pixel(502, 377), kWhite);
  EXPECT_EQ(Pixel(498, 375), kBlack);
  EXPECT_EQ(Pixel(504, 375), kBlack);
  EXPECT_EQ(InBetweenPixels(), 0);
}

TEST_F(SdlScalingTest, SmoothScalingBlendsTheBlockIntoItsSurroundings) {
  Show(1000, 750, false, true);
  EXPECT_GT(InBetweenPixels(), 0);
}

TEST_F(SdlScalingTest, IntegerScalingKeepsWholeMultiplesWithBarsAllRound) {
  struct Case {
    int width, height;
    int left, top, scale;
  };
  const Case cases[] = {
      {1000, 750, 180, 135, 1},  // 1.56 times: shown at 1 with bars
      {1400, 1000, 60, 20, 2},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.width);
    Show(test.width, test.height, true, false);
    const int x = test.left + 320 * test.scale;
    const int y = test.top + 240 * test.scale;
    EXPECT_EQ(Pixel(x, y), kWhite);
    EXPECT_EQ(Pixel(x + 2 * test.scale - 1, y + 2 * test.scale - 1), kWhite);
    EXPECT_EQ(Pixel(x + 2 * test.scale, y), kBlack);
    EXPECT_EQ(Pixel(x - 1, y), kBlack);
    EXPECT_EQ(InBetweenPixels(), 0);
    device.reset();
  }
}

}  // namespace
