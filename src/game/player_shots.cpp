// The players' shots: the fire operation, flight, the swept hit test and the beam drawing.
#include "game/play.h"
#include "gfx/gfx.h"
#include "sound/sound.h"

namespace {

// Each enemy slot as a circle, worked out once per frame and again for a slot that a shot
// changed (a capsule's picture shrinks, a killed enemy becomes an explosion).
struct Target {
  bool live;  // kinds 1..5
  double centreX, centreY, radius;
};
Target targets[kEnemySlots];

void UpdateTarget(int slot) {
  const EnemySlot& enemy = gameRecord.enemies[slot];
  Target& target = targets[slot];
  target.live = enemy.kind >= KIND_WALKER && enemy.kind <= KIND_CAPSULE;
  if (!target.live) return;
  target.radius = PictureHeight(enemy.picture) / 2;
  target.centreX = enemy.x + PictureWidth(enemy.picture) / 2;
  target.centreY = enemy.y + target.radius;
}

// True when the shot hit something and, not piercing, is gone.
bool TestAgainstEnemies(PlayerShot& shot) {
  const int shotW = PictureWidth(shot.picture);
  const double radius = PictureHeight(shot.picture) / 2;
  const double x0 = shot.prevX + shotW / 2;
  const double x1 = shot.x + shotW / 2;
  const double centreY = shot.y + radius;
  const int owner = shot.owner;
  const auto sparks = static_cast<PictureId>(PIC_DAMAGEEFFECT1 + gameRecord.players[owner - 1].weapon);
  for (int slot = 0; slot < kEnemySlots; ++slot) {
    const Target& target = targets[slot];
    if (!target.live || !SweptCircleHit(x0, x1, centreY, radius, target.centreX, target.centreY, target.radius))
      continue;
    EnemySlot& enemy = gameRecord.enemies[slot];
    if (enemy.kind == KIND_CAPSULE) {
      HitCapsule(enemy);
    } else {
      DamageEnemy(enemy, owner);
    }
    UpdateTarget(slot);
    SpawnHitSparks(shot.x, shot.y, sparks);
    if (shot.piercing == 0) {
      shot.owner = 0;
      return true;
    }
  }
  return false;
}

}  // namespace

int FirePlayerShot(bool piercing, double x, double y, double startX, double startY, int owner) {
  for (int i = 0; i < kPlayerShotSlots; ++i) {
    PlayerShot& shot = gameRecord.playerShots[i];
    if (shot.owner != 0) continue;
    shot.x = x;
    shot.y = y;
    shot.prevX = startX;
    shot.prevY = startY;
    shot.piercing = piercing ? 1 : 0;
    shot.owner = static_cast<std::uint8_t>(owner);
    shot.picture = static_cast<std::int16_t>(PIZ_TAMA1 + gameRecord.players[owner - 1].weapon);
    shot.age = 0;
    SpawnCasing(x, y);
    // The rapid shots play 5 dB quieter: there are many more of them.
    if (piercing) {
      PlaySoundEffect(WAV_SHOT_2, 0);
    } else {
      PlaySoundEffect(WAV_SHOT_1, -500);
    }
    return i;
  }
  return -1;
}

bool PlayerHasShot(int owner) {
  for (const PlayerShot& shot : gameRecord.playerShots) {
    if (shot.owner == owner) return true;
  }
  return false;
}

void MovePlayerShots() {
  const bool bossStage = IsBossStage(gameRecord.stageIndex);
  if (!bossStage) {
    for (int slot = 0; slot < kEnemySlots; ++slot) UpdateTarget(slot);
  }
  for (int i = 0; i < kPlayerShotSlots; ++i) {
    PlayerShot& shot = gameRecord.playerShots[i];
    if (shot.owner == 0) continue;
    shot.x += 16;
    ++shot.age;
    if (shot.x > 640) {
      shot.owner = 0;
      continue;
    }
    if (bossStage) {
      if (BossAlive() && BossHitByShot(shot)) {
        ScoreBossHit(shot.owner);
        SpawnHitSparks(shot.x, shot.y,
                       static_cast<PictureId>(PIC_DAMAGEEFFECT1 + gameRecord.players[shot.owner - 1].weapon));
        if (shot.piercing == 0) {
          shot.owner = 0;
          continue;
        }
      }
    } else if (TestAgainstEnemies(shot)) {
      continue;
    }
    shot.prevX = shot.x;
    shot.prevY = shot.y;
  }
}

void DrawPlayerShots() {
  for (const PlayerShot& shot : gameRecord.playerShots) {
    if (shot.owner == 0) continue;
    if (shot.piercing == 0) {
      DrawPlay(shot.picture, shot.x, shot.y, 255);
      continue;
    }
    // A beam: copies trailing to the left, as far as the shot has flown, each fainter.
    const int width = PictureWidth(shot.picture);
    const int copies = shot.age < 7 ? shot.age : 7;
    for (int i = 0; i < copies; ++i) DrawPlay(shot.picture, shot.x - i * width, shot.y, gameRecord.fadeAlpha - 40 * i);
  }
}
