// The SDL backend's start and end; the services do the rest.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>
#include <SDL_image.h>
#include <malloc.h>

namespace platform::sdl {

SdlBackend::SdlBackend() : windows(std::make_unique<SdlWindowSystem>()), graphics(*windows), input(*windows) {}

SdlBackend::~SdlBackend() {
  input.Stop();
  windows.reset();
  if (initialised) {
    IMG_Quit();
    SDL_Quit();
  }
}

namespace {

// A picture-set switch lets tens of megabytes of pictures go and makes them again at once. The
// allocator would hand the freed memory back to the system and fault it in again page by page,
// which costs about as much as the archive and the upload together; the game's memory is small
// enough to keep.
void KeepFreedMemory() {
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
}

}  // namespace

bool SdlBackend::Init(std::string* error) {
  if (initialised) return true;
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    if (error) *error = SDL_GetError();
    return false;
  }
  initialised = true;
  // Sharp pixels when the 640x480 frame is scaled up; SDL reads this when a texture is made.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  input.Start();
  // BMP decodes without help; a missing PNG or JPEG codec only fails the pictures that need it.
  IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
  KeepFreedMemory();
  return true;
}

}  // namespace platform::sdl
