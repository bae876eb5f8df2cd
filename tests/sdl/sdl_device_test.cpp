// The SDL drawing device, on both renderers the device types choose: clear, present, pictures
// with colour keys, the sprite transform, screenshots, and losing the device.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <SDL_image.h>

#include "platform/sdl/sdl_image.h"
#include "sdl_test_support.h"

namespace {

using namespace platform;
using platform::sdl::SdlDevice;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0x000000;

// A 2x2 picture, one colour per corner.
const std::vector<std::uint8_t>& Corners() {
  static const std::vector<std::uint8_t> file = sdltest::MakeBmp(2, 2, {kRed, kGreen, kBlue, kWhite});
  return file;
}

std::string DeviceTypeName(const ::testing::TestParamInfo<DeviceType>& info) {
  return info.param == D3DDEVTYPE_HAL ? "Hal" : "Ref";
}

class SdlDeviceTest : public sdltest::BackendTest, public ::testing::WithParamInterface<DeviceType> {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    if (HasFatalFailure()) return;
    window = CreateTestWindow();
    ASSERT_NE(window, kNoWindow);
    windows.ShowWindow(window, ShowCommand::kShow);
    direct3d = backend.Gfx().CreateDirect3D(kDirect3DSdkVersion);
    ASSERT_NE(direct3d, nullptr);
    const HRESULT created = CreateDevice(true, &device);
    if (GetParam() == D3DDEVTYPE_HAL && created == D3DERR_NOTAVAILABLE) {
      GTEST_SKIP() << "no accelerated renderer on this machine: " << SDL_GetError();
    }
    ASSERT_EQ(created, D3D_OK) << SDL_GetError();
    ASSERT_TRUE(sprite == nullptr);
    ASSERT_EQ(device->CreateSprite(&sprite), D3D_OK);
  }

  HRESULT CreateDevice(bool windowed, std::unique_ptr<Device>* out) {
    parameters = PresentParameters{};
    parameters.windowed = windowed;
    parameters.swapEffect = D3DSWAPEFFECT_DISCARD;
    parameters.deviceWindow = window;
    if (!windowed) {
      parameters.backBufferWidth = 640;
      parameters.backBufferHeight = 480;
      parameters.backBufferFormat = D3DFMT_X8R8G8B8;
    }
    return direct3d->CreateDevice(0, GetParam(), window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, out);
  }

  SdlDevice& Sdl() { return static_cast<SdlDevice&>(*device); }

  std::uint32_t Pixel(int x, int y) {
    std::uint32_t argb = 0;
    EXPECT_TRUE(Sdl().ReadPixel(x, y, &argb)) << "reading " << x << "," << y;
    return argb & 0xFFFFFF;
  }

  std::unique_ptr<Texture> Picture(const std::vector<std::uint8_t>& file, std::uint32_t colourKey = 0) {
    std::unique_ptr<Texture> texture;
    EXPECT_EQ(device->CreateTextureFromMemory(file.data(), file.size(), colourKey, &texture), D3D_OK);
    return texture;
  }

  WindowHandle window = kNoWindow;
  std::unique_ptr<Direct3D> direct3d;
  PresentParameters parameters;
  std::unique_ptr<Device> device;
  std::unique_ptr<Sprite> sprite;
};

std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", value);
  return text;
}

#define EXPECT_PIXEL(x, y, rgb) EXPECT_EQ(Hex(Pixel(x, y)), Hex(rgb)) << "at " << (x) << "," << (y)

