// The sound buffer calls on a mixer voice: lock, play, stop, cursor, volume, notifications.
#include <algorithm>
#include <cmath>

#include "platform/mixer/mixer.h"
#include "platform/mixer/voice.h"

namespace mixer {
namespace {

using platform::HRESULT;

class MixerNotify;

class MixerBuffer : public platform::SoundBuffer {
 public:
  MixerBuffer(std::shared_ptr<Mixer> owner, const platform::BufferDesc& desc) : mixer_(std::move(owner)) {
    flags_ = desc.flags;
    voice_.format = desc.format;
    voice_.blockAlign = desc.format.blockAlign;
    voice_.data.assign(desc.bufferBytes, desc.format.bitsPerSample == 8 ? 0x80 : 0);
    voice_.frameCount = desc.bufferBytes / desc.format.blockAlign;
    voice_.step = (static_cast<std::uint64_t>(desc.format.samplesPerSec) << 32) / mixer_->OutputRate();
    mixer_->Attach(&voice_);
  }
  ~MixerBuffer() override { mixer_->Detach(&voice_); }

  HRESULT Lock(std::uint32_t offset, std::uint32_t bytes, void** first, std::uint32_t* firstBytes, void** second,
               std::uint32_t* secondBytes, std::uint32_t flags) override {
    std::unique_lock<std::mutex> lock(mixer_->Mutex());
    if (voice_.lost) return platform::DSERR_BUFFERLOST;
    auto size = static_cast<std::uint32_t>(voice_.data.size());
    if (flags & platform::DSBLOCK_ENTIREBUFFER) {
      offset = 0;
      bytes = size;
    }
    if (offset >= size || bytes == 0 || bytes > size || !first || !firstBytes) return platform::DSERR_INVALIDPARAM;
    if (voice_.locked) return platform::DSERR_INVALIDCALL;
    mixer_->WaitForMixOf(&voice_, lock);
    voice_.locked = true;
    voice_.lockOffset = offset;
    voice_.lockBytes = bytes;
    std::uint32_t head = std::min(bytes, size - offset);
    *first = voice_.data.data() + offset;
    *firstBytes = head;
    if (second) *second = head < bytes ? voice_.data.data() : nullptr;
    if (secondBytes) *secondBytes = bytes - head;
    return platform::DS_OK;
  }

  HRESULT Unlock(void* first, std::uint32_t firstBytes, void* second, std::uint32_t secondBytes) override {
    std::lock_guard<std::mutex> lock(mixer_->Mutex());
    if (!voice_.locked) return platform::DSERR_INVALIDCALL;
    voice_.locked = false;
    MarkFresh(static_cast<const unsigned char*>(first), firstBytes);
    MarkFresh(static_cast<const unsigned char*>(second), secondBytes);
    return platform::DS_OK;
  }

  HRESULT Play(std::uint32_t flags) override {
    std::lock_guard<std::mutex> lock(mixer_->Mutex());
    if (voice_.lost) return platform::DSERR_BUFFERLOST;
    voice_.playing = true;
    voice_.looping = (flags & platform::DSBPLAY_LOOPING) != 0;
    ++voice_.generation;
    return platform::DS_OK;
  }

  HRESULT Stop() override {
    std::lock_guard<std::mutex> lock(mixer_->Mutex());
    voice_.playing = false;
    ++voice_.generation;
    return platform::DS_OK;
  }

  HRESULT GetStatus(std::uint32_t* status) override {
    if (!status) return platform::DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(mixer_->Mutex());
    *status = (voice_.playing ? platform::DSBSTATUS_PLAYING : 0u) |
              (voice_.playing && voice_.looping ? platform::DSBSTATUS_LOOPING : 0u) |
              (voice_.lost ? platform::DSBSTATUS_BUFFERLOST : 0u);
    return platform::DS_OK;
  }

  HRESULT GetCurrentPosition(std::uint32_t* play, std::uint32_t* write) override {
    std::lock_guard<std::mutex> lock(mixer_->Mutex());
    if (voice_.lost) return platform::DSERR_BUFFERLOST;
    std::uint32_t cursor = voice_.frame * voice_.blockAlign;
    if (play) *play = cursor;
    if (write) *write = cursor;
    return platform::DS_OK;
  }

  HRESULT SetCurrentPosition(std::uint32_t position) override {
    std::lock_guard<std::mutex> lock(mixer_->Mutex());
    if (voice_.lost) return platform::DSERR_BUFFERLOST;
    if (position >= voice_.data.size()) return platform::DSERR_INVALIDPARAM;
    voice_.frame = position / voice_.blockAlign;
    voice_.fraction = 0;
    ++voice_.generation;
    return platform::DS_OK;
  }

  HRESULT SetVolume(std::int32_t value) override {
    if (!(flags_ & platform::DSBCAPS_CTRLVOLUME)) return platform::DSERR_CONTROLUNAVAIL;
    if (value > platform::DSBVOLUME_MAX || value < platform::DSBVOLUME_MIN) return platform::DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(mixer_->Mutex());
    voice_.volume = value;
    // Hundredths of a decibel; the floor is silence, not just very quiet.
    voice_.gain = value <= platform::DSBVOLUME_MIN ? 0.0f : static_cast<float>(std::pow(10.0, value / 2000.0));
    return platform::DS_OK;
  }

  HRESULT GetVolume(std::int32_t* value) override {
    if (!(flags_ & platform::DSBCAPS_CTRLVOLUME)) return platform::DSERR_CONTROLUNAVAIL;
    if (!value) return platform::DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(mixer_->Mutex());
    *value = voice_.volume;
    return platform::DS_OK;
  }

