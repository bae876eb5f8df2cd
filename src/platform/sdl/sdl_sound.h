// Sound service on SDL. Placeholder until the audio device and the mixer are wired in: there
// is no sound device, so the game runs silent.
#pragma once

#include "platform/sound.h"

namespace platform::sdl {

class SdlSound final : public Sound {
 public:
  HRESULT CreateDirectSound(std::unique_ptr<DirectSound>* out) override;
  std::unique_ptr<Event> CreateEvent() override;
  int WaitForAnyEvent(Event* const* events, std::size_t count, std::uint32_t timeoutMilliseconds) override;
  std::uint64_t UnderrunCount() override { return 0; }
};

}  // namespace platform::sdl
