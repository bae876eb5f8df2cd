// The one object that hands out the platform services; installed once at start (the SDL backend
// in the program, the fake backend in tests).
#pragma once

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/instance.h"
#include "platform/registry.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "platform/window.h"

namespace platform {

class Backend {
 public:
  virtual ~Backend() = default;
  virtual WindowSystem& Windows() = 0;
  virtual Clock& Time() = 0;
  virtual Graphics& Gfx() = 0;
  virtual Sound& Audio() = 0;
  virtual Input& Controls() = 0;
  virtual Registry& Settings() = 0;
  virtual Dialogs& Boxes() = 0;
  virtual Instance& SingleInstance() = 0;
  virtual System& Machine() = 0;
};

// Not owned; the installer keeps the backend alive while the game runs. Null uninstalls.
void InstallBackend(Backend* backend);
bool HasBackend();

// The installed backend's services. Calling these with no backend installed is a bug.
WindowSystem& Windows();
Clock& Time();
Graphics& Gfx();
Sound& Audio();
Input& Controls();
Registry& Settings();
Dialogs& Boxes();
Instance& SingleInstance();
System& Machine();

}  // namespace platform
