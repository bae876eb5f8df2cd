// The attack pieces of the later bosses: speeds by mode, phases by life, fans, rings and walls.
#include "game/boss_patterns.h"

#include <cmath>

#include "gfx/gfx.h"

double BossShotSpeed(double trialSpeed) {
  if (gameRecord.gameMode == MODE_LUNATIC) return trialSpeed * 1.5;
  if (gameRecord.gameMode == MODE_EXTRA) return trialSpeed * 1.25;
  return trialSpeed;
}

int LifePhase(const BossRecord& boss, int firstPercent, int secondPercent) {
  const int life = boss.hitPoints * 100;
  if (secondPercent > 0 && life <= secondPercent * boss.maxHitPoints) return 2;
  return life <= firstPercent * boss.maxHitPoints ? 1 : 0;
}

void FireFan(double x, double y, double angle, int count, double spread, double speed) {
  const double first = angle - spread * (count - 1) / 2;
  for (int i = 0; i < count; ++i) SpawnEnemyShot(x, y, speed, first + spread * i);
}

void FireFanAtPlayers(double x, double y, int count, double spread, double speed) {
  // Shots fly from their top-left corner: aim that corner so the shot's centre meets the player.
  const double half = PictureWidth(PIX_TEKITAMA) / 2;
  for (int p = 0; p < gameRecord.playerCount; ++p)
    FireFan(x, y, AngleToPlayer(p, x + half, y + half), count, spread, speed);
}

void FireRing(double x, double y, int count, double turn, double speed) {
  for (int i = 0; i < count; ++i) SpawnEnemyShot(x, y, speed, turn + 2 * kBossPi * i / count);
}

void FireWall(double x, int count, double spacing, int gapStart, int gapSize, double speed) {
  for (int i = 0; i < count; ++i) {
    if (i >= gapStart && i < gapStart + gapSize) continue;
    SpawnEnemyShot(x, 8 + spacing * i, speed, kBossPi);
  }
}

double Approach(double value, double target, double step) {
  if (value < target - step) return value + step;
  if (value > target + step) return value - step;
  return target;
}
