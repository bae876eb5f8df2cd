// In-memory sound device: buffers are byte arrays whose play cursor the test moves; passing a
// notification position sets its event. Every call is logged and can be made to fail.
#include "platform/fake/fake_sound.h"

#include <algorithm>
#include <cstdio>

#include "platform/mixer/signal_event.h"

namespace fake {
using platform::HRESULT;

namespace {

class FakeNotify : public platform::SoundNotify {
 public:
  FakeNotify(FakeSound& owner, FakeSoundBuffer& buffer) : owner_(owner), buffer_(buffer) {}
  HRESULT SetNotificationPositions(std::uint32_t count, const platform::NotifyPosition* positions) override {
    HRESULT code = platform::DS_OK;
    if (owner_.Fails("SoundNotify::SetNotificationPositions(" + std::to_string(count) + ")", &code)) return code;
    if (buffer_.playing) return platform::DSERR_INVALIDCALL;
    buffer_.notifications.assign(positions, positions + count);
    return platform::DS_OK;
  }

 private:
  FakeSound& owner_;
  FakeSoundBuffer& buffer_;
};

class FakeDirectSound : public platform::DirectSound {
 public:
  explicit FakeDirectSound(FakeSound& owner) : owner_(owner) {}
  HRESULT SetCooperativeLevel(platform::WindowHandle window, std::uint32_t level) override {
    HRESULT code = platform::DS_OK;
    owner_.Fails("DirectSound::SetCooperativeLevel(" + std::to_string(window) + "," + std::to_string(level) + ")",
                 &code);
    return code;
  }
  HRESULT CreateSoundBuffer(const platform::BufferDesc& desc, std::unique_ptr<platform::SoundBuffer>* out) override {
    char text[96];
    std::snprintf(text, sizeof text, "DirectSound::CreateSoundBuffer(%u,0x%X,%u)", desc.size, desc.flags,
                  desc.bufferBytes);
    HRESULT code = platform::DS_OK;
    if (owner_.Fails(text, &code)) return code;
    if (desc.bufferBytes == 0 || desc.format.blockAlign == 0 || desc.format.formatTag != platform::kWaveFormatPcm)
      return platform::DSERR_INVALIDPARAM;
    *out = std::make_unique<FakeSoundBuffer>(owner_, desc, ++serial_);
    return platform::DS_OK;
  }

 private:
  FakeSound& owner_;
  int serial_ = 0;
};

}  // namespace

bool FakeSound::Fails(const std::string& call, HRESULT* code) {
  log_.Record(call);
  return faults_.Take(call.substr(0, call.find('(')), code);
}

void FakeSound::Untrack(FakeSoundBuffer* buffer) {
  buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end());
}

