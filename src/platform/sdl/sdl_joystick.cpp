// Joystick devices on SDL: a game controller (buttons by position, as a typical pad reports them
// to the original platform) or a plain joystick, read into the standard joystick record with
// the axes scaled to the range the game set.
#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "platform/sdl/sdl_input_hub.h"

namespace platform::sdl {
namespace {

// Button n+1 of the record, for pads SDL knows: face buttons, shoulders, Back and Start, stick
// clicks, then the rest.
constexpr SDL_GameControllerButton kControllerButtons[] = {
    SDL_CONTROLLER_BUTTON_A,          SDL_CONTROLLER_BUTTON_B,           SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,          SDL_CONTROLLER_BUTTON_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_BACK,       SDL_CONTROLLER_BUTTON_START,       SDL_CONTROLLER_BUTTON_LEFTSTICK,
    SDL_CONTROLLER_BUTTON_RIGHTSTICK, SDL_CONTROLLER_BUTTON_GUIDE,       SDL_CONTROLLER_BUTTON_MISC1,
    SDL_CONTROLLER_BUTTON_PADDLE1,    SDL_CONTROLLER_BUTTON_PADDLE2,     SDL_CONTROLLER_BUTTON_PADDLE3,
    SDL_CONTROLLER_BUTTON_PADDLE4,    SDL_CONTROLLER_BUTTON_TOUCHPAD,
};

// A direction pad in hundredths of a degree clockwise from up; centred is all bits set.
std::uint32_t PovFrom(bool up, bool right, bool down, bool left) {
  const int x = (right ? 1 : 0) - (left ? 1 : 0);
  const int y = (down ? 1 : 0) - (up ? 1 : 0);
  if (x == 0 && y == 0) return 0xFFFFFFFFu;
  static const std::uint32_t kAngles[3][3] = {{31500, 0, 4500}, {27000, 0, 9000}, {22500, 18000, 13500}};
  return kAngles[y + 1][x + 1];
}

struct AxisSetting {
  std::int32_t minimum = 0;
  std::int32_t maximum = 65535;  // the device's own range until the game sets one
  std::uint32_t deadZone = 0;
};

class SdlPad final : public InputDevice, public SdlPadCloser {
 public:
  SdlPad(std::shared_ptr<InputHub> hub, SDL_GameController* controller, SDL_Joystick* joystick)
      : hub_(std::move(hub)), controller_(controller), joystick_(joystick) {
    hub_->openPads.push_back(this);
  }
  ~SdlPad() override { CloseNow(); }

  void CloseNow() override {
    if (controller_) SDL_GameControllerClose(controller_);
    if (!controller_ && joystick_) SDL_JoystickClose(joystick_);
    controller_ = nullptr;
    joystick_ = nullptr;
    auto& open = hub_->openPads;
    open.erase(std::remove(open.begin(), open.end(), static_cast<SdlPadCloser*>(this)), open.end());
  }

  HRESULT SetDataFormat(DataFormat format) override {
    if (format != DataFormat::kJoystick) return DIERR_INVALIDPARAM;
    formatSet_ = true;
    return DI_OK;
  }
  HRESULT SetCooperativeLevel(WindowHandle window, std::uint32_t flags) override {
    if (!ValidCooperativeFlags(flags)) return E_INVALIDARG;
    const std::uint32_t windowId = SdlWindowIdOf(*hub_, window);
    if (windowId == 0) return E_HANDLE;
    acquisition_.SetCooperation((flags & DISCL_FOREGROUND) != 0, windowId);
    return DI_OK;
  }
  HRESULT SetRange(Axis axis, std::int32_t minimum, std::int32_t maximum) override {
    if (minimum >= maximum) return DIERR_INVALIDPARAM;
    Setting(axis).minimum = minimum;
    Setting(axis).maximum = maximum;
    return DI_OK;
  }
  HRESULT SetDeadZone(Axis axis, std::uint32_t deadZone) override {
    if (deadZone > 10000) return DIERR_INVALIDPARAM;
    Setting(axis).deadZone = deadZone;
    return DI_OK;
  }
  HRESULT Acquire() override {
    if (!formatSet_) return DIERR_INVALIDPARAM;
    if (!Attached()) return DIERR_UNPLUGGED;
    return acquisition_.Acquire(*hub_);
  }
  HRESULT Unacquire() override { return acquisition_.Unacquire(); }
  HRESULT Poll() override {
    if (!acquisition_.Held(*hub_)) return DIERR_NOTACQUIRED;
    SDL_JoystickUpdate();
    return DI_OK;
  }
  HRESULT GetDeviceState(std::uint32_t size, void* out) override {
    if (size != sizeof(JoystickState) || !out) return DIERR_INVALIDPARAM;
    if (HRESULT check = acquisition_.CheckRead(*hub_); Failed(check)) return check;
    if (!Attached()) {
      acquisition_.Lose();
      return DIERR_INPUTLOST;
    }
    JoystickState state;
    if (controller_) {
      ReadController(state);
    } else {
      ReadJoystick(state);
    }
    *static_cast<JoystickState*>(out) = state;
    return DI_OK;
  }

 private:
  AxisSetting& Setting(Axis axis) { return axis == Axis::kX ? x_ : y_; }
  bool Attached() const { return joystick_ && SDL_JoystickGetAttached(joystick_); }

  static std::int32_t Scale(std::int32_t raw, const AxisSetting& setting) {
    return ScaleAxis(raw, setting.minimum, setting.maximum, setting.deadZone);
  }

