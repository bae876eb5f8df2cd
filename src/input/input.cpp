// Input devices: set-up, release and the poll that fills a query's snapshot, with joysticks
// picked up and dropped as they are plugged in and out.
#include "input/input.h"

#include <cstdlib>
#include <cstring>

#include "app/app.h"
#include "input/input_poll.h"
#include "platform/backend.h"

InputState inputState;

namespace {

using platform::DI_OK;
using platform::DIERR_INPUTLOST;
using platform::Failed;
using platform::HRESULT;
using platform::InputDevice;
using platform::Succeeded;

// 1 % of the range, in the device's units of 1/10000.
constexpr std::uint32_t kDeadZone = 100;

void DropJoystick(int slot) {
  if (!inputState.joysticks[slot]) return;
  inputState.joysticks[slot]->Unacquire();
  inputState.joysticks[slot].reset();
  inputState.joystickIds[slot] = 0;
}

void CountJoysticks() {
  inputState.joystickCount = 0;
  for (int slot = kMaxJoysticks; slot > 0; --slot) {
    if (inputState.joysticks[slot - 1]) {
      inputState.joystickCount = static_cast<std::int16_t>(slot);
      break;
    }
  }
}

// Creates and configures the joystick into the slot; a device that fails any step is let go.
bool OpenJoystick(std::uint32_t instanceId, int slot) {
  platform::DirectInput& directInput = *inputState.directInput;
  std::unique_ptr<InputDevice> device;
  if (Failed(directInput.CreateDevice(instanceId, &device)) || !device) return false;
  if (Failed(directInput.QueryPollableDevice(device.get()))) return false;
  const platform::WindowHandle window = inputState.window;
  bool failed = Failed(device->SetDataFormat(platform::DataFormat::kJoystick));
  failed = failed || Failed(device->SetCooperativeLevel(window, platform::DISCL_NONEXCLUSIVE | platform::DISCL_FOREGROUND));
  failed = failed || Failed(device->SetRange(platform::Axis::kX, -kAxisRange, kAxisRange));
  failed = failed || Failed(device->SetRange(platform::Axis::kY, -kAxisRange, kAxisRange));
  failed = failed || Failed(device->SetDeadZone(platform::Axis::kX, kDeadZone));
  failed = failed || Failed(device->SetDeadZone(platform::Axis::kY, kDeadZone));
  if (failed) return false;
  inputState.joysticks[slot] = std::move(device);
  inputState.joystickIds[slot] = instanceId;
  return true;
}

void EnumerateAtStart() {
  WriteDebugLog("ジョイスティックデバイスの検索中...");
  inputState.joystickListVersion = inputState.directInput->JoystickListVersion();
  inputState.directInput->EnumJoysticks([](const platform::DeviceInstance& instance) {
    const int slot = inputState.joystickCount;
    if (OpenJoystick(instance.id, slot)) ++inputState.joystickCount;
    return inputState.joystickCount < kMaxJoysticks;
  });
  for (int slot = 0; slot < inputState.joystickCount; ++slot) {
    if (!inputState.joysticks[slot]) continue;
    WriteDebugLog("ジョイスティックデバイスを有効化しています");
    inputState.joysticks[slot]->Acquire();
  }
}

bool InTable(std::uint32_t instanceId) {
  for (int slot = 0; slot < kMaxJoysticks; ++slot) {
    if (inputState.joysticks[slot] && inputState.joystickIds[slot] == instanceId) return true;
  }
  return false;
}

// After the device list changed: pads that left give up their slot, new pads take the lowest
// free one, so a pad plugged back in returns to its player.
void MatchJoysticksToDevices() {
  constexpr int kMaxSeen = 64;
  struct Seen {
    std::uint32_t ids[kMaxSeen];
    int count;
  } seen{{}, 0};
  if (Failed(inputState.directInput->EnumJoysticks([&seen](const platform::DeviceInstance& instance) {
        if (seen.count < kMaxSeen) seen.ids[seen.count++] = instance.id;
        return true;
      })))
    return;
  for (int slot = 0; slot < kMaxJoysticks; ++slot) {
    if (!inputState.joysticks[slot]) continue;
    bool present = false;
    for (int i = 0; i < seen.count; ++i) present = present || seen.ids[i] == inputState.joystickIds[slot];
    if (!present) DropJoystick(slot);
  }
  for (int i = 0; i < seen.count; ++i) {
    if (InTable(seen.ids[i])) continue;
    int slot = 0;
    while (slot < kMaxJoysticks && inputState.joysticks[slot]) ++slot;
    if (slot == kMaxJoysticks) break;
    if (!OpenJoystick(seen.ids[i], slot)) continue;
    WriteDebugLog("ジョイスティックデバイスを有効化しています");
    inputState.joysticks[slot]->Acquire();
  }
  CountJoysticks();
}

void ReadKeyboard(InputSnapshot& snapshot) {
  InputDevice* keyboard = inputState.keyboard.get();
  if (!keyboard) return;
  std::uint8_t keys[platform::kKeyboardStateSize];
  HRESULT result = keyboard->GetDeviceState(sizeof keys, keys);
  if (result == DIERR_INPUTLOST && Succeeded(keyboard->Acquire())) result = keyboard->GetDeviceState(sizeof keys, keys);
  if (Succeeded(result)) std::memcpy(snapshot.keys, keys, sizeof keys);
}

// Up to three reads, re-acquiring between them; a pad that still cannot be read is centred
// with no buttons.
platform::JoystickState ReadJoystick(InputDevice& device) {
  platform::JoystickState state;
  for (int attempt = 0; attempt < 3; ++attempt) {
    if (attempt > 0 && Failed(device.Acquire())) break;
    device.Poll();
    if (Succeeded(device.GetDeviceState(sizeof state, &state))) return state;
  }
  return platform::JoystickState{};
}

void Merge(InputSnapshot& snapshot, const platform::JoystickState& state) {
  if (std::abs(state.x) > std::abs(snapshot.x)) snapshot.x = state.x;
  if (std::abs(state.y) > std::abs(snapshot.y)) snapshot.y = state.y;
  for (int button = 0; button < kJoystickButtons; ++button) {
    if ((state.buttons[button] & 0x80) != 0) snapshot.buttons[button] = 1;
  }
}

}  // namespace

