// Sound as the other subsystems see it: start-up and shutdown, the thirteen effects, the music.
#pragma once

#include <cstdint>

#include "platform/handles.h"

// Effect ids, in the order of the effect table; the names are also the archive entry names.
enum SoundEffectId : int {
  WAV_MENU_SELECT = 0,
  WAV_MENU_DECIDE,
  WAV_MENU_CANCEL,
  WAV_KAIWA_NEXT,
  WAV_WARP,
  WAV_RA,
  WAV_SHOT_1,
  WAV_SHOT_2,
  WAV_ENEMY_DAMAGE,
  WAV_ENEMY_HIT,
  WAV_GET_ITEM,
  WAV_DAMAGE,
  WAV_HITITEM,
};
constexpr int kSoundEffectCount = 13;
constexpr int kEffectSlotCount = 118;  // 6 one-voice effects + 7 effects with 16 voices

// Shell, start-up step 15: device, then the effects from "svdata02.dat". Failures set the
// silent flag; nothing stops the start-up.
void InitSound(platform::WindowHandle mainWindow);
// Shell, after the input release and before the graphics release.
void ReleaseSound();
// True when the game runs without sound ("NoSE", no device, or the effects failed to load).
bool IsSoundSilent();

bool LoadSoundEffects();
// Plays the effect's next voice. Volume in hundredths of a decibel: 0 full, negative quieter.
int PlaySoundEffect(int effectId, std::int32_t volume);
// 1 when nothing was played (silent or empty slot), else 0.
int PlayEffectSlot(int slot, std::int32_t volume);
bool RestoreSoundEffects();

// Music. Open*: 0 when the file does not exist or the stream cannot be set up, else 1.
int OpenBgmWave(const char* fileName);
int OpenBgmOgg(const char* fileName);
void StopBgm();
void StartBgm(std::uint32_t loopStart, std::uint32_t loopEnd);
bool SetBgmVolume();

// The two pieces and the whole calling sequence a scene runs to change the music: stop, open
// the ".m" or else the ".mx" file, log a read error or start it with its loop points.
enum class BgmPiece { kTitle, kPlay };
void ChangeBgm(BgmPiece piece);

// For tests: ends the stream and its worker, closes the readers, drops the device and every
// buffer, and clears the flags, cursors and loop points.
void ResetSound();
