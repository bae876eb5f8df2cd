// Short-lived effects and the enemy shots: hit sparks, casings, big explosions.
#include <cmath>

#include "game/play.h"
#include "gfx/gfx.h"
#include "sound/sound.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
}

int SpawnEnemyShot(double x, double y, double speed, double angle) {
  for (int i = 0; i < kEnemyShotSlots; ++i) {
    EnemyShot& shot = gameRecord.enemyShots[i];
    if (shot.active != 0) continue;
    shot.x = x;
    shot.y = y;
    shot.speed = speed;
    shot.angle = angle;
    shot.stepX = std::cos(angle) * speed;
    shot.stepY = std::sin(angle) * speed;
    shot.picture = PIX_TEKITAMA;
    shot.active = 1;
    return i;
  }
  return -1;
}

int SpawnBigExplosion(double x, double y) {
  for (int i = 0; i < kEnemySlots; ++i) {
    EnemySlot& slot = gameRecord.enemies[i];
    if (slot.kind != KIND_FREE) continue;
    ClearRecords(&slot, 1);
    slot.kind = KIND_EXPLOSION;
    slot.x = slot.baseX = x;
    slot.y = slot.baseY = y;
    slot.picture = PIC_BIGBAKU1;
    PlaySoundEffect(WAV_ENEMY_DAMAGE, 0);
    return i;
  }
  return -1;
}

int SpawnHitSparks(double x, double y, PictureId picture) {
  int last = -1;
  int slot = 0;
  for (int n = 0; n < 10; ++n) {
    while (slot < kHitSparkSlots && gameRecord.sparks[slot].picture != 0) ++slot;
    if (slot == kHitSparkSlots) break;
    HitSpark& spark = gameRecord.sparks[slot];
    spark.x = x;
    spark.y = y;
    spark.speed = 5;
    spark.angle = (Rand() % 21) * kPi / 40 + 3 * kPi / 4;
    spark.stepX = std::cos(spark.angle) * spark.speed;
    spark.stepY = std::sin(spark.angle) * spark.speed;
    spark.picture = picture;
    spark.opacity = 255;
    last = slot++;
  }
  return last;
}

int SpawnCasing(double x, double y) {
  for (int i = 0; i < kCasingSlots; ++i) {
    Casing& casing = gameRecord.casings[i];
    if (casing.variant != 0) continue;
    casing.x = x;
    casing.y = y;
    casing.vx = Rand() % 4 - 5;
    casing.vy = Rand() % 4 - 5;
    casing.gravity = 1.0;
    casing.variant = static_cast<std::uint8_t>(Rand() % 4 + 1);
    return i;
  }
  return -1;
}

void MoveCasings() {
  for (Casing& casing : gameRecord.casings) {
    if (casing.variant == 0) continue;
    casing.y += casing.vy;
    if (casing.y > 480) {
      casing.variant = 0;
      continue;
    }
    casing.x += casing.vx;
    casing.vy += casing.gravity;
  }
}

void DrawCasings() {
  for (const Casing& casing : gameRecord.casings) {
    if (casing.variant != 0) DrawPlay(static_cast<PictureId>(PIX_YAKKYO1 + casing.variant - 1), casing.x, casing.y, 255);
  }
}

void MoveEnemyShots() {
  const int w = PlayerWidth();
  const int h = PlayerHeight();
  for (EnemyShot& shot : gameRecord.enemyShots) {
    if (shot.active == 0) continue;
    shot.x += shot.stepX;
    shot.y += shot.stepY;
    // The lower bound has always been 640 + h, not the screen's height.
    if (shot.x < -w || shot.x > 640 + w || shot.y < -h || shot.y > 640 + h) {
      shot.active = 0;
      continue;
    }
    const double radius = PictureHeight(shot.picture) / 2;
    const double centreX = shot.x + PictureWidth(shot.picture) / 2;
    const double centreY = shot.y + radius;
    for (int p = 0; p < gameRecord.playerCount; ++p) {
      PlayerRecord& player = gameRecord.players[p];
      if (player.damageTimer == 0 && PlayerTouches(player, centreX, centreY, radius)) DamagePlayer(player);
    }
  }
}

void DrawEnemyShots() {
  for (const EnemyShot& shot : gameRecord.enemyShots) {
    if (shot.active != 0) DrawPlay(shot.picture, shot.x, shot.y, 255);
  }
}

void DrawAndMoveSparks() {
  for (HitSpark& spark : gameRecord.sparks) {
    if (spark.picture == 0) continue;
    DrawPlay(spark.picture, spark.x, spark.y, spark.opacity);
    spark.x += spark.stepX;
    spark.y += spark.stepY;
    spark.opacity = static_cast<std::int16_t>(spark.opacity - 20);
    if (spark.opacity <= 0) spark.picture = 0;
  }
}
