// The four fighting kinds: the walker patrolling its row, the clinger on the ceiling or the
// floor, the bouncing fire cart and the dashing wisp. Each moves, fires and picks its picture
// here; difficulty comes from the mode and the number of players.
#include <cmath>

#include "game/enemy_kinds.h"
#include "gfx/gfx.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;
constexpr double kEnemyShotSpeed = 8;

bool Trial() { return gameRecord.gameMode == MODE_TRIAL; }
// Fire carts and wisps stay quiet only in one-player trial runs.
bool HardRun() { return !Trial() || gameRecord.playerCount == 2; }
// Player indices are taken modulo this; outside a run the count may still be 0.
int PlayerCount() { return gameRecord.playerCount == 2 ? 2 : 1; }

int Width(const EnemySlot& enemy) { return PictureWidth(enemy.picture); }
int Height(const EnemySlot& enemy) { return PictureHeight(enemy.picture); }

void AdvancePhase(EnemySlot& enemy, double step) {
  enemy.angle += step;
  if (enemy.angle > kTwoPi) enemy.angle -= kTwoPi;
}

// A shot from the enemy's centre; a full pool simply fires nothing.
void FireFromCentre(const EnemySlot& enemy, double angle) {
  SpawnEnemyShot(enemy.x + Width(enemy) / 2, enemy.y + Height(enemy) / 2, kEnemyShotSpeed, angle);
}

// -45, 0 or +45 degrees around the given direction.
double Spread(double around) { return (Rand() % 3) * kPi / 4 - kPi / 4 + around; }

void MoveWalker(EnemySlot& enemy) {
  const int w = Width(enemy);
  if (enemy.state == 0) {
    enemy.baseX -= Trial() ? enemy.speed : 2 * enemy.speed;
    if (enemy.baseX <= 0) {
      enemy.state = 1;
      // The first stage's walkers shoot straight; later ones spread their shots.
      FireFromCentre(enemy, gameRecord.stageIndex == 0 ? 0.0 : Spread(0));
      enemy.counter = 20;
    }
  } else {
    enemy.baseX += Trial() ? enemy.speed / 2 : enemy.speed;
    if (enemy.baseX >= 640 - w) {
      enemy.state = 0;
      if (!Trial()) {
        FireFromCentre(enemy, Spread(kPi));
        enemy.counter = 20;
      }
    }
  }
  if (enemy.counter > 0) --enemy.counter;
  enemy.y = enemy.baseY + 16 * std::sin(enemy.angle);
  enemy.x = enemy.baseX;
  AdvancePhase(enemy, kPi / 15);
}

bool CeilingClinger(const EnemySlot& enemy) { return enemy.baseY < 160; }

// A clinger fires on the frame its counter reaches 6 and then stays at 18 until it is reset.
constexpr int kClingerFireAt = 6;
constexpr int kClingerDone = 18;

void MoveClinger(EnemySlot& enemy) {
  const int w = Width(enemy);
  const int h = Height(enemy);
  const bool ceiling = CeilingClinger(enemy);
  const int players = gameRecord.playerCount;
  const PlayerRecord* player = gameRecord.players;
  if (ceiling && enemy.baseY > h) {
    enemy.baseY -= enemy.speed;
    if (enemy.baseY < h) enemy.baseY = h;
  } else if (ceiling) {
    // Arms while walking right, once a player is no further right than it; the walk back to
    // the left edge lets it arm again.
    const double step = Trial() ? enemy.speed : enemy.speed * 1.5;
    if (enemy.state == 0) {
      enemy.baseX += step;
      if (enemy.baseX < 640 - w) {
        for (int p = 0; p < players && enemy.counter == 0; ++p) {
          if (player[p].x - PlayerWidth() <= enemy.baseX) enemy.counter = 1;
        }
      } else {
        enemy.state = 1;
      }
    } else {
      enemy.baseX -= step;
      if (enemy.baseX <= 0) {
        enemy.state = 0;
        enemy.counter = 0;
      }
    }
  } else if (enemy.baseY < 480 - 2 * h) {
    enemy.baseY += enemy.speed;
    if (enemy.baseY > 480 - h) enemy.baseY = 480 - h;
  } else {
    // On the floor it arms while walking left; the right edge lets it arm again.
    const double step = Trial() ? enemy.speed : enemy.speed * 2;
    if (enemy.state == 0) {
      enemy.baseX += step;
      if (enemy.baseX >= 640 - w) {
        enemy.state = 1;
        enemy.counter = 0;
      }
    } else {
      enemy.baseX -= step;
      if (enemy.baseX > 0) {
        for (int p = 0; p < players && enemy.counter == 0; ++p) {
          if (enemy.baseX < player[p].x + 2 * w) enemy.counter = 1;
        }
      } else {
        enemy.state = 0;
      }
    }
  }
  if (enemy.counter >= 1 && enemy.counter < kClingerDone) {
    ++enemy.counter;
    if (enemy.counter == kClingerFireAt) FireFromCentre(enemy, ceiling ? kPi / 2 : -kPi / 2);
  }
  enemy.y = enemy.baseY + 16 * std::sin(enemy.angle);
  enemy.x = enemy.baseX;
  AdvancePhase(enemy, kPi / 30);
}

