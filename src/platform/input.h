// Input service: the keyboard as a 256-byte scan-code state, joysticks with axes and buttons,
// and the per-key state of the window system for the keyboard-only mode.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/handles.h"
#include "platform/result.h"

namespace platform {

constexpr std::uint32_t kDirectInputVersion = 0x0500;

enum : std::uint32_t {
  DISCL_EXCLUSIVE = 0x01,
  DISCL_NONEXCLUSIVE = 0x02,
  DISCL_FOREGROUND = 0x04,
  DISCL_BACKGROUND = 0x08,
};

enum class DataFormat { kKeyboard, kJoystick };
enum class Axis { kX, kY };

// Scan codes the game names; the keyboard state is indexed by these.
enum : std::uint8_t {
  DIK_ESCAPE = 0x01,
  DIK_T = 0x14,
  DIK_RETURN = 0x1C,
  DIK_LCONTROL = 0x1D,
  DIK_F = 0x21,
  DIK_H = 0x23,
  DIK_LSHIFT = 0x2A,
  DIK_Z = 0x2C,
  DIK_X = 0x2D,
  DIK_B = 0x30,
  DIK_RSHIFT = 0x36,
  DIK_SPACE = 0x39,
  DIK_NUMPAD7 = 0x47,
  DIK_NUMPAD8 = 0x48,
  DIK_NUMPAD9 = 0x49,
  DIK_NUMPAD4 = 0x4B,
  DIK_NUMPAD5 = 0x4C,
  DIK_NUMPAD6 = 0x4D,
  DIK_NUMPAD1 = 0x4F,
  DIK_NUMPAD2 = 0x50,
  DIK_NUMPAD3 = 0x51,
  DIK_RCONTROL = 0x9D,
  DIK_UP = 0xC8,
  DIK_LEFT = 0xCB,
  DIK_RIGHT = 0xCD,
  DIK_DOWN = 0xD0,
};

constexpr std::size_t kKeyboardStateSize = 256;

// The standard joystick record: six axes, two sliders, four hats, 32 button bytes (bit 7 = held).
struct JoystickState {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t z = 0;
  std::int32_t rx = 0;
  std::int32_t ry = 0;
  std::int32_t rz = 0;
  std::int32_t sliders[2] = {};
  std::uint32_t pov[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  std::uint8_t buttons[32] = {};
};

struct DeviceInstance {
  std::uint32_t id = 0;  // stable while the device stays attached
  char name[260] = {};
};

class InputDevice {
 public:
  virtual ~InputDevice() = default;
  virtual HRESULT SetDataFormat(DataFormat format) = 0;
  virtual HRESULT SetCooperativeLevel(WindowHandle window, std::uint32_t flags) = 0;
  virtual HRESULT SetRange(Axis axis, std::int32_t minimum, std::int32_t maximum) = 0;
  // In 1/10000 of the range.
  virtual HRESULT SetDeadZone(Axis axis, std::uint32_t deadZone) = 0;
  virtual HRESULT Acquire() = 0;
  virtual HRESULT Unacquire() = 0;
  virtual HRESULT Poll() = 0;
  // Keyboard devices fill kKeyboardStateSize bytes, joysticks a JoystickState.
  virtual HRESULT GetDeviceState(std::uint32_t size, void* out) = 0;
};

// Return true to go on with the next device, false to stop the enumeration.
using DeviceEnumCallback = std::function<bool(const DeviceInstance&)>;

class DirectInput {
 public:
  virtual ~DirectInput() = default;
  virtual HRESULT CreateKeyboard(std::unique_ptr<InputDevice>* out) = 0;
  // Attached joysticks only, in a stable order: the first connected pad comes first.
  virtual HRESULT EnumJoysticks(const DeviceEnumCallback& callback) = 0;
  virtual HRESULT CreateDevice(std::uint32_t instanceId, std::unique_ptr<InputDevice>* out) = 0;
  // Upgrades a device to the interface that can be polled; on failure the device stays as it was.
  virtual HRESULT QueryPollableDevice(InputDevice* device) = 0;
  // Changes whenever a joystick is attached or removed, so pads plugged in after start can be
  // picked up without enumerating every frame.
  virtual std::uint32_t JoystickListVersion() = 0;
};

class Input {
 public:
  virtual ~Input() = default;
  virtual HRESULT CreateDirectInput(std::uint32_t version, std::unique_ptr<DirectInput>* out) = 0;
  // State of a virtual key for the keyboard-only mode; the high bit (0x8000) is set while held.
  virtual std::uint16_t GetKeyState(std::uint32_t virtualKey) = 0;
};

}  // namespace platform
