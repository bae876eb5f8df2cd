// The play scene. For now only the entry contract, the game record the front-end scenes share
// with it, the program's random generator and the ranking display; the run itself comes with
// the play-scene work.
#include <cstdint>

#include "app/score_ranking.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "scenes/scenes.h"

namespace {

struct PlaySceneState {
  int frames = 0;
};
PlaySceneState play;

std::uint32_t randomState = 1;

}  // namespace

GameRecord gameRecord;

void ResetPlayScene() {
  play = PlaySceneState{};
  gameRecord = GameRecord{};
}

void SeedRandom(std::uint32_t seed) { randomState = seed; }

int Rand() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int>((randomState >> 16) & 32767u);
}

void DrawRanking(int gameMode, int alpha, int weapon, int highlightedPlace) {
  if (gameMode < 0 || gameMode > 2 || weapon < 0 || weapon > 2) return;
  DrawPicture(PIC_RANKING, 0, 335, alpha);
  static constexpr PictureId kPlaceLabels[3] = {PIC_1ST, PIC_2ND, PIC_3RD};
  const RankingEntry* table = scoreRanking.tables[gameMode * 3 + weapon];
  for (int k = 0; k < kRankingPlaces; ++k) {
    // The third row has room only for blinking whole.
    if (k == 2 && highlightedPlace == 2) break;
    const float y = static_cast<float>(384 + 24 * k);
    if (k != highlightedPlace) {
      DrawPicture(kPlaceLabels[k], 20, y, alpha);
      DrawPicture(PIC_CSTAGE, 100, y, alpha);
      DrawNumber(table[k].stageReached, alpha, 260, y, 2);
    }
    DrawPicture(PIC_SCORE, 400, y, alpha);
    DrawNumber(table[k].score, alpha, 500, y, 6);
  }
}

int PlayScene(platform::WindowHandle, int kind) {
  if (kind >= 1 && kind <= 5) {
    BecomeCurrentScene("[playgame]", PlayScene);
    play = PlaySceneState{};
    gameRecord.entryType = kind;
    return 0;
  }
  ++play.frames;
  return 0;
}
