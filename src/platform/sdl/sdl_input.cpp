// Input service on SDL: virtual-key state from SDL's keyboard state.
#include "platform/sdl/sdl_input.h"

#include <SDL.h>

#include "platform/sdl/sdl_keys.h"

namespace platform::sdl {

// Placeholder: the devices are not written yet; this is the answer the game takes as "no
// device object", after which it reads keys through GetKeyState.
HRESULT SdlInput::CreateDirectInput(std::uint32_t, std::unique_ptr<DirectInput>* out) {
  if (out) out->reset();
  return DIERR_DEVICENOTREG;
}

// The state SDL last saw while pumping events, as the window system's key state is the state
// as of the last message taken from the queue.
std::uint16_t SdlInput::GetKeyState(std::uint32_t virtualKey) {
  SDL_Scancode scancodes[4];
  const std::size_t count = ScancodesForVirtualKey(virtualKey, scancodes, 4);
  int length = 0;
  const Uint8* held = SDL_GetKeyboardState(&length);
  for (std::size_t i = 0; i < count && i < 4; ++i) {
    if (scancodes[i] < length && held[scancodes[i]]) return 0x8000;
  }
  return 0;
}

}  // namespace platform::sdl
