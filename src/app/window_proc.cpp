// The main window's procedure.
#include "app/window_proc.h"

#include "app/app.h"
#include "platform/backend.h"

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
      return 0;
    default:
      return platform::Windows().DefaultWindowProc(window, message, wParam, lParam);
  }
}
