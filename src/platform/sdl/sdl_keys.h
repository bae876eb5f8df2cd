// Key codes for SDL keys: virtual keys both ways (key-down messages and the keyboard-only key
// state) and the scan codes of the keyboard device's 256-byte state.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

namespace platform::sdl {

// The virtual key a key-down message carries for this key (left and right Shift are both
// VK_SHIFT, as the window procedure sees them); 0 when the key has no virtual-key code.
std::uint32_t VirtualKeyFromSdl(const SDL_Keysym& key);

// The scan codes whose keys count as the given virtual key (VK_SHIFT is both Shift keys,
// VK_LSHIFT only the left one). Writes at most maxCount, returns how many there are.
std::size_t ScancodesForVirtualKey(std::uint32_t virtualKey, SDL_Scancode* out, std::size_t maxCount);

// The keyboard device's scan code for the key at this position (DIK_SPACE for the space bar,
// whatever the layout); 0 for keys that have none.
std::uint8_t DirectInputKeyFromSdl(SDL_Scancode scancode);

}  // namespace platform::sdl
