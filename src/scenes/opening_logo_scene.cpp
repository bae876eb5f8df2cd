// Opening logos. For now only the entry contract; the logo sequence itself comes with the
// front-end scenes.
#include "scenes/scene_states.h"
#include "scenes/scenes.h"

namespace {

struct OpeningLogoState {
  int phase = 0;
  int counter = 0;
};
OpeningLogoState opening;

}  // namespace

void ResetOpeningLogoState() { opening = OpeningLogoState{}; }

int OpeningLogoScene(platform::WindowHandle, int kind) {
  if (kind == 1) {
    BecomeCurrentScene("[oplogo]", OpeningLogoScene);
    ResetOpeningLogoState();
    return 0;
  }
  ++opening.counter;
  return 0;
}
