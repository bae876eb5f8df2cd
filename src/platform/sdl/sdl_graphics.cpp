// Graphics service on SDL: hands out the drawing system, reads picture sizes, keeps fonts.
#include "platform/sdl/sdl_graphics.h"

#include <SDL.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/sdl/sdl_device.h"
#include "platform/sdl/sdl_image.h"

namespace platform::sdl {
namespace {

// The renderer a hardware device would get: the one named by SDL_RENDER_DRIVER, else the
// first accelerated driver SDL offers.
const char* PreferredRendererName() {
  if (const char* hinted = SDL_GetHint(SDL_HINT_RENDER_DRIVER); hinted && *hinted) return hinted;
  SDL_RendererInfo info;
  for (int index = 0; index < SDL_GetNumRenderDrivers(); ++index) {
    if (SDL_GetRenderDriverInfo(index, &info) == 0 && (info.flags & SDL_RENDERER_ACCELERATED)) return info.name;
  }
  return "software";
}

}  // namespace

SdlDirect3D::SdlDirect3D(SdlWindowSystem& windowSystem, const SdlGdiFonts& fontTable)
    : windows(windowSystem), fonts(fontTable) {}

HRESULT SdlDirect3D::GetAdapterIdentifier(std::uint32_t adapter, std::uint32_t, AdapterIdentifier* out) {
  if (adapter != 0 || !out) return D3DERR_INVALIDCALL;
  *out = AdapterIdentifier{};
  const char* renderer = PreferredRendererName();
  const char* video = SDL_GetCurrentVideoDriver();
  std::snprintf(out->driver, sizeof out->driver, "%s", renderer);
  std::snprintf(out->description, sizeof out->description, "%s (%s)", renderer, video ? video : "no video");
  return D3D_OK;
}

HRESULT SdlDirect3D::CreateDevice(std::uint32_t adapter, DeviceType type, WindowHandle focusWindow,
                                  std::uint32_t behaviourFlags, PresentParameters* parameters,
                                  std::unique_ptr<Device>* out) {
  if (adapter != 0) return D3DERR_INVALIDCALL;
  return SdlDevice::Create(windows, fonts, type, focusWindow, behaviourFlags, parameters, out);
}

SdlGraphics::SdlGraphics(SdlWindowSystem& windowSystem) : windows(windowSystem) {}

std::unique_ptr<Direct3D> SdlGraphics::CreateDirect3D(std::uint32_t sdkVersion) {
  if (sdkVersion != kDirect3DSdkVersion) return nullptr;
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || SDL_GetNumRenderDrivers() <= 0) return nullptr;
  return std::make_unique<SdlDirect3D>(windows, fonts);
}

// Every picture is asked about just before its texture is made, so decoding here as well would
// double the cost of a picture-set switch. PNG, the format of the data pack, answers from its
// header; SDL2_image has no size-only query for the others, which are decoded.
HRESULT SdlGraphics::GetImageInfoFromMemory(const void* data, std::size_t size, ImageInfo* out) {
  if (!out) return D3DERR_INVALIDCALL;
  if (ReadPngInfo(data, size, out)) return D3D_OK;
  SurfacePtr image;
  const HRESULT result = DecodeImage(data, size, &image);
  if (Failed(result)) return result;
  out->width = static_cast<std::uint32_t>(image->w);
  out->height = static_cast<std::uint32_t>(image->h);
  out->format = FormatOfImage(*image);
  return D3D_OK;
}

// Recording a description cannot fail short of running out of memory, which ends the program
// anyway, so there is never a reason to report.
GdiFont SdlGraphics::CreateGdiFont(const FontDesc& desc) { return fonts.Create(desc); }

void SdlGraphics::DeleteGdiFont(GdiFont font) { fonts.Delete(font); }

std::uint32_t SdlGraphics::LastError() { return 0; }

bool SdlGraphics::FormatErrorMessage(std::uint32_t error, char* out, std::size_t outSize) {
  if (!out || outSize == 0) return false;
  char text[256];
  // The GNU strerror_r returns its text, which may or may not be in our buffer.
  const char* message = strerror_r(static_cast<int>(error), text, sizeof text);
  if (!message || std::strncmp(message, "Unknown error", 13) == 0) return false;
  std::snprintf(out, outSize, "%s", message);
  return true;
}

}  // namespace platform::sdl
