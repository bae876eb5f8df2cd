// The boss record on boss stages: set-up, the fall and its explosions, drawing and the hit by a
// player shot. Each boss's path, attacks and body shape come with the boss work.
#include "game/play.h"
#include "gfx/gfx.h"

void SetUpBoss() {
  BossRecord& boss = gameRecord.boss;
  ClearRecords(&boss, 1);
  boss.x = 448;
  boss.y = 180;
  const bool harder = gameRecord.gameMode != MODE_TRIAL;
  const bool two = gameRecord.playerCount == 2;
  const bool lunatic = gameRecord.gameMode == MODE_LUNATIC;
  int hitPoints = 0;
  switch (gameRecord.stageIndex) {
    case 4:
      boss.picture = PIC_BOSS1_NORMAL1;
      hitPoints = (harder ? 35 : 30) + (two ? 10 : 0) + (lunatic ? 10 : 0);
      break;
    case 9:
      boss.picture = PIZ_BOSS2RA;
      hitPoints = (harder ? 40 : 35) + (two ? 15 : 0) + (lunatic ? 10 : 0);
      break;
    default:
      break;
  }
  boss.maxHitPoints = boss.hitPoints = static_cast<std::int16_t>(hitPoints);
  boss.halfWidth = static_cast<std::int16_t>(PictureWidth(boss.picture) / 2);
}

bool BossAlive() { return gameRecord.boss.hitPoints >= 1; }

void UpdateBoss() {
  BossRecord& boss = gameRecord.boss;
  if (BossAlive()) return;
  ++boss.defeatTimer;
  if (boss.defeatTimer == 60) gameRecord.stageClearCounter = 1;
  const int w = PictureWidth(boss.picture);
  const int h = PictureHeight(boss.picture);
  if (boss.defeatTimer < 60 && boss.defeatTimer % 4 == 0) {
    const int x = w / 4 + (w / 2 > 0 ? Rand() % (w / 2) : 0);
    const int y = h / 4 + (h / 2 > 0 ? Rand() % (h / 2) : 0);
    SpawnBigExplosion(boss.x + x - PictureWidth(PIC_BIGBAKU1) / 2, boss.y + y - PictureHeight(PIC_BIGBAKU1) / 2);
  }
  if (boss.defeatTimer > 60) boss.x -= 1;
}

void DrawBoss() {
  const BossRecord& boss = gameRecord.boss;
  if (boss.picture == 0) return;
  int alpha = boss.defeatTimer < 60 ? gameRecord.fadeAlpha : 495 - 4 * boss.defeatTimer;
  DrawPlay(boss.picture, boss.x, boss.y, alpha < 0 ? 0 : alpha);
}

bool BossHitByShot(const PlayerShot& shot) {
  const BossRecord& boss = gameRecord.boss;
  const int shotW = PictureWidth(shot.picture);
  const double radius = PictureHeight(shot.picture) / 2;
  const double centreX = boss.x + PictureWidth(boss.picture) / 2;
  const double centreY = boss.y + PictureHeight(boss.picture) / 2;
  return SweptCircleHit(shot.prevX + shotW / 2, shot.x + shotW / 2, shot.y + radius, radius, centreX, centreY,
                        boss.halfWidth);
}