TEST_P(SdlDeviceTest, ClearsTheWholeTargetAndKeepsItThroughPresent) {
  EXPECT_EQ(parameters.backBufferWidth, 640u);
  EXPECT_EQ(parameters.backBufferHeight, 480u);
  EXPECT_EQ(device->EndScene(), D3DERR_INVALIDCALL);
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  EXPECT_EQ(device->BeginScene(), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->Clear(D3DCLEAR_TARGET, 0xFF336699, 1.0f, 0), D3D_OK);
  EXPECT_EQ(device->Clear(D3DCLEAR_TARGET | 2, 0xFF000000, 1.0f, 0), D3DERR_INVALIDCALL) << "no depth buffer";
  EXPECT_EQ(device->EndScene(), D3D_OK);
  EXPECT_PIXEL(0, 0, 0x336699);
  EXPECT_PIXEL(639, 479, 0x336699);
  EXPECT_EQ(device->Present(), D3D_OK);
  EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);

  // The next frame is drawn into the back buffer again, not onto the window...
  device->Clear(D3DCLEAR_TARGET, 0xFF112233, 1.0f, 0);
  EXPECT_PIXEL(320, 240, 0x112233);
  // ...and the back buffer still holds it once presented.
  EXPECT_EQ(device->Present(), D3D_OK);
  EXPECT_PIXEL(320, 240, 0x112233);
}

// A present that waited for a 60 Hz display would halve the game's 58.8 steps per second.
TEST_P(SdlDeviceTest, PresentDoesNotWaitForTheDisplay) {
  SDL_RendererInfo info;
  ASSERT_EQ(SDL_GetRendererInfo(SDL_GetRenderer(windows.SdlWindowOf(window)), &info), 0) << SDL_GetError();
  EXPECT_EQ(info.flags & SDL_RENDERER_PRESENTVSYNC, 0u) << info.name;
}

