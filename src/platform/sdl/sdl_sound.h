// Sound service on SDL: one audio device (44100 Hz stereo, 256-frame periods) whose callback
// pulls mixed frames from the portable mixer. A removed device makes every buffer lost until a
// buffer's Restore opens the device again.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/sound.h"

namespace mixer {
class Mixer;
}

namespace platform::sdl {

class SdlSound final : public Sound {
 public:
  static constexpr std::uint32_t kOutputRate = 44100;
  static constexpr std::uint16_t kPeriodFrames = 256;  // 5.8 ms

  SdlSound() = default;
  ~SdlSound() override;

  // Opens the default output device; DSERR_NODRIVER when there is none.
  HRESULT CreateDirectSound(std::unique_ptr<DirectSound>* out) override;
  std::unique_ptr<Event> CreateEvent() override;
  int WaitForAnyEvent(Event* const* events, std::size_t count, std::uint32_t timeoutMilliseconds) override;
  std::uint64_t UnderrunCount() override;

  // For the device object: closes the device and ends the audio subsystem.
  void CloseAll();
  bool DeviceOpen() const { return device_ != 0; }
  // From SDL's event watch: an output device went away.
  void OnDeviceRemoved(std::uint32_t device);

 private:
  bool OpenDevice();
  void CloseDevice();
  static void Callback(void* userdata, std::uint8_t* stream, int length);

  std::shared_ptr<mixer::Mixer> mixer_;
  std::uint32_t device_ = 0;
  std::atomic<std::uint32_t> watchedDevice_{0};
  bool audioStarted_ = false;
  std::uint64_t earlierUnderruns_ = 0;
};

}  // namespace platform::sdl
