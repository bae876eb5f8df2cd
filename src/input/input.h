// Input as the scenes see it: the logical inputs (shot, pause, directions) from the keyboard and
// up to sixteen joysticks, asked combined or per player, plus the L key of the run start.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/handles.h"
#include "platform/input.h"

// Logical input codes; every other code answers false and does nothing.
enum : int {
  INPUT_SHOT = 0,
  INPUT_PAUSE = 2,
  INPUT_POLL = 98,  // reads the devices into the query's snapshot; answers false
  INPUT_UP = 99,
  INPUT_DOWN = 100,
  INPUT_LEFT = 101,
  INPUT_RIGHT = 102,
};

constexpr int kMaxJoysticks = 16;
constexpr int kJoystickButtons = 16;
constexpr std::int32_t kAxisRange = 1000;
constexpr std::int32_t kAxisThreshold = 200;  // a direction needs strictly more than this

// What one query saw at its last poll.
struct InputSnapshot {
  std::uint8_t keys[platform::kKeyboardStateSize] = {};  // by scan code, bit 7 = held
  std::int32_t buttons[kJoystickButtons] = {};           // buttons 1..16, 0 or 1
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct InputState {
  bool keyboardOnly = false;
  platform::WindowHandle window = platform::kNoWindow;
  std::unique_ptr<platform::DirectInput> directInput;
  std::unique_ptr<platform::InputDevice> keyboard;
  std::unique_ptr<platform::InputDevice> joysticks[kMaxJoysticks];
  std::uint32_t joystickIds[kMaxJoysticks] = {};  // the instance each slot was opened from
  std::int16_t joystickCount = 0;                 // one past the highest slot in use
  std::uint32_t joystickListVersion = 0;          // the device list the table was last matched to
  InputSnapshot combined;                         // GetInput's
  InputSnapshot perPlayer;                        // GetPlayerInput's
};

extern InputState inputState;

// Sets up the keyboard and joysticks for the window; any failure falls back to keyboard-only
// mode ("NoDirectInput" asks for that mode from the start).
void InitInput(platform::WindowHandle window);
void ReleaseInput();
// The keyboard and every joystick merged, with button table 1.
bool GetInput(int code);
// Player 0 or 1: that player's keys, button table and the joystick in the slot of that number.
bool GetPlayerInput(int player, int code);
// The L key as the window system sees it now, whatever the mode (it turns an extra run into a
// lunatic one).
bool IsLKeyDown();

// Drops every device without logging and forgets the mode, for a fresh start in tests.
void ResetInput();