TEST_P(SdlDeviceTest, ColourKeyMakesOnlyMatchingPixelsTransparent) {
  const std::vector<std::uint8_t> file = sdltest::MakeBmp(2, 1, {kRed, kGreen});
  struct Case {
    std::uint32_t colourKey;
    std::uint32_t secondPixel;
  };
  const Case cases[] = {{0, kGreen}, {0xFF00FF00, kBlue}, {0xFF00FF01, kGreen}, {0x8000FF00, kGreen}};
  for (const Case& test : cases) {
    std::unique_ptr<Texture> texture = Picture(file, test.colourKey);
    ASSERT_NE(texture, nullptr);
    device->Clear(D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    const Vector2 at{5, 5};
    ASSERT_EQ(sprite->Draw(texture.get(), nullptr, nullptr, nullptr, 0, &at, 0xFFFFFFFF), D3D_OK);
    EXPECT_PIXEL(5, 5, kRed) << " key " << Hex(test.colourKey);
    EXPECT_PIXEL(6, 5, test.secondPixel) << " key " << Hex(test.colourKey);
  }
}

// Scale about the origin, rotate about the centre, translate: the 2x2 corners picture drawn
// each way, checked at the centre of every texel's landing place.
TEST_P(SdlDeviceTest, SpriteDrawFollowsTheSpriteTransform) {
  std::unique_ptr<Texture> texture = Picture(Corners());
  ASSERT_NE(texture, nullptr);
  const float kHalfTurn = 3.14159265f;
  struct Probe {
    int x, y;
    std::uint32_t rgb;
  };
  struct Case {
    const char* what;
    Rect source;
    bool wholeTexture;
    Vector2 scaling;
    Vector2 centre;
    float rotation;
    Vector2 translation;
    std::vector<Probe> probes;
  };
  const Case cases[] = {
      {"plain", {}, true, {1, 1}, {0, 0}, 0, {10, 10},
       {{10, 10, kRed}, {11, 10, kGreen}, {10, 11, kBlue}, {11, 11, kWhite}, {12, 10, kBlack}, {9, 10, kBlack}}},
      {"scaled twice", {}, true, {2, 2}, {0, 0}, 0, {10, 10},
       {{11, 11, kRed}, {12, 10, kGreen}, {13, 11, kGreen}, {10, 12, kBlue}, {13, 13, kWhite}, {14, 10, kBlack}}},
      {"right column", {1, 0, 2, 2}, false, {1, 1}, {0, 0}, 0, {10, 10},
       {{10, 10, kGreen}, {10, 11, kWhite}, {11, 10, kBlack}}},
      {"source past the picture", {1, 1, 4, 4}, false, {1, 1}, {0, 0}, 0, {10, 10},
       {{10, 10, kWhite}, {11, 10, kBlack}, {10, 11, kBlack}}},
      {"quarter turn about the origin", {}, true, {1, 1}, {0, 0}, kHalfTurn / 2, {20, 10},
       {{19, 10, kRed}, {19, 11, kGreen}, {18, 10, kBlue}, {18, 11, kWhite}, {20, 10, kBlack}}},
      {"half turn about the middle", {}, true, {1, 1}, {1, 1}, kHalfTurn, {10, 10},
       {{11, 11, kRed}, {10, 11, kGreen}, {11, 10, kBlue}, {10, 10, kWhite}}},
      {"mirrored", {}, true, {-1, 1}, {0, 0}, 0, {20, 10},
       {{19, 10, kRed}, {18, 10, kGreen}, {19, 11, kBlue}, {18, 11, kWhite}, {20, 10, kBlack}}},
      {"mirrored and half turned", {}, true, {-1, 1}, {0, 0}, kHalfTurn, {20, 10},
       {{20, 9, kRed}, {21, 9, kGreen}, {20, 8, kBlue}, {21, 8, kWhite}, {19, 10, kBlack}}},
      {"scaled and turned about a scaled centre", {}, true, {2, 2}, {2, 2}, kHalfTurn, {10, 10},
       {{13, 13, kRed}, {10, 13, kGreen}, {13, 10, kBlue}, {10, 10, kWhite}}},
  };
  for (const Case& test : cases) {
    device->Clear(D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    ASSERT_EQ(sprite->Begin(D3DXSPRITE_ALPHABLEND), D3D_OK);
    ASSERT_EQ(sprite->Draw(texture.get(), test.wholeTexture ? nullptr : &test.source, &test.scaling, &test.centre,
                           test.rotation, &test.translation, 0xFFFFFFFF),
              D3D_OK)
        << test.what;
    ASSERT_EQ(sprite->End(), D3D_OK);
    for (const Probe& probe : test.probes) EXPECT_PIXEL(probe.x, probe.y, probe.rgb) << " drawing " << test.what;
  }
}

TEST_P(SdlDeviceTest, SpriteColourMultipliesTheTexels) {
  std::unique_ptr<Texture> texture = Picture(Corners());
  ASSERT_NE(texture, nullptr);
  const Vector2 at{10, 10};
  device->Clear(D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
  ASSERT_EQ(sprite->Draw(texture.get(), nullptr, nullptr, nullptr, 0, &at, 0xFF00FF00), D3D_OK);
  EXPECT_PIXEL(10, 10, kBlack);
  EXPECT_PIXEL(11, 11, kGreen);

  // Half alpha over blue: half the texel, half the blue (within rounding).
  device->Clear(D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
  ASSERT_EQ(sprite->Draw(texture.get(), nullptr, nullptr, nullptr, 0, &at, 0x80FFFFFF), D3D_OK);
  const std::uint32_t blended = Pixel(10, 10);
  EXPECT_NEAR(static_cast<int>(blended >> 16), 0x80, 2) << Hex(blended);
  EXPECT_NEAR(static_cast<int>(blended >> 8 & 0xFF), 0, 2) << Hex(blended);
  EXPECT_NEAR(static_cast<int>(blended & 0xFF), 0x7F, 2) << Hex(blended);
}

std::string TempPath(const char* name) {
  const char* base = std::getenv("TMPDIR");
  return std::string(base && *base ? base : "/tmp") + "/sorvani-sdl-" + std::to_string(getpid()) + "-" + name;
}

// The game saves its screenshot after Present, and the window may be any size.
TEST_P(SdlDeviceTest, ScreenshotAfterPresentIsTheFrameAtTheGameSize) {
  std::unique_ptr<Texture> texture = Picture(Corners());
  ASSERT_NE(texture, nullptr);
  const std::string path = TempPath("shot.bmp");
  struct Size {
    int width, height;
  };
  for (const Size size : {Size{640, 480}, Size{1280, 960}, Size{900, 480}}) {
    ASSERT_TRUE(windows.SetClientSize(window, size.width, size.height));
    Drain();
    device->Clear(D3DCLEAR_TARGET, 0xFF204080, 1.0f, 0);
    const Vector2 at{0, 0};
    sprite->Draw(texture.get(), nullptr, nullptr, nullptr, 0, &at, 0xFFFFFFFF);
    ASSERT_EQ(device->Present(), D3D_OK);
    ASSERT_EQ(device->SaveRenderTargetToBmp(path.c_str()), D3D_OK);

    SDL_Surface* loaded = SDL_LoadBMP(path.c_str());
    ASSERT_NE(loaded, nullptr) << SDL_GetError();
    SDL_Surface* shot = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(loaded);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->w, 640) << "window " << size.width << "x" << size.height;
    EXPECT_EQ(shot->h, 480) << "window " << size.width << "x" << size.height;
    auto at32 = [&](int x, int y) {
      return static_cast<const std::uint32_t*>(shot->pixels)[y * shot->pitch / 4 + x] & 0xFFFFFF;
    };
    EXPECT_EQ(Hex(at32(0, 0)), Hex(kRed));
    EXPECT_EQ(Hex(at32(1, 1)), Hex(kWhite));
    EXPECT_EQ(Hex(at32(639, 479)), Hex(0x204080));
    SDL_FreeSurface(shot);
  }
  std::remove(path.c_str());
  EXPECT_TRUE(Failed(device->SaveRenderTargetToBmp(TempPath("missing-dir/shot.bmp").c_str())));
}

TEST_P(SdlDeviceTest, RenderResetLosesTheDeviceUntilReset) {
  SDL_Event reset{};
  reset.type = SDL_RENDER_DEVICE_RESET;
  SDL_PushEvent(&reset);
  Drain();  // the pump sees it

  EXPECT_EQ(device->Present(), D3DERR_DEVICELOST);
  EXPECT_EQ(device->Present(), D3DERR_DEVICELOST) << "stays lost until Reset";
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
  ASSERT_EQ(device->BeginScene(), D3D_OK);
  EXPECT_EQ(device->Reset(parameters), D3DERR_INVALIDCALL) << "not inside a scene";
  ASSERT_EQ(device->EndScene(), D3D_OK);
  ASSERT_EQ(device->Reset(parameters), D3D_OK);
  EXPECT_EQ(device->TestCooperativeLevel(), D3D_OK);
  EXPECT_EQ(device->Present(), D3D_OK);

  SDL_Event targets{};
  targets.type = SDL_RENDER_TARGETS_RESET;
  SDL_PushEvent(&targets);
  Drain();
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
}

// The game destroys the window on WM_CLOSE and releases the device afterwards.
TEST_P(SdlDeviceTest, DeviceOutlivingItsWindowFailsWithoutCrashing) {
  std::unique_ptr<Texture> texture = Picture(Corners());
  ASSERT_NE(texture, nullptr);
  ASSERT_TRUE(windows.DestroyWindow(window));
  // The exit's last frame presents after the window went; that must not read as a loss.
  EXPECT_EQ(device->Present(), D3DERR_INVALIDCALL);
  EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
  EXPECT_EQ(device->Clear(D3DCLEAR_TARGET, 0, 1.0f, 0), D3D_OK);
  const Vector2 at{0, 0};
  EXPECT_EQ(sprite->Draw(texture.get(), nullptr, nullptr, nullptr, 0, &at, 0xFFFFFFFF), D3DERR_INVALIDCALL);
  std::unique_ptr<Texture> late;
  EXPECT_EQ(device->CreateTextureFromMemory(Corners().data(), Corners().size(), 0, &late), D3DERR_INVALIDCALL);
  device.reset();
  texture.reset();
}

TEST_P(SdlDeviceTest, CreationRefusesWhatTheOriginalRefuses) {
  std::unique_ptr<Device> second;
  EXPECT_EQ(CreateDevice(true, &second), D3DERR_INVALIDCALL) << "one device per window";
  device.reset();
  sprite.reset();

  PresentParameters windowed;
  windowed.windowed = true;
  windowed.deviceWindow = window;
  struct Case {
    const char* what;
    std::uint32_t adapter;
    WindowHandle focus;
    WindowHandle deviceWindow;
    std::uint32_t behaviour;
  };
  const Case cases[] = {
      {"no vertex processing", 0, window, window, 0},
      {"two vertex processing modes", 0, window, window,
       D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING},
      {"second adapter", 1, window, window, D3DCREATE_MIXED_VERTEXPROCESSING},
      {"no such window", 0, window + 7, window + 7, D3DCREATE_MIXED_VERTEXPROCESSING},
  };
  for (const Case& test : cases) {
    PresentParameters asked = windowed;
    asked.deviceWindow = test.deviceWindow;
    std::unique_ptr<Device> refused;
    EXPECT_EQ(direct3d->CreateDevice(test.adapter, GetParam(), test.focus, test.behaviour, &asked, &refused),
              D3DERR_INVALIDCALL)
        << test.what;
    EXPECT_EQ(refused, nullptr) << test.what;
  }
  // The focus window stands in when the parameters name none.
  PresentParameters focusOnly = windowed;
  focusOnly.deviceWindow = kNoWindow;
  EXPECT_EQ(direct3d->CreateDevice(0, GetParam(), window, D3DCREATE_HARDWARE_VERTEXPROCESSING, &focusOnly, &second),
            D3D_OK);
}

TEST_P(SdlDeviceTest, FullScreenLastsAsLongAsTheDevice) {
  SDL_Window* sdlWindow = windows.SdlWindowOf(window);
  const auto fullscreen = [&] { return (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN) != 0; };
  EXPECT_FALSE(fullscreen());
  sprite.reset();
  device.reset();
  ASSERT_EQ(CreateDevice(false, &device), D3D_OK);
  EXPECT_TRUE(fullscreen());
  device->Clear(D3DCLEAR_TARGET, 0xFF445566, 1.0f, 0);
  EXPECT_EQ(device->Present(), D3D_OK);
  EXPECT_PIXEL(100, 100, 0x445566);

  PresentParameters windowed = parameters;
  windowed.windowed = true;
  ASSERT_EQ(device->Reset(windowed), D3D_OK);
  EXPECT_FALSE(fullscreen());
  ASSERT_EQ(device->Reset(parameters), D3D_OK);
  EXPECT_TRUE(fullscreen());
  device.reset();
  EXPECT_FALSE(fullscreen()) << "releasing a full-screen device gives the desktop back";
}

// An 8x4 picture in the given format, made with SDL2_image's own writers: red left, blue right.
std::vector<std::uint8_t> Saved(bool jpeg, bool alpha) {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, 8, 4, 32, alpha ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_RGB888);
  SDL_Rect left{0, 0, 4, 4}, right{4, 0, 4, 4};
  SDL_FillRect(surface, &left, SDL_MapRGBA(surface->format, 0xFF, 0, 0, 0xFF));
  SDL_FillRect(surface, &right, SDL_MapRGBA(surface->format, 0, 0, 0xFF, 0xFF));
  std::vector<std::uint8_t> bytes(65536);
  SDL_RWops* stream = SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size()));
  const int saved = jpeg ? IMG_SaveJPG_RW(surface, stream, 0, 100) : IMG_SavePNG_RW(surface, stream, 0);
  bytes.resize(saved == 0 ? static_cast<std::size_t>(SDL_RWtell(stream)) : 0);
  SDL_RWclose(stream);
  SDL_FreeSurface(surface);
  return bytes;
}

