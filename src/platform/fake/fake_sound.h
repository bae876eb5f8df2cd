// The test's sound device: the portable mixer, pulled by the test frame by frame. Every call
// is logged and can be made to fail; buffers can be made lost.
#pragma once

#include <vector>

#include "platform/fake/fault_plan.h"
#include "platform/mixer/mixer.h"
#include "platform/sound.h"

namespace fake {

class FakeSoundBuffer;

class FakeSound : public platform::Sound {
 public:
  static constexpr std::uint32_t kOutputRate = 44100;

  FakeSound(CallLog& log, FaultPlan& faults);

  platform::HRESULT CreateDirectSound(std::unique_ptr<platform::DirectSound>* out) override;
  std::unique_ptr<platform::Event> CreateEvent() override;
  int WaitForAnyEvent(platform::Event* const* events, std::size_t count, std::uint32_t timeoutMilliseconds) override;
  std::uint64_t UnderrunCount() override { return mixer_->Underruns(); }

  // Mixes the next frames as the output device would ask for them: interleaved stereo 16-bit.
  std::vector<std::int16_t> Pull(std::uint32_t frames);
  // Waits until `workers` worker threads wait again, having handled every notification the
  // last pull raised.
  bool Settle(std::size_t workers = 1);
  mixer::Mixer& Mixer() { return *mixer_; }

  // Buffers alive now, in creation order.
  std::vector<FakeSoundBuffer*> Buffers() const;
  bool Fails(const std::string& call, platform::HRESULT* code);
  CallLog& Log() { return log_; }
  FaultPlan& Faults() { return faults_; }

  // Bookkeeping for FakeSoundBuffer.
  void Track(FakeSoundBuffer* buffer);
  void Untrack(FakeSoundBuffer* buffer);

 private:
  CallLog& log_;
  FaultPlan& faults_;
  std::shared_ptr<mixer::Mixer> mixer_;
  mutable std::mutex buffersMutex_;
  std::vector<FakeSoundBuffer*> buffers_;
};

// A mixer buffer with every call logged as "SoundBuffer<serial>::Call(arguments)" and open to
// scripted faults, named for one buffer ("SoundBuffer3::Play") or any ("SoundBuffer::Play").
class FakeSoundBuffer : public platform::SoundBuffer {
 public:
  FakeSoundBuffer(FakeSound& owner, std::unique_ptr<platform::SoundBuffer> inner, const platform::BufferDesc& desc,
                  int serialNumber);
  ~FakeSoundBuffer() override;

  platform::HRESULT Lock(std::uint32_t offset, std::uint32_t bytes, void** first, std::uint32_t* firstBytes,
                         void** second, std::uint32_t* secondBytes, std::uint32_t flags) override;
  platform::HRESULT Unlock(void* first, std::uint32_t firstBytes, void* second, std::uint32_t secondBytes) override;
  platform::HRESULT Play(std::uint32_t flags) override;
  platform::HRESULT Stop() override;
  platform::HRESULT GetStatus(std::uint32_t* status) override;
  platform::HRESULT GetCurrentPosition(std::uint32_t* playCursor, std::uint32_t* writeCursor) override;
  platform::HRESULT SetCurrentPosition(std::uint32_t playCursor) override;
  platform::HRESULT SetVolume(std::int32_t volume) override;
  platform::HRESULT GetVolume(std::int32_t* volume) override;
  platform::HRESULT Restore() override;
  platform::HRESULT QueryNotify(std::unique_ptr<platform::SoundNotify>* out) override;

  // The buffer as the mixer sees it now: bytes, cursor, playing, volume, notifications.
  mixer::BufferView View() const;
  std::vector<unsigned char> Bytes() const;
  void MarkLost();

  const int serial;  // creation order, 1 for the first buffer
  const platform::BufferDesc desc;

 private:
  platform::HRESULT Call(const std::string& name);
  FakeSound& owner_;
  std::unique_ptr<platform::SoundBuffer> inner_;
};

}  // namespace fake
