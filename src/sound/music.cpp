// Background music: opens a piece with the WAV or the Ogg reader, sets up the stream for it,
// and stops and starts it with its loop region.
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>

#include "app/app.h"
#include "app/data_files.h"
#include "sound/sound.h"
#include "sound/sslib2/sslib2.h"

using sslib2::soundLibrary;

namespace {

bool musicLoaded = false;  // set by the first open, never cleared

bool MusicOff() { return soundLibrary.silent || appState.NoBGM; }

template <typename Reader>
int OpenBgm(const char* fileName, const boost::shared_ptr<Reader>& reader) {
  if (MusicOff()) return 1;
  char line[300];
  std::snprintf(line, sizeof line, "BGM(%s)準備中...", fileName ? fileName : "");
  WriteDebugLog(line);
  // The log names the piece as asked, whatever case the copy on disc has; the folder is searched
  // before the worker is held up.
  const std::string found = fileName ? FindDataFile(fileName) : std::string();
  // The worker reads the reader only under the stream lock, so close and reopen under it too.
  std::unique_lock<std::recursive_mutex> guard(soundLibrary.stream.Lock());
  if (musicLoaded) {
    soundLibrary.wavReader->Close();
    soundLibrary.oggReader->Close();
  }
  std::error_code error;
  if (found.empty() || !std::filesystem::exists(found, error)) return 0;
  WriteDebugLog("BGM開いています...");
  if (!reader->Open(found.c_str())) {
    WriteDebugLog("BGM読み込み完了");
    return 1;
  }
  guard.unlock();
  musicLoaded = true;
  if (!soundLibrary.device.CreateStreamBuffer(boost::shared_ptr<sslib2::CWaveReader>(reader))) return 0;
  SetBgmVolume();
  return 1;
}

struct PieceFiles {
  const char* wave;
  const char* ogg;
  const char* readError;
  std::uint32_t loopStart;
  std::uint32_t loopEnd;
};

const PieceFiles kTitlePiece{"svdata03.m", "svdata03.mx", "svdata03.m/mx 読み出しエラー", 35584, 1453056};
const PieceFiles kPlayPiece{"svdata04.m", "svdata04.mx", "svdata04.m/mx 読み出しエラー", 344064, 4458496};

}  // namespace

void ResetMusicState() { musicLoaded = false; }

int OpenBgmWave(const char* fileName) { return OpenBgm(fileName, soundLibrary.wavReader); }

int OpenBgmOgg(const char* fileName) { return OpenBgm(fileName, soundLibrary.oggReader); }

void StopBgm() {
  if (MusicOff() || !musicLoaded) return;
  WriteDebugLog("BGM停止準備");
  sslib2::loopPoints = {};
  soundLibrary.stream.Stop();
  WriteDebugLog("BGM停止完了");
}

void StartBgm(std::uint32_t loopStart, std::uint32_t loopEnd) {
  if (MusicOff() || !musicLoaded) return;
  WriteDebugLog("BGM停止準備");
  sslib2::loopPoints = {loopStart, loopEnd};
  soundLibrary.stream.Stop();
  WriteDebugLog("BGM停止完了/開始準備");
  soundLibrary.stream.Play(true);
  WriteDebugLog("BGM開始完了");
}

bool SetBgmVolume() {
  if (MusicOff() || !musicLoaded) return false;
  std::lock_guard<std::recursive_mutex> guard(soundLibrary.stream.Lock());
  return soundLibrary.stream.SetVolume(0);
}

void ChangeBgm(BgmPiece piece) {
  const PieceFiles& files = piece == BgmPiece::kTitle ? kTitlePiece : kPlayPiece;
  StopBgm();
  if (OpenBgmWave(files.wave) == 0 && OpenBgmOgg(files.ogg) == 0) {
    WriteDebugLog(files.readError);
    return;
  }
  StartBgm(files.loopStart, files.loopEnd);
}
