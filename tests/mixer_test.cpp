// The portable mixer on its own: formats, volume, one-shot ends and loops, resampling,
// notifications, underruns, lost devices and the buffer descriptions it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "platform/mixer/mixer.h"
#include "platform/mixer/signal_event.h"

namespace {

using platform::BufferDesc;
using platform::SoundBuffer;

class MixerTest : public ::testing::Test {
 protected:
  std::unique_ptr<SoundBuffer> Make(std::uint16_t channels, std::uint16_t bits, std::uint32_t rate,
                                    const std::vector<unsigned char>& bytes, std::uint32_t flags = 0x1A0) {
    BufferDesc desc;
    desc.flags = flags;
    desc.bufferBytes = static_cast<std::uint32_t>(bytes.size());
    const auto blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    desc.format = {1, channels, rate, rate * blockAlign, blockAlign, bits, 0};
    std::unique_ptr<SoundBuffer> buffer;
    EXPECT_EQ(mixer->CreateBuffer(desc, &buffer), platform::DS_OK);
    void* data = nullptr;
    std::uint32_t size = 0;
    EXPECT_EQ(buffer->Lock(0, desc.bufferBytes, &data, &size, nullptr, nullptr, 0), platform::DS_OK);
    std::memcpy(data, bytes.data(), size);
    EXPECT_EQ(buffer->Unlock(data, size, nullptr, 0), platform::DS_OK);
    return buffer;
  }
  static std::vector<unsigned char> Mono16(std::vector<std::int16_t> samples) {
    std::vector<unsigned char> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
  }
  std::vector<std::int16_t> Mix(std::uint32_t frames) {
    std::vector<std::int16_t> out(frames * 2);
    mixer->Mix(out.data(), frames);
    return out;
  }

