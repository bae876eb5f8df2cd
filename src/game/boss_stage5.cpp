// The boss of stage 5. Its path and attacks are not built yet; its hit points are.
#include "game/boss_kinds.h"
#include "gfx/gfx.h"

namespace {

int HitPoints(int gameMode, int playerCount) {
  return (gameMode != MODE_TRIAL ? 35 : 30) + (playerCount == 2 ? 10 : 0) + (gameMode == MODE_LUNATIC ? 10 : 0);
}

void Fly(BossRecord& boss) { (void)boss; }

bool HitByShot(const BossRecord& boss, const PlayerShot& shot) {
  return ShotHitsCircle(shot, boss.x + PictureWidth(boss.picture) / 2, boss.y + PictureHeight(boss.picture) / 2,
                        boss.halfWidth);
}

void Draw(const BossRecord& boss, int alpha) { DrawPlay(boss.picture, boss.x, boss.y, alpha); }

}  // namespace

const BossKind kBossOfStage5 = {PIC_BOSS1_NORMAL1, HitPoints, Fly, HitByShot, Draw};
