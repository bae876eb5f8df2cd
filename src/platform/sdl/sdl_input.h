// Input service on SDL: the keyboard-only key state is real; the keyboard and joystick
// devices are a placeholder that reports them missing, so the game uses keyboard-only mode.
#pragma once

#include "platform/input.h"

namespace platform::sdl {

class SdlInput final : public Input {
 public:
  HRESULT CreateDirectInput(std::uint32_t version, std::unique_ptr<DirectInput>* out) override;
  std::uint16_t GetKeyState(std::uint32_t virtualKey) override;
};

}  // namespace platform::sdl
