// Title menu. For now only the entry contract; menu, music and demonstration come with the
// front-end scenes.
#include "app/app.h"
#include "scenes/scene_states.h"
#include "scenes/scenes.h"

namespace {

struct TitleState {
  int phase = 0;
  int counter = 0;
  int entryKind = 0;
};
TitleState title;

}  // namespace

void ResetTitleState() { title = TitleState{}; }

int TitleScene(platform::WindowHandle, int kind) {
  if (kind == 1 || kind == 2) {
    BecomeCurrentScene("[title]", TitleScene);
    ResetTitleState();
    title.entryKind = kind;
    WriteDebugLog("準備完了");
    return 0;
  }
  // Kinds the title does not take are frame steps.
  ++title.counter;
  return 0;
}
