// The boss of stage 10. Its path and attacks are not built yet; its hit points are.
#include "game/boss_kinds.h"
#include "gfx/gfx.h"

namespace {

int HitPoints(int gameMode, int playerCount) {
  return (gameMode != MODE_TRIAL ? 40 : 35) + (playerCount == 2 ? 15 : 0) + (gameMode == MODE_LUNATIC ? 10 : 0);
}

void Fly(BossRecord& boss) { (void)boss; }

bool HitByShot(const BossRecord& boss, const PlayerShot& shot) {
  return ShotHitsCircle(shot, boss.x + PictureWidth(boss.picture) / 2, boss.y + PictureHeight(boss.picture) / 2,
                        boss.halfWidth);
}

void Draw(const BossRecord& boss, int alpha) { DrawPlay(boss.picture, boss.x, boss.y, alpha); }

}  // namespace

const BossKind kBossOfStage10 = {PIZ_BOSS2RA, HitPoints, Fly, HitByShot, Draw};
