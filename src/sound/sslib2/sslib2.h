// The sound library: the device, the silent flag, the one music stream and the two readers,
// sound start-up and shutdown, and the names of the device's error results.
#pragma once

#include <boost/shared_ptr.hpp>

#include <memory>

#include "platform/handles.h"
#include "platform/sound.h"
#include "sound/sslib2/ogg_file_reader.h"
#include "sound/sslib2/plain_wav_file_reader.h"
#include "sound/sslib2/sound_buffer.h"
#include "sound/sslib2/wave_reader.h"

namespace sslib2 {

class CDirectSound {
 public:
  CDirectSound() = default;
  ~CDirectSound();
  CDirectSound(const CDirectSound&) = delete;
  CDirectSound& operator=(const CDirectSound&) = delete;

  // The default device, cooperative level normal on the window; no primary buffer.
  bool Create(platform::WindowHandle window);
  // Sets up the module's stream for the reader: 16 segments of 0.1875 s, notified at each.
  bool CreateStreamBuffer(boost::shared_ptr<CWaveReader> reader);
  platform::DirectSound* Interface() { return pDirectSound_.get(); }
  // Releases the second pointer, then the interface.
  void Release();

 private:
  std::unique_ptr<platform::DirectSound> pDirectSound_;
  platform::DirectSound* pSecond_ = nullptr;  // stays empty
};

// Segment size for a format: 3/16 s rounded up to whole frames.
std::uint32_t StreamSegmentSize(const PcmWaveFormat& format);
// "DSERR_ALLOCATED" ... for the results a buffer creation can answer; null for others.
const char* DirectSoundErrorName(platform::HRESULT result);

// Module state, one instance. Members are destroyed in reverse order: stream, Ogg reader, WAV
// reader, device.
struct SoundLibrary {
  bool silent = false;
  CDirectSound device;
  platform::DirectSound* pEffectDirectSound = nullptr;  // the effects' copy of the interface
  boost::shared_ptr<CPlainWavFileReader> wavReader{new CPlainWavFileReader};
  boost::shared_ptr<COggFileReader> oggReader{new COggFileReader};
  CStaticSoundBuffer staticBuffer;  // stays empty: the effects keep their buffers in their table
  CStreamSoundBuffer stream;
};
extern SoundLibrary soundLibrary;

}  // namespace sslib2
