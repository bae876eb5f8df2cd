// Recording graphics device: every call is logged, draws are kept for inspection, any call can
// be made to fail. Images are understood as far as their headers (PNG and BMP sizes).
#pragma once

#include <string>
#include <vector>

#include "platform/fake/fault_plan.h"
#include "platform/graphics.h"

namespace fake {

class FakeTexture : public platform::Texture {
 public:
  FakeTexture(int serialNumber, std::uint32_t imageWidth, std::uint32_t imageHeight, std::uint32_t key)
      : serial(serialNumber), width(imageWidth), height(imageHeight), colourKey(key) {}
  const int serial;  // creation order, 1 for the first texture
  const std::uint32_t width;
  const std::uint32_t height;
  const std::uint32_t colourKey;
};

struct DrawCall {
  int textureSerial = 0;  // 0 for a null texture
  bool hasSource = false;
  platform::Rect source;
  bool scaled = false;
  platform::Vector2 scaling;
  bool hasTranslation = false;
  platform::Vector2 translation;
  float rotation = 0;
  std::uint32_t colour = 0;
};

class FakeGraphics : public platform::Graphics {
 public:
  FakeGraphics(CallLog& log, FaultPlan& faults) : log_(log), faults_(faults) {}

  std::unique_ptr<platform::Direct3D> CreateDirect3D(std::uint32_t sdkVersion) override;
  platform::HRESULT GetImageInfoFromMemory(const void* data, std::size_t size, platform::ImageInfo* out) override;
  platform::GdiFont CreateGdiFont(const platform::FontDesc& desc) override;
  void DeleteGdiFont(platform::GdiFont font) override;
  std::uint32_t LastError() override { return lastError_; }
  bool FormatErrorMessage(std::uint32_t error, char* out, std::size_t outSize) override;

  // What the fake's objects leave behind for the test.
  std::vector<DrawCall> draws;     // every Sprite::Draw since the last ClearDraws
  int liveTextures = 0;            // created and not yet destroyed
  int texturesCreated = 0;
  int liveFonts = 0;
  int presents = 0;
  std::uint32_t availableTextureMem = 256u << 20;
  std::uint32_t gdiFontError = 8;  // what LastError reports after a scripted CreateGdiFont failure
  std::vector<std::string> savedBitmaps;  // paths given to SaveRenderTargetToBmp
  // Every CreateGdiFont request, its face name kept (desc.faceName is not).
  std::vector<std::pair<platform::FontDesc, std::string>> fontRequests;
  // System texts for FormatErrorMessage; errors not listed have none.
  std::vector<std::pair<std::uint32_t, std::string>> errorTexts{{8, "Not enough memory resources are available.\r\n"}};

  void ClearDraws() { draws.clear(); }
  CallLog& Log() { return log_; }
  FaultPlan& Faults() { return faults_; }
  // True and the code when the named call is scripted to fail; records the call either way.
  bool Fails(const std::string& call, platform::HRESULT* code);

 private:
  CallLog& log_;
  FaultPlan& faults_;
  std::uint32_t lastError_ = 0;
  platform::GdiFont nextFont_ = 1;
};

// Reads width and height from a PNG or BMP header; false for anything else.
bool ReadImageHeader(const void* data, std::size_t size, std::uint32_t* width, std::uint32_t* height);

}  // namespace fake
