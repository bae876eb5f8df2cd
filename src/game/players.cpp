// The two players: input, movement, firing, damage, trail and drawing.
#include "game/play.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "sound/sound.h"

namespace {

// How each player's sprite leans this frame: 0 level, 1 down, 2 up.
int tilt[2] = {};

template <typename Query>
void ReadOne(Query held, PlayerInput* input) {
  input->shot = held(INPUT_SHOT);
  input->pause = !input->shot && held(INPUT_PAUSE);
  input->up = held(INPUT_UP);
  input->down = !input->up && held(INPUT_DOWN);
  input->left = held(INPUT_LEFT);
  input->right = !input->left && held(INPUT_RIGHT);
}

void ReadPlayer(int player, PlayerInput* input) {
  GetPlayerInput(player, INPUT_POLL);
  ReadOne([player](int code) { return GetPlayerInput(player, code); }, input);
}

void MoveAndFire(int index, const PlayerInput& input) {
  PlayerRecord& player = gameRecord.players[index];
  tilt[index] = 0;
  if (player.damageTimer >= 60) return;
  const int step = player.weapon == WEAPON_SPEED ? 8 : 4;
  const int w = PlayerWidth();
  const int h = PlayerHeight();
  // Each limit is tested before the step, so a player may end a little past it.
  if (input.up) {
    tilt[index] = 2;
    if (player.y >= 9) player.y -= step;
  } else if (input.down) {
    tilt[index] = 1;
    if (player.y < 472 - h) player.y += step;
  }
  if (input.left) {
    if (player.x >= 9) player.x -= step;
  } else if (input.right) {
    if (player.x < 632 - w) player.x += step;
  }

  if (!input.shot) {
    player.fireCooldown = 0;
    return;
  }
  const int owner = index + 1;
  const double shotX = player.x + w - PictureWidth(PIZ_TAMA1);
  const double shotY = player.y + h / 2 - PictureHeight(PIZ_TAMA1) / 2 + 5;
  const double startX = player.x + w / 2;
  const double startY = player.y + h / 2;
  if (player.weapon == WEAPON_REN) {
    const int before = player.fireCooldown--;
    if (before <= 1) {
      FirePlayerShot(false, shotX, shotY, startX, startY, owner);
      player.fireCooldown = 12;
    }
    return;
  }
  if (PlayerHasShot(owner)) return;
  const bool piercing = player.weapon == WEAPON_KAN;
  if (FirePlayerShot(piercing, shotX, shotY, startX, startY, owner) >= 0 && piercing) {
    player.muzzleX = static_cast<std::int16_t>(player.x);
    player.muzzleY = static_cast<std::int16_t>(player.y);
    player.muzzleTimer = 1;
  }
}

void DrawPlayer(int index) {
  PlayerRecord& player = gameRecord.players[index];
  const int alpha = gameRecord.fadeAlpha;
  // A hit player blinks; the muzzle flash advances only on the frames she shows.
  if (IsPaused() || (player.damageTimer & 2) == 0) {
    const int frame = (gameRecord.frameCounter / 2) % 4;
    const auto sprite = static_cast<PictureId>(PIC_SENRA_REN_1 + 4 * (player.weapon + 3 * index + 6 * tilt[index]) + frame);
    if (player.weapon == WEAPON_SPEED || IsClearing()) {
      // After-images at the trail points, the oldest faintest.
      for (int i = 0; i < kTrailLength; ++i) DrawPlay(sprite, player.trailX[i], player.trailY[i], alpha / (7 - i));
    }
    DrawPlay(sprite, player.x, player.y, alpha);
    if (player.weapon == WEAPON_KAN && player.muzzleTimer >= 1) {
      const int t = player.muzzleTimer;
      const float scale = static_cast<float>(t) / 12.0f;
      DrawPictureScaled(PIC_SHOTEFFECT, platform::Rect{0, 0, PictureWidth(PIC_SHOTEFFECT), PictureHeight(PIC_SHOTEFFECT)},
                        platform::Vector2{scale, scale}, static_cast<float>(player.muzzleX - 2 * t + 61),
                        static_cast<float>(player.muzzleY - 5 * t + 16), alpha);
      if (++player.muzzleTimer >= 12) player.muzzleTimer = player.muzzleX = player.muzzleY = 0;
    }
  }
  if (player.damageTimer >= 61 && player.damageTimer <= 119) {
    const PictureId label = player.weapon == WEAPON_SPEED ? PIC_MISS3 : PIC_MISS5;
    DrawPlay(label, player.x + PlayerWidth() / 2 - PictureWidth(PIC_MISS5) / 2, player.y + player.damageTimer / 2 - 50,
             alpha);
  }
  const PictureId popup = index == 0 ? PIC_GETITEM_A01 : PIC_GETITEM_B01;
  for (int i = 0; i < kPopupSlots; ++i) {
    std::int16_t& t = player.popupTimer[i];
    if (t < 1) continue;
    DrawPlay(static_cast<PictureId>(popup + t / 2), player.popupX[i], player.popupY[i], alpha - 3 * t);
    if (++t >= 40) t = 0;
  }
}

}  // namespace

