// Inside the SDL input backend: what the event watch learns (held keys, focus) and the pads
// that are open, shared by the service, the device object and every device.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/input.h"

namespace platform::sdl {

class SdlWindowSystem;

// Attached joysticks by instance id, which SDL hands out in the order pads are connected. A
// fixed array, as the game asks for it every frame.
struct JoystickList {
  static constexpr int kMaxListed = 64;
  SDL_JoystickID ids[kMaxListed] = {};
  int count = 0;

  bool operator==(const JoystickList& other) const {
    if (count != other.count) return false;
    for (int i = 0; i < count; ++i) {
      if (ids[i] != other.ids[i]) return false;
    }
    return true;
  }
  bool operator!=(const JoystickList& other) const { return !(*this == other); }
};

struct InputHub {
  explicit InputHub(SdlWindowSystem& owner) : windows(owner) {}

  SdlWindowSystem& windows;
  bool watching = false;  // SDL is up and the event watch installed
  bool padsReady = false;  // the game-controller subsystem is up
  // Fed from key events rather than SDL's own state, so events pushed by tests count too.
  bool held[SDL_NUM_SCANCODES] = {};
  // Headless drivers never report focus, so every window counts as focused until SDL first
  // says where the focus is.
  bool focusKnown = false;
  std::uint32_t focusedWindow = 0;  // SDL window id, 0 when none of ours has the focus
  std::uint32_t focusLosses = 0;    // a foreground device acquired before the last loss is lost

  bool HasFocus(std::uint32_t sdlWindowId) const { return !focusKnown || focusedWindow == sdlWindowId; }
  JoystickList listed;  // joysticks attached at the last look
  std::uint32_t listVersion = 0;
  std::vector<class SdlPadCloser*> openPads;
};

// The acquisition rules both kinds of device share. A foreground device loses its acquisition
// when the program loses focus; reads then report the loss (not "not acquired") until an
// acquire succeeds, so the game's re-acquire path mends it whenever it next polls.
class Acquisition {
 public:
  void SetCooperation(bool foreground, std::uint32_t sdlWindowId) {
    foreground_ = foreground;
    windowId_ = sdlWindowId;
  }
  HRESULT Acquire(const InputHub& hub) {
    if (foreground_ && !hub.HasFocus(windowId_)) return DIERR_OTHERAPPHASPRIO;
    if (Held(hub)) return DI_NOEFFECT;
    state_ = State::kAcquired;
    lossesAtAcquire_ = hub.focusLosses;
    return DI_OK;
  }
  HRESULT Unacquire() {
    const bool was = state_ == State::kAcquired;
    state_ = State::kUnacquired;
    return was ? DI_OK : DI_NOEFFECT;
  }
  // DI_OK when the device may be read now, otherwise the failure to report.
  HRESULT CheckRead(const InputHub& hub) {
    if (state_ == State::kAcquired && foreground_ && hub.focusLosses != lossesAtAcquire_) state_ = State::kLost;
    if (state_ == State::kLost) return DIERR_INPUTLOST;
    return state_ == State::kAcquired ? DI_OK : DIERR_NOTACQUIRED;
  }
  void Lose() { state_ = State::kLost; }
  bool Held(const InputHub& hub) const {
    return state_ == State::kAcquired && !(foreground_ && hub.focusLosses != lossesAtAcquire_);
  }

 private:
  enum class State { kUnacquired, kAcquired, kLost };
  State state_ = State::kUnacquired;
  bool foreground_ = false;
  std::uint32_t windowId_ = 0;
  std::uint32_t lossesAtAcquire_ = 0;
};

// What a pad device does when SDL is about to go down.
class SdlPadCloser {
 public:
  virtual void CloseNow() = 0;

 protected:
  ~SdlPadCloser() = default;
};

// A joystick device for an attached SDL joystick (a game controller when SDL has a mapping).
HRESULT CreatePadDevice(const std::shared_ptr<InputHub>& hub, SDL_JoystickID instance,
                        std::unique_ptr<InputDevice>* out);

// The SDL id of the window behind a handle, 0 when the handle is no window.
std::uint32_t SdlWindowIdOf(const InputHub& hub, WindowHandle window);

// Axis value scaled into [minimum, maximum] with a dead zone in 1/10000 of the range.
std::int32_t ScaleAxis(std::int32_t raw, std::int32_t minimum, std::int32_t maximum, std::uint32_t deadZone);

// Whether the cooperative flags name exactly one of exclusive/non-exclusive and of
// foreground/background.
bool ValidCooperativeFlags(std::uint32_t flags);

}  // namespace platform::sdl
