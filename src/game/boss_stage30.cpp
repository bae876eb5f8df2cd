// The boss of stage 30, the last: a great coiled serpent that walls off the right of the field
// (a player at or right of its x is struck). It weaves up and down, rears and throws its scales
// at the players. Below 65 % of its life its coils shed rings between the throws; below 30 %
// it puts on its mask, creeps left, fires streams from the mask and a two-armed spiral from its
// coils. Each time it is driven into a worse phase it reels for a moment and holds its fire.
#include <cmath>

#include "game/boss_patterns.h"
#include "gfx/gfx.h"

namespace {

constexpr double kHomeX = 448;
constexpr int kReelFrames = 24;  // C1..C3, eight frames each
// Where a thrown scale and the mask's streams start (top-left of the picture thrown).
constexpr double kJawsX = 44, kJawsY = 40;
constexpr double kCoilsX = 80, kCoilsY = 120;
constexpr double kMaskX = 14, kMaskY = -14, kMaskMouthX = 55, kMaskMouthY = 51;
// Shots hit its upright neck and coils; the body that hurts is its whole picture's circle.
constexpr double kColumnX = 64, kColumnTop = 16, kColumnBottom = 144, kColumnRadius = 12;
// The mask's phase holds out longest: the last pattern is always fought.
constexpr PhasePlan kPlan = {65, 30, {480, 480, 480}};

struct Phase {
  int cycle;      // frames of one round of its attacks
  double creep;   // how far left of home it weaves
};
constexpr Phase kPhases[] = {{80, 40}, {70, 60}, {60, 100}};
// The throw: it rears from frame 40 and throws at 64; masked, it throws at 30.
constexpr int kRearStart = 40, kThrow = 64;
// Its scales shed as a wall: 20 shots 24 px apart down the field, 3 left out 40..100 px off a
// player's row.
constexpr int kWallShots = 20, kWallGap = 3, kWallNear = 40, kWallFar = 100;
constexpr double kWallSpacing = 24;

int HitPoints(int gameMode, int playerCount) {
  return (gameMode != MODE_TRIAL ? 50 : 45) + (playerCount == 2 ? 18 : 0) + (gameMode == MODE_LUNATIC ? 12 : 0);
}

// A scale at each player, from the jaws, with a fan in its wake.
void ThrowScales(const BossRecord& boss, int fanShots, double fanSpeed) {
  const double half = PictureWidth(PIX_BOSS6T) / 2;
  const double x = boss.x + kJawsX - half, y = boss.y + kJawsY - half;
  for (int p = 0; p < gameRecord.playerCount; ++p) {
    const double aim = AngleToPlayer(p, x + half, y + half);
    const int slot = SpawnEnemyShot(x, y, BossShotSpeed(6), aim);
    if (slot >= 0) gameRecord.enemyShots[slot].picture = PIX_BOSS6T;
  }
  const double small = PictureWidth(PIX_TEKITAMA) / 2;
  FireFanAtPlayers(boss.x + kJawsX - small, boss.y + kJawsY - small, fanShots, 0.22, BossShotSpeed(fanSpeed));
}

void Attack(const BossRecord& boss, int phase, int t) {
  const double small = PictureWidth(PIX_TEKITAMA) / 2;
  const double coilsX = boss.x + kCoilsX - small, coilsY = boss.y + kCoilsY - small;
  if (phase < 2) {
    if (t == kThrow) ThrowScales(boss, 5, phase == 0 ? 9 : 10);
    if (t == 0 && (phase == 1 || boss.phaseFrames % 160 < 80))
      FireWallAwayFrom(Rand() % gameRecord.playerCount, coilsX, kWallShots, kWallSpacing, kWallGap, kWallNear, kWallFar,
                       BossShotSpeed(phase == 0 ? 5 : 6));
    if (t == 20)
      FireRing(coilsX, coilsY, phase == 0 ? 12 : 14, (Rand() % 64) * kBossPi / 32, BossShotSpeed(phase == 0 ? 5 : 6));
    return;
  }
  if (t == 30) ThrowScales(boss, 5, 10);
  if (t == 0)
    FireWallAwayFrom(Rand() % gameRecord.playerCount, coilsX, kWallShots, kWallSpacing, kWallGap, kWallNear, kWallFar,
                     BossShotSpeed(7));
  if (t % 8 == 0) {
    const double turn = boss.angle * 13;
    SpawnEnemyShot(coilsX, coilsY, BossShotSpeed(6), turn);
    SpawnEnemyShot(coilsX, coilsY, BossShotSpeed(6), turn + kBossPi);
  }
  if (t < 24 && t % 4 == 0) FireFanAtPlayers(boss.x + kMaskMouthX, boss.y + kMaskMouthY, 1, 0, BossShotSpeed(12));
}

// frame keeps the phase it last fought in; attackTimer is negative while it reels.
void Fly(BossRecord& boss) {
  const int phase = RunPhase(boss, kPlan);
  if (phase > boss.frame) {
    boss.frame = static_cast<std::int16_t>(phase);
    boss.attackTimer = -kReelFrames;
    // The hurt coils lash out as it reels: a ring, so the reel is no rest.
    const double small = PictureWidth(PIX_TEKITAMA) / 2;
    FireRing(boss.x + kCoilsX - small, boss.y + kCoilsY - small, 12, (Rand() % 64) * kBossPi / 32, BossShotSpeed(5));
  }
  boss.angle += kBossPi / 240;
  if (boss.angle > 2 * kBossPi) boss.angle -= 2 * kBossPi;
  boss.x = Approach(boss.x, kHomeX - kPhases[phase].creep - 30 * (1 - std::cos(boss.angle)), 2);
  boss.y = 180 + 120 * std::sin(boss.angle);

  if (++boss.attackTimer >= kPhases[phase].cycle) boss.attackTimer = 0;
  if (boss.attackTimer >= 0) Attack(boss, phase, boss.attackTimer);

  const double centre = boss.halfWidth;
  TouchPlayersWithCircle(boss.x + centre, boss.y + PictureHeight(boss.picture) / 2, centre);
  for (int p = 0; p < gameRecord.playerCount; ++p) {
    PlayerRecord& player = gameRecord.players[p];
    if (player.damageTimer == 0 && player.x >= boss.x) DamagePlayer(player);
  }
}

bool HitByShot(const BossRecord& boss, const PlayerShot& shot) {
  return !PhaseHolding(boss, kPlan) &&
         ShotHitsColumn(shot, boss.x + kColumnX, boss.y + kColumnTop, boss.y + kColumnBottom, kColumnRadius);
}

PictureId Pose(const BossRecord& boss) {
  const int t = boss.attackTimer;
  if (t < 0) return static_cast<PictureId>(PIZ_BOSS6C1 + (t + kReelFrames) / 8);
  const int throwAt = boss.frame < 2 ? kThrow : 30;
  const int rearFrom = throwAt - (kThrow - kRearStart);
  if (t >= rearFrom && t <= throwAt) return static_cast<PictureId>(PIZ_BOSS6B1 + (t - rearFrom) * 4 / (throwAt - rearFrom + 1));
  return static_cast<PictureId>(PIZ_BOSS6A1 + (gameRecord.frameCounter / 8) % 4);
}

void Draw(const BossRecord& boss, int alpha) {
  alpha = HoldingAlpha(boss, kPlan, alpha);
  DrawPlay(Pose(boss), boss.x, boss.y, alpha);
  if (boss.frame == 2) DrawPlay(PIC_BOSS6M, boss.x + kMaskX, boss.y + kMaskY, alpha);
}

}  // namespace

const BossKind kBossOfStage30 = {PIZ_BOSS6A1, HitPoints, Fly, HitByShot, Draw};
