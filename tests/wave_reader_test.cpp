// The two music readers: masked WAV headers and chunk walk, Ogg decoding through our own file
// callbacks, positions, loop answers, and damaged files that must fail cleanly.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <thread>

#include "sound/sslib2/sslib2.h"
#include "sound_fixtures.h"
#include "test_support.h"

namespace {

using sslib2::COggFileReader;
using sslib2::CPlainWavFileReader;

class WaveReaderTest : public GameTest {};

Bytes ReadAll(sslib2::CWaveReader& reader, std::uint32_t chunk) {
  Bytes out;
  Bytes buffer(chunk);
  for (;;) {
    std::uint32_t got = 0;
    if (!reader.Read(buffer.data(), chunk, &got) || got == 0) break;
    out.insert(out.end(), buffer.begin(), buffer.begin() + got);
  }
  return out;
}

TEST_F(WaveReaderTest, MaskedWavOpensAndHandsOutTheSamplesFromAnyFrame) {
  struct Case {
    const char* name;
    std::uint16_t bits;
    std::uint16_t channels;
    Bytes before;
  };
  const Case cases[] = {
      {"16-bit stereo", 16, 2, {}},
      {"8-bit mono", 8, 1, {}},
      {"odd chunk first", 16, 2, MakeChunk("LIST", 7)},
      {"even chunk first", 16, 1, MakeChunk("fact", 4)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes samples;
    for (int i = 0; i < 600; ++i) samples.push_back(static_cast<unsigned char>(i * 13));
    WavLayout layout;
    layout.bits = c.bits;
    layout.channels = c.channels;
    layout.chunkBeforeData = c.before;
    WriteBytes("piece.m", Masked(MakeWav(layout, samples)));

    CPlainWavFileReader reader;
    ASSERT_TRUE(reader.Open("piece.m"));
    sslib2::PcmWaveFormat format;
    reader.GetFormat(&format);
    const std::uint32_t blockAlign = c.channels * c.bits / 8;
    EXPECT_EQ(format.blockAlign, blockAlign);
    EXPECT_EQ(format.samplesPerSec, 44100u);
    EXPECT_EQ(reader.GetLength(), 600 / blockAlign);
    EXPECT_FALSE(reader.IsEnd());
    EXPECT_EQ(ReadAll(reader, 64), samples);  // a 7-byte chunk is skipped by exactly 15 bytes
    EXPECT_TRUE(reader.IsEnd());

    ASSERT_TRUE(reader.Seek(100));
    EXPECT_EQ(reader.Tell(), 100u);
    EXPECT_EQ(ReadAll(reader, 1000), Bytes(samples.begin() + 100 * blockAlign, samples.end()));
    EXPECT_TRUE(reader.Seek(reader.GetLength()));  // the end itself is a position
    EXPECT_FALSE(reader.Seek(reader.GetLength() + 1));
    EXPECT_TRUE(reader.IsEnd());
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
    std::uint32_t got = 99;
    unsigned char byte;
    EXPECT_FALSE(reader.Read(&byte, 1, &got));
    EXPECT_EQ(got, 0u);
  }
}

TEST_F(WaveReaderTest, WavThatIsNotAMaskedPcmPieceDoesNotOpenAndLeavesTheReaderClosed) {
  const Bytes samples = RampFrames16Stereo(64);
  WavLayout good;
  WavLayout notPcm;
  notPcm.formatTag = 3;
  WavLayout noData;
  noData.withData = false;
  noData.chunkBeforeData = MakeChunk("LIST", 10);
  WavLayout shortFmt;
  shortFmt.fmtSize = 14;

  Bytes wrapping = Masked(MakeWav(good, samples));
  // A "LIST" chunk whose size reaches past the file (and would wrap a 32-bit offset).
  WavLayout huge;
  huge.chunkBeforeData = MakeChunk("LIST", 0);
  Bytes hugeImage = MakeWav(huge, samples);
  hugeImage[40] = hugeImage[41] = hugeImage[42] = 0xFF;
  hugeImage[43] = 0xFF;
  Bytes dataHeaderCut = MakeWav(good, samples);
  dataHeaderCut.resize(40);  // the file ends inside the "data" chunk's header

  const std::pair<const char*, Bytes> cases[] = {
      {"plain, unmasked RIFF", MakeWav(good, samples)},
      {"not PCM", Masked(MakeWav(notPcm, samples))},
      {"no data chunk", Masked(MakeWav(noData, samples))},
      {"fmt chunk too short", Masked(MakeWav(shortFmt, samples))},
      {"chunk size past the end", Masked(hugeImage)},
      {"data chunk header cut short", Masked(dataHeaderCut)},
      {"header cut short", Bytes(wrapping.begin(), wrapping.begin() + 30)},
      {"empty", Bytes{}},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    WriteBytes("bad.m", bytes);
    CPlainWavFileReader reader;
    EXPECT_FALSE(reader.Open("bad.m"));
    EXPECT_FALSE(reader.IsOpen());
  }
  CPlainWavFileReader reader;
  EXPECT_FALSE(reader.Open("missing.m"));
}

TEST_F(WaveReaderTest, DataChunkClaimingMoreThanTheFileHoldsIsThePieceUpToTheFileEnd) {
  const Bytes samples = RampFrames16Stereo(500);
  struct Case {
    const char* name;
    std::uint32_t claimed;  // 0: the size stays, the file is cut instead
    std::size_t cutBytes;
    std::uint32_t frames;
  };
  const Case cases[] = {
      {"streamed, 0xFFFFFFFF", 0xFFFFFFFF, 0, 500},
      {"streamed, 0x7FFFFFFF", 0x7FFFFFFF, 0, 500},
      {"cut inside a frame", 0, 6, 498},  // the torn frame is not part of the piece
      {"cut to the data header", 0, 2000, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes image = MakeWav(WavLayout{}, samples);
    if (c.claimed != 0) {
      for (int i = 0; i < 4; ++i) image[4 + i] = image[40 + i] = static_cast<unsigned char>(c.claimed >> (8 * i));
    }
    image.resize(image.size() - c.cutBytes);
    WriteBytes("streamed.m", Masked(image));

    CPlainWavFileReader reader;
    ASSERT_TRUE(reader.Open("streamed.m"));
    EXPECT_EQ(reader.GetLength(), c.frames);
    const Bytes piece(samples.begin(), samples.begin() + c.frames * 4);
    EXPECT_EQ(ReadAll(reader, 333), piece);
    EXPECT_TRUE(reader.IsEnd());
    // The loop seek lands inside what is there, and nowhere past it.
    EXPECT_EQ(reader.Seek(100), c.frames >= 100);
    EXPECT_FALSE(reader.Seek(c.frames + 1));
  }
}

TEST_F(WaveReaderTest, LoopAnswersFollowTheModuleLoopPointsAndTheLength) {
  WavLayout layout;
  WriteBytes("a.m", Masked(MakeWav(layout, RampFrames16Stereo(132300))));
  WriteBytes("b.m", Masked(MakeWav(layout, RampFrames16Stereo(132301))));
  CPlainWavFileReader exact, longer;
  ASSERT_TRUE(exact.Open("a.m"));
  ASSERT_TRUE(longer.Open("b.m"));
  EXPECT_FALSE(exact.IsLong());
  EXPECT_TRUE(longer.IsLong());

  sslib2::loopPoints = {};
  EXPECT_EQ(exact.GetLoopEnd(), 132300u);  // 0 stands for the end of the piece
  EXPECT_EQ(exact.GetLoopStart(), 0u);
  sslib2::loopPoints = {35584, 1453056};
  EXPECT_EQ(exact.GetLoopEnd(), 1453056u);  // whatever the length
  EXPECT_EQ(exact.GetLoopStart(), 35584u);
  EXPECT_EQ(exact.GetLoopCount(), 0);
  sslib2::loopPoints = {};
}

class OggReaderTest : public WaveReaderTest {
 protected:
  void SetUp() override {
    plain = EncodeOgg(22050, 2, 30000);
    WriteBytes("plain.ogg", plain);
    WriteBytes("piece.mx", Masked(plain));
    decoded = DecodeOgg("plain.ogg");
    ASSERT_FALSE(decoded.empty());
  }
  Bytes plain;
  Bytes decoded;
};

TEST_F(OggReaderTest, MaskedOggDecodesToWhatVorbisfileGivesForThePlainFile) {
  COggFileReader reader;
  ASSERT_TRUE(reader.Open("piece.mx"));
  EXPECT_FALSE(reader.Open("piece.mx"));  // refuses while open
  sslib2::PcmWaveFormat format;
  reader.GetFormat(&format);
  EXPECT_EQ(format.formatTag, 1);
  EXPECT_EQ(format.channels, 2);
  EXPECT_EQ(format.samplesPerSec, 22050u);
  EXPECT_EQ(format.bitsPerSample, 16);
  EXPECT_EQ(format.blockAlign, 4);
  EXPECT_EQ(format.avgBytesPerSec, 88200u);
  EXPECT_EQ(reader.GetLength(), 30000u);
  EXPECT_EQ(reader.GetLength() * 4, decoded.size());

  Bytes all = ReadAll(reader, 33076);
  EXPECT_TRUE(reader.IsEnd());
  EXPECT_EQ(all, decoded);

  ASSERT_TRUE(reader.Seek(12345));
  EXPECT_FALSE(reader.IsEnd());
  EXPECT_EQ(reader.Tell(), 12345u);
  Bytes tail = ReadAll(reader, 5000);
  EXPECT_EQ(tail, Bytes(decoded.begin() + 12345 * 4, decoded.end()));

  reader.Close();
  EXPECT_FALSE(reader.IsOpen());
  ASSERT_TRUE(reader.Open("piece.mx"));  // closed files can be opened again
}

TEST_F(OggReaderTest, DamagedPlainOrUnseekableOggDoesNotOpen) {
  Bytes cut(plain.begin(), plain.begin() + 50);
  Bytes garbage = plain;
  for (std::size_t i = 0; i < garbage.size(); i += 3) garbage[i] ^= 0x5A;
  const std::pair<const char*, Bytes> cases[] = {
      {"unmasked", plain},
      {"cut inside the headers", Masked(cut)},
      {"scrambled", Masked(garbage)},
      {"empty", Bytes{}},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    WriteBytes("bad.mx", bytes);
    COggFileReader reader;
    EXPECT_FALSE(reader.Open("bad.mx"));
    EXPECT_FALSE(reader.IsOpen());
    std::uint32_t got = 0;
    unsigned char byte;
    EXPECT_FALSE(reader.Read(&byte, 1, &got));
  }

  // A pipe cannot seek: the reader refuses the stream.
  ASSERT_EQ(mkfifo("pipe.mx", 0600), 0);
  Bytes masked = Masked(plain);
  std::thread writer([&] {
    std::ofstream pipe("pipe.mx", std::ios::binary);
    pipe.write(reinterpret_cast<const char*>(masked.data()), static_cast<std::streamsize>(masked.size()));
  });
  COggFileReader reader;
  EXPECT_FALSE(reader.Open("pipe.mx"));
  EXPECT_FALSE(reader.IsOpen());
  writer.join();
}

}  // namespace