HRESULT FakeSound::CreateDirectSound(std::unique_ptr<platform::DirectSound>* out) {
  HRESULT code = platform::DS_OK;
  if (Fails("Sound::CreateDirectSound", &code)) return code;
  *out = std::make_unique<FakeDirectSound>(*this);
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

FakeSoundBuffer::FakeSoundBuffer(FakeSound& owner, const platform::BufferDesc& bufferDesc, int serialNumber)
    : serial(serialNumber), desc(bufferDesc), data(bufferDesc.bufferBytes, 0), owner_(owner) {
  owner_.Track(this);
}

FakeSoundBuffer::~FakeSoundBuffer() { owner_.Untrack(this); }

HRESULT FakeSoundBuffer::Call(const std::string& name) {
  owner_.Log().Record("SoundBuffer" + std::to_string(serial) + "::" + name);
  // A fault names either one buffer ("SoundBuffer3::Play") or whichever buffer calls next.
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
  if (lost_) return platform::DSERR_BUFFERLOST;
  auto size = static_cast<std::uint32_t>(data.size());
  if (flags & platform::DSBLOCK_ENTIREBUFFER) {
    offset = 0;
    bytes = size;
  }
  if (offset >= size || bytes == 0 || bytes > size || !first || !firstBytes) return platform::DSERR_INVALIDPARAM;
  std::uint32_t head = std::min(bytes, size - offset);
  *first = data.data() + offset;
  *firstBytes = head;
  if (second) *second = head < bytes ? data.data() : nullptr;
  if (secondBytes) *secondBytes = bytes - head;
  return platform::DS_OK;
}

HRESULT FakeSoundBuffer::Unlock(void*, std::uint32_t firstBytes, void*, std::uint32_t secondBytes) {
  return Call("Unlock(" + std::to_string(firstBytes) + "," + std::to_string(secondBytes) + ")");
}

HRESULT FakeSoundBuffer::Play(std::uint32_t flags) {
  HRESULT code = Call("Play(" + std::to_string(flags) + ")");
  if (code != platform::DS_OK) return code;
  if (lost_) return platform::DSERR_BUFFERLOST;
  playing = true;
  looping = (flags & platform::DSBPLAY_LOOPING) != 0;
  ++plays;
  return platform::DS_OK;
}

HRESULT FakeSoundBuffer::Stop() {
  HRESULT code = Call("Stop");
  if (code == platform::DS_OK) playing = false;
  return code;
}

HRESULT FakeSoundBuffer::GetStatus(std::uint32_t* status) {
  HRESULT code = Call("GetStatus");
  if (code != platform::DS_OK) return code;
  *status = (playing ? platform::DSBSTATUS_PLAYING : 0u) | (playing && looping ? platform::DSBSTATUS_LOOPING : 0u) |
            (lost_ ? platform::DSBSTATUS_BUFFERLOST : 0u);
  return platform::DS_OK;
}

HRESULT FakeSoundBuffer::GetCurrentPosition(std::uint32_t* play, std::uint32_t* write) {
  HRESULT code = Call("GetCurrentPosition");
  if (code != platform::DS_OK) return code;
  if (play) *play = playCursor;
  if (write) *write = playCursor;
  return platform::DS_OK;
}

HRESULT FakeSoundBuffer::SetCurrentPosition(std::uint32_t position) {
  HRESULT code = Call("SetCurrentPosition(" + std::to_string(position) + ")");
  if (code != platform::DS_OK) return code;
  if (position >= data.size()) return platform::DSERR_INVALIDPARAM;
  playCursor = position;
  return platform::DS_OK;
}

HRESULT FakeSoundBuffer::SetVolume(std::int32_t value) {
  HRESULT code = Call("SetVolume(" + std::to_string(value) + ")");
  if (code != platform::DS_OK) return code;
  if (value > platform::DSBVOLUME_MAX || value < platform::DSBVOLUME_MIN) return platform::DSERR_INVALIDPARAM;
  volume = value;
  return platform::DS_OK;
}

HRESULT FakeSoundBuffer::GetVolume(std::int32_t* value) {
  HRESULT code = Call("GetVolume");
  if (code == platform::DS_OK) *value = volume;
  return code;
}

HRESULT FakeSoundBuffer::Restore() {
  HRESULT code = Call("Restore");
  if (code == platform::DS_OK) lost_ = false;
  return code;
}

HRESULT FakeSoundBuffer::QueryNotify(std::unique_ptr<platform::SoundNotify>* out) {
  HRESULT code = Call("QueryNotify");
  if (code != platform::DS_OK) return code;
  if (!(desc.flags & platform::DSBCAPS_CTRLPOSITIONNOTIFY)) return platform::E_NOINTERFACE;
  *out = std::make_unique<FakeNotify>(owner_, *this);
  return platform::DS_OK;
}

void FakeSoundBuffer::AdvancePlayCursor(std::uint32_t bytes) {
  auto size = static_cast<std::uint32_t>(data.size());
  while (playing && bytes > 0) {
    std::uint32_t step = std::min(bytes, size - playCursor);
    std::uint32_t from = playCursor;
    std::uint32_t to = playCursor + step;  // the cursor passes offsets from..to-1
    for (const auto& position : notifications)
      if (position.offset >= from && position.offset < to && position.event) position.event->Set();
    bytes -= step;
    playCursor = to;
    if (playCursor == size) {
      playCursor = 0;
      if (!looping) playing = false;
    }
  }
}

}  // namespace fake
