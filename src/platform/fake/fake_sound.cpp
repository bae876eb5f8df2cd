// The test's sound device: logged, fault-injecting wrappers over the portable mixer's buffers.
#include "platform/fake/fake_sound.h"

#include <algorithm>
#include <cstdio>

#include "platform/mixer/signal_event.h"

namespace fake {
using platform::HRESULT;

namespace {

class FakeNotify : public platform::SoundNotify {
 public:
  FakeNotify(FakeSound& owner, std::unique_ptr<platform::SoundNotify> inner)
      : owner_(owner), inner_(std::move(inner)) {}
  HRESULT SetNotificationPositions(std::uint32_t count, const platform::NotifyPosition* positions) override {
    HRESULT code = platform::DS_OK;
    if (owner_.Fails("SoundNotify::SetNotificationPositions(" + std::to_string(count) + ")", &code)) return code;
    return inner_->SetNotificationPositions(count, positions);
  }

 private:
  FakeSound& owner_;
  std::unique_ptr<platform::SoundNotify> inner_;
};

class FakeDirectSound : public platform::DirectSound {
 public:
  FakeDirectSound(FakeSound& owner, std::shared_ptr<mixer::Mixer> mixer) : owner_(owner), device_(std::move(mixer)) {}
  HRESULT SetCooperativeLevel(platform::WindowHandle window, std::uint32_t level) override {
    HRESULT code = platform::DS_OK;
    if (owner_.Fails(
            "DirectSound::SetCooperativeLevel(" + std::to_string(window) + "," + std::to_string(level) + ")", &code))
      return code;
    return device_.SetCooperativeLevel(window, level);
  }
  HRESULT CreateSoundBuffer(const platform::BufferDesc& desc, std::unique_ptr<platform::SoundBuffer>* out) override {
    char text[96];
    std::snprintf(text, sizeof text, "DirectSound::CreateSoundBuffer(%u,0x%X,%u)", desc.size, desc.flags,
                  desc.bufferBytes);
    HRESULT code = platform::DS_OK;
    if (owner_.Fails(text, &code)) return code;
    std::unique_ptr<platform::SoundBuffer> inner;
    code = device_.CreateSoundBuffer(desc, &inner);
    if (platform::Failed(code)) return code;
    *out = std::make_unique<FakeSoundBuffer>(owner_, std::move(inner), desc, ++serial_);
    return platform::DS_OK;
  }

 private:
  FakeSound& owner_;
  mixer::MixerDirectSound device_;
  int serial_ = 0;
};

}  // namespace

FakeSound::FakeSound(CallLog& log, FaultPlan& faults)
    : log_(log), faults_(faults), mixer_(std::make_shared<mixer::Mixer>(kOutputRate)) {}

bool FakeSound::Fails(const std::string& call, HRESULT* code) {
  log_.Record(call);
  return faults_.Take(call.substr(0, call.find('(')), code);
}

void FakeSound::Track(FakeSoundBuffer* buffer) {
  std::lock_guard<std::mutex> lock(buffersMutex_);
  buffers_.push_back(buffer);
}

void FakeSound::Untrack(FakeSoundBuffer* buffer) {
  std::lock_guard<std::mutex> lock(buffersMutex_);
  buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end());
}

std::vector<FakeSoundBuffer*> FakeSound::Buffers() const {
  std::lock_guard<std::mutex> lock(buffersMutex_);
  return buffers_;
}

HRESULT FakeSound::CreateDirectSound(std::unique_ptr<platform::DirectSound>* out) {
  HRESULT code = platform::DS_OK;
  if (Fails("Sound::CreateDirectSound", &code)) return code;
  *out = std::make_unique<FakeDirectSound>(*this, mixer_);
  return platform::DS_OK;
}

std::unique_ptr<platform::Event> FakeSound::CreateEvent() {
  HRESULT code;
  if (Fails("Sound::CreateEvent", &code)) return nullptr;
  return mixer::CreateSignalEvent();
}

int FakeSound::WaitForAnyEvent(platform::Event* const* events, std::size_t count, std::uint32_t timeoutMilliseconds) {
  // Not logged: the stream's worker thread waits here while the test thread reads the log.
  return mixer::WaitForAnySignal(events, count, timeoutMilliseconds);
}

std::vector<std::int16_t> FakeSound::Pull(std::uint32_t frames) {
  std::vector<std::int16_t> out(static_cast<std::size_t>(frames) * mixer::Mixer::kChannels);
  mixer_->Mix(out.data(), frames);
  return out;
}

bool FakeSound::Settle(std::size_t workers) { return mixer::WaitUntilSignalsHandled(workers, 10000); }

