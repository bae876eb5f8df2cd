// Start-up and shutdown of the whole program on the fake backend: the order of the steps in the
// run log, a second copy, the integrity check, the settings read, and the F1 and F4 keys.
#include <gtest/gtest.h>

#include <fstream>

#include "app/app.h"
#include "app/program.h"
#include "app/rega.h"
#include "app/score_ranking.h"
#include "gfx/gfx.h"
#include "scenes/scenes.h"
#include "test_support.h"

namespace {

class StartupTest : public GameTest {
 protected:
  StartupTest() { scoreRanking = ScoreRanking{}; }

  void StoreDword(const char* name, std::uint32_t value) { backend.registry.PutDword(kSettingsKeyPath, name, value); }

  // Runs the program; once its window is up, activates it, moves time on and, after the given
  // number of presented frames, runs `script` (default: close the window).
  int Run(const char* commandLine, int frames = 2, std::function<void()> script = nullptr) {
    bool done = false;
    backend.window.OnEmptyQueue([=, &done] {
      if (!backend.window.Find(1)) return;
      if (appState.active == 0) backend.window.PostActivate(true);
      backend.clock.Advance(1);
      if (!done && backend.graphics.presents >= frames) {
        done = true;
        if (script) script();
        backend.window.PostClose();
      }
    });
    return RunProgram(commandLine);
  }
};

TEST_F(StartupTest, EarlyLogSwitchShowsTheStartUpLinesUntilTheStoredLevelTurnsItOff) {
  StoreDword("enable_debug_write", 0);
  EXPECT_EQ(Run("/D"), 0);
  EXPECT_EQ(LogMessages(), (std::vector<std::string>{
                               "多重起動チェック",
                               "-----",
                               "Linux ver.6.01.0 (#1 SMP Debian)",
                               "メモリ使用率：42%",
                               "物理メモリ：4294967296/8589934592 バイト",
                               "ページング：1073741824/2147483648 バイト",
                               "仮想メモリ：12884901888/17179869184 バイト",
                               "-----",
                               "設定とスコアデータの読み出し",
                           }));
  // The banner is the one line without a time stamp.
  const std::string text = ReadFileBytes("sorvani.log");
  EXPECT_EQ(text.rfind("Sorvani Starting... [", 0), 0u) << text;
  std::size_t lines = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++lines;
  EXPECT_EQ(lines, LogMessages().size() + 1) << text;
}

TEST_F(StartupTest, NormalStartLogsEveryStepInOrderAndShutsDownCleanly) {
  StoreDword("enable_debug_write", 1);
  StoreDword("bWindowed", 1);
  EXPECT_EQ(Run(""), 0);
  auto log = LogMessages();
  const std::vector<std::string> expected = {
      "引数チェック(/S)",
      "起動ダイアログをスキップします",
      "HWPROBE32.LIBを呼び出します",
      "CPU: Fake Processor",
      "Cores: 2",
      "-----",
      "ログとスクリーンショットの保存先：プログラムのフォルダ",
      "引数チェック(/B)",
      "ウィンドウクラスを登録します",
      "ウィンドウを生成します",
      "ウインドウを表示します",
      "Direct3Dの初期化を開始します",
  };
  ASSERT_GE(log.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + static_cast<long>(expected.size())), expected);
  auto find = [&](const std::string& line) { return std::find(log.begin(), log.end(), line) - log.begin(); };
  EXPECT_LT(find("Direct3Dの初期化を開始します"), find("DirectSoundの初期化を開始します"));
  EXPECT_LT(find("DirectSoundの初期化を開始します"), find("DirectInputの初期化を開始します"));
  EXPECT_LT(find("DirectInputの初期化を開始します"), find("ウィンドウのＺ座標を指定しています"));
  EXPECT_LT(find("ウィンドウのＺ座標を指定しています"), find("[oplogo]"));
  EXPECT_LT(find("[oplogo]"), find("メッセージループを開始します"));
  EXPECT_EQ(find("DirectInputの初期化を開始します") + 1, find("DirectInputオブジェクト作成"));
  // No "svdata02.dat" here: sound starts, its load fails and the game goes on silent.
  EXPECT_LT(find("DirectSoundの初期化を開始します"), find("サウンドのロードに失敗。音なしモードで起動します"));
  EXPECT_LT(find("サウンドのロードに失敗。音なしモードで起動します"), find("DirectInputの初期化を開始します"));
  // Shutdown: input, sound, then the device.
  const auto loopEnd = find("メッセージループを終了します");
  EXPECT_EQ(find("WM_DESTROY受信") + 1, loopEnd);
  EXPECT_EQ(std::vector<std::string>(log.begin() + loopEnd + 1, log.begin() + loopEnd + 8),
            (std::vector<std::string>{"DirectInputデバイスを開放しています...", "キーボードデバイスを初期化中...",
                                      "ジョイスティックデバイスを初期化中...", "DirectInputを開放中...", "完了",
                                      "DirectSoundデバイスを開放しています...", "完了"}));
  EXPECT_LT(loopEnd + 7, find("Direct3Dを開放完了"));
  EXPECT_EQ(log.back(), "アプリケーションを終了します");
  EXPECT_EQ(backend.log.Matching("Window::SetTopmost"),
            (std::vector<std::string>{"Window::SetTopmost(1,1)", "Window::SetTopmost(1,0)"}));
  EXPECT_FALSE(backend.instance.held);  // released at the end
  EXPECT_NE(backend.registry.Get(kSettingsKeyPath, "LastNormalBoot"), nullptr);
}

