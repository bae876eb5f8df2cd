// The boss of stage 15: a tengu's head on beating wings. It flies a tall figure eight on the
// right and fans shots from its long nose at the players; hurt, it sheds rings of feathers
// between the fans, and at the last it swoops nearer, fanning and shedding faster.
#include <cmath>

#include "game/boss_patterns.h"
#include "gfx/gfx.h"

namespace {

// Shots hit its upright body, head to tail; the body that hurts is the head alone.
constexpr double kColumnX = 52, kColumnTop = 12, kColumnBottom = 116, kColumnRadius = 12;
constexpr double kHeadX = 64, kHeadY = 64, kBodyRadius = 36;
// The nose tip and the wing roots, where the fans and the feathers leave (centres).
constexpr double kNoseX = 8, kNoseY = 70;
constexpr PictureId kFeather = PIX_TEKITAMA;

constexpr PhasePlan kPlan = {60, 25, {360, 320, 120}};

struct Phase {
  double homeX;     // the figure eight's middle
  int lap;          // frames a lap takes
  int volleyEvery;  // frames between volleys
  int fanShots;
  double fanSpeed;
  int ringShots;    // 0: no rings; else every other volley is a ring
  double ringSpeed;
  int wallEvery;    // frames between curtains of feathers
  double wallSpeed;
};
constexpr Phase kPhases[] = {
    {400, 400, 28, 5, 9, 0, 0, 140, 5},
    {380, 300, 26, 7, 10, 14, 6, 120, 5.5},
    {340, 240, 22, 9, 11, 0, 0, 90, 6},
};
// A curtain: 20 feathers 24 px apart down the field, 3 left out 40..100 px off a player's row.
constexpr int kWallShots = 20, kWallGap = 3, kWallNear = 40, kWallFar = 100;
constexpr double kWallSpacing = 24;

int HitPoints(int gameMode, int playerCount) {
  return (gameMode != MODE_TRIAL ? 40 : 36) + (playerCount == 2 ? 14 : 0) + (gameMode == MODE_LUNATIC ? 10 : 0);
}

void Fly(BossRecord& boss) {
  const Phase& phase = kPhases[RunPhase(boss, kPlan)];
  boss.angle += 2 * kBossPi / phase.lap;
  if (boss.angle > 2 * kBossPi) boss.angle -= 2 * kBossPi;
  boss.x = Approach(boss.x, phase.homeX + 50 * std::sin(2 * boss.angle), 4);
  boss.y = 180 + 130 * std::sin(boss.angle);

  if (++boss.attackTimer >= phase.volleyEvery) {
    boss.attackTimer = 0;
    ++boss.frame;  // volleys fired, to alternate the patterns
    if (phase.ringShots > 0 && boss.frame % 2 == 1) {
      FireRingOf(kFeather, boss.x + kHeadX, boss.y + kHeadY, phase.ringShots, (Rand() % 64) * kBossPi / 32,
                 BossShotSpeed(phase.ringSpeed));
    } else {
      FireFanOfAtPlayers(PIX_TEKITAMA, boss.x + kNoseX, boss.y + kNoseY, phase.fanShots, 0.16,
                         BossShotSpeed(phase.fanSpeed));
    }
  }
  const int wallAt = boss.phaseFrames % phase.wallEvery;
  if (wallAt == phase.wallEvery / 2) {
    const int target = (boss.phaseFrames / phase.wallEvery) % gameRecord.playerCount;
    FireWallAwayFrom(target, boss.x + kHeadX, kWallShots, kWallSpacing, kWallGap, kWallNear, kWallFar,
                     BossShotSpeed(phase.wallSpeed));
  }
  TouchPlayersWithCircle(boss.x + kHeadX, boss.y + kHeadY, kBodyRadius);
}

bool HitByShot(const BossRecord& boss, const PlayerShot& shot) {
  return !PhaseHolding(boss, kPlan) &&
         ShotHitsColumn(shot, boss.x + kColumnX, boss.y + kColumnTop, boss.y + kColumnBottom, kColumnRadius);
}

void Draw(const BossRecord& boss, int alpha) {
  // The wings beat faster as it is hurt.
  const int beat = boss.phase == 0 ? 4 : boss.phase == 1 ? 3 : 2;
  DrawPlay(static_cast<PictureId>(PIZ_BOSS3A + (gameRecord.frameCounter / beat) % 6), boss.x, boss.y,
           HoldingAlpha(boss, kPlan, alpha));
}

}  // namespace

const BossKind kBossOfStage15 = {PIZ_BOSS3A, HitPoints, Fly, HitByShot, Draw};