  HRESULT Restore() override {
    std::unique_lock<std::mutex> lock(mixer_->Mutex());
    if (!mixer_->Reopen(lock)) return platform::DSERR_BUFFERLOST;
    voice_.lost = false;
    return platform::DS_OK;
  }

  HRESULT QueryNotify(std::unique_ptr<platform::SoundNotify>* out) override;

  HRESULT SetNotifications(std::uint32_t count, const platform::NotifyPosition* positions) {
    std::lock_guard<std::mutex> lock(mixer_->Mutex());
    if (voice_.playing) return platform::DSERR_INVALIDCALL;
    if (count > 0 && !positions) return platform::DSERR_INVALIDPARAM;
    for (std::uint32_t i = 0; i < count; ++i)
      if (positions[i].offset >= voice_.data.size() || !positions[i].event) return platform::DSERR_INVALIDPARAM;
    voice_.notifications.assign(positions, positions + count);
    std::stable_sort(voice_.notifications.begin(), voice_.notifications.end(),
                     [](const auto& a, const auto& b) { return a.offset < b.offset; });
    voice_.regionStarts.clear();
    if (count > 0) voice_.regionStarts.push_back(0);
    for (const auto& position : voice_.notifications)
      if (position.offset != voice_.regionStarts.back()) voice_.regionStarts.push_back(position.offset);
    voice_.fresh.assign(voice_.regionStarts.size(), 0);
    return platform::DS_OK;
  }

  void View(BufferView* view) {
    std::lock_guard<std::mutex> lock(mixer_->Mutex());
    view->bytes = voice_.data.data();
    view->size = static_cast<std::uint32_t>(voice_.data.size());
    view->playCursor = voice_.frame * voice_.blockAlign;
    view->playing = voice_.playing;
    view->looping = voice_.looping;
    view->volume = voice_.volume;
    view->notifications = voice_.notifications;
  }

  void MarkLost() {
    std::lock_guard<std::mutex> lock(mixer_->Mutex());
    voice_.lost = true;
    voice_.playing = false;
    ++voice_.generation;
  }

 private:
  // Every notified region the written bytes touch counts as refilled.
  void MarkFresh(const unsigned char* start, std::uint32_t bytes) {
    if (!start || bytes == 0 || voice_.regionStarts.empty()) return;
    auto size = static_cast<std::uint32_t>(voice_.data.size());
    auto from = static_cast<std::uint32_t>(start - voice_.data.data());
    std::uint32_t to = std::min(size, from + bytes);
    for (std::size_t i = 0; i < voice_.regionStarts.size(); ++i) {
      std::uint32_t regionFrom = voice_.regionStarts[i];
      std::uint32_t regionTo = i + 1 < voice_.regionStarts.size() ? voice_.regionStarts[i + 1] : size;
      if (from < regionTo && regionFrom < to) voice_.fresh[i] = 1;
    }
  }

  std::shared_ptr<Mixer> mixer_;
  std::uint32_t flags_ = 0;
  Voice voice_;
};

class MixerNotify : public platform::SoundNotify {
 public:
  explicit MixerNotify(MixerBuffer& buffer) : buffer_(buffer) {}
  HRESULT SetNotificationPositions(std::uint32_t count, const platform::NotifyPosition* positions) override {
    return buffer_.SetNotifications(count, positions);
  }

 private:
  MixerBuffer& buffer_;
};

HRESULT MixerBuffer::QueryNotify(std::unique_ptr<platform::SoundNotify>* out) {
  if (!out) return platform::DSERR_INVALIDPARAM;
  if (!(flags_ & platform::DSBCAPS_CTRLPOSITIONNOTIFY)) return platform::E_NOINTERFACE;
  *out = std::make_unique<MixerNotify>(*this);
  return platform::DS_OK;
}

}  // namespace

platform::HRESULT Mixer::CreateBuffer(const platform::BufferDesc& desc, std::unique_ptr<platform::SoundBuffer>* out) {
  if (!out) return platform::DSERR_INVALIDPARAM;
  if (desc.size != platform::kBufferDescSize && desc.size != platform::kBufferDescSize1)
    return platform::DSERR_INVALIDPARAM;
  if (desc.flags & platform::DSBCAPS_PRIMARYBUFFER) return platform::DSERR_UNSUPPORTED;
  if (desc.bufferBytes == 0) return platform::DSERR_INVALIDPARAM;
  const auto& format = desc.format;
  if (format.formatTag != platform::kWaveFormatPcm) return platform::DSERR_BADFORMAT;
  if ((format.channels != 1 && format.channels != 2) || (format.bitsPerSample != 8 && format.bitsPerSample != 16) ||
      format.samplesPerSec < 100 || format.samplesPerSec > 200000 ||
      format.blockAlign != format.channels * format.bitsPerSample / 8)
    return platform::DSERR_BADFORMAT;
  // Position notifications need whole frames to land on, at least a few of them.
  if (desc.bufferBytes < 4 || desc.bufferBytes > 0x0FFFFFFF || desc.bufferBytes % format.blockAlign != 0)
    return platform::DSERR_INVALIDPARAM;
  *out = std::make_unique<MixerBuffer>(shared_from_this(), desc);
  return platform::DS_OK;
}

bool ViewBuffer(platform::SoundBuffer* buffer, BufferView* view) {
  auto* mixerBuffer = dynamic_cast<MixerBuffer*>(buffer);
  if (!mixerBuffer || !view) return false;
  mixerBuffer->View(view);
  return true;
}

bool MarkBufferLost(platform::SoundBuffer* buffer) {
  auto* mixerBuffer = dynamic_cast<MixerBuffer*>(buffer);
  if (!mixerBuffer) return false;
  mixerBuffer->MarkLost();
  return true;
}

}  // namespace mixer
