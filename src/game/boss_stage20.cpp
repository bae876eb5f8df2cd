// The boss of stage 20: a fox spirit in a circle of fire. It glides from one spot on the right to
// another and holds each for a while: it sheds a ring of foxfire as it arrives and throws small
// aimed fans while it waits. Below 60 % of its life a foxfire spiral turns round it while it
// waits, below 25 % the spiral has two arms, the rings are denser and it moves on sooner.
#include <cmath>

#include "game/boss_patterns.h"
#include "gfx/gfx.h"

namespace {

// Shots hit it, and it touches players, as the circle round its body at (x + 47, y + 59).
constexpr double kCentreX = 47, kCentreY = 59;

struct Spot {
  double x, y;
};
// Where it waits (top-left corners); the first is where every boss is set up. The later ones
// come nearer the players: a one-shot weapon spends less time in flight there.
constexpr Spot kSpots[] = {{448, 180}, {420, 60}, {460, 300}, {360, 120}, {380, 250}, {330, 180}};
constexpr int kSpotCount = sizeof kSpots / sizeof kSpots[0];

struct Phase {
  int stay;         // frames at a spot
  int ringShots;    // on arrival
  int fanShots;     // aimed, while waiting
  int fanEvery;     // frames between fans
  int spiralArms;   // 0: no spiral
  int spiralEvery;  // frames between the spiral's shots
  double glide;     // px per frame between spots
  double wallSpeed; // the wall of foxfire half-way through each wait
};
constexpr Phase kPhases[] = {
    {100, 12, 3, 30, 0, 0, 5, 5},
    {90, 12, 3, 40, 1, 6, 6, 5.5},
    {70, 12, 5, 35, 2, 10, 7, 6.5},
};
// The wall: 20 foxfires 24 px apart down the field, 3 left out 40..100 px off a player's row.
constexpr int kWallShots = 20, kWallGap = 3, kWallNear = 40, kWallFar = 100;
constexpr double kWallSpacing = 24;
// The circle is broad, so a beam lingers in it: each phase holds out a while.
constexpr PhasePlan kPlan = {60, 25, {480, 480, 220}};

int HitPoints(int gameMode, int playerCount) {
  return (gameMode != MODE_TRIAL ? 42 : 38) + (playerCount == 2 ? 15 : 0) + (gameMode == MODE_LUNATIC ? 10 : 0);
}

// The spot it waits at is kept in frame; attackTimer counts the frames it has waited there.
void Fly(BossRecord& boss) {
  const Phase& phase = kPhases[RunPhase(boss, kPlan)];
  const Spot& spot = kSpots[boss.frame];
  const double dx = spot.x - boss.x;
  const double dy = spot.y - boss.y;
  const double distance = std::sqrt(dx * dx + dy * dy);
  const double half = PictureWidth(PIX_TEKITAMA) / 2;
  const double fromX = boss.x + kCentreX - half;
  const double fromY = boss.y + kCentreY - half;
  if (distance > phase.glide) {
    boss.x += dx / distance * phase.glide;
    boss.y += dy / distance * phase.glide;
  } else {
    boss.x = spot.x;
    boss.y = spot.y;
    ++boss.attackTimer;
    const int t = boss.attackTimer;
    if (t == 1) FireRing(fromX, fromY, phase.ringShots, (Rand() % 64) * kBossPi / 32, BossShotSpeed(5));
    if (t == (&phase == &kPhases[0] ? phase.stay - 20 : phase.stay / 2))
      FireWallAwayFrom(Rand() % gameRecord.playerCount, fromX, kWallShots, kWallSpacing, kWallGap, kWallNear, kWallFar,
                       BossShotSpeed(phase.wallSpeed));
    if (t % phase.fanEvery == 0) FireFanAtPlayers(fromX, fromY, phase.fanShots, 0.22, BossShotSpeed(9));
    if (phase.spiralArms > 0 && t % phase.spiralEvery == 0) {
      boss.angle += 0.45;
      if (boss.angle > 2 * kBossPi) boss.angle -= 2 * kBossPi;
      for (int arm = 0; arm < phase.spiralArms; ++arm)
        SpawnEnemyShot(fromX, fromY, BossShotSpeed(6), boss.angle + 2 * kBossPi * arm / phase.spiralArms);
    }
    if (t >= phase.stay) {
      boss.attackTimer = 0;
      const int next = Rand() % kSpotCount;
      boss.frame = static_cast<std::int16_t>(next == boss.frame ? (next + 1) % kSpotCount : next);
    }
  }
  TouchPlayersWithCircle(boss.x + kCentreX, boss.y + kCentreY, boss.halfWidth);
}

bool HitByShot(const BossRecord& boss, const PlayerShot& shot) {
  return !PhaseHolding(boss, kPlan) && ShotHitsCircle(shot, boss.x + kCentreX, boss.y + kCentreY, boss.halfWidth);
}

void Draw(const BossRecord& boss, int alpha) {
  DrawPlay(static_cast<PictureId>(PIZ_BOSS4A + (gameRecord.frameCounter / 4) % 6), boss.x, boss.y,
           HoldingAlpha(boss, kPlan, alpha));
}

}  // namespace

const BossKind kBossOfStage20 = {PIZ_BOSS4A, HitPoints, Fly, HitByShot, Draw};
