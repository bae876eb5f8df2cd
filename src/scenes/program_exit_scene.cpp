// Program exit: the last scene. Destroying the main window posts the quit that ends the loop.
#include "platform/backend.h"
#include "scenes/scenes.h"
#include "sound/sound.h"

int ProgramExitScene(platform::WindowHandle window, int kind) {
  if (kind != 1) return 0;
  BecomeCurrentScene("[program_exit]", ProgramExitScene);
  // The music stops before its window goes; with music off this does nothing.
  StopBgm();
  platform::Windows().DestroyWindow(window);
  return 0;
}
