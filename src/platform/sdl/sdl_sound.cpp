// Sound service on SDL: the audio device and its callback, which only pulls from the mixer.
#include "platform/sdl/sdl_sound.h"

#include <SDL.h>

#include "platform/mixer/mixer.h"
#include "platform/mixer/signal_event.h"

namespace platform::sdl {
namespace {

// Buffers from the mixer; the device closes when the game lets the device object go.
class SdlDirectSound final : public mixer::MixerDirectSound {
 public:
  SdlDirectSound(SdlSound& owner, std::shared_ptr<mixer::Mixer> mixer)
      : MixerDirectSound(std::move(mixer)), owner_(owner) {}
  ~SdlDirectSound() override { owner_.CloseAll(); }

 private:
  SdlSound& owner_;
};

// Runs on whichever thread pushes the event, the audio thread included.
int WatchEvents(void* userdata, SDL_Event* event) {
  if (event->type == SDL_AUDIODEVICEREMOVED && !event->adevice.iscapture)
    static_cast<SdlSound*>(userdata)->OnDeviceRemoved(event->adevice.which);
  return 1;
}

}  // namespace

SdlSound::~SdlSound() { CloseAll(); }

void SdlSound::Callback(void* userdata, std::uint8_t* stream, int length) {
  auto* self = static_cast<SdlSound*>(userdata);
  auto frames = static_cast<std::uint32_t>(length) / (mixer::Mixer::kChannels * sizeof(std::int16_t));
  self->mixer_->Mix(reinterpret_cast<std::int16_t*>(stream), frames);
}

void SdlSound::OnDeviceRemoved(std::uint32_t device) {
  if (device != 0 && device == watchedDevice_.load() && mixer_) mixer_->MarkDeviceLost();
}

bool SdlSound::OpenDevice() {
  SDL_AudioSpec wanted{};
  wanted.freq = static_cast<int>(kOutputRate);
  wanted.format = AUDIO_S16SYS;
  wanted.channels = mixer::Mixer::kChannels;
  wanted.samples = kPeriodFrames;
  wanted.callback = &SdlSound::Callback;
  wanted.userdata = this;
  SDL_AudioSpec obtained{};
  // No changes allowed: SDL converts whatever the hardware wants from exactly this.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (device_ == 0) return false;
  watchedDevice_ = device_;
  // The mixer is in place and every buffer it holds is set, so the very first period the
  // callback fills is real output; only then does the device start.
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlSound::CloseDevice() {
  if (device_ == 0) return;
  // Waits for a running callback to return.
  SDL_CloseAudioDevice(device_);
  device_ = 0;
  watchedDevice_ = 0;
}

HRESULT SdlSound::CreateDirectSound(std::unique_ptr<DirectSound>* out) {
  if (!out) return DSERR_INVALIDPARAM;
  out->reset();
  if (audioStarted_) return DSERR_ALLOCATED;  // one device object at a time
  SDL_SetHint(SDL_HINT_APP_NAME, "Sorvani");
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Sorvani");
  SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Sorvani");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return DSERR_NODRIVER;
  audioStarted_ = true;
  mixer_ = std::make_shared<mixer::Mixer>(kOutputRate);
  if (!OpenDevice()) {
    CloseAll();
    return DSERR_NODRIVER;
  }
  mixer_->SetReopenHandler([this] {
    CloseDevice();
    return OpenDevice();
  });
  SDL_AddEventWatch(&WatchEvents, this);
  *out = std::make_unique<SdlDirectSound>(*this, mixer_);
  return DS_OK;
}

void SdlSound::CloseAll() {
  if (!audioStarted_) return;
  SDL_DelEventWatch(&WatchEvents, this);
  CloseDevice();
  if (mixer_) {
    earlierUnderruns_ += mixer_->Underruns();
    mixer_->SetReopenHandler(nullptr);
  }
  // Buffers still held keep the mixer alive; they simply no longer reach a device.
  mixer_.reset();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  audioStarted_ = false;
}

std::unique_ptr<Event> SdlSound::CreateEvent() { return mixer::CreateSignalEvent(); }

int SdlSound::WaitForAnyEvent(Event* const* events, std::size_t count, std::uint32_t timeoutMilliseconds) {
  return mixer::WaitForAnySignal(events, count, timeoutMilliseconds);
}

std::uint64_t SdlSound::UnderrunCount() { return earlierUnderruns_ + (mixer_ ? mixer_->Underruns() : 0); }

}  // namespace platform::sdl
