// Sound service on SDL, placeholder: reports no driver and has no events yet.
#include "platform/sdl/sdl_sound.h"

namespace platform::sdl {

// Placeholder: answers as a machine without a sound card does.
HRESULT SdlSound::CreateDirectSound(std::unique_ptr<DirectSound>* out) {
  if (out) out->reset();
  return DSERR_NODRIVER;
}

// Placeholder: nothing creates buffers yet, so nothing waits on their notifications.
std::unique_ptr<Event> SdlSound::CreateEvent() { return nullptr; }

int SdlSound::WaitForAnyEvent(Event* const*, std::size_t, std::uint32_t) { return kWaitFailed; }

}  // namespace platform::sdl
