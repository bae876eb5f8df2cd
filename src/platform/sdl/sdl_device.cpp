// Drawing device on SDL. The frame is drawn into a back-buffer texture of the game's size, so
// a screenshot taken after Present still sees the frame, and a larger window only scales it.
#include "platform/sdl/sdl_device.h"

#include "platform/sdl/sdl_image.h"
#include "platform/sdl/sdl_sprite.h"

namespace platform::sdl {
namespace {

constexpr std::uint32_t kVertexProcessingFlags =
    D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_HARDWARE_VERTEXPROCESSING | D3DCREATE_MIXED_VERTEXPROCESSING;

// SDL cannot say how much video memory is left; the start-up log gets a fixed, modest figure.
constexpr std::uint32_t kEstimatedTextureMemory = 256u << 20;

bool OneVertexProcessingMode(std::uint32_t flags) {
  const std::uint32_t modes = flags & kVertexProcessingFlags;
  return modes != 0 && (modes & (modes - 1)) == 0;
}

}  // namespace

SdlTexture::SdlTexture(std::shared_ptr<SdlRenderLink> renderLink, std::uint32_t rendererSerial, SDL_Texture* sdlTexture,
                       int textureWidth, int textureHeight)
    : link(std::move(renderLink)),
      serial(rendererSerial),
      texture(sdlTexture),
      width(textureWidth),
      height(textureHeight) {}

// A renderer frees its textures when it goes, so only a live one is ours to free.
SdlTexture::~SdlTexture() {
  if (IsCurrentRenderer(*link, serial)) SDL_DestroyTexture(texture);
}

SDL_Texture* SdlTexture::Get() const { return IsCurrentRenderer(*link, serial) ? texture : nullptr; }

SdlDevice::SdlDevice(SdlWindowSystem& windowSystem, const SdlGdiFonts& fontTable, WindowHandle deviceWindow,
                     std::shared_ptr<SdlRenderLink> renderLink)
    : windows(windowSystem), fonts(fontTable), window(deviceWindow), link(std::move(renderLink)) {}

HRESULT SdlDevice::Create(SdlWindowSystem& windows, const SdlGdiFonts& fonts, DeviceType type,
                          WindowHandle focusWindow, std::uint32_t behaviourFlags, PresentParameters* parameters,
                          std::unique_ptr<Device>* out) {
  if (!parameters || !out) return D3DERR_INVALIDCALL;
  out->reset();
  if (!OneVertexProcessingMode(behaviourFlags)) return D3DERR_INVALIDCALL;
  if (type != D3DDEVTYPE_HAL && type != D3DDEVTYPE_REF) return D3DERR_INVALIDCALL;
  const WindowHandle target = parameters->deviceWindow != kNoWindow ? parameters->deviceWindow : focusWindow;
  SDL_Window* sdlWindow = windows.SdlWindowOf(target);
  std::shared_ptr<SdlRenderLink> link = windows.RenderLinkOf(target);
  if (!sdlWindow || !link) return D3DERR_INVALIDCALL;
  if (link->renderer) return D3DERR_INVALIDCALL;  // one device per window

  // The hardware device is the accelerated renderer only; the reference device is SDL's
  // software renderer, so the game's own fallback order reaches it when there is no GPU.
  // Never tied to the display's refresh: a present that waits for a 60 Hz screen would make the
  // frame loop's 17 ms rule miss every other refresh and halve the game's speed.
  std::uint32_t flags = SDL_RENDERER_TARGETTEXTURE;
  flags |= type == D3DDEVTYPE_HAL ? SDL_RENDERER_ACCELERATED : SDL_RENDERER_SOFTWARE;
  SDL_Renderer* renderer = SDL_CreateRenderer(sdlWindow, -1, flags);
  if (!renderer) return D3DERR_NOTAVAILABLE;
  SDL_RenderSetVSync(renderer, 0);  // also where a driver would turn it on by itself

  link->renderer = renderer;
  ++link->serial;
  std::unique_ptr<SdlDevice> device(new SdlDevice(windows, fonts, target, link));
  device->serial = link->serial;
  device->seenResetEvents = link->resetEvents;
  if (parameters->backBufferWidth == 0) parameters->backBufferWidth = kScreenWidth;
  if (parameters->backBufferHeight == 0) parameters->backBufferHeight = kScreenHeight;
  const HRESULT applied = device->ApplyPresentation(*parameters);
  if (Failed(applied)) return applied;  // the device's destructor frees the renderer
  *out = std::move(device);
  return D3D_OK;
}

SdlDevice::~SdlDevice() {
  SDL_Renderer* renderer = Renderer();
  if (!renderer) return;
  if (!windowed) {
    // Letting go of a full-screen device gives the desktop back.
    if (SDL_Window* sdlWindow = windows.SdlWindowOf(window)) SDL_SetWindowFullscreen(sdlWindow, 0);
  }
  SDL_DestroyRenderer(renderer);
  link->renderer = nullptr;
}

SDL_Renderer* SdlDevice::Renderer() const { return IsCurrentRenderer(*link, serial) ? link->renderer : nullptr; }

HRESULT SdlDevice::ApplyPresentation(const PresentParameters& parameters) {
  SDL_Renderer* renderer = Renderer();
  SDL_Window* sdlWindow = windows.SdlWindowOf(window);
  if (!renderer || !sdlWindow) return D3DERR_DEVICELOST;
  if (SDL_SetWindowFullscreen(sdlWindow, parameters.windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
    return D3DERR_NOTAVAILABLE;
  }
  windowed = parameters.windowed;
  width = parameters.backBufferWidth ? static_cast<int>(parameters.backBufferWidth) : kScreenWidth;
  height = parameters.backBufferHeight ? static_cast<int>(parameters.backBufferHeight) : kScreenHeight;

  // A fresh back buffer each time: after a render reset the old one's pixels are gone anyway.
  SDL_SetRenderTarget(renderer, nullptr);
  if (backBuffer) SDL_DestroyTexture(backBuffer);
  backBuffer = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (!backBuffer) return D3DERR_OUTOFVIDEOMEMORY;
  // The back buffer's alpha is not the window's business.
  SDL_SetTextureBlendMode(backBuffer, SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(backBuffer, parameters.smoothScaling ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  if (SDL_RenderSetLogicalSize(renderer, width, height) != 0 ||
      SDL_RenderSetIntegerScale(renderer, parameters.integerScaling ? SDL_TRUE : SDL_FALSE) != 0 ||
      SDL_SetRenderTarget(renderer, backBuffer) != 0) {
    return D3DERR_NOTAVAILABLE;
  }
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0xFF);
  SDL_RenderClear(renderer);
  return D3D_OK;
}

void SdlDevice::NoteResetEvents() {
  if (link->resetEvents != seenResetEvents) {
    seenResetEvents = link->resetEvents;
    lost = true;
  }
}

HRESULT SdlDevice::BeginScene() {
  if (inScene) return D3DERR_INVALIDCALL;
  inScene = true;
  return D3D_OK;
}

HRESULT SdlDevice::EndScene() {
  if (!inScene) return D3DERR_INVALIDCALL;
  inScene = false;
  return D3D_OK;
}

HRESULT SdlDevice::Clear(std::uint32_t flags, std::uint32_t colour, float, std::uint32_t) {
  if ((flags & ~D3DCLEAR_TARGET) != 0) return D3DERR_INVALIDCALL;  // there is no depth or stencil buffer
  SDL_Renderer* renderer = Renderer();
  if (!renderer || (flags & D3DCLEAR_TARGET) == 0) return D3D_OK;
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer, (colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF, colour >> 24);
  SDL_RenderClear(renderer);
  return D3D_OK;
}

// Lost stays lost until Reset, as it does on the original device. A window that is gone took
// the renderer with it: the last frame of the program's exit presents to nothing, which is a
// bad call and not a loss to recover from.
HRESULT SdlDevice::Present() {
  NoteResetEvents();
  SDL_Renderer* renderer = Renderer();
  if (!renderer) return D3DERR_INVALIDCALL;
  if (lost) return D3DERR_DEVICELOST;
  SDL_SetRenderTarget(renderer, nullptr);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0xFF);
  SDL_RenderClear(renderer);  // the letterbox bars
  SDL_RenderCopy(renderer, backBuffer, nullptr, nullptr);
  SDL_RenderPresent(renderer);
  SDL_SetRenderTarget(renderer, backBuffer);
  return D3D_OK;
}

// A device whose window is gone can never come back; one that saw a render reset can be reset.
HRESULT SdlDevice::TestCooperativeLevel() {
  NoteResetEvents();
  if (!Renderer()) return D3DERR_DEVICELOST;
  return lost ? D3DERR_DEVICENOTRESET : D3D_OK;
}

HRESULT SdlDevice::Reset(const PresentParameters& parameters) {
  if (inScene) return D3DERR_INVALIDCALL;
  if (!Renderer()) return D3DERR_DEVICELOST;
  const HRESULT applied = ApplyPresentation(parameters);
  if (Failed(applied)) return applied;
  NoteResetEvents();
  lost = false;
  return D3D_OK;
}

std::uint32_t SdlDevice::GetAvailableTextureMem() { return kEstimatedTextureMemory; }

HRESULT SdlDevice::SaveRenderTargetToBmp(const char* path) {
  SDL_Renderer* renderer = Renderer();
  if (!path || !renderer) return D3DERR_INVALIDCALL;
  SurfacePtr frame(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
  if (!frame) return E_OUTOFMEMORY;
  if (SDL_SetRenderTarget(renderer, backBuffer) != 0 ||
      SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, frame->pixels, frame->pitch) != 0) {
    return E_FAIL;
  }
  // 24 bits, the plain layout every reader knows; the back buffer's alpha means nothing.
  SurfacePtr rgb(SDL_ConvertSurfaceFormat(frame.get(), SDL_PIXELFORMAT_BGR24, 0));
  if (!rgb) return E_OUTOFMEMORY;
  return SDL_SaveBMP(rgb.get(), path) == 0 ? D3D_OK : E_FAIL;
}

HRESULT SdlDevice::CreateSprite(std::unique_ptr<Sprite>* out) {
  if (!out) return D3DERR_INVALIDCALL;
  if (!Renderer()) return D3DERR_INVALIDCALL;
  *out = std::make_unique<SdlSprite>(link, serial);
  return D3D_OK;
}

HRESULT SdlDevice::CreateTextureFromMemory(const void* data, std::size_t size, std::uint32_t colourKey,
                                           std::unique_ptr<Texture>* out) {
  if (!out) return D3DERR_INVALIDCALL;
  out->reset();
  SDL_Renderer* renderer = Renderer();
  if (!renderer) return D3DERR_INVALIDCALL;
  SurfacePtr image;
  HRESULT result = DecodeImage(data, size, &image);
  if (Failed(result)) return result;
  SurfacePtr pixels;
  result = ToTextureSurface(std::move(image), colourKey, &pixels);
  if (Failed(result)) return result;

  SDL_Texture* texture =
      SDL_CreateTexture(renderer, pixels->format->format, SDL_TEXTUREACCESS_STATIC, pixels->w, pixels->h);
  if (!texture) return D3DERR_OUTOFVIDEOMEMORY;
  if (SDL_UpdateTexture(texture, nullptr, pixels->pixels, pixels->pitch) != 0) {
    SDL_DestroyTexture(texture);
    return D3DERR_OUTOFVIDEOMEMORY;
  }
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  *out = std::make_unique<SdlTexture>(link, serial, texture, pixels->w, pixels->h);
  return D3D_OK;
}

HRESULT SdlDevice::CreateFontFromGdi(GdiFont font, std::unique_ptr<Font>* out) {
  if (!out) return D3DERR_INVALIDCALL;
  const FontRecord* record = fonts.Find(font);
  if (!record) return D3DERR_INVALIDCALL;
  *out = std::make_unique<SdlFont>(*record);
  return D3D_OK;
}

bool SdlDevice::ReadPixel(int x, int y, std::uint32_t* argb) {
  SDL_Renderer* renderer = Renderer();
  if (!renderer || !argb || x < 0 || y < 0 || x >= width || y >= height) return false;
  const SDL_Rect pixel{x, y, 1, 1};
  return SDL_SetRenderTarget(renderer, backBuffer) == 0 &&
         SDL_RenderReadPixels(renderer, &pixel, SDL_PIXELFORMAT_ARGB8888, argb, 4) == 0;
}

const char* SdlDevice::RendererName() {
  SDL_RendererInfo info;
  SDL_Renderer* renderer = Renderer();
  return renderer && SDL_GetRendererInfo(renderer, &info) == 0 ? info.name : "";
}

}  // namespace platform::sdl
