// The boss record on boss stages: set-up, the fall and its explosions, the fade, and the shapes
// the bosses share. Each boss's own behaviour is its BossKind.
#include <cmath>

#include "game/boss_kinds.h"
#include "gfx/gfx.h"

const BossKind& BossOfStage(int stageIndex) {
  static const BossKind* const kBosses[] = {&kBossOfStage5,  &kBossOfStage10, &kBossOfStage15,
                                            &kBossOfStage20, &kBossOfStage25, &kBossOfStage30};
  const int boss = stageIndex / 5;
  return *kBosses[boss < 0 ? 0 : boss > 5 ? 5 : boss];
}

void SetUpBoss() {
  BossRecord& boss = gameRecord.boss;
  ClearRecords(&boss, 1);
  boss.x = 448;
  boss.y = 180;
  const BossKind& kind = BossOfStage(gameRecord.stageIndex);
  boss.picture = static_cast<std::int16_t>(kind.picture);
  boss.maxHitPoints = boss.hitPoints =
      static_cast<std::int16_t>(kind.hitPoints(gameRecord.gameMode, gameRecord.playerCount));
  boss.halfWidth = static_cast<std::int16_t>(PictureWidth(boss.picture) / 2);
}

bool BossAlive() { return gameRecord.boss.hitPoints >= 1; }

void UpdateBoss() {
  BossRecord& boss = gameRecord.boss;
  if (BossAlive()) {
    BossOfStage(gameRecord.stageIndex).fly(boss);
    return;
  }
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
  const int alpha = boss.defeatTimer < 60 ? gameRecord.fadeAlpha : 495 - 4 * boss.defeatTimer;
  BossOfStage(gameRecord.stageIndex).draw(boss, alpha < 0 ? 0 : alpha);
}

bool BossHitByShot(const PlayerShot& shot) { return BossOfStage(gameRecord.stageIndex).hitByShot(gameRecord.boss, shot); }

bool ShotHitsCircle(const PlayerShot& shot, double centreX, double centreY, double radius) {
  const int shotW = PictureWidth(shot.picture);
  const double shotRadius = PictureHeight(shot.picture) / 2;
  return SweptCircleHit(shot.prevX + shotW / 2, shot.x + shotW / 2, shot.y + shotRadius, shotRadius, centreX, centreY,
                        radius);
}

bool ShotHitsColumn(const PlayerShot& shot, double centreX, double top, double bottom, double radius) {
  const int shotW = PictureWidth(shot.picture);
  const double shotRadius = PictureHeight(shot.picture) / 2;
  const double shotY = shot.y + shotRadius;
  const double nearestY = shotY < top ? top : shotY > bottom ? bottom : shotY;
  return SweptCircleHit(shot.prevX + shotW / 2, shot.x + shotW / 2, shotY, shotRadius, centreX, nearestY, radius);
}

void TouchPlayersWithCircle(double centreX, double centreY, double radius) {
  for (int p = 0; p < gameRecord.playerCount; ++p) {
    PlayerRecord& player = gameRecord.players[p];
    if (player.damageTimer == 0 && PlayerTouches(player, centreX, centreY, radius)) DamagePlayer(player);
  }
}

double AngleToPlayer(int p, double x, double y) {
  const PlayerRecord& player = gameRecord.players[p];
  return std::atan2(player.y + PlayerHeight() / 2 - y, player.x + PlayerWidth() / 2 - x);
}
