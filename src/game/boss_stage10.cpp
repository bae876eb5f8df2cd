// The boss of stage 10: sweeps across the whole screen and back, turning at each end, and every
// so often throws shots straight up and down from both sides. Shots and bodies meet the part box
// of the frame it shows, not its whole picture.
#include <cmath>

#include "game/boss_kinds.h"
#include "gfx/gfx.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kFrameCount = 14;  // PIZ_BOSS2RA..RG face right, PIZ_BOSS2LA..LG face left

struct PartBox {
  int left, top, right, bottom;  // offsets from the boss's (x, y)
};
constexpr PartBox kPartBoxes[kFrameCount] = {
    {23, 42, 101, 85}, {23, 42, 101, 85}, {23, 42, 101, 85}, {55, 46, 89, 99}, {24, 56, 95, 90},
    {40, 35, 99, 97},  {31, 50, 87, 106}, {26, 42, 103, 85}, {26, 42, 103, 85}, {26, 42, 103, 85},
    {20, 34, 84, 84},  {21, 32, 88, 69},  {37, 14, 80, 98},  {33, 39, 60, 96},
};

int HitPoints(int gameMode, int playerCount) {
  return (gameMode != MODE_TRIAL ? 40 : 35) + (playerCount == 2 ? 15 : 0) + (gameMode == MODE_LUNATIC ? 10 : 0);
}

// Four shots in a fixed order: both sides up, then both sides down.
void ThrowShots(const BossRecord& boss) {
  const double speed = gameRecord.gameMode != MODE_TRIAL ? 12 : 8;
  const double left = boss.x;
  const double right = boss.x + PictureWidth(PIZ_BOSS2RA);
  const double middle = boss.y + PictureHeight(PIZ_BOSS2RA) / 2;
  SpawnEnemyShot(left, middle, speed, -kPi / 2);
  SpawnEnemyShot(right, middle, speed, -kPi / 2);
  SpawnEnemyShot(left, middle, speed, kPi / 2);
  SpawnEnemyShot(right, middle, speed, kPi / 2);
}

// The frame for a point of the sweep: walking left on the lower half of the ellipse (y grows
// downwards), walking right on the upper half, turning at each end.
int FrameAt(double angle) {
  static constexpr int kWalkLeft[4] = {7, 8, 9, 8};
  static constexpr int kWalkRight[4] = {0, 1, 2, 1};
  const int step = (gameRecord.frameCounter / 2) % 4;
  if (angle < kPi / 20) return 5;
  if (angle < kPi / 10) return 6;
  if (angle < 0.9 * kPi) return kWalkLeft[step];
  if (angle < 0.95 * kPi) return 10;
  if (angle < kPi) return 11;
  if (angle < 1.05 * kPi) return 12;
  if (angle < 1.1 * kPi) return 13;
  if (angle < 1.9 * kPi) return kWalkRight[step];
  if (angle < 1.95 * kPi) return 3;
  return 4;
}

bool HitsPartBox(const BossRecord& boss, double left, double top, double right, double bottom) {
  const PartBox& box = kPartBoxes[boss.frame >= 0 && boss.frame < kFrameCount ? boss.frame : 0];
  return BoxHit(left, top, right, bottom, boss.x + box.left, boss.y + box.top, boss.x + box.right,
                boss.y + box.bottom);
}

void TouchPlayers(const BossRecord& boss) {
  for (int p = 0; p < gameRecord.playerCount; ++p) {
    PlayerRecord& player = gameRecord.players[p];
    if (player.damageTimer != 0) continue;
    const double centreX = player.x + PlayerWidth() / 2;
    const double centreY = player.y + PlayerHeight() / 2;
    if (HitsPartBox(boss, centreX - 3, centreY - 3, centreX + 3, centreY + 3)) DamagePlayer(player);
  }
}

void Fly(BossRecord& boss) {
  boss.x = 250 + 250 * std::cos(boss.angle);
  boss.y = 170 + 30 * std::sin(boss.angle);
  if (++boss.attackTimer > 10) {
    boss.attackTimer = 0;
    if (Rand() % 3 == 0) ThrowShots(boss);
  }
  boss.angle += kPi / 120;
  if (boss.angle > 2 * kPi) boss.angle -= 2 * kPi;
  boss.frame = static_cast<std::int16_t>(FrameAt(boss.angle));
  TouchPlayers(boss);
}

bool HitByShot(const BossRecord& boss, const PlayerShot& shot) {
  return HitsPartBox(boss, shot.prevX, shot.y, shot.x + PictureWidth(shot.picture),
                     shot.y + PictureHeight(shot.picture));
}

void Draw(const BossRecord& boss, int alpha) {
  DrawPlay(static_cast<PictureId>(PIZ_BOSS2RA + boss.frame), boss.x, boss.y, alpha);
}

}  // namespace

const BossKind kBossOfStage10 = {PIZ_BOSS2RA, HitPoints, Fly, HitByShot, Draw};
