// Weapon selection: three weapon cards, the chosen one raised, the ranking for it; a shot
// starts the run. In two-player runs the first player chooses, then the second.
#include <cmath>
#include <cstdint>

#include "app/app.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "scenes/scene_states.h"
#include "scenes/scenes.h"
#include "sound/sound.h"

namespace {

constexpr int kFadeStep = 9;
constexpr int kWeaponCount = 3;
constexpr int kRaisedY = 130;
constexpr int kRestingY = 150;
constexpr int kWeaponX[kWeaponCount] = {70, 260, 450};
constexpr int kFlagGap = 4;

// Latch values: the input acted on last.
enum : int { kLatchNone = 0, kLatchShot = 1, kLatchPause = 3, kLatchLeft = 102, kLatchRight = 103 };

struct WeaponSelectState {
  int phase = 0;
  int fade = 0;
  int latch = 0;
  std::uint8_t choice = 0;
  int weaponY[kWeaponCount] = {kRestingY, kRestingY, kRestingY};
  int kind = 0;  // the entry kind, passed on to the play scene; 0 after a cancel
  int picker = 0;              // two players: 0 while player 1 chooses, 1 while player 2 does
  std::uint8_t firstChoice = 0;  // player 1's weapon once chosen
};
WeaponSelectState weaponSelect;

bool IsWeaponSelectEntry(int kind) { return kind == 1 || kind == 2 || kind == 4 || kind == 5; }
bool IsTwoPlayerKind(int kind) { return kind == 2 || kind == 5; }

void StepChoosing() {
  GetInput(INPUT_POLL);
  const bool twoPlayers = IsTwoPlayerKind(weaponSelect.kind);
  if (GetInput(INPUT_SHOT)) {
    if (weaponSelect.latch != kLatchShot) {
      PlaySoundEffect(WAV_MENU_DECIDE, 0);
      if (twoPlayers && weaponSelect.picker == 0) {
        // Player 1 has chosen; player 2 goes on from the same card.
        weaponSelect.firstChoice = weaponSelect.choice;
        weaponSelect.picker = 1;
      } else {
        weaponSelect.phase = 3;
        weaponSelect.fade = 255;
      }
    }
    weaponSelect.latch = kLatchShot;
  } else if (GetInput(INPUT_PAUSE)) {
    if (weaponSelect.latch != kLatchPause) {
      PlaySoundEffect(WAV_MENU_CANCEL, 0);
      if (weaponSelect.picker == 1) {
        // Back to player 1's choice rather than out of the screen.
        weaponSelect.picker = 0;
        weaponSelect.choice = weaponSelect.firstChoice;
      } else {
        weaponSelect.phase = 3;
        weaponSelect.kind = 0;
        weaponSelect.fade = 255;
      }
    }
    weaponSelect.latch = kLatchPause;
  } else if (GetInput(INPUT_LEFT)) {
    if (weaponSelect.latch != kLatchLeft) {
      PlaySoundEffect(WAV_MENU_SELECT, 0);
      weaponSelect.choice = static_cast<std::uint8_t>((weaponSelect.choice + kWeaponCount - 1) % kWeaponCount);
    }
    weaponSelect.latch = kLatchLeft;
  } else if (GetInput(INPUT_RIGHT)) {
    if (weaponSelect.latch != kLatchRight) {
      PlaySoundEffect(WAV_MENU_SELECT, 0);
      weaponSelect.choice = static_cast<std::uint8_t>((weaponSelect.choice + 1) % kWeaponCount);
    }
    weaponSelect.latch = kLatchRight;
  } else {
    weaponSelect.latch = kLatchNone;
  }
}

// The hand-over at the end of the fade-out: the run, or the title after a cancel.
void FinishFadeOut(platform::WindowHandle window) {
  const int kind = weaponSelect.kind;
  if (kind == 0) {
    TitleScene(window, 2);
    return;
  }
  gameRecord.weaponChoice = IsTwoPlayerKind(kind)
                                ? static_cast<std::uint16_t>(weaponSelect.firstChoice | weaponSelect.choice << 8)
                                : weaponSelect.choice;
  PlayScene(window, kind);
}

void MoveWeapons() {
  for (int k = 0; k < kWeaponCount; ++k) {
    int& y = weaponSelect.weaponY[k];
    if (k == weaponSelect.choice) {
      if ((y -= 2) < kRaisedY) y = kRaisedY;
    } else if ((y += 2) > kRestingY) {
      y = kRestingY;
    }
  }
}

// Under a card, clear of the heading the background carries above the cards: which player's
// weapon it is. shift moves it sideways, so two flags on one card stand side by side.
void DrawFlag(PictureId flag, int weapon, int shift, int offset, int a) {
  const auto card = static_cast<PictureId>(PIC_SELECT_WEAPON_1 + weapon);
  const int x = offset + kWeaponX[weapon] + (PictureWidth(card) - PictureWidth(flag)) / 2 + shift;
  const int y = weaponSelect.weaponY[weapon] + PictureHeight(card) + kFlagGap;
  DrawPicture(flag, static_cast<float>(x), static_cast<float>(y), a);
}

void Draw(int a) {
  // The cards slide in from the right while the screen fades in.
  const int offset = static_cast<int>(std::pow(255.0 - a, 1.15));
  DrawPicture(PIC_SELECT_WEAPON_BG1, 0, 0, a);
  for (int k = 0; k < kWeaponCount; ++k) {
    DrawPicture(static_cast<PictureId>(PIC_SELECT_WEAPON_1 + k), static_cast<float>(offset + kWeaponX[k]),
                static_cast<float>(weaponSelect.weaponY[k]), a);
  }
  if (weaponSelect.phase >= 2) {
    MoveWeapons();
    const int kind = weaponSelect.kind;
    if (kind == 1 || kind == 4) {
      DrawPicture(static_cast<PictureId>(PIC_WEAPON_INFO_1 + weaponSelect.choice), 0, 320, a);
      DrawRanking(MODE_TRIAL, a, weaponSelect.choice, -1);
    } else if (IsTwoPlayerKind(kind)) {
      if (weaponSelect.picker == 1) {
        const int shift =
            weaponSelect.firstChoice == weaponSelect.choice ? (PictureWidth(PIC_FLAG_1P) + kFlagGap) / 2 : 0;
        DrawFlag(PIC_FLAG_1P, weaponSelect.firstChoice, -shift, offset, a);
        DrawFlag(PIC_FLAG_2P, weaponSelect.choice, shift, offset, a);
      } else {
        DrawFlag(PIC_FLAG_1P, weaponSelect.choice, 0, offset, a);
      }
    }
  }
}

}  // namespace

