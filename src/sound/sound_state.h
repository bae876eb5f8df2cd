// The effect table and its 118 buffers, shared by the effect player and sound shutdown.
#pragma once

#include <memory>

#include "platform/sound.h"
#include "sound/sound.h"

struct SoundEffect {
  const char* resourceName;  // the archive entry
  int voices;
  int firstSlot;
  int cursor;  // next voice, 0..voices-1
};

struct EffectTable {
  SoundEffect effects[kSoundEffectCount];
  std::unique_ptr<platform::SoundBuffer> buffers[kEffectSlotCount];
};
extern EffectTable effectTable;

// Empties every slot and puts the cursors back to 0.
void ResetEffectTable();
