// The portable mixer: renders every playing voice into one stereo stream and moves the cursors.
#include "platform/mixer/mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/mixer/voice.h"

namespace mixer {
namespace {

constexpr std::uint32_t kChunkFrames = 512;
constexpr std::uint64_t kUnitStep = 1ull << 32;

// Does the circular range [from, from + bytes) of a ring of `size` bytes contain `offset`?
bool RingContains(std::uint32_t from, std::uint64_t bytes, std::uint32_t size, std::uint32_t offset) {
  if (bytes >= size) return true;
  std::uint64_t end = from + bytes;
  if (end <= size) return offset >= from && offset < end;
  return offset >= from || offset < end - size;
}

bool RingsOverlap(std::uint32_t fromA, std::uint64_t bytesA, std::uint32_t fromB, std::uint64_t bytesB,
                  std::uint32_t size) {
  if (bytesA == 0 || bytesB == 0) return false;
  return RingContains(fromA, bytesA, size, fromB) || RingContains(fromB, bytesB, size, fromA);
}

template <int Bits, int Channels>
inline void ReadFrame(const unsigned char* p, float* left, float* right) {
  if constexpr (Bits == 8) {
    *left = static_cast<float>((p[0] - 128) * 256);
    *right = Channels == 2 ? static_cast<float>((p[1] - 128) * 256) : *left;
  } else {
    std::int16_t a;
    std::memcpy(&a, p, 2);
    *left = a;
    if constexpr (Channels == 2) {
      std::int16_t b;
      std::memcpy(&b, p + 2, 2);
      *right = b;
    } else {
      *right = *left;
    }
  }
}

}  // namespace

struct Mixer::Snapshot {
  Voice* voice;
  std::uint32_t generation;
  std::uint32_t frame;
  std::uint32_t fraction;
  bool looping;
  bool silent;  // muted, or its next samples are being written: advance without reading
  float gain;
  bool lockedOut = false;  // silent because of a lock: that underrun is counted already
  // Results of the render.
  std::uint32_t endFrame = 0;
  std::uint32_t endFraction = 0;
  std::uint64_t advanced = 0;  // source frames consumed, wraps included
  bool ended = false;
};

namespace {

template <int Bits, int Channels>
void Render(const Voice& voice, std::uint32_t frame, std::uint32_t fraction, bool looping, float gain, float* out,
            std::uint32_t frames, std::uint32_t* endFrame, std::uint32_t* endFraction, std::uint64_t* advanced,
            bool* ended) {
  const unsigned char* data = voice.data.data();
  const std::uint32_t count = voice.frameCount;
  const std::uint32_t blockAlign = voice.blockAlign;
  std::uint64_t position = frame;
  std::uint64_t consumed = 0;
  float left, right;
  if (voice.step == kUnitStep) {
    for (std::uint32_t i = 0; i < frames; ++i) {
      ReadFrame<Bits, Channels>(data + position * blockAlign, &left, &right);
      out[2 * i] += left * gain;
      out[2 * i + 1] += right * gain;
      ++consumed;
      if (++position == count) {
        position = 0;
        if (!looping) {
          *ended = true;
          break;
        }
      }
    }
    *endFrame = static_cast<std::uint32_t>(position);
    *endFraction = 0;
    *advanced = consumed;
    return;
  }
  const std::uint32_t stepFraction = static_cast<std::uint32_t>(voice.step);
  const std::uint64_t stepWhole = voice.step >> 32;
  constexpr float kFractionScale = 1.0f / 4294967296.0f;
  for (std::uint32_t i = 0; i < frames; ++i) {
    std::uint64_t next = position + 1 < count ? position + 1 : (looping ? 0 : position);
    float nextLeft, nextRight;
    ReadFrame<Bits, Channels>(data + position * blockAlign, &left, &right);
    ReadFrame<Bits, Channels>(data + next * blockAlign, &nextLeft, &nextRight);
    float t = static_cast<float>(fraction) * kFractionScale;
    out[2 * i] += (left + (nextLeft - left) * t) * gain;
    out[2 * i + 1] += (right + (nextRight - right) * t) * gain;
    std::uint64_t sum = static_cast<std::uint64_t>(fraction) + stepFraction;
    fraction = static_cast<std::uint32_t>(sum);
    std::uint64_t move = stepWhole + (sum >> 32);
    position += move;
    consumed += move;
    if (position >= count) {
      if (!looping) {
        consumed -= position - count;
        position = 0;
        fraction = 0;
        *ended = true;
        break;
      }
      position %= count;
    }
  }
  *endFrame = static_cast<std::uint32_t>(position);
  *endFraction = fraction;
  *advanced = consumed;
}

// Moves the cursor without reading the samples, the same distance Render would.
void Skip(const Voice& voice, std::uint32_t frame, std::uint32_t fraction, bool looping, std::uint32_t frames,
          std::uint32_t* endFrame, std::uint32_t* endFraction, std::uint64_t* advanced, bool* ended) {
  std::uint64_t total = static_cast<std::uint64_t>(fraction) + voice.step * frames;
  std::uint64_t move = total >> 32;
  std::uint64_t position = frame + move;
  if (position >= voice.frameCount && !looping) {
    *advanced = voice.frameCount - frame;
    *endFrame = 0;
    *endFraction = 0;
    *ended = true;
    return;
  }
  *advanced = move;
  *endFrame = static_cast<std::uint32_t>(position % voice.frameCount);
  *endFraction = static_cast<std::uint32_t>(total);
}

using RenderFunction = decltype(&Render<16, 2>);

RenderFunction RendererFor(const Voice& voice) {
  bool stereo = voice.format.channels == 2;
  if (voice.format.bitsPerSample == 8) return stereo ? &Render<8, 2> : &Render<8, 1>;
  return stereo ? &Render<16, 2> : &Render<16, 1>;
}

}  // namespace

Mixer::Mixer(std::uint32_t outputRate) : outputRate_(outputRate), accumulator_(kChunkFrames * kChannels) {}

Mixer::~Mixer() = default;

void Mixer::Attach(Voice* voice) {
  std::unique_lock<std::mutex> lock(mutex_);
  // A running mix walks the snapshots outside the lock: grow them only between mixes.
  mixDone_.wait(lock, [&] { return !mixing_; });
  voice->lost = deviceLost_;
  voices_.push_back(voice);
  snapshots_.reserve(voices_.size());
}

void Mixer::Detach(Voice* voice) {
  std::unique_lock<std::mutex> lock(mutex_);
  WaitForMixOf(voice, lock);
  voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
}

void Mixer::WaitForMixOf(Voice* voice, std::unique_lock<std::mutex>& lock) {
  mixDone_.wait(lock, [&] { return !voice->inMix; });
}

void Mixer::MarkDeviceLost() {
  std::lock_guard<std::mutex> lock(mutex_);
  deviceLost_ = true;
  for (Voice* voice : voices_) {
    voice->lost = true;
    voice->playing = false;
    ++voice->generation;
  }
}

bool Mixer::DeviceLost() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return deviceLost_;
}

