// The settings dialog: joystick button functions per controller, the start-up options, and the
// ranking reset. It edits working copies of the button tables; only OK makes them live.
#include <cstring>
#include <iterator>

#include "app/app.h"
#include "app/dialogs.h"
#include "app/rega.h"
#include "app/score_ranking.h"
#include "app/tooltips.h"
#include "platform/backend.h"
#include "resources/dialog_templates.h"

namespace {

constexpr const char* kBoxCaption = "Sorvani";
constexpr int kButtonLists = 16;

// Check box, the flag it shows, and its stored name, in the order OK writes them.
struct OptionBox {
  int controlId;
  std::uint8_t AppState::*flag;
  const char* name;
};
const OptionBox kOptionBoxes[] = {
    {IDC_NO_DIRECTINPUT, &AppState::NoDirectInput, "NoDirectInput"},
    {IDC_WINDOWED, &AppState::bWindowed, "bWindowed"},
    {IDC_NO_SE, &AppState::NoSE, "NoSE"},
    {IDC_NO_BGM, &AppState::NoBGM, "NoBGM"},
    {IDC_HALF_RATE, &AppState::halfRate, "30fps"},
    {IDC_CPU_IDLE, &AppState::CpuIdle, "CpuIdle"},
    {IDC_DEBUG_LOG, &AppState::enable_debug_write, "enable_debug_write"},
};

// The entries of a button list and the table byte each stands for.
const char* const kButtonEntries[] = {"割り当てなし", "ショット/決定", "ポーズ/キャンセル"};
constexpr std::uint8_t kEntryBytes[] = {0, 1, 3};

const TooltipEntry kSettingsTooltips[] = {
    {IDC_WINDOWED, "ウィンドウモードで起動します。チェックを外しておくと、フルスクリーンモードで起動します"},
    {IDC_NO_DIRECTINPUT, "DirectInputを利用せず、キーボードでゲームを操作します。ゲームパッドがうまく動かない場合に利用します"},
    {IDC_NO_SE, "効果音を再生しません。起動ロゴの表示前後に止まってしまう場合に利用します"},
    {IDC_NO_BGM, "BGMを再生しません。"},
    {IDC_HALF_RATE, "画面描画周期を通常の半分にします。動作が重い場合に利用します"},
    {IDC_CPU_IDLE, "CPUに余裕があるときに、OSに制御を返す時間を長くします。ノートパソコンでバッテリー消費を極力抑えたい場合などに使用します"},
    {IDC_DEBUG_LOG, "デバッグログを出力します。製作元に報告を行う場合の資料になります"},
    {platform::IDOK, "上記の設定内容を保存し、このダイアログを閉じます"},
    {platform::IDCANCEL, "上記の設定内容を保存せずに、このダイアログを閉じます"},
    {IDC_RESET_RANKING, "ハイスコアデータを0に初期化します"},
    {IDC_CONTROLLER, "設定を行いたいコントローラの番号を選択します"},
    {1006, "ジョイスティック/ゲームパッドのボタン1(ボタン番号が0からはじまる場合は0)に対する割り当て機能を決定します"},
    {1008, "ジョイスティック/ゲームパッドのボタン2(ボタン番号が0からはじまる場合は1)に対する割り当て機能を決定します"},
    {1009, "ジョイスティック/ゲームパッドのボタン3(ボタン番号が0からはじまる場合は2)に対する割り当て機能を決定します"},
    {1010, "ジョイスティック/ゲームパッドのボタン4(ボタン番号が0からはじまる場合は3)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1011, "ジョイスティック/ゲームパッドのボタン5(ボタン番号が0からはじまる場合は4)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1012, "ジョイスティック/ゲームパッドのボタン6(ボタン番号が0からはじまる場合は5)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1013, "ジョイスティック/ゲームパッドのボタン7(ボタン番号が0からはじまる場合は6)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1014, "ジョイスティック/ゲームパッドのボタン8(ボタン番号が0からはじまる場合は7)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1015, "ジョイスティック/ゲームパッドのボタン9(ボタン番号が0からはじまる場合は8)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1016, "ジョイスティック/ゲームパッドのボタン10(ボタン番号が0からはじまる場合は9)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1017, "ジョイスティック/ゲームパッドのボタン11(ボタン番号が0からはじまる場合は10)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1018, "ジョイスティック/ゲームパッドのボタン12(ボタン番号が0からはじまる場合は11)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1019, "ジョイスティック/ゲームパッドのボタン13(ボタン番号が0からはじまる場合は12)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1020, "ジョイスティック/ゲームパッドのボタン14(ボタン番号が0からはじまる場合は13)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1021, "ジョイスティック/ゲームパッドのボタン15(ボタン番号が0からはじまる場合は14)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {1022, "ジョイスティック/ゲームパッドのボタン16(ボタン番号が0からはじまる場合は15)に対する割り当て機能を決定します。ボタンがない場合は無視されます"},
    {0, nullptr},
};

struct WorkingTables {
  std::uint8_t tables[2][16];
};

int EntryForByte(std::uint8_t value) {
  if (value == 1 || value == 2) return 1;
  if (value == 3) return 2;
  return 0;
}

// Controller 0 edits player 1's table; any other selection player 2's.
std::uint8_t* TableFor(WorkingTables& working, int controller) { return working.tables[controller == 0 ? 0 : 1]; }

void ShowTable(platform::WindowHandle dialog, const std::uint8_t* table) {
  platform::Dialogs& dialogs = platform::Boxes();
  for (int button = 0; button < kButtonLists; ++button) {
    int list = ButtonListId(button);
    if (dialogs.ListEntryCount(dialog, list) == 0) {
      for (const char* entry : kButtonEntries) dialogs.AddListEntry(dialog, list, entry);
    }
    dialogs.SelectListEntry(dialog, list, EntryForByte(table[button]));
  }
}

// A list with no selection leaves its byte as it was.
void StoreTable(platform::WindowHandle dialog, std::uint8_t* table) {
  for (int button = 0; button < kButtonLists; ++button) {
    int entry = platform::Boxes().SelectedListEntry(dialog, ButtonListId(button));
    if (entry >= 0 && entry < 3) table[button] = kEntryBytes[entry];
  }
}

bool IsOptionBox(int controlId) {
  for (const OptionBox& box : kOptionBoxes) {
    if (box.controlId == controlId) return true;
  }
  return false;
}

bool IsButtonList(int controlId) {
  for (int button = 0; button < kButtonLists; ++button) {
    if (ButtonListId(button) == controlId) return true;
  }
  return false;
}

void InitSettingsDialog(platform::WindowHandle dialog, WorkingTables& working) {
  platform::Dialogs& dialogs = platform::Boxes();
  for (const OptionBox& box : kOptionBoxes) dialogs.SetCheck(dialog, box.controlId, appState.*box.flag != 0);
  dialogs.AddListEntry(dialog, IDC_CONTROLLER, "1P用コントローラ");
  dialogs.SelectListEntry(dialog, IDC_CONTROLLER, 0);
  std::memcpy(working.tables[0], appState.buttonTable1, 16);
  std::memcpy(working.tables[1], appState.buttonTable2, 16);
  ShowTable(dialog, TableFor(working, 0));
  AddTooltips(dialog, kSettingsTooltips);
  dialogs.EnableControl(dialog, platform::IDOK, false);
}

void SaveSettings(platform::WindowHandle dialog, WorkingTables& working) {
  platform::Dialogs& dialogs = platform::Boxes();
  StoreTable(dialog, TableFor(working, dialogs.SelectedListEntry(dialog, IDC_CONTROLLER)));
  std::memcpy(appState.buttonTable1, working.tables[0], 16);
  std::memcpy(appState.buttonTable2, working.tables[1], 16);
  std::uint8_t flags[std::size(kOptionBoxes)];
  for (std::size_t i = 0; i < std::size(kOptionBoxes); ++i)
    flags[i] = dialogs.IsChecked(dialog, kOptionBoxes[i].controlId) ? 1 : 0;
  // A key that opens but takes no writes (a settings folder that cannot be written) is no
  // better than one that does not open: the flags become live only once they are stored.
  REGA rega;
  bool stored = rega.OpenKey();
  if (stored) {
    for (std::size_t i = 0; i < std::size(kOptionBoxes) && stored; ++i)
      stored = rega.WriteIntegerA(kOptionBoxes[i].name, flags[i]);
    stored = stored && rega.WriteBinaryA("Buttons", appState.buttonTable1, 16) &&
             rega.WriteBinaryA("Buttons2", appState.buttonTable2, 16);
    rega.CloseKey();
  }
  if (!stored) {
    dialogs.MessageBox(dialog, "レジストリキーを開けません。\n設定を保存できませんでした。", kBoxCaption,
                       platform::MB_ICONERROR);
    return;
  }
  for (std::size_t i = 0; i < std::size(kOptionBoxes); ++i) appState.*kOptionBoxes[i].flag = flags[i];
  dialogs.MessageBox(dialog, "設定を保存しました。", kBoxCaption, platform::MB_ICONINFORMATION);
}

void AskToResetRanking(platform::WindowHandle dialog) {
  platform::Dialogs& dialogs = platform::Boxes();
  if (dialogs.MessageBox(dialog, "ランキングを初期化しますか。", kBoxCaption,
                         platform::MB_YESNO | platform::MB_ICONINFORMATION) == platform::IDNO) {
    return;
  }
  ResetRanking();
  dialogs.EnableControl(dialog, IDC_RESET_RANKING, false);
  dialogs.MessageBox(dialog, "ランキングを初期化しました。", kBoxCaption, platform::MB_ICONINFORMATION);
  dialogs.SetControlText(dialog, platform::IDCANCEL, "閉じる");
}

bool SettingsProc(platform::WindowHandle dialog, platform::DialogEvent event, int controlId, void* context) {
  WorkingTables& working = *static_cast<WorkingTables*>(context);
  platform::Dialogs& dialogs = platform::Boxes();
  switch (event) {
    case platform::DialogEvent::kInit:
      InitSettingsDialog(dialog, working);
      return true;
    case platform::DialogEvent::kCommand:
      if (IsOptionBox(controlId)) {
        dialogs.EnableControl(dialog, platform::IDOK, true);
        return true;
      }
      if (controlId == platform::IDOK) {
        SaveSettings(dialog, working);
        dialogs.EndDialog(dialog, 1);
        return true;
      }
      if (controlId == platform::IDCANCEL) {
        dialogs.EndDialog(dialog, 2);
        return true;
      }
      if (controlId == IDC_RESET_RANKING) {
        AskToResetRanking(dialog);
        return true;
      }
      return false;
    case platform::DialogEvent::kSelectionChange:
      if (IsButtonList(controlId)) {
        dialogs.EnableControl(dialog, platform::IDOK, true);
        return true;
      }
      if (controlId == IDC_CONTROLLER) {
        // The lists still show the controller that was selected until now.
        int now = dialogs.SelectedListEntry(dialog, IDC_CONTROLLER);
        StoreTable(dialog, TableFor(working, now == 0 ? 1 : 0));
        ShowTable(dialog, TableFor(working, now));
        return true;
      }
      return false;
  }
  return false;
}

}  // namespace

int RunSettingsDialog(platform::WindowHandle owner) {
  WorkingTables working{};
  return platform::Boxes().RunModal(kSettingsTemplate, owner, SettingsProc, &working);
}
