// Story and rules pages. For now only the entry contract; the pages come with the front-end
// scenes.
#include "app/app.h"
#include "scenes/scene_states.h"
#include "scenes/scenes.h"

namespace {

struct StoryState {
  int phase = 0;
  int counter = 0;
};
StoryState story;

}  // namespace

void ResetStoryState() { story = StoryState{}; }

int StoryScene(platform::WindowHandle, int kind) {
  if (kind == 1) {
    BecomeCurrentScene("[story]", StoryScene);
    ResetStoryState();
    WriteDebugLog("準備開始");
    return 0;
  }
  ++story.counter;
  return 0;
}
