// Scripted keyboard and joysticks: tests set held keys, attach pads and move their axes.
#pragma once

#include <array>
#include <map>
#include <vector>

#include "platform/fake/fault_plan.h"
#include "platform/input.h"

namespace fake {

class FakeInput : public platform::Input {
 public:
  struct Pad {
    std::uint32_t id = 0;
    platform::JoystickState state;
    bool attached = true;
  };

  FakeInput(CallLog& log, FaultPlan& faults) : log_(log), faults_(faults) {}

  platform::HRESULT CreateDirectInput(std::uint32_t version, std::unique_ptr<platform::DirectInput>* out) override;
  std::uint16_t GetKeyState(std::uint32_t virtualKey) override;

  // Scan-code keyboard, read through the keyboard device.
  void SetKey(std::uint8_t scanCode, bool held) { keyboard[scanCode] = held ? 0x80 : 0; }
  // Window-system key state for the keyboard-only mode.
  void SetVirtualKey(std::uint32_t virtualKey, bool held) { virtualKeys[virtualKey] = held; }
  // Returns the pad's index in the attach order.
  std::size_t AttachPad();
  // Unplugs or plugs back the pad at that index; a plugged-back pad keeps its id.
  void SetPadAttached(std::size_t index, bool attached);
  Pad& PadAt(std::size_t index) { return pads[index]; }

  std::array<std::uint8_t, platform::kKeyboardStateSize> keyboard{};
  std::map<std::uint32_t, bool> virtualKeys;
  std::vector<Pad> pads;
  int liveDevices = 0;
  std::uint32_t joystickListVersion = 0;  // moves on every attach and detach

  bool Fails(const std::string& call, platform::HRESULT* code);
  CallLog& Log() { return log_; }
  FaultPlan& Faults() { return faults_; }

 private:
  CallLog& log_;
  FaultPlan& faults_;
};

}  // namespace fake
