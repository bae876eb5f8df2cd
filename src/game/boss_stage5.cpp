// The boss of stage 5: laps of a tall ellipse, each ending at its leftmost point with a pause in
// which it fires a line of aimed shots at every player. A circle for shots and bodies.
#include <cmath>

#include "game/boss_kinds.h"
#include "gfx/gfx.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kPauseFrames = 30;
constexpr int kFireAt = 15;  // the pause's 15th frame

int HitPoints(int gameMode, int playerCount) {
  return (gameMode != MODE_TRIAL ? 35 : 30) + (playerCount == 2 ? 10 : 0) + (gameMode == MODE_LUNATIC ? 10 : 0);
}

double CentreX(const BossRecord& boss) { return boss.x + PictureWidth(boss.picture) / 2; }
double CentreY(const BossRecord& boss) { return boss.y + PictureHeight(boss.picture) / 2; }

// Five shots per player from the muzzle, all along one aim, each faster than the one before: a
// line of bullets that stretches out in flight.
void FireAtPlayers(const BossRecord& boss) {
  const int m = gameRecord.gameMode == MODE_TRIAL ? 1 : 2;
  for (int p = 0; p < gameRecord.playerCount; ++p) {
    const double aim = AngleToPlayer(p, boss.x, boss.y + boss.halfWidth);
    for (int speed = 8; speed <= 12; ++speed) SpawnEnemyShot(boss.x + 28, boss.y + 54, speed * m, aim);
  }
}

void Fly(BossRecord& boss) {
  if (boss.attackTimer <= 0) {
    boss.x = 400 - 50 * std::cos(boss.angle);
    boss.y = 170 + 150 * std::sin(boss.angle);
    boss.angle += kPi / 60;
    if (boss.angle > 2 * kPi) {
      boss.angle -= 2 * kPi;
      boss.attackTimer = kPauseFrames;
    }
  } else if (--boss.attackTimer == kFireAt) {
    FireAtPlayers(boss);
  }
  TouchPlayersWithCircle(CentreX(boss), CentreY(boss), boss.halfWidth);
}

bool HitByShot(const BossRecord& boss, const PlayerShot& shot) {
  return ShotHitsCircle(shot, CentreX(boss), CentreY(boss), boss.halfWidth);
}

// The pause shows the firing pictures by how far it has run; the laps alternate two pictures.
PictureId PictureFor(const BossRecord& boss) {
  const int t = boss.attackTimer;
  if (t >= 26 && t <= 29) return PIC_BOSS1_SHOT1;
  if (t >= 22 && t <= 25) return PIC_BOSS1_SHOT2;
  if (t >= 18 && t <= 21) return PIC_BOSS1_SHOT3;
  if (t >= 14 && t <= 17) return PIC_BOSS1_SHOT4;
  return static_cast<PictureId>(PIC_BOSS1_NORMAL1 + (gameRecord.frameCounter / 2) % 2);
}

void Draw(const BossRecord& boss, int alpha) { DrawPlay(PictureFor(boss), boss.x, boss.y, alpha); }

}  // namespace

const BossKind kBossOfStage5 = {PIC_BOSS1_NORMAL1, HitPoints, Fly, HitByShot, Draw};