// Fire cart state bits.
constexpr std::uint8_t kMovingRight = 1;
constexpr std::uint8_t kMovingDown = 2;
constexpr int kVolleyInterval = 90;

void MoveFireCart(EnemySlot& enemy) {
  const double step = Trial() ? enemy.speed : enemy.speed * 1.5;
  if ((enemy.state & kMovingRight) == 0) {
    enemy.baseX -= step;
    if (enemy.baseX <= 0) enemy.state |= kMovingRight;
  } else {
    enemy.baseX += step;
    if (enemy.baseX > 640 - Width(enemy)) enemy.state &= static_cast<std::uint8_t>(~kMovingRight);
  }
  if ((enemy.state & kMovingDown) == 0) {
    enemy.baseY -= step;
    if (enemy.baseY <= 0) enemy.state |= kMovingDown;
  } else {
    enemy.baseY += step;
    if (enemy.baseY > 480 - Height(enemy)) enemy.state &= static_cast<std::uint8_t>(~kMovingDown);
  }
  enemy.y = enemy.baseY;
  enemy.x = enemy.baseX + 16 * std::cos(enemy.angle);
  AdvancePhase(enemy, kTwoPi / 45);

  if (!HardRun() || ++enemy.counter < kVolleyInterval) return;
  // A volley: one shot at each player's centre, from the cart's mouth.
  const double speed = (Trial() ? 0 : 10) + (gameRecord.playerCount == 2 ? 4 : 0);
  const double mouthX = enemy.x + 15;
  const double mouthY = enemy.y + 21;
  for (int p = 0; p < gameRecord.playerCount; ++p) {
    const PlayerRecord& player = gameRecord.players[p];
    const double dx = player.x + PlayerWidth() / 2 - mouthX;
    const double dy = player.y + PlayerHeight() / 2 - mouthY;
    SpawnEnemyShot(mouthX, mouthY, speed, std::atan2(dy, dx));
  }
  enemy.counter = 0;
}

// A wisp keeps its dash in its own fields: baseX is the acceleration, baseY the distance
// travelled, counter 0 aiming and 1 dashing.
void MoveWisp(EnemySlot& enemy, int slot) {
  if (enemy.counter == 0) {
    // Even slots hunt player 1, odd slots the last player.
    const PlayerRecord& target = gameRecord.players[slot % 2 == 0 ? 0 : PlayerCount() - 1];
    const double launchX = enemy.x + (Width(enemy) - PictureWidth(PIX_TEKITAMA)) / 2;
    const double launchY = enemy.y + (Height(enemy) - PictureHeight(PIX_TEKITAMA)) / 2;
    const double dx = target.x - launchX;
    const double dy = target.y - launchY;
    enemy.angle = std::atan2(dy, dx);
    enemy.dashLength = std::sqrt(dx * dx + dy * dy);
    enemy.speed = 1.0;
    enemy.baseY = 0;
    enemy.baseX = 0.01;
    if (HardRun()) SpawnEnemyShot(launchX, launchY, 10, enemy.angle);
    enemy.counter = 1;
    return;
  }
  if (enemy.baseY < enemy.dashLength) {
    if (enemy.speed < 16) enemy.speed += enemy.baseX;
    enemy.baseY += enemy.speed;
  } else if (enemy.speed < 1.0) {
    enemy.counter = 0;  // aims again next frame
  } else {
    enemy.speed -= 0.1;
  }
  enemy.x += std::cos(enemy.angle) * enemy.speed;
  enemy.y += std::sin(enemy.angle) * enemy.speed;
}

