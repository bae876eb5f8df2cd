// Opening logos: two pictures, each fading in, holding and fading out; a shot cuts them short.
#include "app/app.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "platform/backend.h"
#include "scenes/scene_states.h"
#include "scenes/scenes.h"

namespace {

constexpr std::uint32_t kOpaqueBlack = 0xFF000000;
constexpr int kHoldFrames = 180;
// The second logo ignores input until it is this far faded in, so one long press cannot skip
// both logos.
constexpr int kSecondLogoDeaf = 100;

struct OpeningLogoState {
  int phase = 0;
  int counter = 0;
};
OpeningLogoState opening;

void ClearToBlack() {
  if (DrawsThisFrame() && graphics.pDevice) graphics.pDevice->Clear(platform::D3DCLEAR_TARGET, kOpaqueBlack, 1.0f, 0);
}

void DrawCentred(PictureId id, int alpha) {
  DrawPicture(id, static_cast<float>((640 - PictureWidth(id)) / 2), static_cast<float>((480 - PictureHeight(id)) / 2),
              alpha);
}

bool Shot() {
  GetInput(INPUT_POLL);
  return GetInput(INPUT_SHOT);
}

// Phases 1..3 show `logo`, 4..6 the second one: fade-in, hold, fade-out. A shot jumps to
// `skipPhase` with `skipCounter` chosen by the phase it interrupts.
void StepLogo(int firstPhase, PictureId logo, int skipPhase) {
  const int step = opening.phase - firstPhase;
  if (step == 0) {
    DrawCentred(logo, opening.counter);
    if (firstPhase == 4 && opening.counter <= kSecondLogoDeaf) {
      opening.counter += 4;
      return;
    }
    if (Shot()) {
      opening.phase = skipPhase;
      opening.counter = 4;
    } else if ((opening.counter += 4) >= 255) {
      opening.phase = firstPhase + 1;
      opening.counter = 0;
    }
  } else if (step == 1) {
    DrawCentred(logo, 255);
    if (Shot()) {
      opening.phase = skipPhase;
      opening.counter = 1;
    } else if (++opening.counter == kHoldFrames) {
      opening.phase = firstPhase + 2;
      opening.counter = 255;
    }
  } else {
    DrawCentred(logo, opening.counter);
    if (Shot()) {
      // Cutting a fade-out short shows the next logo fully at once.
      opening.phase = skipPhase + 1;
      opening.counter = 0;
    } else if ((opening.counter -= 4) < 0) {
      opening.phase = firstPhase + 3;
      opening.counter = 0;
    }
  }
}

}  // namespace

void ResetOpeningLogoState() { opening = OpeningLogoState{}; }

int OpeningLogoScene(platform::WindowHandle window, int kind) {
  if (kind == 1) {
    BecomeCurrentScene("[oplogo]", OpeningLogoScene);
    ResetOpeningLogoState();
    return 0;
  }
  if (opening.phase == 0) {
    ClearToBlack();
    opening.phase = 1;
    opening.counter = 0;
  } else if (opening.phase <= 3) {
    StepLogo(1, PIC_LOGO, 4);
  } else if (opening.phase <= 6) {
    StepLogo(4, PIC_QUENTALOR, 7);
  } else {
    ClearToBlack();
    TitleScene(window, 1);
    opening.phase = 0;
    opening.counter = 0;
  }
  return 0;
}
