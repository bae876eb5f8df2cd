// The SDL backend: brings SDL up and hands out one object per platform service.
#pragma once

#include <string>

#include "platform/backend.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_dialogs.h"
#include "platform/sdl/sdl_graphics.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_instance.h"
#include "platform/sdl/sdl_registry.h"
#include "platform/sdl/sdl_sound.h"
#include "platform/sdl/sdl_system.h"
#include "platform/sdl/sdl_window.h"

namespace platform::sdl {

class SdlBackend final : public Backend {
 public:
  SdlBackend();
  // Closes every window and shuts SDL down, if Init brought it up.
  ~SdlBackend() override;

  // Video, events and timers; false with SDL's reason when there is no display to open.
  bool Init(std::string* error);

  WindowSystem& Windows() override { return *windows; }
  Clock& Time() override { return clock; }
  Graphics& Gfx() override { return graphics; }
  Sound& Audio() override { return sound; }
  Input& Controls() override { return input; }
  Registry& Settings() override { return registry; }
  Dialogs& Boxes() override { return dialogs; }
  Instance& SingleInstance() override { return instance; }
  System& Machine() override { return system; }

  SdlWindowSystem& SdlWindows() { return *windows; }
  SdlDialogs& GtkDialogs() { return dialogs; }

 private:
  // Held by pointer so the windows can be closed before SDL goes down.
  std::unique_ptr<SdlWindowSystem> windows;
  SdlClock clock;
  SdlGraphics graphics;
  SdlSound sound;
  SdlInput input;
  SdlRegistry registry;
  SdlDialogs dialogs;
  SdlInstance instance;
  SdlSystem system;
  bool initialised = false;
};

}  // namespace platform::sdl
