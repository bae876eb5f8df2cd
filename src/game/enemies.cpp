// The enemy pool: placement from the stage lists, the per-frame pass over every slot (the fighting
// kinds' moves, capsules, explosions, markers, body contact) and the slots' drawing.
#include "game/enemy_kinds.h"
#include "game/play.h"
#include "gfx/gfx.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

PictureId BasePicture(int kind) {
  switch (kind) {
    case KIND_WALKER: return PIC_OTA_LEFT_STAND_1;
    case KIND_CLINGER: return PIC_HYO_UP_1;
    case KIND_FIRE_CART: return PIC_KASHA_HEAD_1;
    case KIND_WISP: return PIC_HITOTAMA_1;
    case KIND_CAPSULE: return PIC_ITEM5;
    case KIND_EXPLOSION: return PIC_BAKU1;
    default: return 0;
  }
}

void TouchPlayers(const EnemySlot& enemy) {
  const double radius = PictureHeight(enemy.picture) / 2;
  const double centreX = enemy.x + PictureWidth(enemy.picture) / 2;
  const double centreY = enemy.y + radius;
  for (int p = 0; p < gameRecord.playerCount; ++p) {
    PlayerRecord& player = gameRecord.players[p];
    if (player.damageTimer == 0 && PlayerTouches(player, centreX, centreY, radius)) DamagePlayer(player);
  }
}

void DriftCapsule(EnemySlot& capsule, bool bossStage) {
  capsule.x -= gameRecord.gameMode != MODE_TRIAL ? capsule.speed * 1.5 : capsule.speed;
  if (capsule.x <= -PlayerWidth()) {
    capsule.kind = KIND_FREE;
    return;
  }
  if (!bossStage) CollectCapsule(capsule);
}

}  // namespace

int PlaceEnemy(const StageEntry& entry, int hitPoints) {
  if (entry.kind == 0) return -1;
  for (int i = 0; i < kEnemySlots; ++i) {
    EnemySlot& slot = gameRecord.enemies[i];
    if (slot.kind != KIND_FREE) continue;
    ClearRecords(&slot, 1);
    slot.x = slot.baseX = 8.0 * entry.x;
    slot.y = slot.baseY = 8.0 * entry.y;
    slot.kind = entry.kind;
    slot.state = entry.state;
    slot.hitPoints = static_cast<std::int16_t>(hitPoints);
    slot.picture = BasePicture(entry.kind);
    slot.counter = entry.kind == KIND_CAPSULE ? 5 : 0;
    slot.speed = entry.kind == KIND_WISP ? 0.0 : 4.0;
    if (entry.kind == KIND_WALKER || entry.kind == KIND_CLINGER) {
      // Each walker and clinger wobbles in its own phase, taken from its column.
      slot.angle = slot.x * kPi / 120;
      while (slot.angle > 2 * kPi) slot.angle -= 2 * kPi;
    }
    return i;
  }
  return -1;
}

void MoveEnemySlots() {
  const bool bossStage = IsBossStage(gameRecord.stageIndex);
  for (int i = 0; i < kEnemySlots; ++i) {
    EnemySlot& slot = gameRecord.enemies[i];
    switch (slot.kind) {
      case KIND_WALKER:
      case KIND_CLINGER:
      case KIND_FIRE_CART:
      case KIND_WISP:
        MoveFightingEnemy(slot, i);
        if (!bossStage) TouchPlayers(slot);
        break;
      case KIND_CAPSULE:
        DriftCapsule(slot, bossStage);
        break;
      case KIND_EXPLOSION:
      case KIND_MARKER:
        if (++slot.counter >= 60) slot.kind = KIND_FREE;
        break;
      default:
        break;
    }
  }
}

void DrawEnemySlots() {
  for (int i = 0; i < kEnemySlots; ++i) {
    const EnemySlot& slot = gameRecord.enemies[i];
    switch (slot.kind) {
      case KIND_WALKER:
      case KIND_CLINGER:
      case KIND_FIRE_CART:
      case KIND_WISP:
        DrawFightingEnemy(slot, i);
        break;
      case KIND_CAPSULE:
        DrawPlay(slot.picture, slot.x, slot.y, 255);
        break;
      case KIND_EXPLOSION:
      case KIND_MARKER:
        DrawExplosionOrMarker(slot);
        break;
      default:
        break;
    }
  }
}

bool AnyEnemyLeft() {
  for (const EnemySlot& slot : gameRecord.enemies) {
    if (slot.kind >= KIND_WALKER && slot.kind <= KIND_CAPSULE) return true;
  }
  return false;
}

void DamageEnemy(EnemySlot& enemy, int owner) {
  if (--enemy.hitPoints < 1) KillEnemy(enemy, owner);
}
