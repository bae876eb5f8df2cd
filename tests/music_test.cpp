// Background music: the calling sequence with its log lines, the choice between the ".m" and
// ".mx" files, music off, missing and damaged files, and the music that reaches the output.
#include <gtest/gtest.h>

#include "app/app.h"
#include "sound/sound.h"
#include "sound/sslib2/sslib2.h"
#include "sound_fixtures.h"
#include "test_support.h"

namespace {

class MusicTest : public GameTest {
 protected:
  MusicTest() {
    WriteEffectArchive();
    InitSound(1);
    appState.enable_debug_write = 1;
    ResetDebugLog();
  }

  // The output as bytes of 16-bit stereo frames, pulled a game frame at a time.
  Bytes Pull(std::uint32_t frames) {
    Bytes out;
    while (frames > 0) {
      std::uint32_t n = std::min(frames, 750u);
      auto samples = backend.sound.Pull(n);
      EXPECT_TRUE(backend.sound.Settle());
      const auto* bytes = reinterpret_cast<const unsigned char*>(samples.data());
      out.insert(out.end(), bytes, bytes + samples.size() * 2);
      frames -= n;
    }
    return out;
  }

  static Bytes Looped(const Bytes& piece, std::uint32_t loopStart, std::size_t bytes) {
    Bytes out = piece;
    while (out.size() < bytes) out.insert(out.end(), piece.begin() + loopStart * 4, piece.end());
    out.resize(bytes);
    return out;
  }
};

const std::vector<std::string> kStartLines = {"BGM停止準備", "BGM停止完了/開始準備", "BGM開始完了"};

std::vector<std::string> Join(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(MusicTest, OnlyTheOggFormPresentIsOpenedAfterTheWaveSearchFailsAndPlaysFromItsLoopStart) {
  Bytes ogg = EncodeOgg(44100, 2, 50000);
  WriteBytes("plain.ogg", ogg);
  WriteBytes("svdata03.mx", Masked(ogg));
  ChangeBgm(BgmPiece::kTitle);
  EXPECT_EQ(LogMessages(), Join({"BGM(svdata03.m)準備中...", "BGM(svdata03.mx)準備中...", "BGM開いています..."},
                                kStartLines));
  // 50000 frames is shorter than the loop end: the loop jumps back when the reader runs out.
  Bytes decoded = DecodeOgg("plain.ogg");
  ASSERT_EQ(decoded.size(), 50000u * 4);
  Bytes played = Pull(120000);
  EXPECT_EQ(played, Looped(decoded, 35584, played.size()));
  EXPECT_EQ(backend.log.Count("SoundBuffer119::SetVolume(0)"), 1u);  // full volume after set-up
}

TEST_F(MusicTest, WaveFormIsPreferredWhenBothArePresentAndTheStopLinesComeFirstNextTime) {
  const Bytes samples = RampFrames16Stereo(20000);
  WriteBytes("svdata04.m", Masked(MakeWav(WavLayout{}, samples)));
  WriteBytes("svdata04.mx", Masked(EncodeOgg(44100, 2, 5000)));
  ChangeBgm(BgmPiece::kPlay);
  EXPECT_EQ(LogMessages(), Join({"BGM(svdata04.m)準備中...", "BGM開いています..."}, kStartLines));
  Bytes played = Pull(30000);
  EXPECT_EQ(Bytes(played.begin(), played.begin() + 80000), samples);

  // Entering the piece again: stopped first, then a new stream buffer and worker.
  ResetDebugLog();
  ChangeBgm(BgmPiece::kPlay);
  EXPECT_EQ(LogMessages(), Join({"BGM停止準備", "BGM停止完了", "BGM(svdata04.m)準備中...", "BGM開いています..."},
                                kStartLines));
  auto buffers = backend.sound.Buffers();
  EXPECT_EQ(buffers.size(), 118u + 1);  // the first stream buffer is gone
  EXPECT_EQ(buffers.back()->serial, 120);
  EXPECT_EQ(Pull(5000), Bytes(samples.begin(), samples.begin() + 20000));

  ResetDebugLog();
  StopBgm();
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"BGM停止準備", "BGM停止完了"}));
  EXPECT_EQ(sslib2::loopPoints.loopEnd, 0u);
  EXPECT_EQ(Pull(1000), Bytes(4000, 0));
}

