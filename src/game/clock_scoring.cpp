// The clock, time capsules, kill and boss scores, explosions and their labels, and the result
// handed to the ending.
#include "app/score_ranking.h"
#include "game/play.h"
#include "gfx/gfx.h"
#include "sound/sound.h"

namespace {

constexpr int kKillPoints[5] = {0, 10, 15, 20, 25};

struct Multiplier {
  int factor;
  PictureId label;
};

// Quick kills early in a stage pay more.
Multiplier KillMultiplier(int introTimer) {
  if (introTimer <= 60) return {30, PIC_X30};
  if (introTimer <= 90) return {25, PIC_X25};
  if (introTimer <= 120) return {20, PIC_X20};
  if (introTimer < 180) return {15, PIC_X15};
  return {10, 0};
}

// The slot becomes an explosion centred where the enemy was.
void Explode(EnemySlot& slot, PictureId scoreLabel, PictureId multiplierLabel) {
  slot.x -= (PictureWidth(PIC_BAKU1) - PictureWidth(slot.picture)) / 2;
  slot.y -= (PictureHeight(PIC_BAKU1) - PictureHeight(slot.picture)) / 2;
  slot.kind = KIND_EXPLOSION;
  slot.counter = 0;
  slot.picture = PIC_BAKU1;
  slot.scoreLabel = scoreLabel;
  slot.multiplierLabel = multiplierLabel;
  PlaySoundEffect(WAV_ENEMY_DAMAGE, 0);
}

}  // namespace

void RunClock() {
  if (gameRecord.timeLeft < 1 || IsPaused() || IsClearing()) return;
  if (IsBossStage(gameRecord.stageIndex) && !BossAlive()) return;
  --gameRecord.timeLeft;
  const int left = gameRecord.timeLeft;
  // The last ten seconds tick; time up sounds like a hit.
  if (left <= 600 && left % 60 == 0) PlaySoundEffect(left == 0 ? WAV_DAMAGE : WAV_RA, 0);
}

void KillEnemy(EnemySlot& enemy, int owner) {
  const Multiplier multiplier = KillMultiplier(gameRecord.stageIntroTimer);
  gameRecord.players[owner - 1].score += kKillPoints[enemy.kind] * multiplier.factor;
  Explode(enemy, static_cast<PictureId>(PIC_100 + enemy.kind - 1), multiplier.label);
}

void HitCapsule(EnemySlot& capsule) {
  if (capsule.counter > 1) {
    --capsule.counter;
    capsule.picture = static_cast<std::int16_t>(PIC_ITEM1 + capsule.counter - 1);
    PlaySoundEffect(WAV_HITITEM, 0);
    return;
  }
  Explode(capsule, 0, 0);
}

void CollectCapsule(EnemySlot& capsule) {
  const double half = PictureHeight(capsule.picture) / 2;
  const double centreX = capsule.x + PictureWidth(capsule.picture) / 2;
  const double centreY = capsule.y + half;
  for (int p = 0; p < gameRecord.playerCount; ++p) {
    PlayerRecord& player = gameRecord.players[p];
    const double dx = player.x + PlayerWidth() / 2 - centreX;
    const double dy = player.y + PlayerHeight() / 2 - centreY;
    const double reach = PlayerHeight() / 2 + half;
    // Past 32000 frames one more capsule could overflow the clock: it is left where it is.
    if (dx * dx + dy * dy >= reach * reach || gameRecord.timeLeft >= 32001) continue;
    PlaySoundEffect(WAV_GET_ITEM, 0);
    const int value = capsule.counter;
    gameRecord.timeLeft = static_cast<std::int16_t>(gameRecord.timeLeft + value * 60);
    capsule.kind = KIND_MARKER;
    capsule.scoreLabel = PIC_TIME1 + value - 1;
    capsule.multiplierLabel = 0;
    for (int i = 0; i < kPopupSlots; ++i) {
      if (player.popupTimer[i] != 0) continue;
      player.popupTimer[i] = 1;
      player.popupX[i] = player.x - 192;
      player.popupY[i] = player.y - 48;
      break;
    }
    return;
  }
}

void ScoreBossHit(int owner) {
  BossRecord& boss = gameRecord.boss;
  --boss.hitPoints;
  gameRecord.players[owner - 1].score += 100;
  PlaySoundEffect(WAV_ENEMY_HIT, 0);
  if (boss.hitPoints > 0) return;
  for (int p = 0; p < gameRecord.playerCount; ++p) gameRecord.players[p].score += 500 * (gameRecord.stageIndex + 1);
  ClearRecords(gameRecord.enemyShots, kEnemyShotSlots);
}

void DrawExplosionOrMarker(const EnemySlot& slot) {
  const int n = slot.counter;
  if (slot.kind == KIND_EXPLOSION && n < 50) DrawPlay(static_cast<PictureId>(slot.picture + n / 5), slot.x, slot.y, 255);
  // The labels rise half a pixel a frame and fade out in about a second.
  const int alpha = gameRecord.fadeAlpha - 4 * n;
  const double top = slot.y + PictureHeight(PIC_BAKU1) / 2 - n / 2;
  if (slot.scoreLabel != 0) DrawPlay(static_cast<PictureId>(slot.scoreLabel), slot.x, top, alpha);
  if (slot.multiplierLabel != 0)
    DrawPlay(static_cast<PictureId>(slot.multiplierLabel), slot.x, top + PictureHeight(PIC_100) / 2, alpha);
}

