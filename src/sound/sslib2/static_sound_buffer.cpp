// A buffer holding one whole sample: restart, stop, status and volume on the device buffer.
#include "sound/sslib2/sound_buffer.h"

namespace sslib2 {

CStaticSoundBuffer::~CStaticSoundBuffer() {
  if (buffer_) buffer_->Stop();
}

bool CStaticSoundBuffer::Play(bool loop) {
  if (!buffer_) return false;
  buffer_->Stop();
  buffer_->SetCurrentPosition(0);
  return platform::Succeeded(buffer_->Play(loop || defaultLoop_ ? std::uint32_t{platform::DSBPLAY_LOOPING} : 0u));
}

bool CStaticSoundBuffer::Stop() { return buffer_ && platform::Succeeded(buffer_->Stop()); }

bool CStaticSoundBuffer::IsPlaying() {
  std::uint32_t status = 0;
  return buffer_ && platform::Succeeded(buffer_->GetStatus(&status)) && (status & platform::DSBSTATUS_PLAYING);
}

bool CStaticSoundBuffer::SetVolume(std::int32_t volume) {
  return buffer_ && platform::Succeeded(buffer_->SetVolume(volume));
}

bool CStaticSoundBuffer::GetVolume(std::int32_t* volume) {
  return buffer_ && platform::Succeeded(buffer_->GetVolume(volume));
}

}  // namespace sslib2
