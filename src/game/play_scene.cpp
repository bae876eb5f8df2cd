// The play scene. For now only the entry contract; the game record and the run come with the
// play-scene work.
#include "game/game.h"
#include "scenes/scenes.h"

namespace {

struct PlaySceneState {
  int entryType = 0;
  int frames = 0;
};
PlaySceneState play;

}  // namespace

GameRecord gameRecord;

void ResetPlayScene() {
  play = PlaySceneState{};
  gameRecord = GameRecord{};
}

int PlayScene(platform::WindowHandle, int kind) {
  if (kind >= 1 && kind <= 5) {
    BecomeCurrentScene("[playgame]", PlayScene);
    play = PlaySceneState{};
    play.entryType = kind;
    gameRecord.entryType = kind;
    return 0;
  }
  ++play.frames;
  return 0;
}
