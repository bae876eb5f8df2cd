// Playable buffers of the sound library: a whole sample, and the music stream that a worker
// thread keeps fed from a wave reader.
#pragma once

#include <boost/shared_ptr.hpp>

#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/sound.h"
#include "sound/sslib2/wave_reader.h"

namespace sslib2 {

constexpr std::uint32_t kStreamSegments = 16;
// Play fills this many segments; the sixteenth is left for the worker's first wake-up.
constexpr std::uint32_t kStreamQueue = 15;

class CSoundBuffer {
 public:
  virtual ~CSoundBuffer() = default;
  virtual bool Play(bool loop) = 0;
  virtual bool Stop() = 0;
  virtual bool IsPlaying() = 0;
  // Hundredths of a decibel, 0 full.
  virtual bool SetVolume(std::int32_t volume) = 0;
  virtual bool GetVolume(std::int32_t* volume) = 0;
};

class CStaticSoundBuffer : public CSoundBuffer {
 public:
  CStaticSoundBuffer() = default;
  explicit CStaticSoundBuffer(std::unique_ptr<platform::SoundBuffer> buffer, bool defaultLoop = false)
      : buffer_(std::move(buffer)), defaultLoop_(defaultLoop) {}
  ~CStaticSoundBuffer() override;

  bool Play(bool loop) override;
  bool Stop() override;
  bool IsPlaying() override;
  bool SetVolume(std::int32_t volume) override;
  bool GetVolume(std::int32_t* volume) override;

 private:
  std::unique_ptr<platform::SoundBuffer> buffer_;
  bool defaultLoop_ = false;
};

class CStreamSoundBuffer : public CSoundBuffer {
 public:
  CStreamSoundBuffer() = default;
  ~CStreamSoundBuffer() override;
  CStreamSoundBuffer(const CStreamSoundBuffer&) = delete;
  CStreamSoundBuffer& operator=(const CStreamSoundBuffer&) = delete;

  // Rewinds the reader, takes its loop points, fills 15 segments and starts the ring.
  bool Play(bool loop) override;
  bool Stop() override;
  bool IsPlaying() override;
  bool SetVolume(std::int32_t volume) override;
  bool GetVolume(std::int32_t* volume) override;

  // The one lock between the main thread and the worker. Recursive, as a critical section is:
  // the music control holds it around calls that take it again.
  std::recursive_mutex& Lock() { return lock_; }

  // Stream set-up for a new buffer (CDirectSound::CreateStreamBuffer): ends the previous
  // worker and waits for it before its events and buffer go, then starts a new one.
  bool Attach(boost::shared_ptr<CWaveReader> reader, std::unique_ptr<platform::SoundBuffer> buffer,
              std::uint32_t segmentSize, std::unique_ptr<platform::Event> notifyEvent,
              std::unique_ptr<platform::Event> stopEvent, const PcmWaveFormat& format);
  // What the destructor does; safe to call more than once.
  void Destroy();

  // State for tests and the run log.
  std::uint32_t BufferSize() const { return bufferSize_; }
  std::uint32_t SegmentSize() const { return segmentSize_; }
  std::uint32_t QueuedSegments();
  std::uint32_t SourcePosition();
  bool HasWorker() const { return worker_.joinable(); }

 private:
  bool RefillSegment();
  void EndWorker();
  void WorkerLoop();

  std::recursive_mutex lock_;
  boost::shared_ptr<CWaveReader> reader_;
  std::unique_ptr<platform::SoundBuffer> buffer_;
  std::uint32_t bufferSize_ = 0;
  std::uint32_t segmentSize_ = 0;
  std::unique_ptr<platform::Event> events_[2];  // notification, stop: the set the worker waits on
  PcmWaveFormat format_;
  std::thread worker_;
  std::uint32_t writePosition_ = 0;
  std::uint32_t sourcePosition_ = 0;
  std::uint32_t loopStart_ = 0;
  std::uint32_t loopEnd_ = 0;
  std::uint32_t totalLength_ = 0;
  std::int32_t loopsLeft_ = 0;
  std::uint32_t queuedSegments_ = 0;
};

}  // namespace sslib2
