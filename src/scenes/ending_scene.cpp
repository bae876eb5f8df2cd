// Ending after the last stage. For now only the entry contract; what it shows comes with the
// front-end scenes.
#include <cstdint>

#include "scenes/scene_states.h"
#include "scenes/scenes.h"

namespace {

// Four words, all cleared on entry, whoever performs the entry.
struct EndingState {
  std::int32_t phase = 0;
  std::int32_t counter = 0;
  std::int32_t fade = 0;
  std::int32_t page = 0;
};
EndingState ending;

}  // namespace

void ResetEndingState() { ending = EndingState{}; }

void SwitchToEnding() {
  BecomeCurrentScene("[ending]", EndingScene);
  ResetEndingState();
}

int EndingScene(platform::WindowHandle, int kind) {
  if (kind == 1) {
    SwitchToEnding();
    return 0;
  }
  if (kind != SCENE_STEP) return 0;
  ++ending.counter;
  return 0;
}
