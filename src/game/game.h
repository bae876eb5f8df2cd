// The play scene, as the other subsystems see it.
#pragma once

#include "platform/handles.h"

// Entered with the run's entryType 1..5 (3 is the demonstration); any other kind is a frame step.
int PlayScene(platform::WindowHandle window, int kind);
void ResetPlayScene();