TEST_F(StartupTest, SecondCopyRaisesTheFirstOrSaysItIsRunningAndExitsWithZero) {
  backend.instance.otherCopyRunning = true;
  backend.instance.otherCopyHasWindow = true;
  appState.enable_debug_write = 1;
  const std::string runningLog = "Sorvani Starting... [2026/ 3/ 7]\r\n[ 9:00:00.000] [title]\r\n";
  { std::ofstream("sorvani.log", std::ios::binary) << runningLog; }
  EXPECT_EQ(RunProgram(""), 0);
  EXPECT_EQ(backend.log.Count("Instance::RaiseRunningCopy(sorvani)"), 1u);
  EXPECT_TRUE(backend.dialogs.boxes.empty());
  // Added to the running copy's log, which stays as it was.
  EXPECT_EQ(ReadFileBytes("sorvani.log").rfind(runningLog, 0), 0u);
  EXPECT_EQ(LogMessages(),
            (std::vector<std::string>{"[title]", "多重起動チェック", "多重起動を検知しました。起動を中止します。"}));
  EXPECT_EQ(backend.log.Count("Window::CreateMainWindow"), 0u);

  backend.instance.otherCopyHasWindow = false;  // the first copy is still starting
  EXPECT_EQ(RunProgram(""), 0);
  ASSERT_EQ(backend.dialogs.boxes.size(), 1u);
  EXPECT_EQ(backend.dialogs.boxes[0].text, "すでに起動しています。");
  EXPECT_EQ(backend.dialogs.boxes[0].caption, "Sorvani");
  EXPECT_EQ(backend.dialogs.boxes[0].flags, platform::MB_OK);
}

TEST_F(StartupTest, RunningCopyComesToTheFrontWhenAskedWhileItRuns) {
  backend.instance.raiseRequests = 1;
  EXPECT_EQ(Run(""), 0);
  EXPECT_EQ(backend.instance.raiseRequests, 0);
  EXPECT_GE(backend.log.Count("Window::Invalidate(1)"), 1u);
}

TEST_F(StartupTest, DamagedExecutableStopsTheStartWithExitCodeOne) {
  { std::ofstream("sorvani", std::ios::binary) << "not a program"; }
  backend.system.executablePath = (scratch / "sorvani").string();
  EXPECT_EQ(RunProgram(""), 1);
  ASSERT_EQ(backend.dialogs.boxes.size(), 1u);
  EXPECT_EQ(backend.dialogs.boxes[0].caption, "Sorvani");
  EXPECT_EQ(backend.log.Count("Window::CreateMainWindow"), 0u);
  EXPECT_EQ(backend.registry.Get(kSettingsKeyPath, "LastNormalBoot"), nullptr);
}