// The walker's picture row: stand or fire, by its direction, frame f.
PictureId WalkerPicture(const EnemySlot& enemy, int f) {
  const bool firing = enemy.counter > 0;
  const int first = enemy.state == 0 ? (firing ? PIC_OTA_LEFT_FIRE_1 : PIC_OTA_LEFT_STAND_1)
                                     : (firing ? PIC_OTA_RIGHT_FIRE_1 : PIC_OTA_RIGHT_STAND_1);
  return static_cast<PictureId>(first + f);
}

PictureId ClingerPicture(const EnemySlot& enemy) {
  const int base = CeilingClinger(enemy) ? PIC_HYO_DOWN_1 : PIC_HYO_UP_1;
  const int n = enemy.counter;
  const int frame = n >= 1 && n <= 3 ? 1 : n >= 4 && n <= 5 ? 2 : n >= 6 && n <= 17 ? 3 : 0;
  return static_cast<PictureId>(base + frame);
}

// The head turns to the player as on a keypad: 7 8 9 above, 4 and 6 level, 1 2 3 below.
PictureId FireCartHead(const EnemySlot& enemy, const PlayerRecord& player) {
  const int column = player.x < enemy.x ? 0 : player.x == enemy.x ? 1 : 2;
  const int row = player.y < enemy.y ? 0 : player.y == enemy.y ? 1 : 2;
  static constexpr std::int16_t kHeads[3][3] = {
      {PIC_KASHA_HEAD_7, PIC_KASHA_HEAD_8, PIC_KASHA_HEAD_9},
      {PIC_KASHA_HEAD_4, 0, PIC_KASHA_HEAD_6},
      {PIC_KASHA_HEAD_1, PIC_KASHA_HEAD_2, PIC_KASHA_HEAD_3},
  };
  const std::int16_t head = kHeads[row][column];
  return static_cast<PictureId>(head != 0 ? head : enemy.picture);
}

}  // namespace

void MoveFightingEnemy(EnemySlot& enemy, int slot) {
  switch (enemy.kind) {
    case KIND_WALKER: MoveWalker(enemy); break;
    case KIND_CLINGER: MoveClinger(enemy); break;
    case KIND_FIRE_CART: MoveFireCart(enemy); break;
    case KIND_WISP: MoveWisp(enemy, slot); break;
    default: break;
  }
}

void DrawFightingEnemy(const EnemySlot& enemy, int slot) {
  const int f = (gameRecord.frameCounter / 3) % 4;
  switch (enemy.kind) {
    case KIND_WALKER:
      DrawPlay(WalkerPicture(enemy, f), enemy.x, enemy.y, 255);
      break;
    case KIND_CLINGER:
      DrawPlay(ClingerPicture(enemy), enemy.x, enemy.y, 255);
      break;
    case KIND_FIRE_CART: {
      // The wheel is centred on the cart, the head drawn over it.
      const double wheelX = enemy.x - (PictureWidth(PIC_KASHA_KURUMA_1) - Width(enemy)) / 2;
      const double wheelY = enemy.y - (PictureHeight(PIC_KASHA_KURUMA_1) - Height(enemy)) / 2;
      DrawPlay(static_cast<PictureId>(PIC_KASHA_KURUMA_1 + f), wheelX, wheelY, 255);
      const PlayerRecord& player = gameRecord.players[slot % PlayerCount()];
      DrawPlay(FireCartHead(enemy, player), enemy.x, enemy.y, 255);
      break;
    }
    case KIND_WISP:
      DrawPlay(static_cast<PictureId>(PIC_HITOTAMA_1 + f), enemy.x, enemy.y, 255);
      break;
    default:
      break;
  }
}
