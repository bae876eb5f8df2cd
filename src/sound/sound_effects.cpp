// The thirteen sound effects: loaded once from "svdata02.dat" into 118 static buffers, played
// in turn through each effect's ring of voices, restored and reloaded when lost.
#include <cstdio>
#include <memory>

#include "app/app.h"
#include "gfx/archive.h"
#include "platform/backend.h"
#include "sound/sound.h"
#include "sound/sound_state.h"
#include "sound/sslib2/sslib2.h"
#include "sound/wave.h"

namespace {

constexpr const char* kEffectArchive = "svdata02.dat";
constexpr const char* kTitle = "Sorvani";

const SoundEffect kEffectTableStart[kSoundEffectCount] = {
    {"WAV_MENU_SELECT", 1, 0, 0},   {"WAV_MENU_DECIDE", 1, 1, 0},   {"WAV_MENU_CANCEL", 1, 2, 0},
    {"WAV_KAIWA_NEXT", 1, 3, 0},    {"WAV_WARP", 1, 4, 0},          {"WAV_RA", 1, 5, 0},
    {"WAV_SHOT_1", 16, 6, 0},       {"WAV_SHOT_2", 16, 22, 0},      {"WAV_ENEMY_DAMAGE", 16, 38, 0},
    {"WAV_ENEMY_HIT", 16, 54, 0},   {"WAV_GET_ITEM", 16, 70, 0},    {"WAV_DAMAGE", 16, 86, 0},
    {"WAV_HITITEM", 16, 102, 0},
};

const SoundEffect& OwnerOfSlot(int slot) {
  for (const auto& effect : effectTable.effects)
    if (slot >= effect.firstSlot && slot < effect.firstSlot + effect.voices) return effect;
  return effectTable.effects[0];
}

bool SilentNow() { return sslib2::soundLibrary.silent; }

}  // namespace

static EffectTable MakeEffectTable() {
  EffectTable table;
  for (int i = 0; i < kSoundEffectCount; ++i) table.effects[i] = kEffectTableStart[i];
  return table;
}

EffectTable effectTable = MakeEffectTable();

void ResetEffectTable() {
  for (auto& buffer : effectTable.buffers) buffer.reset();
  for (int i = 0; i < kSoundEffectCount; ++i) effectTable.effects[i] = kEffectTableStart[i];
}

bool LoadSoundEffects() {
  if (SilentNow()) return true;
  auto waves = std::make_unique<CWave[]>(kEffectSlotCount);
  for (const auto& effect : effectTable.effects) {
    std::unique_ptr<unsigned char[]> payload;
    std::uint32_t size = 0;
    if (ReadArchiveEntry(kEffectArchive, effect.resourceName, &payload, &size)) {
      for (int v = 0; v < effect.voices; ++v) waves[effect.firstSlot + v].SetData(payload.get(), size);
      continue;
    }
    const char* format = "オーディオリソース「%s」が見つかりません。";
    char message[256];
    std::snprintf(message, sizeof message, format, effect.resourceName);
    WriteDebugLog(format);
    platform::Boxes().MessageBox(appState.mainWindow, message, kTitle,
                                 platform::MB_TOPMOST | platform::MB_ICONEXCLAMATION);
  }

  WriteDebugLog("セカンダリDSバッファを初期化中...");
  platform::DirectSound* device = sslib2::soundLibrary.pEffectDirectSound;
  for (int slot = 0; slot < kEffectSlotCount; ++slot) {
    const CWave& wave = waves[slot];
    platform::BufferDesc desc;
    desc.size = platform::kBufferDescSize;
    desc.flags = platform::DSBCAPS_STATIC | platform::DSBCAPS_CTRLFREQUENCY | platform::DSBCAPS_CTRLVOLUME;
    desc.bufferBytes = wave.GetDataSize();
    wave.GetFormat(&desc.format);
    std::unique_ptr<platform::SoundBuffer> created;
    platform::HRESULT result = device ? device->CreateSoundBuffer(desc, &created) : platform::DSERR_UNINITIALIZED;
    effectTable.buffers[slot] = std::move(created);
    if (platform::Failed(result) || !effectTable.buffers[slot]) {
      const char* owner = OwnerOfSlot(slot).resourceName;
      WriteDebugLog(owner);
      if (const char* name = sslib2::DirectSoundErrorName(result)) {
        WriteDebugLog(name);
        platform::Boxes().MessageBox(appState.mainWindow, name, owner,
                                     platform::MB_TOPMOST | platform::MB_ICONEXCLAMATION);
      }
      return false;
    }
    platform::SoundBuffer& buffer = *effectTable.buffers[slot];
    void* locked = nullptr;
    std::uint32_t lockedBytes = 0;
    if (platform::Failed(buffer.Lock(0, desc.bufferBytes, &locked, &lockedBytes, nullptr, nullptr, 0))) return false;
    auto* destination = static_cast<unsigned char*>(locked);
    std::uint32_t copied = destination ? wave.ReadData(nullptr, &destination, lockedBytes) : 0;
    if (platform::Failed(buffer.Unlock(locked, copied, nullptr, 0))) return false;
  }
  return true;
}

int PlaySoundEffect(int effectId, std::int32_t volume) {
  if (SilentNow() || effectId < 0 || effectId >= kSoundEffectCount) return 0;
  SoundEffect& effect = effectTable.effects[effectId];
  int result = PlayEffectSlot(effect.firstSlot + effect.cursor, volume);
  if (++effect.cursor >= effect.voices) effect.cursor = 0;
  return result;
}

int PlayEffectSlot(int slot, std::int32_t volume) {
  if (SilentNow() || slot < 0 || slot >= kEffectSlotCount || !effectTable.buffers[slot]) return 1;
  std::uint32_t status = 0;
  if (platform::Failed(effectTable.buffers[slot]->GetStatus(&status))) status = 0;
  if (status & platform::DSBSTATUS_BUFFERLOST) RestoreSoundEffects();
  // The restore made every buffer again.
  platform::SoundBuffer* buffer = effectTable.buffers[slot].get();
  if (!buffer) return 1;
  buffer->SetVolume(volume);
  if (status & platform::DSBSTATUS_PLAYING) buffer->Stop();
  buffer->SetCurrentPosition(0);
  buffer->Play(0);
  return 0;
}

bool RestoreSoundEffects() {
  if (SilentNow()) return true;
  for (auto& buffer : effectTable.buffers)
    if (buffer && platform::Failed(buffer->Restore())) return false;
  return LoadSoundEffects();
}
