// The boss of stage 20. Not built yet: it falls as soon as it is set up.
#include "game/boss_kinds.h"
#include "gfx/gfx.h"

namespace {

int HitPoints(int gameMode, int playerCount) {
  (void)gameMode;
  (void)playerCount;
  return 0;
}

void Fly(BossRecord& boss) { (void)boss; }

bool HitByShot(const BossRecord& boss, const PlayerShot& shot) {
  return ShotHitsCircle(shot, boss.x + PictureWidth(boss.picture) / 2, boss.y + PictureHeight(boss.picture) / 2,
                        boss.halfWidth);
}

void Draw(const BossRecord& boss, int alpha) { DrawPlay(boss.picture, boss.x, boss.y, alpha); }

}  // namespace

const BossKind kBossOfStage20 = {PIZ_BOSS4A, HitPoints, Fly, HitByShot, Draw};
