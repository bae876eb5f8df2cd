// The music stream on the fake device, pulled frame by frame as the output would pull it:
// segment and notification layout, the first fill, the worker's refills with loop jumps,
// silence after the end, and the bytes that reach the mixer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>

#include "memory_wave_reader.h"
#include "sound/sound.h"
#include "sound/sslib2/sslib2.h"
#include "sound_fixtures.h"
#include "test_support.h"

namespace {

using sslib2::soundLibrary;

constexpr std::uint32_t kGameFrame = 750;  // output frames per game frame at 58.8 Hz

class SoundStreamTest : public GameTest {
 protected:
  SoundStreamTest() { sslib2::loopPoints = {}; }

  // Sets the stream up for the source and starts it.
  void Start(boost::shared_ptr<sslib2::CWaveReader> source, bool loop) {
    ASSERT_TRUE(soundLibrary.device.Create(1));
    ASSERT_TRUE(soundLibrary.device.CreateStreamBuffer(source));
    ASSERT_TRUE(soundLibrary.stream.Play(loop));
  }

  fake::FakeSoundBuffer& StreamBuffer() { return *backend.sound.Buffers().back(); }

  // Pulls `frames` output frames a game frame at a time, letting the worker catch up after
  // each pull, and returns the output as little-endian bytes of 16-bit stereo frames.
  Bytes Pull(std::uint32_t frames) {
    Bytes out;
    while (frames > 0) {
      std::uint32_t n = std::min(frames, kGameFrame);
      auto samples = backend.sound.Pull(n);
      EXPECT_TRUE(backend.sound.Settle());
      const auto* bytes = reinterpret_cast<const unsigned char*>(samples.data());
      out.insert(out.end(), bytes, bytes + samples.size() * 2);
      frames -= n;
    }
    return out;
  }
};

TEST_F(SoundStreamTest, SetUpMakesSixteenSegmentsOfThreeSixteenthsOfASecondNotifiedAtEachEnd) {
  Start(boost::shared_ptr<MemoryWaveReader>(new MemoryWaveReader(RampFrames16Stereo(200000), 2, 16)), true);
  auto& buffer = StreamBuffer();
  EXPECT_EQ(buffer.desc.size, platform::kBufferDescSize1);
  EXPECT_EQ(buffer.desc.flags, 0x8188u);
  EXPECT_EQ(soundLibrary.stream.SegmentSize(), 33076u);  // 33075 rounded up to whole frames
  EXPECT_EQ(buffer.desc.bufferBytes, 529216u);
  auto view = buffer.View();
  ASSERT_EQ(view.notifications.size(), 16u);
  for (std::uint32_t k = 1; k <= 15; ++k) EXPECT_EQ(view.notifications[k - 1].offset, k * 33076);
  EXPECT_EQ(view.notifications[15].offset, 529215u);
  EXPECT_TRUE(view.playing);
  EXPECT_TRUE(view.looping);  // the ring always loops; the worker ends the music
  // Play filled fifteen segments and left the sixteenth for the worker.
  EXPECT_EQ(soundLibrary.stream.QueuedSegments(), 15u);
  EXPECT_EQ(backend.log.Count("SoundBuffer1::Lock("), 15u);
  EXPECT_EQ(backend.log.Matching("SoundBuffer1::Lock(").back(), "SoundBuffer1::Lock(463064,33076)");

  struct Format {
    std::uint16_t channels, bits;
    std::uint32_t rate, segment;
  };
  const Format formats[] = {{1, 8, 22050, 4134}, {1, 16, 22050, 8268}, {2, 16, 22050, 16540}, {2, 16, 48000, 36000}};
  for (const auto& format : formats) {
    sslib2::PcmWaveFormat pcm;
    pcm.channels = format.channels;
    pcm.bitsPerSample = format.bits;
    pcm.samplesPerSec = format.rate;
    pcm.blockAlign = static_cast<std::uint16_t>(format.channels * format.bits / 8);
    EXPECT_EQ(sslib2::StreamSegmentSize(pcm), format.segment) << format.rate << " " << format.bits;
  }
}

// The frames the mixer must play for a looping piece: up to the loop end, then the loop region
// again and again.
Bytes LoopedFrames(const Bytes& source, std::uint32_t loopStart, std::uint32_t loopEnd, std::size_t bytes) {
  Bytes out(source.begin(), source.begin() + loopEnd * 4);
  while (out.size() < bytes) out.insert(out.end(), source.begin() + loopStart * 4, source.begin() + loopEnd * 4);
  out.resize(bytes);
  return out;
}

TEST_F(SoundStreamTest, BytesReachingTheMixerAreTheSourceThroughSeveralLoopJumps) {
  const Bytes source = RampFrames16Stereo(60000);
  sslib2::loopPoints = {20000, 50000};
  Start(boost::shared_ptr<MemoryWaveReader>(new MemoryWaveReader(source, 2, 16)), true);
  const std::uint32_t frames = 400000;  // five loop jumps, and the ring wrapped three times
  Bytes played = Pull(frames);
  EXPECT_EQ(played, LoopedFrames(source, 20000, 50000, played.size()));
  EXPECT_EQ(backend.sound.UnderrunCount(), 0u);
  EXPECT_EQ(soundLibrary.stream.QueuedSegments(), 15u);
}

TEST_F(SoundStreamTest, LoopEndZeroLoopsTheWholePieceAndAPieceShorterThanItsLoopEndJumpsAtItsEnd) {
  const Bytes source = RampFrames16Stereo(30001);  // odd length: the jump lands inside a segment
  for (std::uint32_t loopEnd : {0u, 90000u}) {
    SCOPED_TRACE(loopEnd);
    ResetSound();
    sslib2::loopPoints = {1000, loopEnd};
    Start(boost::shared_ptr<MemoryWaveReader>(new MemoryWaveReader(source, 2, 16)), true);
    Bytes played = Pull(150000);
    EXPECT_EQ(played, LoopedFrames(source, 1000, 30001, played.size()));
  }
}

TEST_F(SoundStreamTest, OggPieceEndingOnASegmentBoundaryGoesStraightIntoItsLoop) {
  // The decoder learns it is at its end only from a read that brings nothing; with the piece
  // filling exactly the first fifteen segments, that read opens the sixteenth.
  const std::uint32_t frames = 15 * (33076 / 4);
  const Bytes ogg = EncodeOgg(44100, 2, frames);
  WriteBytes("plain.ogg", ogg);
  WriteBytes("piece.mx", Masked(ogg));
  const Bytes decoded = DecodeOgg("plain.ogg");
  ASSERT_EQ(decoded.size(), frames * 4u);
  boost::shared_ptr<sslib2::COggFileReader> reader(new sslib2::COggFileReader);
  ASSERT_TRUE(reader->Open("piece.mx"));
  sslib2::loopPoints = {1000, 1453056};  // past the end: the jump comes from the reader's end
  Start(reader, true);
  Bytes played = Pull(2 * frames + 20000);
  EXPECT_EQ(played, LoopedFrames(decoded, 1000, frames, played.size()));
  EXPECT_EQ(backend.sound.UnderrunCount(), 0u);
}

TEST_F(SoundStreamTest, WaveFileCutShortUnderTheReaderPlaysWhatIsLeftThenSilence) {
  // The reader still counts bytes the file no longer has: its reads bring nothing short of
  // its end, and the refill must not wait for an end that never comes.
  const Bytes source = RampFrames16Stereo(60000);
  const Bytes image = Masked(MakeWav(WavLayout{}, source));
  WriteBytes("piece.m", image);
  boost::shared_ptr<sslib2::CPlainWavFileReader> reader(new sslib2::CPlainWavFileReader);
  ASSERT_TRUE(reader->Open("piece.m"));
  ASSERT_EQ(truncate("piece.m", 44 + 20000 * 4), 0);
  sslib2::loopPoints = {1000, 0};
  Start(reader, true);
  Bytes played = Pull(80000);
  Bytes expected(source.begin(), source.begin() + 20000 * 4);
  expected.resize(played.size(), 0);
  EXPECT_EQ(played, expected);
}

TEST_F(SoundStreamTest, ShortPieceWithoutLoopPlaysOutThenTheBufferStops) {
  const Bytes source = RampFrames16Stereo(20000);  // about two and a half segments
  Start(boost::shared_ptr<MemoryWaveReader>(new MemoryWaveReader(source, 2, 16)), false);
  EXPECT_EQ(soundLibrary.stream.QueuedSegments(), 3u);  // the silent segments are not counted
  Bytes played = Pull(16 * 8269 * 2);
  Bytes expected = source;
  expected.resize(played.size(), 0);
  // The buffer stops once the last queued segment has played: what follows is silence from a
  // stopped buffer, and the cursor no longer moves.
  EXPECT_EQ(played, expected);
  auto view = StreamBuffer().View();
  EXPECT_FALSE(view.playing);
  EXPECT_FALSE(soundLibrary.stream.IsPlaying());
  std::uint32_t cursor = view.playCursor;
  Pull(5000);
  EXPECT_EQ(StreamBuffer().View().playCursor, cursor);
  EXPECT_LT(cursor, 6u * 33076);  // stopped soon after the data, not after a whole pass
}

TEST_F(SoundStreamTest, LoopStartEqualToLoopEndStopsFillingThereAndTheRestIsSilence) {
  const Bytes source = RampFrames16Stereo(40000);
  sslib2::loopPoints = {12000, 12000};
  Start(boost::shared_ptr<MemoryWaveReader>(new MemoryWaveReader(source, 2, 16)), true);
  Bytes played = Pull(100000);
  Bytes expected(source.begin(), source.begin() + 12000 * 4);
  expected.resize(played.size(), 0);
  EXPECT_EQ(played, expected);
}

TEST_F(SoundStreamTest, PieceShorterThanItsLoopStartPlaysOnceInsteadOfHangingTheRefill) {
  // A replaced music file can be shorter than the loop start its scene gives: every jump lands
  // at the end, where the reader yields nothing.
  // At exactly the end the seek succeeds and the read brings nothing; beyond it the seek fails.
  const Bytes source = RampFrames16Stereo(10000);
  for (std::uint32_t loopStart : {10000u, 35584u}) {
    SCOPED_TRACE(loopStart);
    ResetSound();
    sslib2::loopPoints = {loopStart, 1453056};
    Start(boost::shared_ptr<MemoryWaveReader>(new MemoryWaveReader(source, 2, 16)), true);
    Bytes played = Pull(60000);
    Bytes expected = source;
    expected.resize(played.size(), 0);
    EXPECT_EQ(played, expected);
  }
}

TEST_F(SoundStreamTest, EightBitSourcePadsWithMidpointAndSixteenBitWithZero) {
  for (std::uint16_t bits : {8, 16}) {
    SCOPED_TRACE(bits);
    ResetSound();
    Bytes source(3000, 0x11);  // well under one segment
    Start(boost::shared_ptr<MemoryWaveReader>(new MemoryWaveReader(source, 1, bits)), false);
    Bytes bytes = StreamBuffer().Bytes();
    const unsigned char pad = bits == 8 ? 0x80 : 0x00;
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 3000), source);
    // Every byte written after the data is padding, across all fifteen filled segments.
    const std::uint32_t filled = 15 * soundLibrary.stream.SegmentSize();
    EXPECT_EQ(std::count(bytes.begin() + 3000, bytes.begin() + filled, pad), static_cast<long>(filled - 3000));
  }
}