void ResetWeaponSelectState() { weaponSelect = WeaponSelectState{}; }

int WeaponSelectScene(platform::WindowHandle window, int kind) {
  if (IsWeaponSelectEntry(kind)) {
    BecomeCurrentScene("[weapon_select]", WeaponSelectScene);
    ResetWeaponSelectState();
    weaponSelect.kind = kind;
    WriteDebugLog("準備開始");
    return 0;
  }
  // Kinds the selection does not take are frame steps.
  int a = 0;
  switch (weaponSelect.phase) {
    case 0:
      weaponSelect.phase = 1;
      LoadPictureSet(kWeaponSelectPictureSet);
      WriteDebugLog("準備完了");
      break;
    case 1:
      weaponSelect.fade += kFadeStep;
      if (weaponSelect.fade >= 255) {
        weaponSelect.fade = 0;
        weaponSelect.phase = 2;
        a = 255;
      } else {
        a = weaponSelect.fade;
      }
      break;
    case 2:
      a = 255;
      StepChoosing();
      break;
    default:
      weaponSelect.fade -= kFadeStep;
      if (weaponSelect.fade > 0) {
        a = weaponSelect.fade;
      } else {
        weaponSelect.fade = 0;
        FinishFadeOut(window);
        return 0;
      }
      break;
  }
  if (weaponSelect.phase >= 1) Draw(a);
  DrawPicture(PIC_SELECT_TRIAL, 10, 10, a);
  return 0;
}