  // A held direction pad pushes the stick axes to their ends, as many pads' drivers do.
  void FoldPov(JoystickState& state) const {
    if (state.pov[0] == 0xFFFFFFFFu) return;
    const std::uint32_t angle = state.pov[0];
    if (angle > 0 && angle < 18000) state.x = x_.maximum;
    if (angle > 18000) state.x = x_.minimum;
    if (angle < 9000 || angle > 27000) state.y = y_.minimum;
    if (angle > 9000 && angle < 27000) state.y = y_.maximum;
  }

  void ReadController(JoystickState& state) const {
    const AxisSetting other;
    auto axis = [&](SDL_GameControllerAxis which) { return SDL_GameControllerGetAxis(controller_, which); };
    state.x = Scale(axis(SDL_CONTROLLER_AXIS_LEFTX), x_);
    state.y = Scale(axis(SDL_CONTROLLER_AXIS_LEFTY), y_);
    state.rx = Scale(axis(SDL_CONTROLLER_AXIS_RIGHTX), other);
    state.ry = Scale(axis(SDL_CONTROLLER_AXIS_RIGHTY), other);
    // Both triggers on one axis, pulling it either way.
    state.z = Scale(axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT) - axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT), other);
    for (std::size_t i = 0; i < std::size(kControllerButtons); ++i) {
      if (SDL_GameControllerGetButton(controller_, kControllerButtons[i])) state.buttons[i] = 0x80;
    }
    auto button = [&](SDL_GameControllerButton which) { return SDL_GameControllerGetButton(controller_, which) != 0; };
    state.pov[0] = PovFrom(button(SDL_CONTROLLER_BUTTON_DPAD_UP), button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                           button(SDL_CONTROLLER_BUTTON_DPAD_DOWN), button(SDL_CONTROLLER_BUTTON_DPAD_LEFT));
    FoldPov(state);
  }

  void ReadJoystick(JoystickState& state) const {
    const AxisSetting other;
    std::int32_t* axes[] = {&state.x, &state.y, &state.z, &state.rx, &state.ry, &state.rz, &state.sliders[0], &state.sliders[1]};
    const int axisCount = std::min<int>(SDL_JoystickNumAxes(joystick_), static_cast<int>(std::size(axes)));
    for (int i = 0; i < axisCount; ++i) *axes[i] = Scale(SDL_JoystickGetAxis(joystick_, i), i == 0 ? x_ : i == 1 ? y_ : other);
    // Axes the stick does not have rest at the centre.
    for (int i = std::max(axisCount, 0); i < static_cast<int>(std::size(axes)); ++i) *axes[i] = Scale(0, i == 0 ? x_ : i == 1 ? y_ : other);
    const int buttonCount = std::min(SDL_JoystickNumButtons(joystick_), 32);
    for (int i = 0; i < buttonCount; ++i) {
      if (SDL_JoystickGetButton(joystick_, i)) state.buttons[i] = 0x80;
    }
    const int hats = std::min(SDL_JoystickNumHats(joystick_), 4);
    for (int i = 0; i < hats; ++i) {
      const Uint8 hat = SDL_JoystickGetHat(joystick_, i);
      state.pov[i] = PovFrom(hat & SDL_HAT_UP, hat & SDL_HAT_RIGHT, hat & SDL_HAT_DOWN, hat & SDL_HAT_LEFT);
    }
    FoldPov(state);
  }

  std::shared_ptr<InputHub> hub_;
  SDL_GameController* controller_;
  SDL_Joystick* joystick_;
  Acquisition acquisition_;
  bool formatSet_ = false;
  AxisSetting x_, y_;
};

}  // namespace

std::int32_t ScaleAxis(std::int32_t raw, std::int32_t minimum, std::int32_t maximum, std::uint32_t deadZone) {
  raw = std::clamp(raw, -32768, 32767);
  const double position = raw < 0 ? raw / 32768.0 : raw / 32767.0;
  const double dead = std::min(deadZone, 10000u) / 10000.0;
  double magnitude = std::fabs(position);
  magnitude = magnitude <= dead ? 0.0 : (magnitude - dead) / (1.0 - dead);
  const double centre = (static_cast<double>(minimum) + maximum) / 2.0;
  const double half = (static_cast<double>(maximum) - minimum) / 2.0;
  const double value = std::round(centre + std::copysign(magnitude, position) * half);
  return static_cast<std::int32_t>(std::clamp(value, static_cast<double>(minimum), static_cast<double>(maximum)));
}

HRESULT CreatePadDevice(const std::shared_ptr<InputHub>& hub, SDL_JoystickID instance, std::unique_ptr<InputDevice>* out) {
  const int count = SDL_NumJoysticks();
  int index = -1;
  for (int i = 0; i < count; ++i) {
    if (SDL_JoystickGetDeviceInstanceID(i) == instance) index = i;
  }
  if (index < 0) return DIERR_DEVICENOTREG;
  SDL_GameController* controller = SDL_IsGameController(index) ? SDL_GameControllerOpen(index) : nullptr;
  SDL_Joystick* joystick = controller ? SDL_GameControllerGetJoystick(controller) : SDL_JoystickOpen(index);
  if (!joystick) {
    if (controller) SDL_GameControllerClose(controller);
    SDL_Log("sorvani: cannot open pad %d: %s", index, SDL_GetError());
    return DIERR_DEVICENOTREG;
  }
  *out = std::make_unique<SdlPad>(hub, controller, joystick);
  return DI_OK;
}

}  // namespace platform::sdl
