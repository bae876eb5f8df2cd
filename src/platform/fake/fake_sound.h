// In-memory sound device: buffers are byte arrays whose play cursor the test moves; passing a
// notification position sets its event. Every call is logged and can be made to fail.
#pragma once

#include <vector>

#include "platform/fake/fault_plan.h"
#include "platform/sound.h"

namespace fake {

class FakeSoundBuffer;

class FakeSound : public platform::Sound {
 public:
  FakeSound(CallLog& log, FaultPlan& faults) : log_(log), faults_(faults) {}

  platform::HRESULT CreateDirectSound(std::unique_ptr<platform::DirectSound>* out) override;
  std::unique_ptr<platform::Event> CreateEvent() override;
  int WaitForAnyEvent(platform::Event* const* events, std::size_t count, std::uint32_t timeoutMilliseconds) override;

  // Buffers alive now, in creation order.
  const std::vector<FakeSoundBuffer*>& Buffers() const { return buffers_; }
  bool Fails(const std::string& call, platform::HRESULT* code);
  CallLog& Log() { return log_; }
  FaultPlan& Faults() { return faults_; }

  // Bookkeeping for FakeSoundBuffer.
  void Track(FakeSoundBuffer* buffer) { buffers_.push_back(buffer); }
  void Untrack(FakeSoundBuffer* buffer);

 private:
  CallLog& log_;
  FaultPlan& faults_;
  std::vector<FakeSoundBuffer*> buffers_;
};

class FakeSoundBuffer : public platform::SoundBuffer {
 public:
  FakeSoundBuffer(FakeSound& owner, const platform::BufferDesc& bufferDesc, int serialNumber);
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

  // Moves the play cursor as a device would while playing: wraps when looping, stops at the
  // end otherwise, and sets the event of every notification position passed.
  void AdvancePlayCursor(std::uint32_t bytes);
  void MarkLost() { lost_ = true; }

  const int serial;  // creation order, 1 for the first buffer
  const platform::BufferDesc desc;
  std::vector<unsigned char> data;
  std::vector<platform::NotifyPosition> notifications;
  bool playing = false;
  bool looping = false;
  std::int32_t volume = 0;
  std::uint32_t playCursor = 0;
  int plays = 0;

 private:
  platform::HRESULT Call(const std::string& name);
  FakeSound& owner_;
  bool lost_ = false;
};

}  // namespace fake
