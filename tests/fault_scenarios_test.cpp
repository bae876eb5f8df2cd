// Faults that strike while the game runs: a device lost for many frames, a reset that fails,
// a settings store that stops taking writes, and the picture archive gone after start. The game
// must say what the run log promises and go on, or end through the program exit.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/rega.h"
#include "app/score_ranking.h"
#include "play_test_support.h"
#include "scene_test_support.h"

namespace {

std::size_t CountLines(const std::vector<std::string>& log, const std::string& line) {
  return static_cast<std::size_t>(std::count(log.begin(), log.end(), line));
}

class FaultScenarioTest : public SceneTest {
 protected:
  // The title, loaded and faded in.
  void OnTheTitle() {
    TitleScene(window, 1);
    Frames(40);
    ASSERT_TRUE(Drew(PIC_TITLELOGO));
    StartLogAfresh();
  }
};

TEST_F(FaultScenarioTest, DeviceLostForManyFramesOnlyWaitsThenResetsAndTheTitleGoesOn) {
  OnTheTitle();
  backend.faults.Fail("Device::Present", 30, platform::D3DERR_DEVICELOST);
  backend.faults.Fail("Device::TestCooperativeLevel", 29, platform::D3DERR_DEVICELOST);
  Frames(29);
  EXPECT_EQ(backend.log.Count("Device::Reset"), 0u);
  EXPECT_EQ(backend.graphics.liveTextures, PictureSetSize(kTitlePictureSet)) << "nothing released while only lost";
  backend.faults.Fail("Device::TestCooperativeLevel", 1, platform::D3DERR_DEVICENOTRESET);
  Frame();
  Frames(2);

  const std::vector<std::string> log = LogMessages();
  EXPECT_EQ(CountLines(log, "デバイスの消失を検知しました。復帰を試みます"), 30u);
  EXPECT_EQ(CountLines(log, "D3DERR_DEVICELOST"), 29u);
  EXPECT_EQ(CountLines(log, "デバイスをリセット"), 1u);
  EXPECT_EQ(CountLines(log, "デバイスの復帰に失敗しました"), 0u);
  EXPECT_EQ(backend.log.Count("Device::Reset"), 1u);
  EXPECT_TRUE(backend.dialogs.boxes.empty());
  EXPECT_EQ(currentScene, TitleScene);
  EXPECT_EQ(pictures.currentSet, kTitlePictureSet);
  EXPECT_EQ(backend.graphics.liveTextures, PictureSetSize(kTitlePictureSet));
  EXPECT_TRUE(Drew(PIC_TITLELOGO)) << "the reloaded pictures are drawn again";
}

// Every reset failure shows its errno under the "Reset" caption and ends through the program exit.
TEST_F(FaultScenarioTest, ResetThatFailsWithAnyCodeEndsTheProgramThroughTheExitScene) {
  const std::pair<platform::HRESULT, const char*> cases[] = {
      {platform::D3DERR_DEVICELOST, "(errno=R001)"},     {platform::D3DERR_DRIVERINTERNALERROR, "(errno=R002)"},
      {platform::D3DERR_INVALIDCALL, "(errno=R003)"},    {platform::D3DERR_OUTOFVIDEOMEMORY, "(errno=R004)"},
      {platform::E_OUTOFMEMORY, "(errno=R005)"},
  };
  for (const auto& [code, number] : cases) {
    SCOPED_TRACE(number);
    ReleaseDirect3D();
    window = backend.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);
    appState.mainWindow = window;
    ASSERT_EQ(InitDirect3D(window, true, true), platform::S_OK);
    OnTheTitle();
    backend.dialogs.boxes.clear();
    backend.faults.Fail("Device::Present", 1, platform::D3DERR_DEVICELOST);
    backend.faults.Fail("Device::TestCooperativeLevel", 1, platform::D3DERR_DEVICENOTRESET);
    backend.faults.Fail("Device::Reset", 1, code);
    Frame();
    EXPECT_EQ(currentScene, ProgramExitScene);
    EXPECT_EQ(backend.window.Find(window), nullptr) << "the exit destroys the window";
    ASSERT_EQ(backend.dialogs.boxes.size(), 1u);
    EXPECT_NE(backend.dialogs.boxes[0].text.find(number), std::string::npos) << backend.dialogs.boxes[0].text;
    EXPECT_EQ(backend.dialogs.boxes[0].caption, "Reset");
    const std::vector<std::string> log = LogMessages();
    const auto failed = std::find(log.begin(), log.end(), "デバイスの復帰に失敗しました");
    ASSERT_NE(failed, log.end());
    ASSERT_GE(log.end() - failed, 2);
    EXPECT_EQ(failed[1], "[program_exit]");
  }
}

