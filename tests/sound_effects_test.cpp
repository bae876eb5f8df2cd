// Sound start-up with the effects from "svdata02.dat", the rings of voices, silent mode, the
// failures of loading and the recovery of lost buffers, and the shutdown.
#include <gtest/gtest.h>

#include "app/app.h"
#include "sound/sound.h"
#include "sound/sslib2/sslib2.h"
#include "sound_fixtures.h"
#include "test_support.h"

namespace {

class SoundEffectsTest : public GameTest {
 protected:
  SoundEffectsTest() { appState.enable_debug_write = 1; }

  // Buffer calls of slot `slot` (its buffer was the slot's creation, counting from `first`).
  std::vector<std::string> PlaysOfSerial(int serial) {
    return backend.log.Matching("SoundBuffer" + std::to_string(serial) + "::Play");
  }
  // Serial numbers of the buffers that were played, in order.
  std::vector<int> PlayedSerials() {
    std::vector<int> serials;
    for (const auto& call : backend.log.Matching("SoundBuffer")) {
      auto at = call.find("::Play(");
      if (at != std::string::npos) serials.push_back(std::stoi(call.substr(11, at - 11)));
    }
    return serials;
  }
};

TEST_F(SoundEffectsTest, StartUpLoadsEveryEffectIntoItsSlotsWithItsOwnSamples) {
  WriteEffectArchive();
  InitSound(1);
  EXPECT_FALSE(IsSoundSilent());
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"DirectSoundオブジェクトを作成しています",
                                                     "DirectSoundとウェーブクラスの接続を試行しています",
                                                     "サウンドをロードしています", "セカンダリDSバッファを初期化中...",
                                                     "完了"}));
  EXPECT_EQ(backend.log.Count("DirectSound::SetCooperativeLevel(1,1)"), 1u);
  auto buffers = backend.sound.Buffers();
  ASSERT_EQ(buffers.size(), 118u);
  const int firstSlots[13] = {0, 1, 2, 3, 4, 5, 6, 22, 38, 54, 70, 86, 102};
  for (int id = 0; id < 13; ++id) {
    int voices = id < 6 ? 1 : 16;
    for (int v = 0; v < voices; ++v) {
      const auto* buffer = buffers[firstSlots[id] + v];
      SCOPED_TRACE(firstSlots[id] + v);
      EXPECT_EQ(buffer->desc.size, platform::kBufferDescSize);
      EXPECT_EQ(buffer->desc.flags, 0xA2u);
      EXPECT_EQ(buffer->Bytes(), EffectSamples(id));
      EXPECT_EQ(buffer->desc.format.blockAlign, 4);
      // The "fmt " chunk holds 16 bytes; what follows it is not the extra-size field.
      EXPECT_EQ(buffer->desc.format.extraSize, 0);
    }
  }
}

TEST_F(SoundEffectsTest, ManyVoiceEffectTakesItsSlotsInTurnAndOneVoiceEffectRestarts) {
  WriteEffectArchive();
  InitSound(1);
  backend.log.Clear();
  for (int i = 0; i < 17; ++i) EXPECT_EQ(PlaySoundEffect(WAV_SHOT_1, -500), 0);
  std::vector<int> expected;
  for (int slot = 6; slot <= 21; ++slot) expected.push_back(slot + 1);  // serial = slot + 1
  expected.push_back(7);
  EXPECT_EQ(PlayedSerials(), expected);

  // A sounding one-voice effect is stopped and started again from its beginning.
  PlaySoundEffect(WAV_MENU_DECIDE, 0);
  backend.sound.Pull(100);
  EXPECT_EQ(backend.sound.Buffers()[1]->View().playCursor, 400u);
  backend.log.Clear();
  EXPECT_EQ(PlaySoundEffect(WAV_MENU_DECIDE, -300), 0);
  EXPECT_EQ(backend.log.Matching("SoundBuffer2::"),
            (std::vector<std::string>{"SoundBuffer2::GetStatus", "SoundBuffer2::SetVolume(-300)", "SoundBuffer2::Stop",
                                      "SoundBuffer2::SetCurrentPosition(0)", "SoundBuffer2::Play(0)"}));
  auto view = backend.sound.Buffers()[1]->View();
  EXPECT_TRUE(view.playing);
  EXPECT_FALSE(view.looping);
  EXPECT_EQ(view.playCursor, 0u);
  EXPECT_EQ(view.volume, -300);
}

TEST_F(SoundEffectsTest, PlayedEffectReachesTheOutputOnceAndThenFallsSilent) {
  WriteEffectArchive();
  InitSound(1);
  backend.sound.Pull(10);
  PlayEffectSlot(0, 0);
  auto out = backend.sound.Pull(400);
  const Bytes samples = EffectSamples(WAV_MENU_SELECT);  // 300 frames
  Bytes expected = samples;
  expected.resize(400 * 4, 0);
  EXPECT_EQ(Bytes(reinterpret_cast<const unsigned char*>(out.data()),
                  reinterpret_cast<const unsigned char*>(out.data()) + out.size() * 2),
            expected);
  EXPECT_FALSE(backend.sound.Buffers()[0]->View().playing);
}