FakeSoundBuffer::FakeSoundBuffer(FakeSound& owner, std::unique_ptr<platform::SoundBuffer> inner,
                                 const platform::BufferDesc& bufferDesc, int serialNumber)
    : serial(serialNumber), desc(bufferDesc), owner_(owner), inner_(std::move(inner)) {
  owner_.Track(this);
}

FakeSoundBuffer::~FakeSoundBuffer() { owner_.Untrack(this); }

HRESULT FakeSoundBuffer::Call(const std::string& name) {
  owner_.Log().Record("SoundBuffer" + std::to_string(serial) + "::" + name);
  std::string base = name.substr(0, name.find('('));
  HRESULT code = platform::DS_OK;
  if (!owner_.Faults().Take("SoundBuffer" + std::to_string(serial) + "::" + base, &code))
    owner_.Faults().Take("SoundBuffer::" + base, &code);
  return code;
}

HRESULT FakeSoundBuffer::Lock(std::uint32_t offset, std::uint32_t bytes, void** first, std::uint32_t* firstBytes,
                              void** second, std::uint32_t* secondBytes, std::uint32_t flags) {
  HRESULT code = Call("Lock(" + std::to_string(offset) + "," + std::to_string(bytes) + ")");
  if (code != platform::DS_OK) return code;
  return inner_->Lock(offset, bytes, first, firstBytes, second, secondBytes, flags);
}

HRESULT FakeSoundBuffer::Unlock(void* first, std::uint32_t firstBytes, void* second, std::uint32_t secondBytes) {
  HRESULT code = Call("Unlock(" + std::to_string(firstBytes) + "," + std::to_string(secondBytes) + ")");
  // A failed unlock still hands the region back, or the buffer would stay locked for ever.
  HRESULT inner = inner_->Unlock(first, firstBytes, second, secondBytes);
  return code != platform::DS_OK ? code : inner;
}

HRESULT FakeSoundBuffer::Play(std::uint32_t flags) {
  HRESULT code = Call("Play(" + std::to_string(flags) + ")");
  return code != platform::DS_OK ? code : inner_->Play(flags);
}

HRESULT FakeSoundBuffer::Stop() {
  HRESULT code = Call("Stop");
  return code != platform::DS_OK ? code : inner_->Stop();
}

HRESULT FakeSoundBuffer::GetStatus(std::uint32_t* status) {
  HRESULT code = Call("GetStatus");
  return code != platform::DS_OK ? code : inner_->GetStatus(status);
}

HRESULT FakeSoundBuffer::GetCurrentPosition(std::uint32_t* play, std::uint32_t* write) {
  HRESULT code = Call("GetCurrentPosition");
  return code != platform::DS_OK ? code : inner_->GetCurrentPosition(play, write);
}

HRESULT FakeSoundBuffer::SetCurrentPosition(std::uint32_t position) {
  HRESULT code = Call("SetCurrentPosition(" + std::to_string(position) + ")");
  return code != platform::DS_OK ? code : inner_->SetCurrentPosition(position);
}

HRESULT FakeSoundBuffer::SetVolume(std::int32_t value) {
  HRESULT code = Call("SetVolume(" + std::to_string(value) + ")");
  return code != platform::DS_OK ? code : inner_->SetVolume(value);
}

HRESULT FakeSoundBuffer::GetVolume(std::int32_t* value) {
  HRESULT code = Call("GetVolume");
  return code != platform::DS_OK ? code : inner_->GetVolume(value);
}

HRESULT FakeSoundBuffer::Restore() {
  HRESULT code = Call("Restore");
  return code != platform::DS_OK ? code : inner_->Restore();
}

HRESULT FakeSoundBuffer::QueryNotify(std::unique_ptr<platform::SoundNotify>* out) {
  HRESULT code = Call("QueryNotify");
  if (code != platform::DS_OK) return code;
  std::unique_ptr<platform::SoundNotify> inner;
  code = inner_->QueryNotify(&inner);
  if (code != platform::DS_OK) return code;
  *out = std::make_unique<FakeNotify>(owner_, std::move(inner));
  return platform::DS_OK;
}

mixer::BufferView FakeSoundBuffer::View() const {
  mixer::BufferView view;
  mixer::ViewBuffer(inner_.get(), &view);
  return view;
}

std::vector<unsigned char> FakeSoundBuffer::Bytes() const {
  mixer::BufferView view = View();
  return std::vector<unsigned char>(view.bytes, view.bytes + view.size);
}

void FakeSoundBuffer::MarkLost() { mixer::MarkBufferLost(inner_.get()); }

}  // namespace fake