int StageTitleAlpha() {
  const int t = gameRecord.stageIntroTimer;
  int alpha = t < 30 ? 8 * t : t <= 150 ? 255 : 1440 - 8 * t;
  if (alpha > gameRecord.fadeAlpha) alpha = gameRecord.fadeAlpha;
  return alpha < 0 ? 0 : alpha;
}

void DrawStageTitle() {
  const int alpha = StageTitleAlpha();
  const int left = (640 - PictureWidth(PIC_STARTMOJI)) / 2;
  const int top = (480 - PictureHeight(PIC_STARTMOJI)) / 2;
  DrawPlay(PIC_STARTMOJI, left, top, alpha);
  DrawStageNumber(gameRecord.stageIndex + 1, alpha, static_cast<float>(left + 112), static_cast<float>(top + 16));
  DrawPlayerFlags(alpha);
}

void DrawHud() {
  const int alpha = gameRecord.fadeAlpha;
  const int time = gameRecord.timeLeft;
  DrawPlay(PIC_1P, 8, 4, alpha);
  DrawNumber(gameRecord.players[0].score, alpha, 58, 4, 6);
  DrawPlay(PIC_S, 170, 4, alpha);
  DrawNumber(gameRecord.stageIndex + 1, alpha, 206, 4, 2);
  static constexpr PictureId kModeLabels[3] = {PIC_MODE_TRIAL, PIC_MODE_EXTRA, PIC_MODE_LUNATIC};
  const int mode = gameRecord.gameMode >= 0 && gameRecord.gameMode <= 2 ? gameRecord.gameMode : 0;
  DrawPlay(kModeLabels[mode], 171, 24, alpha);
  DrawPlay(PIC_TIME, 260, 4, alpha);
  DrawNumber(time > 0 ? time / 60 : 0, alpha, 350, 4, 3);
  DrawPlay(PIC_DOT, 404, 4, alpha);
  DrawNumber(time > 0 ? (time % 60) * 5 / 3 : 0, alpha, 413, 4, 2);

  const int gaugeAlpha = 2 * alpha / 3;
  DrawPicturePart(PIC_TIMEGAUGEEMPTY,
                  platform::Rect{0, 11, PictureWidth(PIC_TIMEGAUGEEMPTY), PictureHeight(PIC_TIMEGAUGEEMPTY)}, 243, 25,
                  gaugeAlpha);
  int segments = time > 0 ? time / 291 : 0;
  if (segments == 0 && time > 0) segments = 1;
  if (segments > 37) segments = 37;
  // The fill's right edge slants, one pixel left about every row and a half.
  for (int r = 0; r < 18; ++r) {
    const int right = 6 * segments + 15 - static_cast<int>(0.65 * r);
    DrawPicturePart(PIC_TIMEGAUGEFULL, platform::Rect{0, r + 12, right, r + 13}, 243, static_cast<float>(26 + r),
                    gaugeAlpha);
  }

  if (gameRecord.playerCount == 2) {
    DrawPlay(PIC_2P, 470, 4, alpha);
    DrawNumber(gameRecord.players[1].score, alpha, 520, 4, 6);
  }
  const BossRecord& boss = gameRecord.boss;
  if (IsBossStage(gameRecord.stageIndex) && boss.hitPoints != 0 && boss.maxHitPoints != 0) {
    const int w = PictureWidth(PIC_BOSSLIFE);
    const int h = PictureHeight(PIC_BOSSLIFE);
    DrawPicturePart(PIC_BOSSLIFE, platform::Rect{0, 0, w * boss.hitPoints / boss.maxHitPoints, h},
                    static_cast<float>(640 - w), static_cast<float>(480 - h), alpha);
  }
}

void DrawRanking(int gameMode, int alpha, int weapon, int highlightedPlace) {
  if (gameMode < 0 || gameMode > 2 || weapon < 0 || weapon > 2) return;
  DrawPicture(PIC_RANKING, 0, 335, alpha);
  static constexpr PictureId kPlaceLabels[3] = {PIC_1ST, PIC_2ND, PIC_3RD};
  const RankingEntry* table = scoreRanking.tables[gameMode * 3 + weapon];
  for (int k = 0; k < kRankingPlaces; ++k) {
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

void FillRunResult(int rank) {
  RunResult& result = gameRecord.runResult;
  const bool two = gameRecord.playerCount == 2;
  result.resultMode = gameRecord.gameMode;
  result.resultMissP2 = two ? gameRecord.players[1].missCount : 0;
  result.resultMissP1 = gameRecord.players[0].missCount;
  result.resultTime = gameRecord.timeLeft;
  result.resultRank = two ? -1 : rank;
  result.resultScoreP2 = two ? gameRecord.players[1].score : -1;
  result.resultScoreP1 = gameRecord.players[0].score;
  result.resultWeapon = gameRecord.players[0].weapon;
}
