// Sound service: the sound device, its buffers with their cursors, volume and position
// notifications, and the auto-reset events the notifications signal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/handles.h"
#include "platform/result.h"

namespace platform {

enum : std::uint32_t { DSSCL_NORMAL = 1, DSSCL_PRIORITY = 2 };

enum : std::uint32_t {
  DSBCAPS_PRIMARYBUFFER = 0x00000001,
  DSBCAPS_STATIC = 0x00000002,
  DSBCAPS_LOCSOFTWARE = 0x00000008,
  DSBCAPS_CTRLFREQUENCY = 0x00000020,
  DSBCAPS_CTRLPAN = 0x00000040,
  DSBCAPS_CTRLVOLUME = 0x00000080,
  DSBCAPS_CTRLPOSITIONNOTIFY = 0x00000100,
  DSBCAPS_GLOBALFOCUS = 0x00008000,
};

enum : std::uint32_t { DSBPLAY_LOOPING = 0x00000001 };
enum : std::uint32_t { DSBSTATUS_PLAYING = 0x00000001, DSBSTATUS_BUFFERLOST = 0x00000002, DSBSTATUS_LOOPING = 0x00000004 };
enum : std::uint32_t { DSBLOCK_FROMWRITECURSOR = 0x00000001, DSBLOCK_ENTIREBUFFER = 0x00000002 };

constexpr std::int32_t DSBVOLUME_MAX = 0;
constexpr std::int32_t DSBVOLUME_MIN = -10000;
constexpr std::uint32_t kWaveFormatPcm = 1;
constexpr std::uint32_t kBufferDescSize1 = 20;  // first layout, without the 3D algorithm
constexpr std::uint32_t kBufferDescSize = 36;

struct WaveFormat {
  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSec = 0;
  std::uint32_t avgBytesPerSec = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  std::uint16_t extraSize = 0;
};

struct BufferDesc {
  std::uint32_t size = kBufferDescSize;  // which layout the caller filled in
  std::uint32_t flags = 0;
  std::uint32_t bufferBytes = 0;
  WaveFormat format;
};

// Auto-reset: a wait that sees it set clears it again.
class Event {
 public:
  virtual ~Event() = default;
  virtual void Set() = 0;
};

constexpr int kWaitFailed = -1;
constexpr int kWaitTimeout = -2;
constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;

struct NotifyPosition {
  std::uint32_t offset = 0;  // byte offset in the buffer; the event fires when the play cursor passes it
  Event* event = nullptr;
};

class SoundNotify {
 public:
  virtual ~SoundNotify() = default;
  virtual HRESULT SetNotificationPositions(std::uint32_t count, const NotifyPosition* positions) = 0;
};

// A secondary buffer. Lock hands out at most two regions because a locked range may wrap.
class SoundBuffer {
 public:
  virtual ~SoundBuffer() = default;
  virtual HRESULT Lock(std::uint32_t offset, std::uint32_t bytes, void** first, std::uint32_t* firstBytes,
                       void** second, std::uint32_t* secondBytes, std::uint32_t flags) = 0;
  virtual HRESULT Unlock(void* first, std::uint32_t firstBytes, void* second, std::uint32_t secondBytes) = 0;
  virtual HRESULT Play(std::uint32_t flags) = 0;
  virtual HRESULT Stop() = 0;
  virtual HRESULT GetStatus(std::uint32_t* status) = 0;
  virtual HRESULT GetCurrentPosition(std::uint32_t* playCursor, std::uint32_t* writeCursor) = 0;
  virtual HRESULT SetCurrentPosition(std::uint32_t playCursor) = 0;
  // Hundredths of a decibel, DSBVOLUME_MIN..DSBVOLUME_MAX.
  virtual HRESULT SetVolume(std::int32_t volume) = 0;
  virtual HRESULT GetVolume(std::int32_t* volume) = 0;
  virtual HRESULT Restore() = 0;
  virtual HRESULT QueryNotify(std::unique_ptr<SoundNotify>* out) = 0;
};

class DirectSound {
 public:
  virtual ~DirectSound() = default;
  virtual HRESULT SetCooperativeLevel(WindowHandle window, std::uint32_t level) = 0;
  virtual HRESULT CreateSoundBuffer(const BufferDesc& desc, std::unique_ptr<SoundBuffer>* out) = 0;
};

class Sound {
 public:
  virtual ~Sound() = default;
  // Opens the default output device.
  virtual HRESULT CreateDirectSound(std::unique_ptr<DirectSound>* out) = 0;
  virtual std::unique_ptr<Event> CreateEvent() = 0;
  // Index of the first set event (which is cleared), kWaitTimeout or kWaitFailed.
  virtual int WaitForAnyEvent(Event* const* events, std::size_t count, std::uint32_t timeoutMilliseconds) = 0;
  // Times the output reached a notified region of a buffer before it was refilled.
  virtual std::uint64_t UnderrunCount() = 0;
};

}  // namespace platform
