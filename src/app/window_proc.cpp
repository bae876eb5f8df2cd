// The main window's procedure: creation, destruction, activation, and the F1 and F4 keys.
#include "app/window_proc.h"

#include "app/app.h"
#include "app/settings_store.h"
#include "gfx/gfx.h"
#include "platform/backend.h"
#include "scenes/scenes.h"

namespace {

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 480;

// F1: full screen <-> window. The device is made anew for the other mode with the current
// picture set; the choice is kept for the next start.
void SwitchWindowMode(platform::WindowHandle window) {
  platform::WindowSystem& windows = platform::Windows();
  if (appState.bWindowed == 1) {
    appState.bWindowed = 0;
    WriteDebugLog("フルスクリーンモードへ切り替えます。");
  } else {
    appState.bWindowed = 1;
    WriteDebugLog("ウィンドウモードへ切り替えます。");
  }
  windows.ShowCursor(appState.bWindowed != 0);
  ReleaseDirect3D();
  if (appState.bWindowed) {
    windows.SetClientSize(window, kClientWidth, kClientHeight);
    windows.SetTopmost(window, false);
    windows.ShowCursor(true);
  }
  // Without a device nothing can be drawn any more; leave the way the game always leaves.
  if (platform::Failed(InitDirect3D(window, true, false))) ProgramExitScene(window, 1);
  StoreWindowedSetting();
}

// F4: screenshots of every drawn frame, offered only while the run log is on.
void ToggleScreenshots() {
  if (appState.screenshotOn) {
    appState.screenshotOn = 0;
    WriteDebugLog("スクリーンショット中断");
  } else if (appState.enable_debug_write != 0) {
    appState.screenshotOn = 1;
    WriteDebugLog("スクリーンショット開始");
  }
}

}  // namespace

std::int32_t MainWindowProc(platform::WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                            std::uint32_t lParam) {
  switch (message) {
    case platform::WM_CREATE:
      platform::Windows().DetachInputMethod(window);
      return 0;
    case platform::WM_DESTROY:
      WriteDebugLog("WM_DESTROY受信");
      platform::Windows().PostQuitMessage(0);
      return 0;
    case platform::WM_ACTIVATEAPP:
      appState.active = wParam;
      return 0;
    case platform::WM_KEYDOWN:
      // Auto-repeated key-downs count like new presses.
      if (wParam == platform::VK_F1) SwitchWindowMode(window);
      if (wParam == platform::VK_F4) ToggleScreenshots();
      return 0;
    default:
      return platform::Windows().DefaultWindowProc(window, message, wParam, lParam);
  }
}
