// Input service on SDL: the event watch that follows keys and focus, the keyboard device, the
// device object that lists and opens pads, and the keyboard-only key state.
#include "platform/sdl/sdl_input.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <cstdio>

#include "platform/sdl/sdl_input_hub.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_registry.h"
#include "platform/sdl/sdl_window.h"

namespace platform::sdl {
namespace {

constexpr const char* kMappingFile = "gamecontrollerdb.txt";

int WatchEvents(void* userdata, SDL_Event* event) {
  InputHub& hub = *static_cast<InputHub*>(userdata);
  switch (event->type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const SDL_Scancode scancode = event->key.keysym.scancode;
      if (scancode > SDL_SCANCODE_UNKNOWN && scancode < SDL_NUM_SCANCODES)
        hub.held[scancode] = event->type == SDL_KEYDOWN;
      break;
    }
    case SDL_WINDOWEVENT:
      if (event->window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        hub.focusKnown = true;
        if (hub.focusedWindow == event->window.windowID) hub.focusedWindow = 0;
        ++hub.focusLosses;
        // No key-up reaches a window without focus.
        std::fill(std::begin(hub.held), std::end(hub.held), false);
      } else if (event->window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        hub.focusKnown = true;
        hub.focusedWindow = event->window.windowID;
      }
      break;
    default:
      break;
  }
  return 1;
}

}  // namespace

std::uint32_t SdlWindowIdOf(const InputHub& hub, WindowHandle window) {
  SDL_Window* sdlWindow = hub.windows.SdlWindowOf(window);
  return sdlWindow ? SDL_GetWindowID(sdlWindow) : 0;
}

namespace {

class SdlKeyboard final : public InputDevice {
 public:
  explicit SdlKeyboard(std::shared_ptr<InputHub> hub) : hub_(std::move(hub)) {}

  HRESULT SetDataFormat(DataFormat format) override {
    if (format != DataFormat::kKeyboard) return DIERR_INVALIDPARAM;
    formatSet_ = true;
    return DI_OK;
  }
  HRESULT SetCooperativeLevel(WindowHandle window, std::uint32_t flags) override {
    // An exclusive keyboard in the background would take the keys from every other program.
    if (!ValidCooperativeFlags(flags) || (flags & (DISCL_EXCLUSIVE | DISCL_BACKGROUND)) == (DISCL_EXCLUSIVE | DISCL_BACKGROUND))
      return E_INVALIDARG;
    const std::uint32_t windowId = SdlWindowIdOf(*hub_, window);
    if (windowId == 0) return E_HANDLE;
    acquisition_.SetCooperation((flags & DISCL_FOREGROUND) != 0, windowId);
    return DI_OK;
  }
  HRESULT SetRange(Axis, std::int32_t, std::int32_t) override { return E_NOTIMPL; }
  HRESULT SetDeadZone(Axis, std::uint32_t) override { return E_NOTIMPL; }
  HRESULT Acquire() override { return formatSet_ ? acquisition_.Acquire(*hub_) : DIERR_INVALIDPARAM; }
  HRESULT Unacquire() override { return acquisition_.Unacquire(); }
  HRESULT Poll() override { return DI_NOEFFECT; }
  HRESULT GetDeviceState(std::uint32_t size, void* out) override {
    if (size != kKeyboardStateSize || !out) return DIERR_INVALIDPARAM;
    if (HRESULT check = acquisition_.CheckRead(*hub_); Failed(check)) return check;
    auto* keys = static_cast<std::uint8_t*>(out);
    std::memset(keys, 0, kKeyboardStateSize);
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
      if (!hub_->held[scancode]) continue;
      if (std::uint8_t key = DirectInputKeyFromSdl(static_cast<SDL_Scancode>(scancode))) keys[key] = 0x80;
    }
    return DI_OK;
  }

 private:
  std::shared_ptr<InputHub> hub_;
  Acquisition acquisition_;
  bool formatSet_ = false;
};

JoystickList AttachedJoysticks() {
  JoystickList list;
  const int count = SDL_NumJoysticks();
  for (int index = 0; index < count && list.count < JoystickList::kMaxListed; ++index) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    if (id >= 0) list.ids[list.count++] = id;
  }
  std::sort(list.ids, list.ids + list.count);
  return list;
}

int DeviceIndexOf(SDL_JoystickID instance) {
  const int count = SDL_NumJoysticks();
  for (int index = 0; index < count; ++index) {
    if (SDL_JoystickGetDeviceInstanceID(index) == instance) return index;
  }
  return -1;
}

// Device ids are instance ids plus one, so no device is ever id 0.
std::uint32_t DeviceId(SDL_JoystickID instance) { return static_cast<std::uint32_t>(instance) + 1; }

class SdlDirectInput final : public DirectInput {
 public:
  explicit SdlDirectInput(std::shared_ptr<InputHub> hub) : hub_(std::move(hub)) {}

