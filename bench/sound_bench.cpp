// Sound hot paths: Ogg decoding through COggFileReader against vorbisfile's own loop on the
// same unmasked file, and the mixer with all 118 effect voices and the music stream playing.
#include <benchmark/benchmark.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ogg_encoder.h"
#include "platform/mixer/mixer.h"
#include "sound/sslib2/ogg_file_reader.h"

namespace {

constexpr std::uint32_t kRate = 44100;
constexpr std::uint32_t kFrames = kRate * 10;
constexpr std::uint32_t kSegment = 33076;  // one stream segment of 44100 Hz 16-bit stereo

std::vector<unsigned char> EncodeTone() {
  std::vector<float> interleaved(2 * static_cast<std::size_t>(kFrames));
  for (std::uint32_t i = 0; i < kFrames; ++i) {
    const float t = static_cast<float>(i) / kRate;
    interleaved[2 * i] = 0.3f * std::sin(t * 2200.0f) + 0.1f * std::sin(t * 9100.0f);
    interleaved[2 * i + 1] = 0.3f * std::sin(t * 3300.0f);
  }
  return EncodeOggVorbis(interleaved, 2, kRate, 0.4f, 7, nullptr);
}

// The same piece, plain and masked, written once per run.
struct Files {
  std::string plain = "/tmp/sorvani-bench-tone.ogg";
  std::string masked = "/tmp/sorvani-bench-tone.mx";
  Files() {
    auto bytes = EncodeTone();
    std::ofstream(plain, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
    for (auto& b : bytes) b ^= sslib2::kMusicFileMask;
    std::ofstream(masked, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<std::streamsize>(bytes.size()));
  }
  ~Files() {
    std::remove(plain.c_str());
    std::remove(masked.c_str());
  }
};

Files& TheFiles() {
  static Files files;
  return files;
}

// Seconds of music decoded per second of CPU.
void ReportRealTime(benchmark::State& state) {
  state.counters["realtime_x"] =
      benchmark::Counter(static_cast<double>(kFrames) / kRate * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

void BM_OggReaderIntoSegments(benchmark::State& state) {
  const std::string& path = TheFiles().masked;
  std::vector<char> segment(kSegment);
  for (auto _ : state) {
    sslib2::COggFileReader reader;
    if (!reader.Open(path.c_str())) {
      state.SkipWithError("open failed");
      return;
    }
    std::uint32_t got = 0;
    do {
      reader.Read(segment.data(), kSegment, &got);
      benchmark::DoNotOptimize(segment.data());
    } while (!reader.IsEnd());
  }
  ReportRealTime(state);
}
BENCHMARK(BM_OggReaderIntoSegments)->Unit(benchmark::kMillisecond);

void BM_VorbisfilePlainLoop(benchmark::State& state) {
  const std::string& path = TheFiles().plain;
  std::vector<char> segment(kSegment);
  for (auto _ : state) {
    OggVorbis_File file;
    if (ov_fopen(path.c_str(), &file) != 0) {
      state.SkipWithError("open failed");
      return;
    }
    for (;;) {
      std::uint32_t filled = 0;
      long n = 1;
      while (filled < kSegment && (n = ov_read(&file, segment.data() + filled, static_cast<int>(kSegment - filled), 0,
                                               2, 1, nullptr)) > 0)
        filled += static_cast<std::uint32_t>(n);
      benchmark::DoNotOptimize(segment.data());
      if (n <= 0) break;
    }
    ov_clear(&file);
  }
  ReportRealTime(state);
}
BENCHMARK(BM_VorbisfilePlainLoop)->Unit(benchmark::kMillisecond);

// All 118 effect buffers (22050 Hz mono, so each one is resampled) and the stream ring, all
// playing and looping, mixed 441 frames (10 ms) at a time as the device callback asks.
void BM_MixerAllVoicesAndStream(benchmark::State& state) {
  auto mixer = std::make_shared<mixer::Mixer>(kRate);
  std::vector<std::unique_ptr<platform::SoundBuffer>> buffers;
  auto add = [&](std::uint16_t channels, std::uint32_t rate, std::uint32_t bytes, std::int32_t volume) {
    platform::BufferDesc desc;
    desc.flags = platform::DSBCAPS_CTRLVOLUME;
    desc.bufferBytes = bytes;
    desc.format = {1, channels, rate, rate * channels * 2u, static_cast<std::uint16_t>(channels * 2), 16, 0};
    std::unique_ptr<platform::SoundBuffer> buffer;
    mixer->CreateBuffer(desc, &buffer);
    void* data = nullptr;
    std::uint32_t size = 0;
    buffer->Lock(0, bytes, &data, &size, nullptr, nullptr, 0);
    auto* samples = static_cast<std::int16_t*>(data);
    for (std::uint32_t i = 0; i < size / 2; ++i) samples[i] = static_cast<std::int16_t>((i * 37) % 2000 - 1000);
    buffer->Unlock(data, size, nullptr, 0);
    buffer->SetVolume(volume);
    buffer->Play(platform::DSBPLAY_LOOPING);
    buffers.push_back(std::move(buffer));
  };
  for (int i = 0; i < 118; ++i) add(1, 22050, 22050, -500);
  add(2, kRate, 16 * kSegment, 0);
  std::vector<std::int16_t> out(441 * 2);
  for (auto _ : state) {
    mixer->Mix(out.data(), 441);
    benchmark::DoNotOptimize(out.data());
  }
  // CPU time per second of output, in per cent of one core.
  state.counters["core_percent"] = benchmark::Counter(static_cast<double>(state.iterations()) * 441 / kRate / 100,
                                                      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MixerAllVoicesAndStream);

}  // namespace
