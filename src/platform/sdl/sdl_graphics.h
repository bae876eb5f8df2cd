// Graphics service on SDL: the drawing system object, picture info and font handles.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "platform/sdl/sdl_fonts.h"
#include "platform/sdl/sdl_window.h"

namespace platform::sdl {

class SdlDirect3D final : public Direct3D {
 public:
  SdlDirect3D(SdlWindowSystem& windows, const SdlGdiFonts& fonts);
  HRESULT GetAdapterIdentifier(std::uint32_t adapter, std::uint32_t flags, AdapterIdentifier* out) override;
  HRESULT CreateDevice(std::uint32_t adapter, DeviceType type, WindowHandle focusWindow, std::uint32_t behaviourFlags,
                       PresentParameters* parameters, std::unique_ptr<Device>* out) override;

 private:
  SdlWindowSystem& windows;
  const SdlGdiFonts& fonts;
};

class SdlGraphics final : public Graphics {
 public:
  explicit SdlGraphics(SdlWindowSystem& windows);
  std::unique_ptr<Direct3D> CreateDirect3D(std::uint32_t sdkVersion) override;
  HRESULT GetImageInfoFromMemory(const void* data, std::size_t size, ImageInfo* out) override;
  GdiFont CreateGdiFont(const FontDesc& desc) override;
  void DeleteGdiFont(GdiFont font) override;
  std::uint32_t LastError() override;
  bool FormatErrorMessage(std::uint32_t error, char* out, std::size_t outSize) override;

 private:
  SdlWindowSystem& windows;
  SdlGdiFonts fonts;
};

}  // namespace platform::sdl
