// The attack pieces of the later bosses: speeds by mode, phases by life, fans, rings and walls.
#include "game/boss_patterns.h"

#include <cmath>

#include "gfx/gfx.h"

double BossShotSpeed(double trialSpeed) {
  if (gameRecord.gameMode == MODE_LUNATIC) return trialSpeed * 1.75;
  if (gameRecord.gameMode == MODE_EXTRA) return trialSpeed * 1.5;
  return trialSpeed;
}

int LifePhase(const BossRecord& boss, int firstPercent, int secondPercent) {
  const int life = boss.hitPoints * 100;
  if (secondPercent > 0 && life <= secondPercent * boss.maxHitPoints) return 2;
  return life <= firstPercent * boss.maxHitPoints ? 1 : 0;
}

int RunPhase(BossRecord& boss, const PhasePlan& plan) {
  const int phase = LifePhase(boss, plan.firstPercent, plan.secondPercent);
  if (phase != boss.phase) {
    boss.phase = static_cast<std::int16_t>(phase);
    boss.phaseFrames = 0;
  } else if (boss.phaseFrames < 32767) {
    ++boss.phaseFrames;
  }
  return phase;
}

bool PhaseHolding(const BossRecord& boss, const PhasePlan& plan) {
  if (boss.phaseFrames >= plan.leastFrames[boss.phase]) return false;
  BossRecord hit = boss;
  --hit.hitPoints;
  return hit.hitPoints < 1 || LifePhase(hit, plan.firstPercent, plan.secondPercent) != boss.phase;
}

int HoldingAlpha(const BossRecord& boss, const PhasePlan& plan, int alpha) {
  return boss.hitPoints > 0 && PhaseHolding(boss, plan) && (gameRecord.frameCounter / 3) % 2 == 0 ? alpha / 2 : alpha;
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

int SpawnShotOf(PictureId picture, double centreX, double centreY, double speed, double angle) {
  const int slot = SpawnEnemyShot(centreX - PictureWidth(picture) / 2, centreY - PictureHeight(picture) / 2, speed, angle);
  if (slot >= 0) gameRecord.enemyShots[slot].picture = static_cast<std::int16_t>(picture);
  return slot;
}

void FireRingOf(PictureId picture, double centreX, double centreY, int count, double turn, double speed) {
  for (int i = 0; i < count; ++i) SpawnShotOf(picture, centreX, centreY, speed, turn + 2 * kBossPi * i / count);
}

void FireFanOfAtPlayers(PictureId picture, double centreX, double centreY, int count, double spread, double speed) {
  for (int p = 0; p < gameRecord.playerCount; ++p) {
    const double first = AngleToPlayer(p, centreX, centreY) - spread * (count - 1) / 2;
    for (int i = 0; i < count; ++i) SpawnShotOf(picture, centreX, centreY, speed, first + spread * i);
  }
}

void FireWall(double x, int count, double spacing, int gapStart, int gapSize, double speed) {
  for (int i = 0; i < count; ++i) {
    if (i >= gapStart && i < gapStart + gapSize) continue;
    SpawnEnemyShot(x, 8 + spacing * i, speed, kBossPi);
  }
}

void FireWallAwayFrom(int p, double x, int count, double spacing, int gapSize, int nearShift, int farShift,
                      double speed) {
  const PlayerRecord& player = gameRecord.players[p];
  const double row = player.y + PlayerHeight() / 2;
  const double shift = nearShift + Rand() % (farShift - nearShift + 1);
  const double top = 8 + PictureHeight(PIX_TEKITAMA) / 2.0;  // the first shot's centre
  const double bottom = top + spacing * (count - 1);
  double gapY = Rand() % 2 == 0 ? row - shift : row + shift;
  if (gapY < top + spacing) gapY = row + shift;
  if (gapY > bottom - spacing) gapY = row - shift;
  // Onto the shots' grid, away from her row, so the gap is never nearer than nearShift.
  const double exact = (gapY - top) / spacing - (gapSize - 1) / 2.0;
  int gapStart = static_cast<int>(gapY < row ? std::floor(exact) : std::ceil(exact));
  gapStart = gapStart < 0 ? 0 : gapStart > count - gapSize ? count - gapSize : gapStart;
  FireWall(x, count, spacing, gapStart, gapSize, speed);
}

double Approach(double value, double target, double step) {
  if (value < target - step) return value + step;
  if (value > target + step) return value - step;
  return target;
}
