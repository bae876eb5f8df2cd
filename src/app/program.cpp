// Start-up, the message loop and shutdown, in that order.
#include "app/program.h"

#include <cstring>
#include <filesystem>

#include "app/app.h"
#include "app/dialogs.h"
#include "app/frame_loop.h"
#include "app/output_paths.h"
#include "app/settings_store.h"
#include "app/startup_checks.h"
#include "app/window_proc.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "platform/backend.h"
#include "scenes/scenes.h"
#include "sound/sound.h"

namespace {

constexpr const char* kWindowClass = "sorvani";
constexpr const char* kTitle = "Sorvani";
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;
constexpr int kIconResource = 107;

// The command line acts only when it is exactly one two-character switch.
char CommandSwitch(const char* commandLine) {
  if (!commandLine || std::strlen(commandLine) != 2 || commandLine[0] != '/') return 0;
  return commandLine[1];
}

// A second copy wakes the first and leaves; true when this copy must stop.
bool AnotherCopyIsRunning() {
  const bool running = platform::SingleInstance().Acquire(kWindowClass) == platform::InstanceLock::kAlreadyRunning;
  // The running copy's log is its own: a second copy adds to it rather than starting it anew.
  if (running) ContinueDebugLog();
  WriteDebugLog("多重起動チェック");
  if (!running) return false;
  WriteDebugLog("多重起動を検知しました。起動を中止します。");
  if (!platform::SingleInstance().RaiseRunningCopy(kWindowClass))
    platform::Boxes().MessageBox(platform::kNoWindow, "すでに起動しています。", kTitle, platform::MB_OK);
  return true;
}

bool CreateMainWindow() {
  platform::WindowSystem& windows = platform::Windows();
  const char* failure = nullptr;
  WriteDebugLog("ウィンドウクラスを登録します");
  if (!windows.RegisterWindowClass(platform::WindowClass{kWindowClass, MainWindowProc, kIconResource})) {
    failure = "ウィンドウクラスの登録に失敗しました。";
  } else {
    WriteDebugLog("ウィンドウを生成します");
    appState.mainWindow = windows.CreateMainWindow(kWindowClass, kTitle, kClientWidth, kClientHeight);
    if (appState.mainWindow == platform::kNoWindow) failure = "メインウィンドウの生成に失敗しました。";
  }
  if (!failure) return true;
  platform::Boxes().MessageBox(platform::kNoWindow, WriteDebugLog(failure), kTitle, platform::MB_ICONERROR);
  return false;
}

void BringWindowToFront(platform::WindowHandle window) {
  WriteDebugLog("ウィンドウのＺ座標を指定しています");
  platform::WindowSystem& windows = platform::Windows();
  windows.SetForeground(window);
  windows.SetTopmost(window, true);
  windows.SetTopmost(window, false);
}

// The settings dialog alone ("/S") or the launcher. True when the program ends here, with
// its exit code.
bool RunDialogs(char option, int* exitCode) {
  WriteDebugLog("引数チェック(/S)");
  if (option == 'S' || option == 's') {
    WriteDebugLog("設定ダイアログを表示します");
    // Without a display nothing was shown, and that is no success.
    *exitCode = RunSettingsDialog(platform::kNoWindow) < 0 ? 1 : 0;
    return true;
  }
  if (appState.noOpeningDialog != 0) {
    WriteDebugLog("起動ダイアログをスキップします");
    return false;
  }
  WriteDebugLog("起動ダイアログを表示します");
  if (RunLauncherDialog() == 1) return false;
  WriteDebugLog("ゲームを起動せずに終了します");
  *exitCode = 1;
  return true;
}

int RunGame(char option) {
  if (appState.enable_debug_write != 0) {
    LogHardwareReport();
    LogOutputDirectory();
  }

  WriteDebugLog("引数チェック(/B)");
  if (option == 'B' || option == 'b') {
    appState.screenshotOn = 1;
    std::error_code ignored;
    std::filesystem::create_directory(OutputPrefix() + "SS", ignored);
  }

  if (!CreateMainWindow()) return 1;
  WriteDebugLog("ウインドウを表示します");
  platform::Windows().ShowWindow(appState.mainWindow, platform::ShowCommand::kShow);

  WriteDebugLog("Direct3Dの初期化を開始します");
  if (platform::Failed(InitDirect3D(appState.mainWindow, true, true))) return 0;
  WriteDebugLog("DirectSoundの初期化を開始します");
  InitSound(appState.mainWindow);
  WriteDebugLog("DirectInputの初期化を開始します");
  InitInput(appState.mainWindow);
  BringWindowToFront(appState.mainWindow);

  OpeningLogoScene(appState.mainWindow, 1);
  platform::Time().BeginPeriod(1);
  WriteDebugLog("メッセージループを開始します");
  int exitCode = RunMessageLoop();

  WriteDebugLog("メッセージループを終了します");
  platform::Time().EndPeriod(1);
  ReleaseInput();
  ReleaseSound();
  ReleaseDirect3D();
  WriteDebugLog("アプリケーションを終了します");
  return exitCode;
}

}  // namespace

int RunProgram(const char* commandLine) {
  EnterProgramDirectory();
  ChooseOutputDirectory();
  char option = CommandSwitch(commandLine);
  if (option == 'D') appState.enable_debug_write = 2;
  if (option == 'd') appState.enable_debug_write = 1;

  if (AnotherCopyIsRunning()) return 0;
  if (!CheckProgramIntegrity()) {
    platform::Boxes().MessageBox(platform::kNoWindow, WriteDebugLog("プログラムファイルが壊れています。再インストールしてください。"),
                                 kTitle, platform::MB_ICONERROR);
    return 1;
  }
  if (appState.enable_debug_write != 0) LogSystemFacts();

  WriteDebugLog("設定とスコアデータの読み出し");
  ReadStartupSettings();

  int exitCode = 0;
  if (!RunDialogs(option, &exitCode)) exitCode = RunGame(option);
  platform::SingleInstance().Release();
  return exitCode;
}