TEST_F(StartupTest, WorkingDirectoryIsTheProgramsOwn) {
  std::filesystem::create_directory("game");
  std::filesystem::copy_file("/proc/self/exe", "game/sorvani");
  WritePictureArchive("game/svdata01.dat");
  backend.system.executablePath = (scratch / "game" / "sorvani").string();
  EXPECT_EQ(Run("/d"), 0);
  EXPECT_TRUE(std::filesystem::exists(scratch / "game" / "sorvani.log"));
  const auto* programFile = backend.registry.Get(kSettingsKeyPath, "ProgramFile");
  ASSERT_NE(programFile, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(programFile->bytes.data())), backend.system.executablePath);
}

TEST_F(StartupTest, StoredSettingsAreReadWithTheirRules) {
  StoreDword("NoSE", 1);
  StoreDword("NoBGM", 2);  // only exactly 1 turns a flag on
  backend.registry.PutString(kSettingsKeyPath, "30fps", "1");
  backend.registry.PutString(kSettingsKeyPath, "CpuIdle", "1a");
  StoreDword("demowait", 0);
  StoreDword("integerScale", 1);
  StoreDword("smoothScale", 3);
  backend.registry.Put(kSettingsKeyPath, "Buttons2", platform::REG_BINARY, {3, 0, 1});
  std::vector<unsigned char> block(324, 0);
  block[8] = 0x10;  // table 0, place 0, score 16
  backend.registry.Put(kSettingsKeyPath, "scoredata", platform::REG_BINARY, block);
  EXPECT_EQ(Run(""), 0);
  EXPECT_EQ(appState.NoSE, 1);
  EXPECT_EQ(appState.NoBGM, 0);
  EXPECT_EQ(appState.halfRate, 1);
  EXPECT_EQ(appState.CpuIdle, 0);
  EXPECT_EQ(appState.demowait, 30u);
  // The window comfort values reach the device.
  EXPECT_TRUE(graphics.d3dpp.integerScaling);
  EXPECT_FALSE(graphics.d3dpp.smoothScaling);
  EXPECT_EQ(appState.buttonTable1[2], 3);  // no "Buttons": the defaults stay
  EXPECT_EQ(appState.buttonTable2[0], 3);
  EXPECT_EQ(appState.buttonTable2[2], 1);
  EXPECT_EQ(appState.buttonTable2[3], 0);
  EXPECT_EQ(scoreRanking.tables[0][0].score, 16);
}

TEST_F(StartupTest, ScoreBlockLongerThanTheRankingIsNotReadAndTheRankingStartsEmpty) {
  std::vector<unsigned char> block(325, 0);
  block[8] = 0x10;  // table 0, place 0, score 16
  backend.registry.Put(kSettingsKeyPath, "scoredata", platform::REG_BINARY, block);
  EXPECT_EQ(Run(""), 0);
  EXPECT_EQ(scoreRanking.tables[0][0].score, 0);
  EXPECT_EQ(backend.registry.Get(kSettingsKeyPath, "scoredata")->bytes, block);  // left as it was found
}

TEST_F(StartupTest, F1SwitchesModeBothWaysAndStoresIt) {
  StoreDword("enable_debug_write", 1);
  EXPECT_EQ(Run("/d", 2, [this] {
              backend.window.PostKeyDown(platform::VK_F1);
              backend.window.PostKeyDown(platform::VK_F1, true);  // a held key repeats the switch
            }),
            0);
  auto log = LogMessages();
  auto full = std::find(log.begin(), log.end(), "フルスクリーンモードへ切り替えます。");
  auto window = std::find(log.begin(), log.end(), "ウィンドウモードへ切り替えます。");
  ASSERT_NE(full, log.end());
  ASSERT_NE(window, log.end());
  EXPECT_LT(window, full);  // started full screen (the default), so the first F1 goes to a window
  EXPECT_EQ(appState.bWindowed, 0);
  const auto* stored = backend.registry.Get(kSettingsKeyPath, "bWindowed");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->bytes[0], 0);
  // Three devices: the first start and one per switch, each windowed as the mode says.
  auto devices = backend.log.Matching("Direct3D::CreateDevice");
  ASSERT_EQ(devices.size(), 3u);
  EXPECT_NE(devices[0].find(",full,"), std::string::npos);
  EXPECT_NE(devices[1].find(",windowed,"), std::string::npos);
  EXPECT_NE(devices[2].find(",full,"), std::string::npos);
  EXPECT_EQ(backend.log.Count("Window::SetClientSize(1,640,480)"), 1u);
}

