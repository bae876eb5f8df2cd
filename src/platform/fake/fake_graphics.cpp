// Recording graphics device: every call is logged, draws are kept for inspection, any call can
// be made to fail. Images are understood as far as their headers (PNG and BMP sizes).
#include "platform/fake/fake_graphics.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fake {
using platform::HRESULT;

namespace {

std::uint32_t BigEndian32(const unsigned char* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}
std::uint32_t LittleEndian32(const unsigned char* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

class FakeFont : public platform::Font {
 public:
  explicit FakeFont(FakeGraphics& owner) : owner_(owner) { ++owner_.liveFonts; }
  ~FakeFont() override { --owner_.liveFonts; }
  HRESULT OnLostDevice() override { return Call("Font::OnLostDevice"); }
  HRESULT OnResetDevice() override { return Call("Font::OnResetDevice"); }

 private:
  HRESULT Call(const char* name) {
    HRESULT code = platform::S_OK;
    owner_.Fails(name, &code);
    return code;
  }
  FakeGraphics& owner_;
};

class CountedTexture : public FakeTexture {
 public:
  CountedTexture(FakeGraphics& owner, std::uint32_t imageWidth, std::uint32_t imageHeight, std::uint32_t key)
      : FakeTexture(++owner.texturesCreated, imageWidth, imageHeight, key), owner_(owner) {
    ++owner_.liveTextures;
  }
  ~CountedTexture() override { --owner_.liveTextures; }

 private:
  FakeGraphics& owner_;
};

class FakeSprite : public platform::Sprite {
 public:
  explicit FakeSprite(FakeGraphics& owner) : owner_(owner) {}
  HRESULT Begin(std::uint32_t flags) override { return Call("Sprite::Begin(" + std::to_string(flags) + ")"); }
  HRESULT End() override { return Call("Sprite::End"); }
  HRESULT OnLostDevice() override { return Call("Sprite::OnLostDevice"); }
  HRESULT OnResetDevice() override { return Call("Sprite::OnResetDevice"); }
  HRESULT Draw(platform::Texture* texture, const platform::Rect* source, const platform::Vector2* scaling,
               const platform::Vector2*, float rotation, const platform::Vector2* translation,
               std::uint32_t colour) override {
    HRESULT code = platform::S_OK;
    // Draws are kept in their own list; logging each would drown the call record.
    if (owner_.Faults().Take("Sprite::Draw", &code)) return code;
    DrawCall call;
    call.textureSerial = texture ? static_cast<FakeTexture*>(texture)->serial : 0;
    call.hasSource = source != nullptr;
    if (source) call.source = *source;
    call.scaled = scaling != nullptr;
    if (scaling) call.scaling = *scaling;
    call.hasTranslation = translation != nullptr;
    if (translation) call.translation = *translation;
    call.rotation = rotation;
    call.colour = colour;
    owner_.draws.push_back(call);
    return platform::S_OK;
  }

 private:
  HRESULT Call(const std::string& name) {
    HRESULT code = platform::S_OK;
    owner_.Fails(name.substr(0, name.find('(')), &code);
    return code;
  }
  FakeGraphics& owner_;
};

class FakeDevice : public platform::Device {
 public:
  FakeDevice(FakeGraphics& owner, const platform::PresentParameters& parameters)
      : owner_(owner), parameters_(parameters) {}
  HRESULT BeginScene() override { return Call("Device::BeginScene"); }
  HRESULT EndScene() override { return Call("Device::EndScene"); }
  HRESULT Clear(std::uint32_t flags, std::uint32_t colour, float z, std::uint32_t stencil) override {
    char text[96];
    std::snprintf(text, sizeof text, "Device::Clear(%u,0x%08X,%g,%u)", flags, colour, z, stencil);
    owner_.Log().Record(text);
    HRESULT code = platform::S_OK;
    owner_.Faults().Take("Device::Clear", &code);
    return code;
  }
  HRESULT Present() override {
    HRESULT code = Call("Device::Present");
    if (platform::Succeeded(code)) ++owner_.presents;
    return code;
  }
  HRESULT TestCooperativeLevel() override { return Call("Device::TestCooperativeLevel"); }
  HRESULT Reset(const platform::PresentParameters& parameters) override {
    HRESULT code = Call("Device::Reset");
    if (platform::Succeeded(code)) parameters_ = parameters;
    return code;
  }
  std::uint32_t GetAvailableTextureMem() override { return owner_.availableTextureMem; }
  HRESULT SaveRenderTargetToBmp(const char* path) override {
    HRESULT code = platform::S_OK;
    if (owner_.Fails(std::string("Device::SaveRenderTargetToBmp(") + path + ")", &code)) return code;
    owner_.savedBitmaps.push_back(path);
    return platform::S_OK;
  }
  HRESULT CreateSprite(std::unique_ptr<platform::Sprite>* out) override {
    HRESULT code = platform::S_OK;
    if (owner_.Fails("Device::CreateSprite", &code)) return code;
    *out = std::make_unique<FakeSprite>(owner_);
    return platform::S_OK;
  }
  HRESULT CreateTextureFromMemory(const void* data, std::size_t size, std::uint32_t colourKey,
                                  std::unique_ptr<platform::Texture>* out) override {
    HRESULT code = platform::S_OK;
    if (owner_.Fails("Device::CreateTextureFromMemory", &code)) return code;
    std::uint32_t width = 0, height = 0;
    if (!ReadImageHeader(data, size, &width, &height)) return platform::D3DXERR_INVALIDDATA;
    *out = std::make_unique<CountedTexture>(owner_, width, height, colourKey);
    return platform::S_OK;
  }
  HRESULT CreateFontFromGdi(platform::GdiFont font, std::unique_ptr<platform::Font>* out) override {
    HRESULT code = platform::S_OK;
    if (owner_.Fails("Device::CreateFontFromGdi(" + std::to_string(font) + ")", &code)) return code;
    *out = std::make_unique<FakeFont>(owner_);
    return platform::S_OK;
  }
  const platform::PresentParameters& Parameters() const { return parameters_; }

 private:
  HRESULT Call(const char* name) {
    HRESULT code = platform::S_OK;
    owner_.Fails(name, &code);
    return code;
  }
  FakeGraphics& owner_;
  platform::PresentParameters parameters_;
};

class FakeDirect3D : public platform::Direct3D {
 public:
  explicit FakeDirect3D(FakeGraphics& owner) : owner_(owner) {}
  HRESULT GetAdapterIdentifier(std::uint32_t adapter, std::uint32_t, platform::AdapterIdentifier* out) override {
    HRESULT code = platform::S_OK;
    if (owner_.Fails("Direct3D::GetAdapterIdentifier(" + std::to_string(adapter) + ")", &code)) return code;
    *out = platform::AdapterIdentifier{};
    std::strcpy(out->driver, "fake.so");
    std::strcpy(out->description, "Fake Graphics Adapter");
    std::strcpy(out->deviceName, "fake0");
    out->driverVersion = (std::uint64_t(1) << 48) | (std::uint64_t(2) << 32) | (3u << 16) | 4u;
    out->vendorId = 0x1234;
    out->deviceId = 0x5678;
    out->subSysId = 0x9ABC;
    out->revision = 0x1;
    return platform::S_OK;
  }
  HRESULT CreateDevice(std::uint32_t adapter, platform::DeviceType type, platform::WindowHandle focusWindow,
                       std::uint32_t behaviourFlags, platform::PresentParameters* parameters,
                       std::unique_ptr<platform::Device>* out) override {
    char text[160];
    std::snprintf(text, sizeof text, "Direct3D::CreateDevice(%u,%u,%u,0x%X,%s,%u)", adapter,
                  static_cast<unsigned>(type), focusWindow, behaviourFlags, parameters->windowed ? "windowed" : "full",
                  static_cast<unsigned>(parameters->backBufferFormat));
    HRESULT code = platform::S_OK;
    if (owner_.Fails(text, &code)) return code;
    *out = std::make_unique<FakeDevice>(owner_, *parameters);
    return platform::S_OK;
  }

 private:
  FakeGraphics& owner_;
};

}  // namespace

bool ReadImageHeader(const void* data, std::size_t size, std::uint32_t* width, std::uint32_t* height) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  static const unsigned char png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  if (bytes && size >= 24 && std::memcmp(bytes, png, 8) == 0 && std::memcmp(bytes + 12, "IHDR", 4) == 0) {
    *width = BigEndian32(bytes + 16);
    *height = BigEndian32(bytes + 20);
    return *width != 0 && *height != 0;
  }
  if (bytes && size >= 26 && bytes[0] == 'B' && bytes[1] == 'M') {
    auto w = static_cast<std::int32_t>(LittleEndian32(bytes + 18));
    auto h = static_cast<std::int32_t>(LittleEndian32(bytes + 22));
    if (w <= 0 || h == 0) return false;
    *width = static_cast<std::uint32_t>(w);
    *height = static_cast<std::uint32_t>(h < 0 ? -h : h);
    return true;
  }
  return false;
}