TEST_F(SoundStreamTest, StopPausesOnlyTheBufferAndPlayRestartsFromTheBeginning) {
  const Bytes source = RampFrames16Stereo(50000);
  Start(boost::shared_ptr<MemoryWaveReader>(new MemoryWaveReader(source, 2, 16)), true);
  Pull(20000);
  ASSERT_TRUE(soundLibrary.stream.Stop());
  EXPECT_FALSE(soundLibrary.stream.IsPlaying());
  EXPECT_TRUE(soundLibrary.stream.HasWorker());
  EXPECT_EQ(Pull(1000), Bytes(4000, 0));
  ASSERT_TRUE(soundLibrary.stream.Play(true));
  EXPECT_EQ(Pull(30000), Bytes(source.begin(), source.begin() + 30000 * 4));
  ASSERT_TRUE(soundLibrary.stream.SetVolume(-10000));
  EXPECT_EQ(Pull(1000), Bytes(4000, 0));
  std::int32_t volume = 0;
  ASSERT_TRUE(soundLibrary.stream.GetVolume(&volume));
  EXPECT_EQ(volume, -10000);
}

TEST_F(SoundStreamTest, FailingSetUpStepsReportFalseAndLeaveNoWorker) {
  ASSERT_TRUE(soundLibrary.device.Create(1));
  auto source = boost::shared_ptr<MemoryWaveReader>(new MemoryWaveReader(RampFrames16Stereo(1000), 2, 16));
  for (const char* call : {"DirectSound::CreateSoundBuffer", "SoundBuffer::QueryNotify", "Sound::CreateEvent",
                           "SoundNotify::SetNotificationPositions"}) {
    SCOPED_TRACE(call);
    backend.faults.Fail(call, 1, platform::DSERR_OUTOFMEMORY);
    EXPECT_FALSE(soundLibrary.device.CreateStreamBuffer(source));
    EXPECT_FALSE(soundLibrary.stream.HasWorker());
    EXPECT_TRUE(backend.sound.Buffers().empty());
  }
  sslib2::CDirectSound noDevice;
  EXPECT_FALSE(noDevice.CreateStreamBuffer(source));
}

}  // namespace
