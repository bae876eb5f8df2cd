// Input service on SDL: the keyboard device and the window-system key state from SDL's key
// events, game controllers and joysticks (hot-plugged) as joystick devices.
#pragma once

#include <memory>

#include "platform/input.h"

namespace platform::sdl {

class SdlWindowSystem;
struct InputHub;

class SdlInput final : public Input {
 public:
  explicit SdlInput(SdlWindowSystem& windows);
  ~SdlInput() override;

  // Once SDL is up: starts following key and focus events.
  void Start();
  // Before SDL goes down: closes every pad the game still holds and stops following events.
  void Stop();

  HRESULT CreateDirectInput(std::uint32_t version, std::unique_ptr<DirectInput>* out) override;
  std::uint16_t GetKeyState(std::uint32_t virtualKey) override;

 private:
  std::shared_ptr<InputHub> hub;
};

}  // namespace platform::sdl
