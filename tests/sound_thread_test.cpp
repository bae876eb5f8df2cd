// The stream and its worker under load: streams started, replaced and destroyed over and over
// while the worker is in the middle of a refill and the output keeps pulling on its own thread.
// Run it under ThreadSanitizer with scripts/sanitize.sh thread.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "memory_wave_reader.h"
#include "sound/sslib2/sslib2.h"
#include "sound_fixtures.h"
#include "test_support.h"

namespace {

using sslib2::soundLibrary;

// Decoding takes time: every read keeps the worker busy inside its refill for a moment.
class SlowReader : public MemoryWaveReader {
 public:
  using MemoryWaveReader::MemoryWaveReader;
  bool Read(void* destination, std::uint32_t bytes, std::uint32_t* bytesRead) override {
    std::this_thread::sleep_for(std::chrono::microseconds(300));
    return MemoryWaveReader::Read(destination, bytes, bytesRead);
  }
};

class SoundThreadTest : public GameTest {};

TEST_F(SoundThreadTest, StreamsReplacedAndDestroyedWhileTheWorkerRefillsLeaveOneBufferAndOneWorker) {
  ASSERT_TRUE(soundLibrary.device.Create(1));
  // Small rate, so segments are short and notifications come thick and fast.
  boost::shared_ptr<sslib2::CWaveReader> readers[2] = {
      boost::shared_ptr<sslib2::CWaveReader>(new SlowReader(RampFrames16Stereo(20000), 2, 16, 8000)),
      boost::shared_ptr<sslib2::CWaveReader>(new SlowReader(Bytes(30000, 0x90), 1, 8, 11025)),
  };
  sslib2::loopPoints = {100, 0};

  std::atomic<bool> running{true};
  std::atomic<std::uint64_t> pulled{0};
  std::thread output([&] {
    while (running) {
      auto frames = backend.sound.Pull(441);  // 10 ms of output, as fast as it will go
      pulled += frames.size() / 2;
      std::this_thread::yield();
    }
  });

  for (int round = 0; round < 60; ++round) {
    ASSERT_TRUE(soundLibrary.device.CreateStreamBuffer(readers[round % 2])) << round;
    EXPECT_EQ(backend.sound.Buffers().size(), 1u) << round;  // the previous buffer went with its worker
    ASSERT_TRUE(soundLibrary.stream.Play(true));
    // Effect buffers come and go too, while the output mixes the others.
    std::vector<std::unique_ptr<platform::SoundBuffer>> effects;
    for (int i = 0; i < round % 8 + 1; ++i) {
      platform::BufferDesc desc;
      desc.flags = 0xA2;
      desc.bufferBytes = 4000;
      desc.format = {1, 1, 22050, 44100, 2, 16, 0};
      std::unique_ptr<platform::SoundBuffer> effect;
      ASSERT_EQ(soundLibrary.device.Interface()->CreateSoundBuffer(desc, &effect), platform::DS_OK);
      effect->Play(0);
      effects.push_back(std::move(effect));
    }
    std::uint64_t until = pulled + 441 * (1 + round % 3);
    while (pulled < until) std::this_thread::yield();
    if (round % 4 == 1) {
      EXPECT_TRUE(soundLibrary.stream.Stop());
    }
    if (round % 5 == 2) {
      std::lock_guard<std::recursive_mutex> guard(soundLibrary.stream.Lock());
      EXPECT_TRUE(soundLibrary.stream.SetVolume(-100 * (round % 7)));
    }
    effects.clear();
    if (round % 3 == 0) {
      soundLibrary.stream.Destroy();
      EXPECT_TRUE(backend.sound.Buffers().empty()) << round;
      EXPECT_FALSE(soundLibrary.stream.HasWorker());
    }
  }
  soundLibrary.stream.Destroy();
  running = false;
  output.join();
  EXPECT_TRUE(backend.sound.Buffers().empty());
  EXPECT_GT(pulled.load(), 60u * 441);
  sslib2::loopPoints = {};
}

}  // namespace
