// Scripted keyboard and joysticks: tests set held keys, attach pads and move their axes.
#include "platform/fake/fake_input.h"

#include <cstdio>
#include <cstring>

namespace fake {
using platform::HRESULT;

namespace {

// A keyboard when padId is 0, otherwise the pad with that id.
class FakeDevice : public platform::InputDevice {
 public:
  FakeDevice(FakeInput& owner, std::uint32_t padId) : owner_(owner), padId_(padId) { ++owner_.liveDevices; }
  ~FakeDevice() override { --owner_.liveDevices; }

  HRESULT SetDataFormat(platform::DataFormat format) override {
    format_ = format;
    return Call("SetDataFormat");
  }
  HRESULT SetCooperativeLevel(platform::WindowHandle window, std::uint32_t flags) override {
    return Call("SetCooperativeLevel(" + std::to_string(window) + ",0x" + Hex(flags) + ")");
  }
  HRESULT SetRange(platform::Axis axis, std::int32_t minimum, std::int32_t maximum) override {
    return Call(std::string("SetRange(") + AxisName(axis) + "," + std::to_string(minimum) + "," +
                std::to_string(maximum) + ")");
  }
  HRESULT SetDeadZone(platform::Axis axis, std::uint32_t deadZone) override {
    return Call(std::string("SetDeadZone(") + AxisName(axis) + "," + std::to_string(deadZone) + ")");
  }
  HRESULT Acquire() override {
    HRESULT code = Call("Acquire");
    if (code == platform::DI_OK) acquired_ = true;
    return code;
  }
  HRESULT Unacquire() override {
    acquired_ = false;
    return Call("Unacquire");
  }
  HRESULT Poll() override { return Call("Poll"); }
  HRESULT GetDeviceState(std::uint32_t size, void* out) override {
    HRESULT code = Call("GetDeviceState");
    if (code != platform::DI_OK) {
      // A lost device stays unacquired until the game acquires it again.
      if (code == platform::DIERR_INPUTLOST) acquired_ = false;
      return code;
    }
    if (!acquired_) return platform::DIERR_NOTACQUIRED;
    if (padId_ == 0) {
      if (size != platform::kKeyboardStateSize) return platform::DIERR_INVALIDPARAM;
      std::memcpy(out, owner_.keyboard.data(), size);
      return platform::DI_OK;
    }
    if (size != sizeof(platform::JoystickState)) return platform::DIERR_INVALIDPARAM;
    for (const auto& pad : owner_.pads) {
      if (pad.id != padId_) continue;
      if (!pad.attached) return platform::DIERR_INPUTLOST;
      std::memcpy(out, &pad.state, size);
      return platform::DI_OK;
    }
    return platform::DIERR_INPUTLOST;
  }

 private:
  static const char* AxisName(platform::Axis axis) { return axis == platform::Axis::kX ? "X" : "Y"; }
  static std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", value);
    return text;
  }
  HRESULT Call(const std::string& name) {
    std::string device = padId_ == 0 ? "Keyboard" : "Joystick" + std::to_string(padId_);
    owner_.Log().Record(device + "::" + name);
    std::string base = name.substr(0, name.find('('));
    HRESULT code = platform::DI_OK;
    if (!owner_.Faults().Take(device + "::" + base, &code) && padId_ != 0)
      owner_.Faults().Take("Joystick::" + base, &code);
    return code;
  }

  FakeInput& owner_;
  std::uint32_t padId_;
  platform::DataFormat format_ = platform::DataFormat::kKeyboard;
  bool acquired_ = false;
};

class FakeDirectInput : public platform::DirectInput {
 public:
  explicit FakeDirectInput(FakeInput& owner) : owner_(owner) {}
  HRESULT CreateKeyboard(std::unique_ptr<platform::InputDevice>* out) override {
    HRESULT code = platform::DI_OK;
    if (owner_.Fails("DirectInput::CreateKeyboard", &code)) return code;
    *out = std::make_unique<FakeDevice>(owner_, 0);
    return platform::DI_OK;
  }
  HRESULT EnumJoysticks(const platform::DeviceEnumCallback& callback) override {
    HRESULT code = platform::DI_OK;
    if (owner_.Fails("DirectInput::EnumJoysticks", &code)) return code;
    for (const auto& pad : owner_.pads) {
      if (!pad.attached) continue;
      platform::DeviceInstance instance;
      instance.id = pad.id;
      std::snprintf(instance.name, sizeof instance.name, "Fake Pad %u", pad.id);
      if (!callback(instance)) break;
    }
    return platform::DI_OK;
  }
  HRESULT CreateDevice(std::uint32_t instanceId, std::unique_ptr<platform::InputDevice>* out) override {
    HRESULT code = platform::DI_OK;
    if (owner_.Fails("DirectInput::CreateDevice(" + std::to_string(instanceId) + ")", &code)) return code;
    *out = std::make_unique<FakeDevice>(owner_, instanceId);
    return platform::DI_OK;
  }
  HRESULT QueryPollableDevice(platform::InputDevice*) override {
    HRESULT code = platform::DI_OK;
    owner_.Fails("DirectInput::QueryPollableDevice", &code);
    return code;
  }
  std::uint32_t JoystickListVersion() override { return owner_.joystickListVersion; }

 private:
  FakeInput& owner_;
};

}  // namespace

bool FakeInput::Fails(const std::string& call, HRESULT* code) {
  log_.Record(call);
  return faults_.Take(call.substr(0, call.find('(')), code);
}

HRESULT FakeInput::CreateDirectInput(std::uint32_t version, std::unique_ptr<platform::DirectInput>* out) {
  char text[64];
  std::snprintf(text, sizeof text, "Input::CreateDirectInput(0x%04X)", version);
  HRESULT code = platform::DI_OK;
  if (Fails(text, &code)) return code;
  *out = std::make_unique<FakeDirectInput>(*this);
  return platform::DI_OK;
}

std::uint16_t FakeInput::GetKeyState(std::uint32_t virtualKey) {
  auto found = virtualKeys.find(virtualKey);
  return found != virtualKeys.end() && found->second ? 0x8000 : 0;
}

std::size_t FakeInput::AttachPad() {
  Pad pad;
  pad.id = static_cast<std::uint32_t>(pads.size()) + 1;
  pads.push_back(pad);
  ++joystickListVersion;
  return pads.size() - 1;
}

void FakeInput::SetPadAttached(std::size_t index, bool attached) {
  if (pads.at(index).attached == attached) return;
  pads[index].attached = attached;
  ++joystickListVersion;
}

}  // namespace fake