void InitInput(platform::WindowHandle window) {
  inputState.window = window;
  if (appState.NoDirectInput) inputState.keyboardOnly = true;
  if (inputState.keyboardOnly) {
    WriteDebugLog("キーボードのみ使用モードです");
    return;
  }
  WriteDebugLog("DirectInputオブジェクト作成");
  if (Failed(platform::Controls().CreateDirectInput(platform::kDirectInputVersion, &inputState.directInput)) ||
      !inputState.directInput) {
    inputState.directInput.reset();
    WriteDebugLog("DirectInputオブジェクト作成に失敗。キーボードモードで再起動");
    inputState.keyboardOnly = true;
    return;
  }
  WriteDebugLog("DirectInputデバイス作成");
  if (Failed(inputState.directInput->CreateKeyboard(&inputState.keyboard)) || !inputState.keyboard) {
    inputState.keyboard.reset();
    // Release never looks at the device object in keyboard-only mode, so let it go now.
    inputState.directInput.reset();
    WriteDebugLog("DirectInputデバイス作成に失敗。キーボードモードで再起動");
    inputState.keyboardOnly = true;
    return;
  }
  WriteDebugLog("DirectInputモード設定");
  inputState.keyboard->SetDataFormat(platform::DataFormat::kKeyboard);
  inputState.keyboard->SetCooperativeLevel(window, platform::DISCL_EXCLUSIVE | platform::DISCL_FOREGROUND);
  inputState.keyboard->Acquire();
  EnumerateAtStart();
  WriteDebugLog("完了");
}

void ReleaseInput() {
  WriteDebugLog("DirectInputデバイスを開放しています...");
  if (!inputState.keyboardOnly) {
    if (inputState.keyboard) {
      WriteDebugLog("キーボードデバイスを初期化中...");
      inputState.keyboard->Unacquire();
      inputState.keyboard.reset();
    }
    WriteDebugLog("ジョイスティックデバイスを初期化中...");
    for (int slot = 0; slot < kMaxJoysticks; ++slot) DropJoystick(slot);
    inputState.joystickCount = 0;
    if (inputState.directInput) {
      WriteDebugLog("DirectInputを開放中...");
      inputState.directInput.reset();
    }
  }
  WriteDebugLog("完了");
}

void PollInput(InputSnapshot& snapshot, int player) {
  if (inputState.keyboardOnly) return;
  ReadKeyboard(snapshot);
  std::memset(snapshot.buttons, 0, sizeof snapshot.buttons);
  snapshot.x = 0;
  snapshot.y = 0;
  if (inputState.directInput && inputState.directInput->JoystickListVersion() != inputState.joystickListVersion) {
    inputState.joystickListVersion = inputState.directInput->JoystickListVersion();
    MatchJoysticksToDevices();
  }
  for (int slot = 0; slot < inputState.joystickCount; ++slot) {
    if (player >= 0 && slot != player) continue;
    if (!inputState.joysticks[slot]) continue;
    Merge(snapshot, ReadJoystick(*inputState.joysticks[slot]));
  }
}

void ResetInput() {
  for (int slot = 0; slot < kMaxJoysticks; ++slot) inputState.joysticks[slot].reset();
  inputState.keyboard.reset();
  inputState.directInput.reset();
  inputState = InputState{};
}