  HRESULT CreateKeyboard(std::unique_ptr<InputDevice>* out) override {
    if (!out) return DIERR_INVALIDPARAM;
    *out = std::make_unique<SdlKeyboard>(hub_);
    return DI_OK;
  }
  HRESULT EnumJoysticks(const DeviceEnumCallback& callback) override {
    if (!hub_->padsReady) return DI_OK;
    const JoystickList attached = AttachedJoysticks();
    for (int i = 0; i < attached.count; ++i) {
      const SDL_JoystickID instance = attached.ids[i];
      const int index = DeviceIndexOf(instance);
      if (index < 0) continue;
      DeviceInstance device;
      device.id = DeviceId(instance);
      const char* name = SDL_IsGameController(index) ? SDL_GameControllerNameForIndex(index) : SDL_JoystickNameForIndex(index);
      std::snprintf(device.name, sizeof device.name, "%s", name ? name : "Joystick");
      if (!callback(device)) break;
    }
    return DI_OK;
  }
  HRESULT CreateDevice(std::uint32_t instanceId, std::unique_ptr<InputDevice>* out) override {
    if (!out || instanceId == 0) return DIERR_INVALIDPARAM;
    if (!hub_->padsReady) return DIERR_DEVICENOTREG;
    return CreatePadDevice(hub_, static_cast<SDL_JoystickID>(instanceId - 1), out);
  }
  // Every device here can be polled already.
  HRESULT QueryPollableDevice(InputDevice* device) override { return device ? DI_OK : DIERR_INVALIDPARAM; }
  std::uint32_t JoystickListVersion() override {
    if (!hub_->padsReady) return 0;
    const JoystickList now = AttachedJoysticks();
    if (now != hub_->listed) {
      hub_->listed = now;
      ++hub_->listVersion;
    }
    return hub_->listVersion;
  }

 private:
  std::shared_ptr<InputHub> hub_;
};

void AddMappingsFrom(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return;
  if (SDL_GameControllerAddMappingsFromFile(file.c_str()) < 0)
    SDL_Log("sorvani: cannot read pad mappings from %s: %s", file.c_str(), SDL_GetError());
}

// Pads go by the buttons' position, and their state follows them while the window is in the
// background too: the devices themselves decide what a window without focus may read.
void StartPads(InputHub& hub) {
  if (hub.padsReady) return;
  SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    SDL_Log("sorvani: no game pads: %s", SDL_GetError());
    return;
  }
  hub.padsReady = true;
  // SDL itself reads SDL_GAMECONTROLLERCONFIG; these files add to (and override) its database.
  if (char* base = SDL_GetBasePath()) {
    AddMappingsFrom(std::filesystem::path(base) / kMappingFile);
    SDL_free(base);
  }
  AddMappingsFrom(std::filesystem::path(DefaultRegistryPath()).parent_path() / kMappingFile);
  hub.listed = AttachedJoysticks();
}

}  // namespace

bool ValidCooperativeFlags(std::uint32_t flags) {
  const bool exclusive = (flags & DISCL_EXCLUSIVE) != 0, shared = (flags & DISCL_NONEXCLUSIVE) != 0;
  const bool foreground = (flags & DISCL_FOREGROUND) != 0, background = (flags & DISCL_BACKGROUND) != 0;
  return exclusive != shared && foreground != background;
}

SdlInput::SdlInput(SdlWindowSystem& windows) : hub(std::make_shared<InputHub>(windows)) {}

SdlInput::~SdlInput() { Stop(); }

void SdlInput::Start() {
  if (hub->watching) return;
  SDL_AddEventWatch(WatchEvents, hub.get());
  hub->watching = true;
}

void SdlInput::Stop() {
  // Closing removes the pad from the list.
  while (!hub->openPads.empty()) hub->openPads.back()->CloseNow();
  if (hub->padsReady) {
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    hub->padsReady = false;
  }
  if (hub->watching) {
    SDL_DelEventWatch(WatchEvents, hub.get());
    hub->watching = false;
  }
  std::fill(std::begin(hub->held), std::end(hub->held), false);
  hub->focusKnown = false;
  hub->focusedWindow = 0;
}

HRESULT SdlInput::CreateDirectInput(std::uint32_t, std::unique_ptr<DirectInput>* out) {
  if (!out) return DIERR_INVALIDPARAM;
  out->reset();
  if (!hub->watching) return DIERR_NOTINITIALIZED;
  StartPads(*hub);
  *out = std::make_unique<SdlDirectInput>(hub);
  return DI_OK;
}

// Keys as of the last event taken from SDL, as the window system's key state is the state as
// of the last message taken from the queue.
std::uint16_t SdlInput::GetKeyState(std::uint32_t virtualKey) {
  SDL_Scancode scancodes[4];
  const std::size_t count = ScancodesForVirtualKey(virtualKey, scancodes, 4);
  for (std::size_t i = 0; i < count && i < 4; ++i) {
    if (hub->held[scancodes[i]]) return 0x8000;
  }
  return 0;
}

}  // namespace platform::sdl