TEST_F(FaultScenarioTest, ArchiveGoneAfterStartLogsEveryMissingPictureAndTheGameGoesOnDrawingNothing) {
  OnTheTitle();
  std::filesystem::remove(kPictureArchive);
  Hold(platform::DIK_SPACE);
  ASSERT_GT(FramesUntilLeaving(100), 0);
  ReleaseAll();
  ASSERT_EQ(currentScene, WeaponSelectScene);
  Frames(60);

  const std::vector<std::string> log = LogMessages();
  const std::size_t failed = CountLines(log, "以下のピクチャデータを取得しようとして失敗しました：");
  EXPECT_EQ(failed, static_cast<std::size_t>(PictureSetSize(kWeaponSelectPictureSet)));
  EXPECT_EQ(CountLines(log, "PIC_SELECT_WEAPON_1"), 1u) << "each failure names its picture";
  EXPECT_EQ(backend.graphics.liveTextures, 0);
  for (const fake::DrawCall& call : backend.graphics.draws) EXPECT_EQ(call.textureSerial, 0);
  EXPECT_TRUE(backend.dialogs.boxes.empty());

  // On into play, which has no pictures either and still runs its frames.
  Hold(platform::DIK_SPACE);
  ASSERT_GT(FramesUntilLeaving(200), 0);
  ReleaseAll();
  ASSERT_EQ(currentScene, PlayScene);
  Frames(120);
  EXPECT_EQ(currentScene, PlayScene);
  EXPECT_EQ(gameRecord.frameCounter, 120);
  EXPECT_LT(gameRecord.timeLeft, kClockStart);
  EXPECT_EQ(backend.graphics.liveTextures, 0);
  EXPECT_TRUE(backend.dialogs.boxes.empty());
}

class StoreFaultTest : public PlayTest {};

TEST_F(StoreFaultTest, StoreThatStopsTakingWritesSkipsTheRankingWriteSilentlyAndKeepsTheStoredBlock) {
  ResetRanking();
  ASSERT_TRUE(InsertRanking(MODE_TRIAL, WEAPON_REN, 3, 0, 900) == 0);
  const std::vector<unsigned char> before = backend.registry.Get(kSettingsKeyPath, "scoredata")->bytes;

  backend.faults.FailAlways("Registry::OpenKey", 5);
  backend.faults.FailAlways("Registry::CreateKey", 5);
  backend.faults.FailAlways("Registry::SetValue", 5);
  Start(1, WEAPON_REN);
  EmptyStageThatKeepsRunning();
  gameRecord.stagesCleared = 4;
  gameRecord.players[0].score = 4321;
  gameRecord.timeLeft = 1;
  Step();
  EXPECT_EQ(scoreRanking.tables[0][0].score, 4321) << "the run is still ranked for this session";
  EXPECT_EQ(scoreRanking.tables[0][1].score, 900);
  Step(300);
  EXPECT_EQ(currentScene, TitleScene);
  EXPECT_TRUE(backend.dialogs.boxes.empty());
  EXPECT_EQ(backend.registry.Get(kSettingsKeyPath, "scoredata")->bytes, before);
  EXPECT_EQ(backend.registry.OpenHandles(), 0u);

  // The store comes back: the next ranked run saves the whole block, both results in it.
  backend.faults.Clear();
  EXPECT_EQ(InsertRanking(MODE_TRIAL, WEAPON_REN, 2, 0, 100), 2);
  const std::vector<unsigned char>& after = backend.registry.Get(kSettingsKeyPath, "scoredata")->bytes;
  ASSERT_EQ(after.size(), sizeof(ScoreRanking));
  EXPECT_EQ(std::memcmp(after.data(), &scoreRanking, sizeof(ScoreRanking)), 0);
}

}  // namespace
