// Window service: the main window, its message queue and the few window-manager requests the
// game makes (show, raise, resize, cursor), in the shape the game's window procedure expects.
#pragma once

#include <cstdint>

#include "platform/handles.h"

namespace platform {

// Message numbers keep their original values so logs and tests read the same everywhere.
enum : std::uint32_t {
  WM_CREATE = 0x0001,
  WM_DESTROY = 0x0002,
  WM_CLOSE = 0x0010,
  WM_QUIT = 0x0012,
  WM_ACTIVATEAPP = 0x001C,
  WM_KEYDOWN = 0x0100,
};

// Virtual-key codes the window procedure and the keyboard-only input mode use.
enum : std::uint32_t {
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_NUMPAD0 = 0x60,
  VK_F1 = 0x70,
  VK_F4 = 0x73,
};

struct Message {
  WindowHandle window = kNoWindow;
  std::uint32_t message = 0;
  std::uint32_t wParam = 0;  // WM_KEYDOWN: virtual key; WM_ACTIVATEAPP: 1 active, 0 not; WM_QUIT: exit code
  std::uint32_t lParam = 0;  // WM_KEYDOWN: bit 30 set for an auto-repeated key
};

constexpr std::uint32_t kKeyRepeatBit = 1u << 30;

// Returns 0 for every message it handles; the rest go to WindowSystem::DefaultWindowProc.
using WindowProc = std::int32_t (*)(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                                    std::uint32_t lParam);

enum class ShowCommand { kShow, kHide, kRestore };

// Frame sizes of a decorated window; a desktop under a window manager reports 0 for all.
enum class SystemMetric { kFrameWidth, kFrameHeight, kCaptionHeight };

struct WindowClass {
  const char* name = nullptr;
  WindowProc procedure = nullptr;
  int iconResource = 0;
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  virtual bool RegisterWindowClass(const WindowClass& windowClass) = 0;
  // Creates a window of a registered class with the given client size; the class's procedure
  // receives WM_CREATE before this returns. kNoWindow on failure.
  virtual WindowHandle CreateMainWindow(const char* className, const char* title, int clientWidth,
                                        int clientHeight) = 0;
  // Sends WM_DESTROY to the procedure and forgets the window.
  virtual bool DestroyWindow(WindowHandle window) = 0;
  virtual bool ShowWindow(WindowHandle window, ShowCommand command) = 0;
  virtual bool IsMinimized(WindowHandle window) = 0;
  virtual bool SetClientSize(WindowHandle window, int clientWidth, int clientHeight) = 0;
  virtual bool SetForeground(WindowHandle window) = 0;
  virtual bool SetTopmost(WindowHandle window, bool topmost) = 0;
  virtual void Invalidate(WindowHandle window) = 0;
  // No input-method composition window over the game.
  virtual void DetachInputMethod(WindowHandle window) = 0;
  virtual WindowHandle FindWindowByClass(const char* className) = 0;
  // Switches the window between a desktop window and the whole screen.
  virtual bool SetFullscreen(WindowHandle window, bool fullscreen) = 0;

  // Removes the next message into *out; false when the queue is empty.
  virtual bool PeekMessage(Message* out) = 0;
  // Hands a message to its window's procedure; WM_QUIT is never dispatched.
  virtual void DispatchMessage(const Message& message) = 0;
  // Waits until a message arrives or the time is up; true when a message is waiting.
  virtual bool WaitMessage(std::uint32_t milliseconds) = 0;
  virtual void PostQuitMessage(int exitCode) = 0;
  // What the system does with messages the game leaves alone (WM_CLOSE destroys the window).
  virtual std::int32_t DefaultWindowProc(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                                         std::uint32_t lParam) = 0;

  // Display counter: the cursor shows while it is 0 or more. Returns the new counter.
  virtual int ShowCursor(bool show) = 0;
  virtual int GetSystemMetric(SystemMetric metric) = 0;
};

}  // namespace platform