TEST_F(SoundEffectsTest, NoSEMakesEveryCallReturnAtOnceWithoutTouchingTheDevice) {
  WriteEffectArchive();
  appState.NoSE = 1;
  InitSound(1);
  EXPECT_TRUE(IsSoundSilent());
  EXPECT_EQ(PlaySoundEffect(WAV_SHOT_1, 0), 0);
  EXPECT_EQ(PlayEffectSlot(6, 0), 1);
  EXPECT_TRUE(RestoreSoundEffects());
  EXPECT_TRUE(LoadSoundEffects());
  EXPECT_EQ(backend.log.Count("Sound"), 0u);  // no device, no buffer, no event
  EXPECT_TRUE(LogMessages().empty());
}

TEST_F(SoundEffectsTest, MissingEntryGivesItsBoxThenTheBufferErrorBoxAndSilentMode) {
  WriteEffectArchive("WAV_RA");
  InitSound(7);
  EXPECT_TRUE(IsSoundSilent());
  ASSERT_EQ(backend.dialogs.boxes.size(), 2u);
  EXPECT_EQ(backend.dialogs.boxes[0].text, "オーディオリソース「WAV_RA」が見つかりません。");
  EXPECT_EQ(backend.dialogs.boxes[0].caption, "Sorvani");
  EXPECT_EQ(backend.dialogs.boxes[0].flags, platform::MB_TOPMOST | platform::MB_ICONEXCLAMATION);
  EXPECT_EQ(backend.dialogs.boxes[1].text, "DSERR_INVALIDPARAM");  // a buffer of no bytes
  EXPECT_EQ(backend.dialogs.boxes[1].caption, "WAV_RA");
  EXPECT_EQ(backend.dialogs.boxes[1].flags, platform::MB_TOPMOST | platform::MB_ICONEXCLAMATION);
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{
                               "DirectSoundオブジェクトを作成しています",
                               "DirectSoundとウェーブクラスの接続を試行しています",
                               "サウンドをロードしています",
                               "オーディオリソース「%s」が見つかりません。",
                               "セカンダリDSバッファを初期化中...",
                               "WAV_RA",
                               "DSERR_INVALIDPARAM",
                               "サウンドのロードに失敗。音なしモードで起動します",
                           }));
  EXPECT_EQ(PlaySoundEffect(WAV_MENU_SELECT, 0), 0);
  EXPECT_EQ(backend.log.Count("SoundBuffer1::Play"), 0u);
}

TEST_F(SoundEffectsTest, EntryWhoseDataClaimsMoreThanItHoldsPlaysTheSamplesThatAreThere) {
  const Bytes samples = EffectSamples(WAV_RA);  // 350 frames
  struct Case {
    const char* name;
    std::uint32_t claimed;  // 0: the size stays, the entry is cut instead
    std::size_t cutBytes;
    std::uint32_t frames;
  };
  const Case cases[] = {
      {"data size 0x7FFFFFFF", 0x7FFFFFFF, 0, 350},
      {"entry cut inside a frame", 0, 402, 249},  // RIFF size too; the torn frame is dropped
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResetSound();
    ResetDebugLog();
    backend.dialogs.boxes.clear();
    Bytes image = MakeWav(WavLayout{}, samples);
    if (c.claimed != 0)
      for (int i = 0; i < 4; ++i) image[40 + i] = static_cast<unsigned char>(c.claimed >> (8 * i));
    image.resize(image.size() - c.cutBytes);
    WriteEffectArchive("WAV_RA", image);
    InitSound(1);
    EXPECT_FALSE(IsSoundSilent());
    EXPECT_TRUE(backend.dialogs.boxes.empty());
    EXPECT_EQ(LogMessages().back(), "完了");
    auto buffers = backend.sound.Buffers();
    ASSERT_EQ(buffers.size(), 118u);
    EXPECT_EQ(buffers[5]->Bytes(), Bytes(samples.begin(), samples.begin() + c.frames * 4));
    EXPECT_EQ(buffers[6]->Bytes(), EffectSamples(WAV_SHOT_1));  // the next entry is untouched

    EXPECT_EQ(PlaySoundEffect(WAV_RA, 0), 0);
    auto out = backend.sound.Pull(c.frames + 50);
    Bytes expected(samples.begin(), samples.begin() + c.frames * 4);
    expected.resize((c.frames + 50) * 4, 0);
    EXPECT_EQ(Bytes(reinterpret_cast<const unsigned char*>(out.data()),
                    reinterpret_cast<const unsigned char*>(out.data()) + out.size() * 2),
              expected);
  }
}

