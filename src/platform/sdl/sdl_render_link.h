// What a window and the drawing device made on it share: the renderer, and the render resets
// the message pump has seen.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace platform::sdl {

// Textures and sprites keep the serial of the renderer they were made with, so one that
// outlives its renderer (window destroyed first, or a new device on the same window) knows
// not to touch it.
struct SdlRenderLink {
  SDL_Renderer* renderer = nullptr;
  std::uint32_t serial = 0;
  std::uint32_t resetEvents = 0;
};

// True while the renderer a texture or sprite was made with is still the window's renderer.
inline bool IsCurrentRenderer(const SdlRenderLink& link, std::uint32_t serial) {
  return link.renderer != nullptr && link.serial == serial;
}

}  // namespace platform::sdl
