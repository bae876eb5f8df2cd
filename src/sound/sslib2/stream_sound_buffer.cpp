// The music stream: a ring of 16 segments that the worker thread refills from the reader as the
// play cursor passes each one, with the loop jumps and the silence after the end.
#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "sound/sslib2/sound_buffer.h"

namespace sslib2 {

using Guard = std::lock_guard<std::recursive_mutex>;

CStreamSoundBuffer::~CStreamSoundBuffer() { Destroy(); }

void CStreamSoundBuffer::EndWorker() {
  if (!worker_.joinable()) return;
  {
    // No more notifications once the buffer is stopped, so the worker sees the stop event next.
    Guard guard(lock_);
    if (buffer_) buffer_->Stop();
  }
  if (events_[1]) events_[1]->Set();
  // Joined before its events and buffer go: the worker may still be refilling.
  worker_.join();
}

void CStreamSoundBuffer::Destroy() {
  EndWorker();
  Guard guard(lock_);
  if (buffer_) buffer_->Stop();
  buffer_.reset();
  events_[0].reset();
  events_[1].reset();
  reader_.reset();
}

bool CStreamSoundBuffer::Attach(boost::shared_ptr<CWaveReader> reader, std::unique_ptr<platform::SoundBuffer> buffer,
                                std::uint32_t segmentSize, std::unique_ptr<platform::Event> notifyEvent,
                                std::unique_ptr<platform::Event> stopEvent, const PcmWaveFormat& format) {
  EndWorker();
  {
    Guard guard(lock_);
    reader_ = std::move(reader);
    buffer_ = std::move(buffer);
    segmentSize_ = segmentSize;
    bufferSize_ = segmentSize * kStreamSegments;
    events_[0] = std::move(notifyEvent);
    events_[1] = std::move(stopEvent);
    format_ = format;
    writePosition_ = sourcePosition_ = 0;
    queuedSegments_ = 0;
  }
  // std::thread reports a failed start by throwing; here that is just a false result.
  try {
    worker_ = std::thread(&CStreamSoundBuffer::WorkerLoop, this);
  } catch (...) {
    return false;
  }
  return true;
}

bool CStreamSoundBuffer::Play(bool loop) {
  Guard guard(lock_);
  if (!buffer_ || !reader_) return false;
  buffer_->Stop();
  buffer_->SetCurrentPosition(0);
  reader_->Seek(0);
  writePosition_ = 0;
  sourcePosition_ = 0;
  const std::uint32_t blockAlign = format_.blockAlign;
  loopStart_ = reader_->GetLoopStart() * blockAlign;
  loopEnd_ = reader_->GetLoopEnd() * blockAlign;
  totalLength_ = reader_->GetLength() * blockAlign;
  loopsLeft_ = loop ? -1 : reader_->GetLoopCount();
  queuedSegments_ = 0;
  for (std::uint32_t i = 0; i < kStreamQueue; ++i) RefillSegment();
  return platform::Succeeded(buffer_->Play(platform::DSBPLAY_LOOPING));
}

bool CStreamSoundBuffer::RefillSegment() {
  void* segment = nullptr;
  std::uint32_t locked = 0;
  if (platform::Failed(buffer_->Lock(writePosition_, segmentSize_, &segment, &locked, nullptr, nullptr, 0)) ||
      !segment)
    return false;
  auto* bytes = static_cast<unsigned char*>(segment);
  const std::uint32_t size = std::min(locked, segmentSize_);
  std::uint32_t filled = 0;
  while (filled < size) {
    bool jumped = false;
    if (loopsLeft_ != 0 && (sourcePosition_ == loopEnd_ || reader_->IsEnd())) {
      if (loopStart_ >= loopEnd_) {
        if (loopsLeft_ <= 0) break;
        loopsLeft_ = 0;
      }
      if (!reader_->Seek(loopStart_ / format_.blockAlign)) break;
      sourcePosition_ = loopStart_;
      if (loopsLeft_ > 0) --loopsLeft_;
      jumped = true;
    }
    const std::uint32_t limit = loopsLeft_ != 0 ? loopEnd_ : totalLength_;
    const std::uint32_t n = std::min(limit > sourcePosition_ ? limit - sourcePosition_ : 0, size - filled);
    if (n == 0) break;
    if (loopsLeft_ == 0 && reader_->IsEnd()) break;
    std::uint32_t got = 0;
    if (!reader_->Read(bytes + filled, n, &got)) break;
    sourcePosition_ += got;
    filled += got;
    // A decoder whose last read ended exactly at its end only finds out now: go round to the
    // jump. Nothing right after a jump, or nothing short of the end, would go round for ever.
    if (got == 0 && (jumped || !reader_->IsEnd())) break;
  }
  if (filled > 0) ++queuedSegments_;
  if (filled < size) std::memset(bytes + filled, format_.bitsPerSample == 8 ? 0x80 : 0, size - filled);
  writePosition_ += segmentSize_;
  if (writePosition_ >= bufferSize_) writePosition_ = 0;
  buffer_->Unlock(segment, locked, nullptr, 0);
  return true;
}

void CStreamSoundBuffer::WorkerLoop() {
  platform::Event* events[2] = {events_[0].get(), events_[1].get()};
  platform::Sound& sound = platform::Audio();
  for (;;) {
    int which = sound.WaitForAnyEvent(events, 2, platform::kInfinite);
    if (which == 1 || which == platform::kWaitFailed) return;
    if (which != 0) continue;
    Guard guard(lock_);
    if (!buffer_) return;
    if (queuedSegments_ > 0) --queuedSegments_;
    if (queuedSegments_ == 0 && loopsLeft_ == 0 && sourcePosition_ == totalLength_) buffer_->Stop();
    if (queuedSegments_ < kStreamQueue) RefillSegment();
  }
}

bool CStreamSoundBuffer::Stop() {
  Guard guard(lock_);
  return buffer_ && platform::Succeeded(buffer_->Stop());
}

bool CStreamSoundBuffer::IsPlaying() {
  Guard guard(lock_);
  std::uint32_t status = 0;
  return buffer_ && platform::Succeeded(buffer_->GetStatus(&status)) && (status & platform::DSBSTATUS_PLAYING);
}

bool CStreamSoundBuffer::SetVolume(std::int32_t volume) {
  Guard guard(lock_);
  return buffer_ && platform::Succeeded(buffer_->SetVolume(volume));
}

bool CStreamSoundBuffer::GetVolume(std::int32_t* volume) {
  Guard guard(lock_);
  return buffer_ && platform::Succeeded(buffer_->GetVolume(volume));
}

std::uint32_t CStreamSoundBuffer::QueuedSegments() {
  Guard guard(lock_);
  return queuedSegments_;
}

std::uint32_t CStreamSoundBuffer::SourcePosition() {
  Guard guard(lock_);
  return sourcePosition_;
}

}  // namespace sslib2