TEST_F(MusicTest, MusicOffOrSilentWritesNoMusicLineAndSearchesNoFile) {
  WriteBytes("svdata03.m", Masked(MakeWav(WavLayout{}, RampFrames16Stereo(1000))));
  appState.NoBGM = 1;
  ChangeBgm(BgmPiece::kTitle);
  EXPECT_EQ(OpenBgmWave("svdata03.m"), 1);
  EXPECT_FALSE(SetBgmVolume());
  appState.NoBGM = 0;
  sslib2::soundLibrary.silent = true;
  ChangeBgm(BgmPiece::kTitle);
  EXPECT_EQ(OpenBgmOgg("svdata03.mx"), 1);
  EXPECT_TRUE(LogMessages().empty());
  EXPECT_EQ(backend.sound.Buffers().size(), 118u);
}

TEST_F(MusicTest, NeitherFileGivesTheReadErrorLineAndNoMusic) {
  ChangeBgm(BgmPiece::kPlay);
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"BGM(svdata04.m)準備中...", "BGM(svdata04.mx)準備中...",
                                                     "svdata04.m/mx 読み出しエラー"}));
  ResetDebugLog();
  ChangeBgm(BgmPiece::kTitle);
  EXPECT_EQ(LogMessages().back(), "svdata03.m/mx 読み出しエラー");
  EXPECT_EQ(backend.sound.Buffers().size(), 118u);
}

TEST_F(MusicTest, DamagedWaveFileCountsAsOpenedSoTheOggIsNotTriedAndTheOldStreamPlaysSilence) {
  WriteBytes("svdata03.m", Bytes(100, 0x42));
  WriteBytes("svdata03.mx", Masked(EncodeOgg(44100, 2, 5000)));
  EXPECT_EQ(OpenBgmWave("svdata03.m"), 1);
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"BGM(svdata03.m)準備中...", "BGM開いています...", "BGM読み込み完了"}));
  StartBgm(35584, 1453056);  // nothing opened yet: nothing to start
  EXPECT_EQ(LogMessages().size(), 3u);

  // With a piece set up earlier, its stream restarts on a closed reader: silence, no crash.
  const Bytes samples = RampFrames16Stereo(30000);
  WriteBytes("svdata04.m", Masked(MakeWav(WavLayout{}, samples)));
  ChangeBgm(BgmPiece::kPlay);
  EXPECT_EQ(Pull(1000), Bytes(samples.begin(), samples.begin() + 4000));
  Bytes broken = Masked(MakeWav(WavLayout{}, samples));
  broken.resize(40);  // the file now ends inside the "data" chunk's header
  WriteBytes("svdata04.m", broken);
  ChangeBgm(BgmPiece::kPlay);
  EXPECT_EQ(Pull(20000), Bytes(80000, 0));
}

TEST_F(MusicTest, StreamedWaveFileWhoseSizesClaimTooMuchPlaysToItsEndAndLoops) {
  const Bytes samples = RampFrames16Stereo(50000);
  Bytes image = MakeWav(WavLayout{}, samples);
  for (int i = 0; i < 4; ++i) image[4 + i] = image[40 + i] = 0xFF;  // RIFF and "data" sizes
  WriteBytes("svdata03.m", Masked(image));
  ChangeBgm(BgmPiece::kTitle);
  EXPECT_EQ(LogMessages(), Join({"BGM(svdata03.m)準備中...", "BGM開いています..."}, kStartLines));
  // Shorter than the title's loop end: back to the loop start where the file ends.
  Bytes played = Pull(120000);
  EXPECT_EQ(played, Looped(samples, 35584, played.size()));
}

TEST_F(MusicTest, StreamThatCannotBeSetUpReturnsZeroSoTheOggIsTried) {
  WriteBytes("svdata03.m", Masked(MakeWav(WavLayout{}, RampFrames16Stereo(2000))));
  Bytes ogg = EncodeOgg(44100, 1, 9000);
  WriteBytes("plain.ogg", ogg);
  WriteBytes("svdata03.mx", Masked(ogg));
  backend.faults.Fail("DirectSound::CreateSoundBuffer", 1, platform::DSERR_OUTOFMEMORY);
  ChangeBgm(BgmPiece::kTitle);
  EXPECT_EQ(LogMessages(), Join({"BGM(svdata03.m)準備中...", "BGM開いています...", "BGM(svdata03.mx)準備中...",
                                 "BGM開いています..."},
                                kStartLines));
  // A mono piece comes out on both channels.
  Bytes decoded = DecodeOgg("plain.ogg");
  Bytes played = Pull(9000);
  ASSERT_EQ(played.size(), decoded.size() * 2);
  for (std::size_t frame = 0; frame < 9000; frame += 997) {
    EXPECT_EQ(played[frame * 4], decoded[frame * 2]);
    EXPECT_EQ(played[frame * 4 + 1], decoded[frame * 2 + 1]);
    EXPECT_EQ(played[frame * 4 + 2], decoded[frame * 2]);
    EXPECT_EQ(played[frame * 4 + 3], decoded[frame * 2 + 1]);
  }
}

}  // namespace
