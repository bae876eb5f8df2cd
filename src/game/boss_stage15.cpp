// The boss of stage 15: a tengu's head on beating wings. It flies a tall figure eight on the
// right and fans shots from its long nose at the players; past half its life it flies faster,
// widens the fans and sheds rings of feathers between them.
#include <cmath>

#include "game/boss_patterns.h"
#include "gfx/gfx.h"

namespace {

// The head, with the wings' roots, is what shots hit; the body that hurts is the head alone.
constexpr double kCentreX = 64, kCentreY = 64, kBodyRadius = 36;
// The nose tip, where the fans leave (a shot's top-left corner).
constexpr double kNoseX = 1, kNoseY = 63;

int HitPoints(int gameMode, int playerCount) {
  return (gameMode != MODE_TRIAL ? 45 : 40) + (playerCount == 2 ? 15 : 0) + (gameMode == MODE_LUNATIC ? 10 : 0);
}

void Fly(BossRecord& boss) {
  const int phase = LifePhase(boss, 50, 0);
  boss.x = 448 + 50 * std::sin(2 * boss.angle);
  boss.y = 180 + 130 * std::sin(boss.angle);
  boss.angle += kBossPi / (phase == 0 ? 200 : 140);
  if (boss.angle > 2 * kBossPi) boss.angle -= 2 * kBossPi;

  ++boss.attackTimer;
  if (boss.attackTimer >= (phase == 0 ? 50 : 40)) {
    boss.attackTimer = 0;
    ++boss.frame;  // volleys fired, to alternate the patterns
    if (phase == 0) {
      FireFanAtPlayers(boss.x + kNoseX, boss.y + kNoseY, 5, 0.2, BossShotSpeed(4));
    } else if (boss.frame % 2 == 0) {
      FireFanAtPlayers(boss.x + kNoseX, boss.y + kNoseY, 7, 0.16, BossShotSpeed(5));
    } else {
      const double half = PictureWidth(PIX_TEKITAMA) / 2;
      FireRing(boss.x + kCentreX - half, boss.y + kCentreY - half, 14, (Rand() % 64) * kBossPi / 32, BossShotSpeed(3));
    }
  }
  TouchPlayersWithCircle(boss.x + kCentreX, boss.y + kCentreY, kBodyRadius);
}

bool HitByShot(const BossRecord& boss, const PlayerShot& shot) {
  return ShotHitsCircle(shot, boss.x + kCentreX, boss.y + kCentreY, boss.halfWidth);
}

void Draw(const BossRecord& boss, int alpha) {
  // The wings beat faster once it is hurt.
  const int beat = boss.hitPoints * 2 > boss.maxHitPoints ? 4 : 2;
  DrawPlay(static_cast<PictureId>(PIZ_BOSS3A + (gameRecord.frameCounter / beat) % 6), boss.x, boss.y, alpha);
}

}  // namespace

const BossKind kBossOfStage15 = {PIZ_BOSS3A, HitPoints, Fly, HitByShot, Draw};
