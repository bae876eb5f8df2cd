// The two input queries: which keys, buttons and axes make up each logical input, in
// DirectInput mode (scan-code snapshot) and in keyboard-only mode (window-system key state).
#include <cstddef>

#include "app/app.h"
#include "input/input_poll.h"
#include "platform/backend.h"
#include "platform/window.h"

namespace {

using namespace platform;

enum : std::uint8_t { kButtonShot = 1, kButtonPause = 3 };

// A key list ends at the first 0; no key the game reads has scan code or virtual key 0.
using KeyList = std::uint8_t[10];

constexpr KeyList kShotKeys = {DIK_NUMPAD5, DIK_SPACE, DIK_LSHIFT, DIK_RSHIFT, DIK_X,
                               DIK_Z,       DIK_RETURN, DIK_LCONTROL, DIK_RCONTROL};
constexpr KeyList kFirstPlayerShotKeys = {DIK_SPACE, DIK_LSHIFT, DIK_RSHIFT, DIK_RETURN, DIK_LCONTROL, DIK_RCONTROL};
constexpr KeyList kSecondPlayerShotKeys = {DIK_X, DIK_Z};
constexpr KeyList kPauseKeys = {DIK_ESCAPE};
constexpr KeyList kNoKeys = {};
constexpr KeyList kUpKeys = {DIK_NUMPAD7, DIK_NUMPAD9, DIK_NUMPAD8, DIK_UP};
constexpr KeyList kDownKeys = {DIK_NUMPAD1, DIK_NUMPAD3, DIK_NUMPAD2, DIK_DOWN};
constexpr KeyList kLeftKeys = {DIK_NUMPAD7, DIK_NUMPAD1, DIK_NUMPAD4, DIK_LEFT};
constexpr KeyList kRightKeys = {DIK_NUMPAD3, DIK_NUMPAD9, DIK_NUMPAD6, DIK_RIGHT};

constexpr std::uint8_t Numpad(int n) { return static_cast<std::uint8_t>(VK_NUMPAD0 + n); }

constexpr KeyList kShotVirtualKeys = {'Z', VK_CONTROL, VK_RETURN, 'X', Numpad(5), VK_SPACE, VK_SHIFT};
constexpr KeyList kFirstPlayerShotVirtualKeys = {Numpad(5), VK_SPACE, VK_SHIFT, VK_CONTROL, VK_RETURN};
constexpr KeyList kSecondPlayerShotVirtualKeys = {'X', 'Z'};
constexpr KeyList kPauseVirtualKeys = {VK_ESCAPE};
constexpr KeyList kUpVirtualKeys = {VK_UP, Numpad(7), Numpad(8), Numpad(9)};
constexpr KeyList kDownVirtualKeys = {VK_DOWN, Numpad(3), Numpad(2), Numpad(1)};
constexpr KeyList kLeftVirtualKeys = {VK_LEFT, Numpad(1), Numpad(4), Numpad(7)};
constexpr KeyList kRightVirtualKeys = {VK_RIGHT, Numpad(3), Numpad(6), Numpad(9)};

// One logical input of one query: its keys and the joystick condition that also counts.
struct Binding {
  const KeyList* keys;
  const KeyList* virtualKeys;
  std::uint8_t button;  // a button function, 0 for none
  int axisSign;         // -1 or +1 on the axis below, 0 for none
  bool onY;
};

bool KeyHeld(const InputSnapshot& snapshot, const KeyList& keys) {
  for (std::uint8_t key : keys) {
    if (key == 0) break;
    if ((snapshot.keys[key] & 0x80) != 0) return true;
  }
  return false;
}

bool VirtualKeyHeld(const KeyList& keys) {
  for (std::uint8_t key : keys) {
    if (key == 0) break;
    if ((Controls().GetKeyState(key) & 0x8000) != 0) return true;
  }
  return false;
}

bool ButtonHeld(const InputSnapshot& snapshot, const std::uint8_t* table, std::uint8_t function) {
  for (int button = 0; button < kJoystickButtons; ++button) {
    if (snapshot.buttons[button] == 1 && table[button] == function) return true;
  }
  return false;
}

bool AxisHeld(const InputSnapshot& snapshot, int sign, bool onY) {
  const std::int32_t value = onY ? snapshot.y : snapshot.x;
  return sign < 0 ? value < -kAxisThreshold : value > kAxisThreshold;
}

bool Held(const Binding& binding, const InputSnapshot& snapshot, const std::uint8_t* table) {
  if (inputState.keyboardOnly) return VirtualKeyHeld(*binding.virtualKeys);
  if (KeyHeld(snapshot, *binding.keys)) return true;
  if (binding.button != 0 && ButtonHeld(snapshot, table, binding.button)) return true;
  return binding.axisSign != 0 && AxisHeld(snapshot, binding.axisSign, binding.onY);
}

// The codes with a meaning, in table order: shot, pause, up, down, left, right.
int Row(int code) {
  switch (code) {
    case INPUT_SHOT: return 0;
    case INPUT_PAUSE: return 1;
    case INPUT_UP: return 2;
    case INPUT_DOWN: return 3;
    case INPUT_LEFT: return 4;
    case INPUT_RIGHT: return 5;
    default: return -1;
  }
}

constexpr Binding kCombined[6] = {
    {&kShotKeys, &kShotVirtualKeys, kButtonShot, 0, false},
    {&kPauseKeys, &kPauseVirtualKeys, kButtonPause, 0, false},
    {&kUpKeys, &kUpVirtualKeys, 0, -1, true},
    {&kDownKeys, &kDownVirtualKeys, 0, +1, true},
    {&kLeftKeys, &kLeftVirtualKeys, 0, -1, false},
    {&kRightKeys, &kRightVirtualKeys, 0, +1, false},
};

constexpr Binding kFirstPlayer[6] = {
    {&kFirstPlayerShotKeys, &kFirstPlayerShotVirtualKeys, kButtonShot, 0, false},
    {&kPauseKeys, &kPauseVirtualKeys, kButtonPause, 0, false},
    {&kUpKeys, &kUpVirtualKeys, 0, -1, true},
    {&kDownKeys, &kDownVirtualKeys, 0, +1, true},
    {&kLeftKeys, &kLeftVirtualKeys, 0, -1, false},
    {&kRightKeys, &kRightVirtualKeys, 0, +1, false},
};

constexpr KeyList kKeyT = {DIK_T}, kKeyB = {DIK_B}, kKeyF = {DIK_F}, kKeyH = {DIK_H};
constexpr KeyList kVirtualT = {'T'}, kVirtualB = {'B'}, kVirtualF = {'F'}, kVirtualH = {'H'};

// The second player's pause has no key in either mode.
constexpr Binding kSecondPlayer[6] = {
    {&kSecondPlayerShotKeys, &kSecondPlayerShotVirtualKeys, kButtonShot, 0, false},
    {&kNoKeys, &kNoKeys, kButtonPause, 0, false},
    {&kKeyT, &kVirtualT, 0, -1, true},
    {&kKeyB, &kVirtualB, 0, +1, true},
    {&kKeyF, &kVirtualF, 0, -1, false},
    {&kKeyH, &kVirtualH, 0, +1, false},
};

}  // namespace

bool GetInput(int code) {
  if (code == INPUT_POLL) {
    PollInput(inputState.combined, -1);
    return false;
  }
  const int row = Row(code);
  return row >= 0 && Held(kCombined[row], inputState.combined, appState.buttonTable1);
}

bool GetPlayerInput(int player, int code) {
  // Only two players exist; any other number has no keys and no pad.
  if (player != 0 && player != 1) return false;
  if (code == INPUT_POLL) {
    PollInput(inputState.perPlayer, player);
    return false;
  }
  const int row = Row(code);
  if (row < 0) return false;
  const Binding& binding = player == 0 ? kFirstPlayer[row] : kSecondPlayer[row];
  return Held(binding, inputState.perPlayer, player == 0 ? appState.buttonTable1 : appState.buttonTable2);
}

bool IsLKeyDown() { return (Controls().GetKeyState('L') & 0x8000) != 0; }
