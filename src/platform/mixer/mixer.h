// The portable mixer behind every sound buffer: cursors, looping, one-shot ends, volume,
// resampling and position notifications. A backend only pulls mixed frames from it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/sound.h"

namespace mixer {

struct Voice;

class Mixer : public std::enable_shared_from_this<Mixer> {
 public:
  static constexpr std::uint32_t kChannels = 2;  // output is always interleaved stereo, signed 16-bit

  explicit Mixer(std::uint32_t outputRate);
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  std::uint32_t OutputRate() const { return outputRate_; }

  // Checks the description as the sound device would and makes a buffer that plays here.
  platform::HRESULT CreateBuffer(const platform::BufferDesc& desc, std::unique_ptr<platform::SoundBuffer>* out);

  // Writes the next `frames` stereo frames. Never waits for the buffers' users: the lock is
  // taken only to copy each playing voice's cursor out and to write it back.
  void Mix(std::int16_t* out, std::uint32_t frames);

  // The output device went away: every buffer reports lost and stops until restored.
  void MarkDeviceLost();
  bool DeviceLost() const;
  // Called by a buffer's Restore while the device is lost; true when the output is back.
  void SetReopenHandler(std::function<bool()> reopen);

  // Times the play cursor entered a notified region that nobody refilled since it last played.
  std::uint64_t Underruns() const;

  // For the buffers only.
  void Attach(Voice* voice);
  void Detach(Voice* voice);
  std::mutex& Mutex() { return mutex_; }
  // Waits, with the lock held, until no running mix holds this voice.
  void WaitForMixOf(Voice* voice, std::unique_lock<std::mutex>& lock);
  bool Reopen(std::unique_lock<std::mutex>& lock);

 private:
  struct Snapshot;
  void MixChunk(float* accumulator, std::uint32_t frames);

  const std::uint32_t outputRate_;
  mutable std::mutex mutex_;
  std::condition_variable mixDone_;
  std::vector<Voice*> voices_;
  std::vector<Snapshot> snapshots_;  // capacity kept at voices_.size(): Mix never allocates
  std::vector<float> accumulator_;
  bool mixing_ = false;
  bool deviceLost_ = false;
  std::uint64_t underruns_ = 0;
  std::function<bool()> reopen_;
};

// The device object every backend hands out: buffers from one mixer.
class MixerDirectSound : public platform::DirectSound {
 public:
  explicit MixerDirectSound(std::shared_ptr<Mixer> mixer) : mixer_(std::move(mixer)) {}
  platform::HRESULT SetCooperativeLevel(platform::WindowHandle window, std::uint32_t level) override;
  platform::HRESULT CreateSoundBuffer(const platform::BufferDesc& desc,
                                      std::unique_ptr<platform::SoundBuffer>* out) override;

 private:
  std::shared_ptr<Mixer> mixer_;
};

// Read access to a mixer buffer for tests and tools: its bytes and its state as the mixer sees it.
struct BufferView {
  const unsigned char* bytes = nullptr;
  std::uint32_t size = 0;
  std::uint32_t playCursor = 0;
  bool playing = false;
  bool looping = false;
  std::int32_t volume = 0;
  std::vector<platform::NotifyPosition> notifications;
};
// False when the buffer was not made by a Mixer.
bool ViewBuffer(platform::SoundBuffer* buffer, BufferView* view);
// One buffer reports lost, as after a focus change; false when not a mixer buffer.
bool MarkBufferLost(platform::SoundBuffer* buffer);

}  // namespace mixer