void Mixer::SetReopenHandler(std::function<bool()> reopen) {
  std::lock_guard<std::mutex> lock(mutex_);
  reopen_ = std::move(reopen);
}

bool Mixer::Reopen(std::unique_lock<std::mutex>& lock) {
  if (!deviceLost_) return true;
  std::function<bool()> reopen = reopen_;
  if (!reopen) return false;
  // Opening a device may start its callback, which mixes: never hold the lock across it.
  lock.unlock();
  bool reopened = reopen();
  lock.lock();
  if (reopened) deviceLost_ = false;
  return reopened;
}

std::uint64_t Mixer::Underruns() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return underruns_;
}

void Mixer::Mix(std::int16_t* out, std::uint32_t frames) {
  while (frames > 0) {
    std::uint32_t chunk = std::min(frames, kChunkFrames);
    float* accumulator = accumulator_.data();
    std::fill(accumulator, accumulator + chunk * kChannels, 0.0f);
    MixChunk(accumulator, chunk);
    for (std::uint32_t i = 0; i < chunk * kChannels; ++i) {
      float value = std::nearbyint(accumulator[i]);
      out[i] = static_cast<std::int16_t>(std::clamp(value, -32768.0f, 32767.0f));
    }
    out += chunk * kChannels;
    frames -= chunk;
  }
}

