// Sound on the real backend, with SDL's disk driver: a short piece streamed through the real
// worker reaches the driver's file sample for sample; without a driver the device is refused.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "platform/backend.h"
#include "platform/sdl/sdl_backend.h"
#include "sound/sound.h"
#include "sound/sslib2/sslib2.h"

namespace {

using sslib2::soundLibrary;

std::vector<std::int16_t> Ramp(std::uint32_t frames) {
  std::vector<std::int16_t> samples;
  for (std::uint32_t i = 0; i < frames; ++i) {
    samples.push_back(static_cast<std::int16_t>(i * 7 + 1));
    samples.push_back(static_cast<std::int16_t>(-30000 + static_cast<int>(i) * 3));
  }
  return samples;
}

// A masked ".m" file: RIFF WAVE, 16-bit stereo at the rate given.
void WriteMaskedWave(const std::string& path, std::uint32_t rate, const std::vector<std::int16_t>& samples) {
  std::vector<unsigned char> bytes;
  auto put32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
  };
  auto put16 = [&](std::uint16_t v) {
    bytes.push_back(static_cast<unsigned char>(v));
    bytes.push_back(static_cast<unsigned char>(v >> 8));
  };
  auto putId = [&](const char* id) { bytes.insert(bytes.end(), id, id + 4); };
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  putId("RIFF");
  put32(36 + dataBytes);
  putId("WAVE");
  putId("fmt ");
  put32(16);
  put16(1);
  put16(2);
  put32(rate);
  put32(rate * 4);
  put16(4);
  put16(16);
  putId("data");
  put32(dataBytes);
  for (std::int16_t s : samples) put16(static_cast<std::uint16_t>(s));
  for (auto& b : bytes) b ^= sslib2::kMusicFileMask;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

class SdlSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/sorvani-sdl-sound-XXXXXX";
    directory = mkdtemp(pattern);
    output = directory + "/out.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    platform::InstallBackend(&backend);
    ResetSound();
  }
  void TearDown() override {
    ResetSound();
    platform::InstallBackend(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
  }

  // Streams the piece once, without looping, and returns what the driver wrote.
  std::vector<std::int16_t> StreamThroughTheDevice(std::uint32_t rate, const std::vector<std::int16_t>& piece) {
    const std::string path = directory + "/piece.m";
    WriteMaskedWave(path, rate, piece);
    EXPECT_TRUE(soundLibrary.device.Create(1));
    EXPECT_TRUE(soundLibrary.wavReader->Open(path.c_str()));
    EXPECT_TRUE(soundLibrary.device.CreateStreamBuffer(soundLibrary.wavReader));
    EXPECT_TRUE(soundLibrary.stream.Play(false));
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (soundLibrary.stream.IsPlaying() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(soundLibrary.stream.IsPlaying()) << "the piece never played out";
    EXPECT_EQ(backend.Audio().UnderrunCount(), 0u);
    ResetSound();  // closes the device, which closes the driver's file
    std::ifstream file(output, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.data(), samples.size() * 2);
    return samples;
  }

  // Index of the first frame that is not silence.
  static std::size_t FirstSound(const std::vector<std::int16_t>& samples) {
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2)
      if (samples[i] != 0 || samples[i + 1] != 0) return i / 2;
    return samples.size() / 2;
  }

  platform::sdl::SdlBackend backend;
  std::string directory;
  std::string output;
};

TEST_F(SdlSoundTest, PieceAtTheDeviceRateArrivesSampleForSampleThenSilence) {
  const auto piece = Ramp(17640);  // 0.4 s, a little over two segments
  auto written = StreamThroughTheDevice(44100, piece);
  const std::size_t start = FirstSound(written);
  ASSERT_LE((start + 17640) * 2, written.size()) << "the driver wrote " << written.size() / 2 << " frames";
  EXPECT_EQ(std::vector<std::int16_t>(written.begin() + static_cast<long>(start * 2),
                                      written.begin() + static_cast<long>((start + 17640) * 2)),
            piece);
  for (std::size_t i = (start + 17640) * 2; i < written.size(); ++i) ASSERT_EQ(written[i], 0) << i;
}

TEST_F(SdlSoundTest, PieceAtHalfTheRateIsResampledBetweenItsOwnSamples) {
  const auto piece = Ramp(4000);
  auto written = StreamThroughTheDevice(22050, piece);
  const std::size_t start = FirstSound(written);
  ASSERT_LE((start + 8000) * 2, written.size());
  for (std::size_t k = 0; k + 1 < 4000; ++k) {
    for (int c = 0; c < 2; ++c) {
      const int a = piece[k * 2 + c], b = piece[(k + 1) * 2 + c];
      ASSERT_EQ(written[(start + 2 * k) * 2 + c], a) << "frame " << k;  // on a source sample
      const int between = written[(start + 2 * k + 1) * 2 + c];
      ASSERT_LE(std::abs(2 * between - (a + b)), 1) << "frame " << k;  // halfway to the next
    }
  }
}

TEST_F(SdlSoundTest, WithoutAnAudioDriverTheDeviceIsRefusedAndStartUpGoesSilent) {
  setenv("SDL_AUDIODRIVER", "nosuchdriver", 1);
  std::unique_ptr<platform::DirectSound> device;
  EXPECT_EQ(backend.Audio().CreateDirectSound(&device), platform::DSERR_NODRIVER);
  EXPECT_EQ(device, nullptr);
  InitSound(1);
  EXPECT_TRUE(IsSoundSilent());
}

}  // namespace
