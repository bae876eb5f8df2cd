// The score ranking as the weapon selection and the game-over screen show it.
#include "app/score_ranking.h"
#include "gfx/gfx.h"
#include "scenes/scenes.h"

void DrawRanking(int mode, int alpha, int weapon, int highlight) {
  const int table = mode * 3 + weapon;
  if (table < 0 || table >= kRankingTables) return;
  DrawPicture(PIC_RANKING, 0, 335, alpha);
  static const int kRowY[kRankingPlaces] = {384, 408, 432};
  for (int place = 0; place < kRankingPlaces; ++place) {
    const RankingEntry& entry = scoreRanking.tables[table][place];
    const float y = static_cast<float>(kRowY[place]);
    // A highlighted row blinks; the third one has room only for blinking whole.
    const bool hidden = place == highlight;
    if (hidden && place == 2) continue;
    if (!hidden) {
      DrawPicture(static_cast<PictureId>(PIC_1ST + place), 20, y, alpha);
      DrawPicture(PIC_CSTAGE, 100, y, alpha);
      DrawNumber(entry.stageReached, alpha, 260, y, 2);
    }
    DrawPicture(PIC_SCORE, 400, y, alpha);
    DrawNumber(entry.score, alpha, 500, y, 6);
  }
}