void Mixer::MixChunk(float* accumulator, std::uint32_t frames) {
  std::uint32_t underruns = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    snapshots_.clear();
    for (Voice* voice : voices_) {
      if (!voice->playing || voice->lost) continue;
      Snapshot snapshot{voice, voice->generation, voice->frame, voice->fraction, voice->looping, voice->gain == 0.0f,
                        voice->gain};
      if (voice->locked) {
        std::uint64_t span = ((static_cast<std::uint64_t>(voice->fraction) + voice->step * frames) >> 32) + 2;
        span = std::min<std::uint64_t>(span * voice->blockAlign, voice->data.size());
        if (!voice->looping) span = std::min<std::uint64_t>(span, voice->data.size() - voice->frame * voice->blockAlign);
        if (RingsOverlap(voice->frame * voice->blockAlign, span, voice->lockOffset, voice->lockBytes,
                         static_cast<std::uint32_t>(voice->data.size()))) {
          snapshot.silent = true;
          snapshot.lockedOut = true;
          ++underruns;
        }
      }
      // Even a voice that is only skipped is written back: it must outlive this mix.
      voice->inMix = true;
      snapshots_.push_back(snapshot);
    }
    mixing_ = true;
  }

  for (Snapshot& s : snapshots_) {
    if (s.silent)
      Skip(*s.voice, s.frame, s.fraction, s.looping, frames, &s.endFrame, &s.endFraction, &s.advanced, &s.ended);
    else
      RendererFor(*s.voice)(*s.voice, s.frame, s.fraction, s.looping, s.gain, accumulator, frames, &s.endFrame,
                            &s.endFraction, &s.advanced, &s.ended);
  }

  std::lock_guard<std::mutex> lock(mutex_);
  for (Snapshot& s : snapshots_) {
    Voice& voice = *s.voice;
    voice.inMix = false;
    if (voice.generation != s.generation) continue;  // stopped, moved or restarted meanwhile
    voice.frame = s.endFrame;
    voice.fraction = s.endFraction;
    if (s.ended) voice.playing = false;
    if (voice.notifications.empty()) continue;
    auto size = static_cast<std::uint32_t>(voice.data.size());
    std::uint32_t from = s.frame * voice.blockAlign;
    std::uint64_t bytes = s.advanced * voice.blockAlign;
    for (const auto& position : voice.notifications)
      if (position.event && RingContains(from, bytes, size, position.offset)) position.event->Set();
    for (std::size_t i = 0; i < voice.regionStarts.size(); ++i) {
      if (!RingContains(from, bytes, size, voice.regionStarts[i])) continue;
      if (!voice.fresh[i] && !s.lockedOut) ++underruns;
      voice.fresh[i] = 0;
    }
  }
  underruns_ += underruns;
  mixing_ = false;
  mixDone_.notify_all();
}

platform::HRESULT MixerDirectSound::SetCooperativeLevel(platform::WindowHandle, std::uint32_t level) {
  return level == platform::DSSCL_NORMAL || level == platform::DSSCL_PRIORITY ? platform::DS_OK
                                                                               : platform::DSERR_INVALIDPARAM;
}

platform::HRESULT MixerDirectSound::CreateSoundBuffer(const platform::BufferDesc& desc,
                                                      std::unique_ptr<platform::SoundBuffer>* out) {
  return mixer_->CreateBuffer(desc, out);
}

}  // namespace mixer