  std::shared_ptr<mixer::Mixer> mixer = std::make_shared<mixer::Mixer>(44100);
};

TEST_F(MixerTest, FormatsAndVolumeReachBothChannelsAtTheRightLevel) {
  struct Case {
    const char* name;
    std::uint16_t channels, bits;
    std::vector<unsigned char> frame;  // one frame, repeated
    std::int32_t volume;
    int left, right;
  };
  const Case cases[] = {
      {"16-bit mono full", 1, 16, Mono16({10000}), 0, 10000, 10000},
      {"16-bit stereo", 2, 16, Mono16({-1234, 4321}), 0, -1234, 4321},
      {"8-bit mono", 1, 8, {0xC0}, 0, 16384, 16384},
      {"8-bit midpoint is silence", 2, 8, {0x80, 0x00}, 0, 0, -32768},
      {"-6 dB", 1, 16, Mono16({10000}), -600, 5012, 5012},
      {"-10000 is silence", 1, 16, Mono16({10000}), -10000, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned char> bytes;
    for (int i = 0; i < 64; ++i) bytes.insert(bytes.end(), c.frame.begin(), c.frame.end());
    auto buffer = Make(c.channels, c.bits, 44100, bytes);
    ASSERT_EQ(buffer->SetVolume(c.volume), platform::DS_OK);
    ASSERT_EQ(buffer->Play(platform::DSBPLAY_LOOPING), platform::DS_OK);
    auto out = Mix(100);
    EXPECT_NEAR(out[100], c.left, 1);
    EXPECT_NEAR(out[101], c.right, 1);
    buffer->Stop();
  }
}

TEST_F(MixerTest, VoicesAddUpAndClipInsteadOfWrapping) {
  auto a = Make(1, 16, 44100, Mono16(std::vector<std::int16_t>(100, 30000)));
  auto b = Make(1, 16, 44100, Mono16(std::vector<std::int16_t>(100, 10000)));
  auto c = Make(1, 16, 44100, Mono16(std::vector<std::int16_t>(100, -25000)));
  a->Play(0);
  b->Play(0);
  EXPECT_EQ(Mix(1)[0], 32767);
  c->Play(0);
  EXPECT_EQ(Mix(1)[0], 15000);
}

TEST_F(MixerTest, OneShotStopsAtItsEndAndLoopingWrapsSignallingEachPassedOffset) {
  auto event = mixer::CreateSignalEvent();
  platform::Event* events[1] = {event.get()};
  std::vector<std::int16_t> ramp(400);
  for (int i = 0; i < 400; ++i) ramp[i] = static_cast<std::int16_t>(i + 1);
  auto buffer = Make(1, 16, 44100, Mono16(ramp));
  std::unique_ptr<platform::SoundNotify> notify;
  ASSERT_EQ(buffer->QueryNotify(&notify), platform::DS_OK);
  platform::NotifyPosition position{600, event.get()};  // frame 300
  ASSERT_EQ(notify->SetNotificationPositions(1, &position), platform::DS_OK);

  buffer->Play(0);
  Mix(300);
  EXPECT_EQ(mixer::WaitForAnySignal(events, 1, 0), platform::kWaitTimeout);
  auto out = Mix(200);
  EXPECT_EQ(mixer::WaitForAnySignal(events, 1, 0), 0);
  EXPECT_EQ(out[0], 301);
  EXPECT_EQ(out[2 * 99], 400);
  EXPECT_EQ(out[2 * 100], 0);  // played out
  std::uint32_t status = 0, cursor = 1;
  buffer->GetStatus(&status);
  buffer->GetCurrentPosition(&cursor, nullptr);
  EXPECT_EQ(status, 0u);
  EXPECT_EQ(cursor, 0u);

  buffer->Play(platform::DSBPLAY_LOOPING);
  out = Mix(1000);  // two and a half passes
  EXPECT_EQ(out[2 * 400], 1);
  EXPECT_EQ(out[2 * 999], 200);
  EXPECT_EQ(mixer::WaitForAnySignal(events, 1, 0), 0);
  buffer->GetStatus(&status);
  EXPECT_EQ(status, platform::DSBSTATUS_PLAYING | platform::DSBSTATUS_LOOPING);
  EXPECT_EQ(notify->SetNotificationPositions(1, &position), platform::DSERR_INVALIDCALL);  // only when stopped
}

TEST_F(MixerTest, OtherRatesAreResampledToTheOutputRate) {
  std::vector<std::int16_t> ramp(1000);
  for (int i = 0; i < 1000; ++i) ramp[i] = static_cast<std::int16_t>(i * 10);
  auto half = Make(1, 16, 22050, Mono16(ramp));
  half->Play(0);
  auto out = Mix(2100);
  EXPECT_EQ(out[2 * 10], 50);  // on source frame 5
  EXPECT_EQ(out[2 * 11], 55);  // halfway to frame 6
  EXPECT_NE(out[2 * 1997], 0);
  EXPECT_EQ(out[2 * 2000], 0);  // 1000 frames at half rate last 2000 output frames
  auto fast = Make(1, 16, 88200, Mono16(ramp));
  fast->Play(0);
  out = Mix(600);
  EXPECT_EQ(out[2 * 100], 2000);  // every second source frame
  EXPECT_EQ(out[2 * 500], 0);
}

TEST_F(MixerTest, ReachingANotifiedRegionNotRefilledOrStillLockedCountsAnUnderrun) {
  auto event = mixer::CreateSignalEvent();
  auto buffer = Make(1, 16, 44100, Mono16(std::vector<std::int16_t>(400, 1000)));
  std::unique_ptr<platform::SoundNotify> notify;
  buffer->QueryNotify(&notify);
  platform::NotifyPosition positions[2] = {{400, event.get()}, {799, event.get()}};
  ASSERT_EQ(notify->SetNotificationPositions(2, positions), platform::DS_OK);
  // Fill both halves, as a stream does before it starts.
  for (std::uint32_t offset : {0u, 400u}) {
    void* data;
    std::uint32_t size;
    buffer->Lock(offset, 400, &data, &size, nullptr, nullptr, 0);
    buffer->Unlock(data, size, nullptr, 0);
  }
  buffer->Play(platform::DSBPLAY_LOOPING);
  Mix(400);  // one whole pass, every region fresh
  EXPECT_EQ(mixer->Underruns(), 0u);
  Mix(200);  // the first half again, never refilled
  EXPECT_EQ(mixer->Underruns(), 1u);
  void* data;
  std::uint32_t size;
  ASSERT_EQ(buffer->Lock(400, 400, &data, &size, nullptr, nullptr, 0), platform::DS_OK);
  auto out = Mix(100);  // the second half is being written: silence, and one more underrun
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(mixer->Underruns(), 2u);
  buffer->Unlock(data, size, nullptr, 0);
}

TEST_F(MixerTest, LostDeviceLosesEveryBufferUntilRestoreReopensIt) {
  auto buffer = Make(1, 16, 44100, Mono16(std::vector<std::int16_t>(100, 500)));
  buffer->Play(platform::DSBPLAY_LOOPING);
  mixer->MarkDeviceLost();
  std::uint32_t status = 0;
  buffer->GetStatus(&status);
  EXPECT_EQ(status, platform::DSBSTATUS_BUFFERLOST);
  EXPECT_EQ(buffer->Play(0), platform::DSERR_BUFFERLOST);
  void* data;
  std::uint32_t size;
  EXPECT_EQ(buffer->Lock(0, 10, &data, &size, nullptr, nullptr, 0), platform::DSERR_BUFFERLOST);
  EXPECT_EQ(Mix(10)[0], 0);
  EXPECT_EQ(buffer->Restore(), platform::DSERR_BUFFERLOST);  // nothing to reopen with
  bool back = false;
  mixer->SetReopenHandler([&] { return back; });
  EXPECT_EQ(buffer->Restore(), platform::DSERR_BUFFERLOST);
  back = true;
  EXPECT_EQ(buffer->Restore(), platform::DS_OK);
  EXPECT_FALSE(mixer->DeviceLost());
  EXPECT_EQ(buffer->Play(0), platform::DS_OK);
  EXPECT_EQ(Mix(1)[0], 500);
}

TEST_F(MixerTest, BufferDescriptionsTheDeviceCannotPlayAreRefused) {
  struct Case {
    const char* name;
    platform::WaveFormat format;
    std::uint32_t bytes;
    std::uint32_t size;
    platform::HRESULT expected;
  };
  const Case cases[] = {
      {"no bytes", {1, 2, 44100, 176400, 4, 16, 0}, 0, 36, platform::DSERR_INVALIDPARAM},
      {"not PCM", {3, 2, 44100, 352800, 8, 32, 0}, 800, 36, platform::DSERR_BADFORMAT},
      {"24-bit", {1, 2, 44100, 264600, 6, 24, 0}, 600, 36, platform::DSERR_BADFORMAT},
      {"block align wrong", {1, 2, 44100, 176400, 2, 16, 0}, 800, 36, platform::DSERR_BADFORMAT},
      {"six channels", {1, 6, 44100, 529200, 12, 16, 0}, 1200, 36, platform::DSERR_BADFORMAT},
      {"no rate", {1, 2, 0, 0, 4, 16, 0}, 800, 36, platform::DSERR_BADFORMAT},
      {"part of a frame", {1, 2, 44100, 176400, 4, 16, 0}, 802, 36, platform::DSERR_INVALIDPARAM},
      {"unknown layout", {1, 2, 44100, 176400, 4, 16, 0}, 800, 24, platform::DSERR_INVALIDPARAM},
  };
  for (const auto& c : cases) {
    BufferDesc desc;
    desc.size = c.size;
    desc.bufferBytes = c.bytes;
    desc.format = c.format;
    std::unique_ptr<SoundBuffer> buffer;
    EXPECT_EQ(mixer->CreateBuffer(desc, &buffer), c.expected) << c.name;
    EXPECT_EQ(buffer, nullptr) << c.name;
  }
  auto noControls = Make(1, 16, 44100, Mono16({1, 2}), 0);
  EXPECT_EQ(noControls->SetVolume(-100), platform::DSERR_CONTROLUNAVAIL);
  std::unique_ptr<platform::SoundNotify> notify;
  EXPECT_EQ(noControls->QueryNotify(&notify), platform::E_NOINTERFACE);
}

}  // namespace