TEST_F(SoundEffectsTest, DeviceAndBufferFailuresEndInSilentModeWithTheirLogLines) {
  struct Case {
    const char* call;
    platform::HRESULT code;
    std::vector<std::string> tail;  // log lines after the start of loading
    std::size_t boxes;
  };
  const Case cases[] = {
      {"Sound::CreateDirectSound", platform::DSERR_NODRIVER, {"DirectSoundオブジェクトの作成に失敗。音なしモードで起動します"}, 0},
      {"DirectSound::CreateSoundBuffer", platform::DSERR_OUTOFMEMORY,
       {"WAV_MENU_SELECT", "DSERR_OUTOFMEMORY", "サウンドのロードに失敗。音なしモードで起動します"}, 1},
      {"DirectSound::CreateSoundBuffer", platform::E_FAIL,  // not in the table: no name, no box
       {"WAV_MENU_SELECT", "サウンドのロードに失敗。音なしモードで起動します"}, 0},
      {"SoundBuffer::Lock", platform::DSERR_BUFFERLOST, {"サウンドのロードに失敗。音なしモードで起動します"}, 0},
      {"SoundBuffer::Unlock", platform::DSERR_INVALIDCALL, {"サウンドのロードに失敗。音なしモードで起動します"}, 0},
  };
  WriteEffectArchive();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    ResetSound();
    ResetDebugLog();
    backend.dialogs.boxes.clear();
    backend.faults.Clear();
    backend.faults.Fail(c.call, 1, c.code);
    InitSound(1);
    EXPECT_TRUE(IsSoundSilent());
    auto log = LogMessages();
    ASSERT_GE(log.size(), c.tail.size());
    EXPECT_EQ(std::vector<std::string>(log.end() - static_cast<long>(c.tail.size()), log.end()), c.tail);
    EXPECT_EQ(backend.dialogs.boxes.size(), c.boxes);
  }
}

TEST_F(SoundEffectsTest, LostBufferIsRestoredAndEveryEffectReloadedBeforeThePlay) {
  WriteEffectArchive();
  InitSound(1);
  backend.sound.Buffers()[6]->MarkLost();
  backend.log.Clear();
  EXPECT_EQ(PlaySoundEffect(WAV_SHOT_1, 0), 0);
  EXPECT_EQ(backend.log.Count("SoundBuffer7::GetStatus"), 1u);
  EXPECT_EQ(backend.log.Count("SoundBuffer7::Restore"), 1u);
  auto buffers = backend.sound.Buffers();
  ASSERT_EQ(buffers.size(), 118u);
  EXPECT_EQ(buffers[6]->serial, 118 + 7);  // every slot made again
  EXPECT_EQ(buffers[6]->Bytes(), EffectSamples(WAV_SHOT_1));
  EXPECT_TRUE(buffers[6]->View().playing);
  EXPECT_EQ(backend.log.Count("SoundBuffer125::Play(0)"), 1u);

  // The whole device goes and comes back: the same recovery, through the mixer's reopen.
  int reopens = 0;
  backend.sound.Mixer().SetReopenHandler([&] { return ++reopens > 0; });
  backend.sound.Mixer().MarkDeviceLost();
  EXPECT_EQ(PlaySoundEffect(WAV_MENU_CANCEL, 0), 0);
  EXPECT_EQ(reopens, 1);
  buffers = backend.sound.Buffers();
  EXPECT_EQ(buffers[2]->serial, 236 + 3);
  EXPECT_TRUE(buffers[2]->View().playing);

  // A device that stays away: the restore fails and the play goes on the lost buffer, quietly.
  backend.sound.Mixer().SetReopenHandler([] { return false; });
  backend.sound.Mixer().MarkDeviceLost();
  EXPECT_EQ(PlaySoundEffect(WAV_MENU_CANCEL, 0), 0);
  EXPECT_EQ(backend.sound.Buffers()[2]->serial, 239);
  EXPECT_FALSE(backend.sound.Buffers()[2]->View().playing);
}

TEST_F(SoundEffectsTest, ReleaseEmptiesEverySlotWithItsLogLines) {
  WriteEffectArchive();
  InitSound(1);
  PlaySoundEffect(WAV_SHOT_2, 0);
  ResetDebugLog();
  ReleaseSound();
  EXPECT_TRUE(backend.sound.Buffers().empty());
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{"DirectSoundデバイスを開放しています...", "完了", "ストリームの音切れ：0回"}));
  EXPECT_EQ(PlayEffectSlot(22, 0), 1);  // empty slot
  EXPECT_EQ(PlaySoundEffect(WAV_SHOT_2, 0), 1);
}

}  // namespace