// An uncompressed true-colour TGA, bottom-up like most: the same two halves.
std::vector<std::uint8_t> Tga() {
  std::vector<std::uint8_t> file = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 4, 0, 24, 0};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) {
      const std::uint32_t rgb = x < 4 ? kRed : kBlue;
      file.push_back(rgb & 0xFF);
      file.push_back((rgb >> 8) & 0xFF);
      file.push_back((rgb >> 16) & 0xFF);
    }
  }
  return file;
}

TEST_P(SdlDeviceTest, PicturesComeInEveryUsualFormat) {
  struct Case {
    const char* what;
    std::vector<std::uint8_t> file;
    int tolerance;  // JPEG is lossy
  };
  std::vector<std::uint32_t> halves(32);
  for (int i = 0; i < 32; ++i) halves[static_cast<std::size_t>(i)] = i % 8 < 4 ? kRed : kBlue;
  const Case cases[] = {
      {"BMP", sdltest::MakeBmp(8, 4, halves), 0},
      {"PNG with alpha", Saved(false, true), 0},
      {"PNG without alpha", Saved(false, false), 0},
      {"TGA", Tga(), 0},
      {"JPEG", Saved(true, false), 24},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    ASSERT_FALSE(test.file.empty()) << SDL_GetError();
    ImageInfo info;
    ASSERT_EQ(backend.Gfx().GetImageInfoFromMemory(test.file.data(), test.file.size(), &info), D3D_OK);
    EXPECT_EQ(info.width, 8u);
    EXPECT_EQ(info.height, 4u);
    std::unique_ptr<Texture> texture = Picture(test.file);
    ASSERT_NE(texture, nullptr);
    device->Clear(D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    const Vector2 at{0, 0};
    ASSERT_EQ(sprite->Draw(texture.get(), nullptr, nullptr, nullptr, 0, &at, 0xFFFFFFFF), D3D_OK);
    for (const auto& [x, rgb] : {std::pair<int, std::uint32_t>{1, kRed}, {6, kBlue}}) {
      const std::uint32_t got = Pixel(x, 1);
      for (int shift : {16, 8, 0}) {
        EXPECT_NEAR(static_cast<int>(got >> shift & 0xFF), static_cast<int>(rgb >> shift & 0xFF), test.tolerance)
            << "at " << x << ": " << Hex(got);
      }
    }
  }
  // The header alone tells a PNG's layout.
  const std::vector<std::uint8_t> withAlpha = Saved(false, true), without = Saved(false, false);
  ImageInfo info;
  ASSERT_EQ(backend.Gfx().GetImageInfoFromMemory(withAlpha.data(), withAlpha.size(), &info), D3D_OK);
  EXPECT_EQ(info.format, D3DFMT_A8R8G8B8);
  ASSERT_EQ(backend.Gfx().GetImageInfoFromMemory(without.data(), without.size(), &info), D3D_OK);
  EXPECT_EQ(info.format, D3DFMT_R8G8B8);
}

TEST_P(SdlDeviceTest, BadPictureBytesAreInvalidData) {
  const std::uint8_t garbage[] = {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e', 0, 1, 2, 3};
  std::unique_ptr<Texture> texture;
  EXPECT_EQ(device->CreateTextureFromMemory(garbage, sizeof garbage, 0, &texture), D3DXERR_INVALIDDATA);
  EXPECT_EQ(texture, nullptr);
  std::vector<std::uint8_t> truncated = Corners();
  truncated.resize(30);
  EXPECT_EQ(device->CreateTextureFromMemory(truncated.data(), truncated.size(), 0, &texture), D3DXERR_INVALIDDATA);
  EXPECT_EQ(device->CreateTextureFromMemory(nullptr, 10, 0, &texture), D3DERR_INVALIDCALL);
  // Formats pictures never come in are refused before a decoder sees them (the fuzzer found
  // SDL2_image's vector decoder leaking on a damaged one).
  const char svg[] = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"2\" height=\"2\"><rect width=\"2\" "
                     "height=\"2\" fill=\"red\"/></svg>";
  EXPECT_EQ(device->CreateTextureFromMemory(svg, sizeof svg - 1, 0, &texture), D3DXERR_INVALIDDATA);
}

// A PNG whose chunk claims more bytes than the file holds is refused before the decoder (the
// fuzzer found a 262-byte file claiming a 570 MB chunk keep the decoder checksumming for
// minutes).
TEST(SdlImageTest, PngChunksMustLieInsideTheFile) {
  const std::vector<std::uint8_t> png = Saved(false, true);
  ASSERT_FALSE(png.empty());
  EXPECT_TRUE(platform::sdl::PngChunksFit(png.data(), png.size()));
  EXPECT_FALSE(platform::sdl::PngChunksFit(png.data(), png.size() - 1));  // IEND cut short
  std::vector<std::uint8_t> overlong = png;
  overlong[33] = 0x22;  // the chunk after IHDR now claims about 570 MB
  EXPECT_FALSE(platform::sdl::PngChunksFit(overlong.data(), overlong.size()));
  platform::sdl::SurfacePtr image;
  EXPECT_EQ(platform::sdl::DecodeImage(overlong.data(), overlong.size(), &image), D3DXERR_INVALIDDATA);
  EXPECT_EQ(platform::sdl::DecodeImage(png.data(), png.size(), &image), D3D_OK);
}

// Likewise a TGA header claiming far more pixels than the file could hold, even run-length
// packed (34 bytes claiming 65535 x 65535 kept the decoder clearing memory for minutes).
TEST(SdlImageTest, TgaMustHoldThePixelsItsHeaderClaims) {
  const std::vector<std::uint8_t> tga = Tga();
  EXPECT_TRUE(platform::sdl::TgaHeaderFits(tga.data(), tga.size()));
  EXPECT_FALSE(platform::sdl::TgaHeaderFits(tga.data(), tga.size() - 1));
  std::vector<std::uint8_t> huge(34, 0);
  huge[2] = 10;  // run-length true colour
  huge[12] = huge[13] = huge[14] = huge[15] = 0xFF;
  huge[16] = 32;
  EXPECT_FALSE(platform::sdl::TgaHeaderFits(huge.data(), huge.size()));
  platform::sdl::SurfacePtr image;
  EXPECT_EQ(platform::sdl::DecodeImage(huge.data(), huge.size(), &image), D3DXERR_INVALIDDATA);
  EXPECT_EQ(platform::sdl::DecodeImage(tga.data(), tga.size(), &image), D3D_OK);
}

// A BMP whose header claims more rows than the file holds: the decoder would allocate and clear
// the whole surface before reading a row (65 bytes claiming 61440 x 61440 at 32 bits asked for
// 15 GB).
TEST(SdlImageTest, BmpMustHoldTheRowsItsHeaderClaims) {
  const std::vector<std::uint8_t> bmp = sdltest::MakeBmp(3, 2, {1, 2, 3, 4, 5, 6});
  std::vector<std::uint8_t> topDown = bmp;
  const std::uint8_t minusTwo[] = {0xFE, 0xFF, 0xFF, 0xFF};  // height -2: rows stored top first
  std::copy(std::begin(minusTwo), std::end(minusTwo), topDown.begin() + 22);
  std::vector<std::uint8_t> huge(65, 0);
  const std::uint8_t header[] = {'B', 'M', 65, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                 0, 0xF0, 0, 0, 0, 0xF0, 0, 0, 1, 0, 32, 0};
  std::copy(std::begin(header), std::end(header), huge.begin());
  std::vector<std::uint8_t> runLength = huge;
  runLength[28] = 8;
  runLength[30] = 1;  // 8-bit run-length data: 11 bytes cannot cover 3.7 billion pixels either
  struct Case {
    const char* name;
    std::vector<std::uint8_t> file;
    bool fits;
  };
  const Case cases[] = {
      {"whole", bmp, true},
      {"top-down", topDown, true},
      {"last row cut short", std::vector<std::uint8_t>(bmp.begin(), bmp.end() - 1), false},
      {"huge", huge, false},
      {"huge run-length", runLength, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(platform::sdl::BmpHeaderFits(c.file.data(), c.file.size()), c.fits);
    platform::sdl::SurfacePtr image;
    const HRESULT result = platform::sdl::DecodeImage(c.file.data(), c.file.size(), &image);
    EXPECT_EQ(result, c.fits ? D3D_OK : D3DXERR_INVALIDDATA);
    if (c.fits) {
      ASSERT_NE(image, nullptr);
      EXPECT_EQ(image->w, 3);
      EXPECT_EQ(image->h, 2);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(DeviceTypes, SdlDeviceTest, ::testing::Values(D3DDEVTYPE_HAL, D3DDEVTYPE_REF),
                         DeviceTypeName);

class SdlGraphicsTest : public sdltest::BackendTest {};

TEST_F(SdlGraphicsTest, ImageInfoReadsSizeAndFormat) {
  Graphics& graphics = backend.Gfx();
  const std::vector<std::uint8_t> file = sdltest::MakeBmp(3, 2, {1, 2, 3, 4, 5, 6});
  ImageInfo info;
  ASSERT_EQ(graphics.GetImageInfoFromMemory(file.data(), file.size(), &info), D3D_OK);
  EXPECT_EQ(info.width, 3u);
  EXPECT_EQ(info.height, 2u);
  EXPECT_EQ(info.format, D3DFMT_R8G8B8);

  const std::uint8_t garbage[] = {0x89, 'P', 'N', 'G', 0, 0, 0, 0};
  EXPECT_EQ(graphics.GetImageInfoFromMemory(garbage, sizeof garbage, &info), D3DXERR_INVALIDDATA);
  EXPECT_EQ(graphics.GetImageInfoFromMemory(nullptr, 0, &info), D3DERR_INVALIDCALL);
}

TEST_F(SdlGraphicsTest, DirectDrawingSystemAndAdapter) {
  EXPECT_EQ(backend.Gfx().CreateDirect3D(kDirect3DSdkVersion - 1), nullptr) << "another SDK version is refused";
  std::unique_ptr<Direct3D> direct3d = backend.Gfx().CreateDirect3D(kDirect3DSdkVersion);
  ASSERT_NE(direct3d, nullptr);
  AdapterIdentifier adapter;
  ASSERT_EQ(direct3d->GetAdapterIdentifier(0, 0, &adapter), D3D_OK);
  EXPECT_STRNE(adapter.driver, "");
  EXPECT_NE(std::string(adapter.description).find(SDL_GetCurrentVideoDriver()), std::string::npos)
      << adapter.description;
  EXPECT_EQ(direct3d->GetAdapterIdentifier(1, 0, &adapter), D3DERR_INVALIDCALL);
}

TEST_F(SdlGraphicsTest, DeviceFontKeepsItsDescriptionAfterTheSystemFontGoes) {
  const WindowHandle window = CreateTestWindow();
  std::unique_ptr<Direct3D> direct3d = backend.Gfx().CreateDirect3D(kDirect3DSdkVersion);
  PresentParameters parameters;
  parameters.windowed = true;
  std::unique_ptr<Device> device;
  ASSERT_EQ(
      direct3d->CreateDevice(0, D3DDEVTYPE_REF, window, D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device),
      D3D_OK);

  std::string face = "IPAGothic";
  FontDesc desc;
  desc.height = 24;
  desc.weight = 700;
  desc.faceName = face.c_str();
  const GdiFont gdi = backend.Gfx().CreateGdiFont(desc);
  ASSERT_NE(gdi, 0u);
  std::unique_ptr<Font> font;
  ASSERT_EQ(device->CreateFontFromGdi(gdi, &font), D3D_OK);
  backend.Gfx().DeleteGdiFont(gdi);
  face = "overwritten";
  const FontDesc& kept = static_cast<platform::sdl::SdlFont&>(*font).Desc();
  EXPECT_EQ(kept.height, 24);
  EXPECT_EQ(kept.weight, 700);
  EXPECT_STREQ(kept.faceName, "IPAGothic");

  std::unique_ptr<Font> again;
  EXPECT_EQ(device->CreateFontFromGdi(gdi, &again), D3DERR_INVALIDCALL) << "the system font is deleted";
  EXPECT_EQ(font->OnLostDevice(), D3D_OK);
  EXPECT_EQ(font->OnResetDevice(), D3D_OK);
}

TEST_F(SdlGraphicsTest, ErrorMessagesComeFromTheCLibrary) {
  char text[128];
  ASSERT_TRUE(backend.Gfx().FormatErrorMessage(ENOENT, text, sizeof text));
  EXPECT_STREQ(text, std::strerror(ENOENT));
  char tiny[4];
  ASSERT_TRUE(backend.Gfx().FormatErrorMessage(ENOENT, tiny, sizeof tiny));
  EXPECT_EQ(std::strlen(tiny), 3u);
  EXPECT_FALSE(backend.Gfx().FormatErrorMessage(987654, text, sizeof text));
}

}  // namespace
