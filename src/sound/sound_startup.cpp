// Sound start-up and shutdown for the shell, and the full reset the tests use.
#include <cinttypes>
#include <cstdio>

#include "app/app.h"
#include "platform/backend.h"
#include "sound/sound.h"
#include "sound/sound_state.h"
#include "sound/sslib2/sslib2.h"

using sslib2::soundLibrary;

void ResetMusicState();

bool IsSoundSilent() { return soundLibrary.silent; }

void InitSound(platform::WindowHandle mainWindow) {
  if (appState.NoSE) soundLibrary.silent = true;
  if (soundLibrary.silent) return;
  WriteDebugLog("DirectSoundオブジェクトを作成しています");
  if (!soundLibrary.device.Create(mainWindow)) {
    WriteDebugLog("DirectSoundオブジェクトの作成に失敗。音なしモードで起動します");
    soundLibrary.silent = true;
    return;
  }
  WriteDebugLog("DirectSoundとウェーブクラスの接続を試行しています");
  soundLibrary.pEffectDirectSound = soundLibrary.device.Interface();
  WriteDebugLog("サウンドをロードしています");
  if (!LoadSoundEffects()) {
    WriteDebugLog("サウンドのロードに失敗。音なしモードで起動します");
    soundLibrary.silent = true;
    return;
  }
  WriteDebugLog("完了");
}

// The platform objects behind the stream and the device go with the backend, before any
// static destructor would run: the stream (and its worker), the readers and the device end
// here, in the order the process exit would take.
static void DestroySoundObjects() {
  soundLibrary.stream.Destroy();
  {
    std::lock_guard<std::recursive_mutex> guard(soundLibrary.stream.Lock());
    soundLibrary.oggReader->Close();
    soundLibrary.wavReader->Close();
  }
  soundLibrary.device.Release();
}

void ReleaseSound() {
  WriteDebugLog("DirectSoundデバイスを開放しています...");
  for (auto& buffer : effectTable.buffers) buffer.reset();
  WriteDebugLog("完了");
  // The stream's count last, so that the release and its "完了" stay together.
  if (!soundLibrary.silent && platform::HasBackend()) {
    char line[80];
    std::snprintf(line, sizeof line, "ストリームの音切れ：%" PRIu64 "回", platform::Audio().UnderrunCount());
    WriteDebugLog(line);
  }
  soundLibrary.pEffectDirectSound = nullptr;
  DestroySoundObjects();
}

void ResetSound() {
  DestroySoundObjects();
  ResetEffectTable();
  soundLibrary.pEffectDirectSound = nullptr;
  soundLibrary.silent = false;
  sslib2::loopPoints = {};
  ResetMusicState();
}