TEST_F(StartupTest, LauncherDecidesWhetherTheGameStarts) {
  StoreDword("noOpeningDialog", 0);
  StoreDword("enable_debug_write", 1);
  EXPECT_EQ(Run(""), 1);  // closed without "start"
  auto log = LogMessages();
  EXPECT_NE(std::find(log.begin(), log.end(), "起動ダイアログを表示します"), log.end());
  EXPECT_EQ(log.back(), "ゲームを起動せずに終了します");
  EXPECT_EQ(backend.log.Count("Window::CreateMainWindow"), 0u);

  backend.dialogs.QueueScript([](fake::FakeDialogs& dialogs, platform::WindowHandle dialog) {
    dialogs.Click(dialog, platform::IDOK);
  });
  EXPECT_EQ(Run(""), 0);
  EXPECT_EQ(backend.log.Count("Window::CreateMainWindow"), 1u);

  backend.faults.Fail("Dialogs::RunModal", 1, platform::E_FAIL);  // no display to show it on
  EXPECT_EQ(Run(""), 1);
  EXPECT_EQ(LogMessages().back(), "ゲームを起動せずに終了します");
  EXPECT_EQ(backend.log.Count("Window::CreateMainWindow"), 1u);  // still only the started run's window
}

TEST_F(StartupTest, SettingsSwitchShowsOnlyTheSettingsDialog) {
  StoreDword("enable_debug_write", 1);
  EXPECT_EQ(RunProgram("/s"), 0);
  ASSERT_EQ(backend.dialogs.finished.size(), 1u);
  EXPECT_EQ(backend.dialogs.finished[0].resourceId, 131);
  EXPECT_EQ(backend.dialogs.finished[0].owner, platform::kNoWindow);
  EXPECT_EQ(backend.log.Count("Window::CreateMainWindow"), 0u);
  auto log = LogMessages();
  EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()),
            (std::vector<std::string>{"引数チェック(/S)", "設定ダイアログを表示します"}));

  backend.faults.Fail("Dialogs::RunModal", 1, platform::E_FAIL);  // no display to show it on
  EXPECT_EQ(RunProgram("/S"), 1);
}

TEST_F(StartupTest, F4DoesNothingWhileTheLogIsOff) {
  EXPECT_EQ(Run("", 2, [this] { backend.window.PostKeyDown(platform::VK_F4); }), 0);
  EXPECT_EQ(appState.screenshotOn, 0);
  EXPECT_TRUE(backend.graphics.savedBitmaps.empty());
}

TEST_F(StartupTest, F4StartsAndStopsScreenshotsWhileTheLogIsOn) {
  StoreDword("enable_debug_write", 1);
  int step = 0;  // F4 after the second frame, F4 and close after the fourth
  backend.window.OnEmptyQueue([this, &step] {
    if (!backend.window.Find(1)) return;
    if (appState.active == 0) backend.window.PostActivate(true);
    backend.clock.Advance(1);
    if (step == 0 && backend.graphics.presents >= 2) {
      step = 1;
      backend.window.PostKeyDown(platform::VK_F4);
    } else if (step == 1 && backend.graphics.presents >= 4) {
      step = 2;
      backend.window.PostKeyDown(platform::VK_F4);
      backend.window.PostClose();
    }
  });
  EXPECT_EQ(RunProgram("/d"), 0);
  EXPECT_EQ(appState.screenshotOn, 0);
  EXPECT_EQ(backend.graphics.savedBitmaps.size(), 2u);
  auto log = LogMessages();
  EXPECT_NE(std::find(log.begin(), log.end(), "スクリーンショット開始"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "スクリーンショット中断"), log.end());
}

}  // namespace
