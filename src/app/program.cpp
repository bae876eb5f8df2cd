// Start-up, the message loop and shutdown, in that order.
#include "app/program.h"

#include <cstring>
#include <filesystem>

#include "app/app.h"
#include "app/frame_loop.h"
#include "app/window_proc.h"
#include "gfx/gfx.h"
#include "platform/backend.h"
#include "scenes/scenes.h"

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

}  // namespace

int RunProgram(const char* commandLine) {
  char option = CommandSwitch(commandLine);
  if (option == 'D') appState.enable_debug_write = 2;
  if (option == 'd') appState.enable_debug_write = 1;
  if (option == 'B' || option == 'b') {
    appState.screenshotOn = 1;
    std::error_code ignored;
    std::filesystem::create_directory("SS", ignored);
  }

  platform::WindowSystem& windows = platform::Windows();
  const char* failure = nullptr;
  if (!windows.RegisterWindowClass(platform::WindowClass{kWindowClass, MainWindowProc, kIconResource})) {
    failure = "ウィンドウクラスの登録に失敗しました。";
  } else {
    appState.mainWindow = windows.CreateMainWindow(kWindowClass, kTitle, kClientWidth, kClientHeight);
    if (appState.mainWindow == platform::kNoWindow) failure = "メインウィンドウの生成に失敗しました。";
  }
  if (failure) {
    platform::Boxes().MessageBox(platform::kNoWindow, WriteDebugLog(failure), kTitle, platform::MB_ICONERROR);
    return 1;
  }
  windows.ShowWindow(appState.mainWindow, platform::ShowCommand::kShow);

  if (platform::Failed(InitDirect3D(appState.mainWindow, true, true))) return 0;

  OpeningLogoScene(appState.mainWindow, 1);
  platform::Time().BeginPeriod(1);
  int exitCode = RunMessageLoop();
  platform::Time().EndPeriod(1);
  ReleaseDirect3D();
  return exitCode;
}
