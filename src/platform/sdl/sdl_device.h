// Drawing device on SDL: an SDL_Renderer on the main window that draws into a 640x480 back
// buffer texture and shows it letterboxed; textures decoded from image files.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "platform/sdl/sdl_fonts.h"
#include "platform/sdl/sdl_render_link.h"
#include "platform/sdl/sdl_window.h"

namespace platform::sdl {

// The game's screen; a device made with no back-buffer size draws at this size.
constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

class SdlTexture final : public Texture {
 public:
  SdlTexture(std::shared_ptr<SdlRenderLink> link, std::uint32_t serial, SDL_Texture* texture, int width, int height);
  ~SdlTexture() override;
  // Null once the renderer it was made with is gone.
  SDL_Texture* Get() const;
  const SdlRenderLink* Link() const { return link.get(); }
  int Width() const { return width; }
  int Height() const { return height; }

 private:
  std::shared_ptr<SdlRenderLink> link;
  std::uint32_t serial;
  SDL_Texture* texture;
  int width;
  int height;
};

class SdlDevice final : public Device {
 public:
  // Checks the arguments as the original device creation does and makes the renderer.
  static HRESULT Create(SdlWindowSystem& windows, const SdlGdiFonts& fonts, DeviceType type,
                        WindowHandle focusWindow, std::uint32_t behaviourFlags, PresentParameters* parameters,
                        std::unique_ptr<Device>* out);
  ~SdlDevice() override;

  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT Clear(std::uint32_t flags, std::uint32_t colour, float z, std::uint32_t stencil) override;
  HRESULT Present() override;
  HRESULT TestCooperativeLevel() override;
  HRESULT Reset(const PresentParameters& parameters) override;
  std::uint32_t GetAvailableTextureMem() override;
  HRESULT SaveRenderTargetToBmp(const char* path) override;
  HRESULT CreateSprite(std::unique_ptr<Sprite>* out) override;
  HRESULT CreateTextureFromMemory(const void* data, std::size_t size, std::uint32_t colourKey,
                                  std::unique_ptr<Texture>* out) override;
  HRESULT CreateFontFromGdi(GdiFont font, std::unique_ptr<Font>* out) override;

  // For tests: the ARGB colour of one pixel of the back buffer as drawn so far.
  bool ReadPixel(int x, int y, std::uint32_t* argb);
  // The renderer's driver name ("opengl", "software", ...).
  const char* RendererName();

 private:
  SdlDevice(SdlWindowSystem& windows, const SdlGdiFonts& fonts, WindowHandle window,
            std::shared_ptr<SdlRenderLink> link);
  SDL_Renderer* Renderer() const;
  HRESULT ApplyPresentation(const PresentParameters& parameters);
  void NoteResetEvents();

  SdlWindowSystem& windows;
  const SdlGdiFonts& fonts;
  WindowHandle window;
  std::shared_ptr<SdlRenderLink> link;
  std::uint32_t serial = 0;
  SDL_Texture* backBuffer = nullptr;
  int width = kScreenWidth;
  int height = kScreenHeight;
  bool windowed = true;
  bool inScene = false;
  bool lost = false;
  std::uint32_t seenResetEvents = 0;
};

}  // namespace platform::sdl
