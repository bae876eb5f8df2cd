// The sound device and the stream set-up, and the table of device error names.
#include <memory>

#include "platform/backend.h"
#include "sound/sslib2/sslib2.h"

namespace sslib2 {

SoundLibrary soundLibrary;

CDirectSound::~CDirectSound() { Release(); }

void CDirectSound::Release() {
  pSecond_ = nullptr;
  pDirectSound_.reset();
}

bool CDirectSound::Create(platform::WindowHandle window) {
  std::unique_ptr<platform::DirectSound> created;
  if (platform::Failed(platform::Audio().CreateDirectSound(&created)) || !created) return false;
  if (platform::Failed(created->SetCooperativeLevel(window, platform::DSSCL_NORMAL))) return false;
  pDirectSound_ = std::move(created);
  return true;
}

std::uint32_t StreamSegmentSize(const PcmWaveFormat& format) {
  const std::uint32_t blockAlign = format.blockAlign;
  if (blockAlign == 0) return 0;
  std::uint32_t segment = blockAlign * format.samplesPerSec * 3 / 16;
  return (segment + blockAlign - 1) / blockAlign * blockAlign;
}

bool CDirectSound::CreateStreamBuffer(boost::shared_ptr<CWaveReader> reader) {
  if (!pDirectSound_ || !reader) return false;
  PcmWaveFormat format;
  reader->GetFormat(&format);
  const std::uint32_t segmentSize = StreamSegmentSize(format);
  const std::uint32_t bufferSize = segmentSize * kStreamSegments;

  platform::BufferDesc desc;
  desc.size = platform::kBufferDescSize1;
  desc.flags = platform::DSBCAPS_LOCSOFTWARE | platform::DSBCAPS_CTRLVOLUME | platform::DSBCAPS_CTRLPOSITIONNOTIFY |
               platform::DSBCAPS_GLOBALFOCUS;
  desc.bufferBytes = bufferSize;
  desc.format = {format.formatTag,  format.channels,      format.samplesPerSec, format.avgBytesPerSec,
                 format.blockAlign, format.bitsPerSample, 0};
  std::unique_ptr<platform::SoundBuffer> buffer;
  if (platform::Failed(pDirectSound_->CreateSoundBuffer(desc, &buffer)) || !buffer) return false;

  std::unique_ptr<platform::SoundNotify> notify;
  if (platform::Failed(buffer->QueryNotify(&notify)) || !notify) return false;

  auto& sound = platform::Audio();
  std::unique_ptr<platform::Event> notifyEvent = sound.CreateEvent();
  std::unique_ptr<platform::Event> stopEvent = sound.CreateEvent();
  if (!notifyEvent || !stopEvent) return false;

  platform::NotifyPosition positions[kStreamSegments];
  for (std::uint32_t k = 1; k < kStreamSegments; ++k) positions[k - 1] = {k * segmentSize, notifyEvent.get()};
  positions[kStreamSegments - 1] = {bufferSize - 1, notifyEvent.get()};
  if (platform::Failed(notify->SetNotificationPositions(kStreamSegments, positions))) return false;
  notify.reset();

  return soundLibrary.stream.Attach(std::move(reader), std::move(buffer), segmentSize, std::move(notifyEvent),
                                    std::move(stopEvent), format);
}

const char* DirectSoundErrorName(platform::HRESULT result) {
  struct Entry {
    std::uint32_t result;
    const char* name;
  };
  static const Entry kNames[] = {
      {0x8878000A, "DSERR_ALLOCATED"},   {0x8878001E, "DSERR_CONTROLUNAVAIL"}, {0x80070057, "DSERR_INVALIDPARAM"},
      {0x88780032, "DSERR_INVALIDCALL"}, {0x88780064, "DSERR_BADFORMAT"},      {0x80040110, "DSERR_NOAGGREGATION"},
      {0x8007000E, "DSERR_OUTOFMEMORY"}, {0x887800AA, "DSERR_UNINITIALIZED"},  {0x80004001, "DSERR_UNSUPPORTED"},
      {0x887800B4, "DSERR_BUFFERTOOSMALL"}, {0x887800BE, "DSERR_DS8_REQUIRED"},
  };
  for (const auto& entry : kNames)
    if (static_cast<std::uint32_t>(result) == entry.result) return entry.name;
  return nullptr;
}

}  // namespace sslib2
