// Weapon selection. For now only the entry contract; the selection comes with the front-end
// scenes.
#include "app/app.h"
#include "scenes/scene_states.h"
#include "scenes/scenes.h"

namespace {

struct WeaponSelectState {
  int phase = 0;
  int counter = 0;
  int entryKind = 0;  // passed on to the play scene
};
WeaponSelectState weaponSelect;

bool IsWeaponSelectEntry(int kind) { return kind == 1 || kind == 2 || kind == 4 || kind == 5; }

}  // namespace

void ResetWeaponSelectState() { weaponSelect = WeaponSelectState{}; }

int WeaponSelectScene(platform::WindowHandle, int kind) {
  if (IsWeaponSelectEntry(kind)) {
    BecomeCurrentScene("[weapon_select]", WeaponSelectScene);
    ResetWeaponSelectState();
    weaponSelect.entryKind = kind;
    WriteDebugLog("準備開始");
    return 0;
  }
  // Kinds the selection does not take are frame steps.
  ++weaponSelect.counter;
  return 0;
}
