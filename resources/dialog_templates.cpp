// The launcher (129) and settings (131) dialogs: controls, texts and dialog-unit rectangles.
#include "resources/dialog_templates.h"

#include <iterator>

namespace {

using platform::ControlKind;
using platform::ControlTemplate;

constexpr const char* kDialogFont = "ＭＳ Ｐゴシック";

const ControlTemplate kLauncherControls[] = {
    {0, ControlKind::kPicture, "130", 19, 7, 114, 133},
    {platform::IDOK, ControlKind::kDefaultButton, "スタート(&S)", 7, 145, 45, 13},
    {IDC_LAUNCHER_SETTINGS, ControlKind::kPushButton, "設定(&O)...", 53, 145, 45, 13},
    {platform::IDCANCEL, ControlKind::kPushButton, "終了(&X)", 99, 145, 45, 13},
};

const ControlTemplate kSettingsControls[] = {
    {0, ControlKind::kGroupBox, "ジョイスティック/ゲームパッドのボタンの割り当て", 7, 7, 305, 162},
    {0, ControlKind::kLabel, "コントローラ(&C)：", 17, 23, 56, 8},
    {IDC_CONTROLLER, ControlKind::kDropDownList, nullptr, 82, 21, 168, 200},
    {0, ControlKind::kLabel, "ボタン1:", 17, 46, 30, 8},
    {0, ControlKind::kLabel, "ボタン2:", 17, 61, 30, 8},
    {0, ControlKind::kLabel, "ボタン3:", 17, 76, 30, 8},
    {0, ControlKind::kLabel, "ボタン4:", 17, 91, 30, 8},
    {0, ControlKind::kLabel, "ボタン5:", 17, 105, 30, 8},
    {0, ControlKind::kLabel, "ボタン6:", 17, 121, 30, 8},
    {0, ControlKind::kLabel, "ボタン7:", 17, 136, 30, 8},
    {0, ControlKind::kLabel, "ボタン8:", 17, 151, 30, 8},
    {IDC_BUTTON1, ControlKind::kDropDownList, nullptr, 53, 43, 91, 200},
    {1008, ControlKind::kDropDownList, nullptr, 53, 58, 91, 200},
    {1009, ControlKind::kDropDownList, nullptr, 53, 73, 91, 200},
    {1010, ControlKind::kDropDownList, nullptr, 53, 88, 91, 200},
    {1011, ControlKind::kDropDownList, nullptr, 53, 103, 91, 200},
    {1012, ControlKind::kDropDownList, nullptr, 53, 118, 91, 200},
    {1013, ControlKind::kDropDownList, nullptr, 53, 133, 91, 200},
    {1014, ControlKind::kDropDownList, nullptr, 53, 148, 91, 200},
    {0, ControlKind::kLabel, "ボタン9:", 181, 46, 34, 8},
    {0, ControlKind::kLabel, "ボタン10:", 181, 61, 34, 8},
    {0, ControlKind::kLabel, "ボタン11:", 181, 76, 34, 8},
    {0, ControlKind::kLabel, "ボタン12:", 181, 91, 34, 8},
    {0, ControlKind::kLabel, "ボタン13:", 181, 106, 34, 8},
    {0, ControlKind::kLabel, "ボタン14:", 181, 121, 34, 8},
    {0, ControlKind::kLabel, "ボタン15:", 181, 136, 34, 8},
    {0, ControlKind::kLabel, "ボタン16:", 181, 151, 34, 8},
    {1015, ControlKind::kDropDownList, nullptr, 216, 44, 91, 200},
    {1016, ControlKind::kDropDownList, nullptr, 216, 59, 91, 200},
    {1017, ControlKind::kDropDownList, nullptr, 216, 74, 91, 200},
    {1018, ControlKind::kDropDownList, nullptr, 216, 89, 91, 200},
    {1019, ControlKind::kDropDownList, nullptr, 216, 104, 91, 200},
    {1020, ControlKind::kDropDownList, nullptr, 216, 119, 91, 200},
    {1021, ControlKind::kDropDownList, nullptr, 216, 134, 91, 200},
    {1022, ControlKind::kDropDownList, nullptr, 216, 149, 91, 200},
    {IDC_WINDOWED, ControlKind::kCheckBox, "ウィンドウモード(&W) … ゲーム中はF1キーで切替え", 8, 177, 179, 9},
    {IDC_NO_SE, ControlKind::kCheckBox, "DirectSoundを利用しない(&S)", 8, 188, 119, 9},
    {IDC_NO_BGM, ControlKind::kCheckBox, "BGMを利用しない(&B)", 8, 199, 90, 9},
    {IDC_NO_DIRECTINPUT, ControlKind::kCheckBox, "DirectInputを使用せず、キーボード制御のみを利用(&I)", 8, 210, 203, 9},
    {IDC_HALF_RATE, ControlKind::kCheckBox, "ゲーム中の画面描画回数を半分にする(&F)", 8, 221, 161, 9},
    {IDC_CPU_IDLE, ControlKind::kCheckBox, "CPUパワーに余裕がある場合に、CPU使用率を下げる(&C)", 8, 233, 304, 9},
    {IDC_DEBUG_LOG, ControlKind::kCheckBox,
     "デバッグログを出力する(&D) … 製作元へ報告を行う場合に資料となります(起動が遅くなります)", 8, 244, 304, 9},
    {0, ControlKind::kSunkenLabel, "各オプションの利用方法は、付属のドキュメントを参照して下さい。", 202, 184, 110, 33},
    {platform::IDOK, ControlKind::kDefaultButton, "OK", 93, 258, 49, 12},
    {platform::IDCANCEL, ControlKind::kPushButton, "キャンセル", 145, 258, 49, 12},
    {IDC_RESET_RANKING, ControlKind::kPushButton, "ランキング初期化(&E)", 198, 258, 114, 12},
};

}  // namespace

const platform::DialogTemplate kLauncherTemplate = {
    IDD_LAUNCHER, "Sorvani", 151, 178, kDialogFont, 9, kLauncherControls, std::size(kLauncherControls)};

const platform::DialogTemplate kSettingsTemplate = {
    IDD_SETTINGS, "設定 - Sorvani", 319, 277, kDialogFont, 9, kSettingsControls, std::size(kSettingsControls)};