void ReadInput(PlayerInput inputs[2]) {
  inputs[0] = PlayerInput{};
  inputs[1] = PlayerInput{};
  if (gameRecord.playerCount == 1) {
    GetInput(INPUT_POLL);
    ReadOne([](int code) { return GetInput(code); }, &inputs[0]);
  } else {
    ReadPlayer(0, &inputs[0]);
  }
}

void MoveAndFirePlayers(PlayerInput inputs[2]) {
  MoveAndFire(0, inputs[0]);
  // The second player shares the per-player snapshot, so it is read only now.
  if (gameRecord.playerCount == 2) {
    ReadPlayer(1, &inputs[1]);
    MoveAndFire(1, inputs[1]);
  }
}

void DamagePlayer(PlayerRecord& player) {
  PlaySoundEffect(WAV_DAMAGE, 0);
  ++player.missCount;
  player.damageTimer = 120;
  const int penalty = player.weapon == WEAPON_SPEED ? 180 : 300;
  gameRecord.timeLeft = static_cast<std::int16_t>(gameRecord.timeLeft > penalty ? gameRecord.timeLeft - penalty : 0);
}

void CountDownDamageTimers() {
  for (int p = 0; p < gameRecord.playerCount; ++p) {
    PlayerRecord& player = gameRecord.players[p];
    const int step = player.weapon == WEAPON_SPEED ? 2 : 1;
    player.damageTimer = static_cast<std::uint8_t>(player.damageTimer > step ? player.damageTimer - step : 0);
  }
}

void PushTrails() {
  if ((gameRecord.frameCounter / 2) % 2 == 0) return;
  for (PlayerRecord& player : gameRecord.players) {
    for (int i = 0; i + 1 < kTrailLength; ++i) {
      player.trailX[i] = player.trailX[i + 1];
      player.trailY[i] = player.trailY[i + 1];
    }
    player.trailX[kTrailLength - 1] = player.x;
    player.trailY[kTrailLength - 1] = player.y;
  }
}

void PlacePlayersForStage() {
  for (int p = 0; p < 2; ++p) {
    PlayerRecord& player = gameRecord.players[p];
    player.fireCooldown = 0;
    tilt[p] = 0;
    player.x = gameRecord.stageIndex == 20 ? 140 : 40;
    player.y = p == 0 ? 100 : 300;
    for (int i = 0; i < kTrailLength; ++i) {
      player.trailX[i] = player.x;
      player.trailY[i] = player.y;
    }
  }
}

void DrawPlayers() {
  for (int p = 0; p < gameRecord.playerCount; ++p) DrawPlayer(p);
}

void DrawPlayerFlags(int alpha) {
  if (gameRecord.playerCount != 2) return;
  const PlayerRecord* players = gameRecord.players;
  DrawPlay(PIC_FLAG_1P, players[0].x, players[0].y - PictureHeight(PIC_FLAG_1P), alpha);
  DrawPlay(PIC_FLAG_2P, players[1].x, players[1].y - PictureHeight(PIC_FLAG_2P), alpha);
}
