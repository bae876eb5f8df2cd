// The launcher and the settings dialog driven through the scripted dialogs: caption, buttons,
// the working button tables, saving, cancelling and the ranking reset.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/dialogs.h"
#include "app/rega.h"
#include "app/score_ranking.h"
#include "resources/dialog_templates.h"
#include "test_support.h"

namespace {

using fake::FakeDialogs;
using platform::WindowHandle;

class DialogsTest : public GameTest {
 protected:
  DialogsTest() {
    ResetAppState();
    scoreRanking = ScoreRanking{};
    backend.registry.PutDword(kSettingsKeyPath, "LastNormalBoot", 0);  // the key exists
  }

  const fake::FakeRegistry::Value* Stored(const char* name) { return backend.registry.Get(kSettingsKeyPath, name); }

  // The settings dialog with a script; returns its result.
  int RunSettings(FakeDialogs::Script script) {
    backend.dialogs.QueueScript(std::move(script));
    return RunSettingsDialog(platform::kNoWindow);
  }

  const FakeDialogs::Dialog& LastDialog() { return backend.dialogs.finished.back(); }
};

TEST_F(DialogsTest, LauncherCaptionComesFromTheVersionRecord) {
  EXPECT_EQ(LauncherCaption("1,0,2,2", ""), "Sorvani ver.1.02.02");
  EXPECT_EQ(LauncherCaption("2,1,0,13", " beta"), "Sorvani ver.2.10.13 beta");
  EXPECT_EQ(LauncherCaption("1.0.2.2", ""), "");
  EXPECT_EQ(LauncherCaption("", ""), "");
}

TEST_F(DialogsTest, LauncherStartsExitsAndOpensTheSettingsInBetween) {
  backend.dialogs.QueueScript([](FakeDialogs& dialogs, WindowHandle dialog) {
    dialogs.Click(dialog, IDC_LAUNCHER_SETTINGS);
    dialogs.Click(dialog, platform::IDOK);
  });
  backend.dialogs.QueueScript([](FakeDialogs& dialogs, WindowHandle dialog) { dialogs.Click(dialog, platform::IDCANCEL); });
  EXPECT_EQ(RunLauncherDialog(), 1);
  ASSERT_EQ(backend.dialogs.finished.size(), 2u);
  const auto& settings = backend.dialogs.finished[0];
  const auto& launcher = backend.dialogs.finished[1];
  EXPECT_EQ(settings.resourceId, IDD_SETTINGS);
  EXPECT_EQ(settings.result, 2);
  EXPECT_EQ(launcher.resourceId, IDD_LAUNCHER);
  EXPECT_NE(settings.owner, platform::kNoWindow);  // owned by the launcher
  EXPECT_EQ(launcher.caption, "Sorvani ver.1.02.02");
  EXPECT_EQ(launcher.controls.at(platform::IDOK).tooltip, "ゲームを開始します");
  EXPECT_EQ(launcher.controls.at(platform::IDCANCEL).tooltip, "ゲームを開始せずに終了します");
  EXPECT_FALSE(launcher.controls.at(IDC_LAUNCHER_SETTINGS).tooltip.empty());

  EXPECT_EQ(RunLauncherDialog(), 2);  // no script: the close box
}

TEST_F(DialogsTest, SettingsShowTheLiveStateAndKeepOkOffUntilAChange) {
  appState.enable_debug_write = 2;
  appState.NoSE = 1;
  appState.buttonTable1[0] = 2;
  appState.buttonTable1[1] = 3;
  appState.buttonTable1[2] = 7;
  EXPECT_EQ(RunSettings([](FakeDialogs& dialogs, WindowHandle dialog) {
              EXPECT_FALSE(dialogs.FindControl(dialog, platform::IDOK)->enabled);
              dialogs.Click(dialog, platform::IDOK);  // disabled: nothing happens
            }),
            2);
  const auto& dialog = LastDialog();
  EXPECT_TRUE(dialog.controls.at(IDC_DEBUG_LOG).checked);
  EXPECT_TRUE(dialog.controls.at(IDC_NO_SE).checked);
  EXPECT_FALSE(dialog.controls.at(IDC_WINDOWED).checked);
  EXPECT_EQ(dialog.controls.at(IDC_CONTROLLER).entries, std::vector<std::string>{"1P用コントローラ"});
  EXPECT_EQ(dialog.controls.at(IDC_CONTROLLER).selected, 0);
  const auto& list = dialog.controls.at(IDC_BUTTON1);
  EXPECT_EQ(list.entries, (std::vector<std::string>{"割り当てなし", "ショット/決定", "ポーズ/キャンセル"}));
  EXPECT_EQ(list.selected, 1);                                      // byte 2 shows as shot
  EXPECT_EQ(dialog.controls.at(ButtonListId(1)).selected, 2);   // 3: pause
  EXPECT_EQ(dialog.controls.at(ButtonListId(2)).selected, 0);   // 7: unknown, unassigned
  EXPECT_EQ(dialog.controls.at(ButtonListId(15)).entries.size(), 3u);
  EXPECT_NE(dialog.controls.at(1022).tooltip.find("ボタン16(ボタン番号が0からはじまる場合は15)"), std::string::npos);
  EXPECT_EQ(Stored("NoSE"), nullptr);  // nothing written
  EXPECT_EQ(Stored("Buttons"), nullptr);
}

TEST_F(DialogsTest, OkSavesTheBoxesAsZeroOrOneAndTheTablesAsTheListsShowThem) {
  appState.enable_debug_write = 2;
  appState.buttonTable1[0] = 2;
  EXPECT_EQ(RunSettings([](FakeDialogs& dialogs, WindowHandle dialog) {
              dialogs.Click(dialog, IDC_WINDOWED);
              dialogs.Select(dialog, ButtonListId(4), 2);
              dialogs.Click(dialog, platform::IDOK);
            }),
            1);
  EXPECT_EQ(appState.enable_debug_write, 1);
  EXPECT_EQ(appState.bWindowed, 1);
  ASSERT_NE(Stored("enable_debug_write"), nullptr);
  EXPECT_EQ(Stored("enable_debug_write")->bytes, (std::vector<unsigned char>{1, 0, 0, 0}));
  EXPECT_EQ(Stored("bWindowed")->bytes, (std::vector<unsigned char>{1, 0, 0, 0}));
  EXPECT_EQ(Stored("NoDirectInput")->bytes, (std::vector<unsigned char>{0, 0, 0, 0}));
  const std::vector<unsigned char> table1 = {1, 1, 3, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Stored("Buttons")->bytes, table1);
  EXPECT_EQ(Stored("Buttons2")->bytes, (std::vector<unsigned char>{1, 1, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(appState.buttonTable1[0], 1);
  EXPECT_EQ(appState.buttonTable1[4], 3);
  ASSERT_EQ(backend.dialogs.boxes.size(), 1u);
  EXPECT_EQ(backend.dialogs.boxes[0].text, "設定を保存しました。");
  EXPECT_EQ(backend.dialogs.boxes[0].flags, platform::MB_ICONINFORMATION);
  EXPECT_EQ(backend.dialogs.boxes[0].caption, "Sorvani");
  EXPECT_NE(backend.dialogs.boxes[0].owner, platform::kNoWindow);
  // The values go out in the dialog's fixed order.
  auto writes = backend.log.Matching("Registry::SetValue");
  ASSERT_EQ(writes.size(), 9u);
  EXPECT_NE(writes[0].find("NoDirectInput"), std::string::npos);
  EXPECT_NE(writes[6].find("enable_debug_write"), std::string::npos);
  EXPECT_NE(writes[8].find("Buttons2"), std::string::npos);
}

TEST_F(DialogsTest, ControllerSwitchKeepsEachTableApart) {
  EXPECT_EQ(RunSettings([](FakeDialogs& dialogs, WindowHandle dialog) {
              dialogs.AddListEntry(dialog, IDC_CONTROLLER, "2P");  // a second controller to switch to
              dialogs.Select(dialog, ButtonListId(0), 0);          // player 1: button 1 unassigned
              dialogs.Select(dialog, IDC_CONTROLLER, 1);
              EXPECT_EQ(dialogs.FindControl(dialog, ButtonListId(0))->selected, 1);  // player 2's table shows
              dialogs.Select(dialog, ButtonListId(1), 2);          // player 2: button 2 pause
              dialogs.Click(dialog, platform::IDOK);
            }),
            1);
  EXPECT_EQ(appState.buttonTable1[0], 0);
  EXPECT_EQ(appState.buttonTable1[1], 1);
  EXPECT_EQ(appState.buttonTable2[0], 1);
  EXPECT_EQ(appState.buttonTable2[1], 3);
  ASSERT_NE(Stored("Buttons"), nullptr);
  ASSERT_NE(Stored("Buttons2"), nullptr);
  EXPECT_EQ(Stored("Buttons")->bytes, std::vector<unsigned char>(appState.buttonTable1, appState.buttonTable1 + 16));
  EXPECT_EQ(Stored("Buttons2")->bytes, std::vector<unsigned char>(appState.buttonTable2, appState.buttonTable2 + 16));
}

TEST_F(DialogsTest, CancelWritesNothingAndChangesNothing) {
  EXPECT_EQ(RunSettings([](FakeDialogs& dialogs, WindowHandle dialog) {
              dialogs.Click(dialog, IDC_NO_BGM);
              dialogs.Select(dialog, ButtonListId(0), 2);
              dialogs.Click(dialog, platform::IDCANCEL);
            }),
            2);
  EXPECT_EQ(appState.NoBGM, 0);
  EXPECT_EQ(appState.buttonTable1[0], 1);
  EXPECT_TRUE(backend.log.Matching("Registry::SetValue").empty());
  EXPECT_TRUE(backend.dialogs.boxes.empty());
}

TEST_F(DialogsTest, RankingResetHoldsEvenWhenTheDialogIsCancelled) {
  scoreRanking.tables[4][0].score = 900;
  backend.dialogs.QueueAnswer(platform::IDNO);
  EXPECT_EQ(RunSettings([](FakeDialogs& dialogs, WindowHandle dialog) {
              dialogs.Click(dialog, IDC_RESET_RANKING);  // answered No
              EXPECT_TRUE(dialogs.FindControl(dialog, IDC_RESET_RANKING)->enabled);
              dialogs.Click(dialog, IDC_RESET_RANKING);  // answered Yes
              dialogs.Click(dialog, platform::IDCANCEL);
            }),
            2);
  EXPECT_EQ(scoreRanking.tables[4][0].score, 0);
  ASSERT_NE(Stored("scoredata"), nullptr);
  EXPECT_EQ(Stored("scoredata")->bytes, std::vector<unsigned char>(324, 0));
  const auto& dialog = LastDialog();
  EXPECT_FALSE(dialog.controls.at(IDC_RESET_RANKING).enabled);
  EXPECT_EQ(dialog.controls.at(platform::IDCANCEL).text, "閉じる");
  ASSERT_EQ(backend.dialogs.boxes.size(), 3u);
  EXPECT_EQ(backend.dialogs.boxes[0].text, "ランキングを初期化しますか。");
  EXPECT_EQ(backend.dialogs.boxes[0].flags, platform::MB_YESNO | platform::MB_ICONINFORMATION);
  EXPECT_EQ(backend.dialogs.boxes[2].text, "ランキングを初期化しました。");
}

// A key that does not open, and one that opens but takes no writes (a settings folder that
// cannot be written), end the same way.
TEST_F(DialogsTest, SettingsThatCannotBeStoredKeepTheFlagsButTakeTheTables) {
  for (const char* failingCall : {"Registry::OpenKey", "Registry::SetValue"}) {
    SCOPED_TRACE(failingCall);
    ResetAppState();
    backend.dialogs.boxes.clear();
    appState.enable_debug_write = 2;
    if (std::string(failingCall) == "Registry::OpenKey") {
      backend.faults.Fail("Registry::OpenKey", 1, platform::ERROR_ACCESS_DENIED);
      backend.faults.Fail("Registry::CreateKey", 1, platform::ERROR_ACCESS_DENIED);
    } else {
      backend.faults.FailAfter("Registry::SetValue", 2, 100, platform::ERROR_WRITE_FAULT);
    }
    EXPECT_EQ(RunSettings([](FakeDialogs& dialogs, WindowHandle dialog) {
                dialogs.Click(dialog, IDC_WINDOWED);
                dialogs.Select(dialog, ButtonListId(0), 2);
                dialogs.Click(dialog, platform::IDOK);
              }),
              1);
    backend.faults.Clear();
    EXPECT_EQ(appState.bWindowed, 0);
    EXPECT_EQ(appState.enable_debug_write, 2);
    EXPECT_EQ(appState.buttonTable1[0], 3);
    ASSERT_EQ(backend.dialogs.boxes.size(), 1u);
    EXPECT_EQ(backend.dialogs.boxes[0].text, "レジストリキーを開けません。\n設定を保存できませんでした。");
    EXPECT_EQ(backend.dialogs.boxes[0].flags, platform::MB_ICONERROR);
  }
}

TEST_F(DialogsTest, MissingTooltipsDoNotStopTheDialog) {
  backend.faults.Fail("Dialogs::AddTooltip", 100, platform::E_FAIL);
  EXPECT_EQ(RunSettings([](FakeDialogs& dialogs, WindowHandle dialog) {
              dialogs.Click(dialog, IDC_CPU_IDLE);
              dialogs.Click(dialog, platform::IDOK);
            }),
            1);
  EXPECT_EQ(appState.CpuIdle, 1);
  EXPECT_TRUE(LastDialog().controls.at(IDC_CPU_IDLE).tooltip.empty());
}

}  // namespace