bool FakeGraphics::Fails(const std::string& call, HRESULT* code) {
  log_.Record(call);
  return faults_.Take(call.substr(0, call.find('(')), code);
}

std::unique_ptr<platform::Direct3D> FakeGraphics::CreateDirect3D(std::uint32_t sdkVersion) {
  HRESULT code;
  if (Fails("Graphics::CreateDirect3D(" + std::to_string(sdkVersion) + ")", &code)) return nullptr;
  return std::make_unique<FakeDirect3D>(*this);
}

HRESULT FakeGraphics::GetImageInfoFromMemory(const void* data, std::size_t size, platform::ImageInfo* out) {
  HRESULT code = platform::S_OK;
  if (faults_.Take("Graphics::GetImageInfoFromMemory", &code)) return code;
  std::uint32_t width = 0, height = 0;
  if (!ReadImageHeader(data, size, &width, &height)) return platform::D3DXERR_INVALIDDATA;
  *out = platform::ImageInfo{width, height, platform::D3DFMT_A8R8G8B8};
  return platform::S_OK;
}

platform::GdiFont FakeGraphics::CreateGdiFont(const platform::FontDesc& desc) {
  fontRequests.emplace_back(desc, desc.faceName ? desc.faceName : "");
  fontRequests.back().first.faceName = nullptr;
  HRESULT code;
  if (Fails("Graphics::CreateGdiFont(" + std::to_string(desc.height) + ")", &code)) {
    lastError_ = gdiFontError;
    return 0;
  }
  return nextFont_++;
}

void FakeGraphics::DeleteGdiFont(platform::GdiFont font) { log_.Record("Graphics::DeleteGdiFont(" + std::to_string(font) + ")"); }

bool FakeGraphics::FormatErrorMessage(std::uint32_t error, char* out, std::size_t outSize) {
  for (const auto& [code, text] : errorTexts) {
    if (code != error || outSize == 0) continue;
    std::snprintf(out, outSize, "%s", text.c_str());
    return true;
  }
  return false;
}

}  // namespace fake
