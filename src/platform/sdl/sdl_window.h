// Window service on SDL: the main window and a message queue fed from SDL's events.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/sdl/sdl_render_link.h"
#include "platform/window.h"

namespace platform::sdl {

class SdlWindowSystem final : public WindowSystem {
 public:
  SdlWindowSystem() = default;
  // Closes what the game left open, without sending it any message.
  ~SdlWindowSystem() override;

  bool RegisterWindowClass(const WindowClass& windowClass) override;
  WindowHandle CreateMainWindow(const char* className, const char* title, int clientWidth,
                                int clientHeight) override;
  bool DestroyWindow(WindowHandle window) override;
  bool ShowWindow(WindowHandle window, ShowCommand command) override;
  bool IsMinimized(WindowHandle window) override;
  bool SetClientSize(WindowHandle window, int clientWidth, int clientHeight) override;
  bool SetForeground(WindowHandle window) override;
  bool SetTopmost(WindowHandle window, bool topmost) override;
  void Invalidate(WindowHandle window) override;
  void DetachInputMethod(WindowHandle window) override;
  WindowHandle FindWindowByClass(const char* className) override;
  bool SetFullscreen(WindowHandle window, bool fullscreen) override;

  bool PeekMessage(Message* out) override;
  void DispatchMessage(const Message& message) override;
  bool WaitMessage(std::uint32_t milliseconds) override;
  void PostQuitMessage(int exitCode) override;
  std::int32_t DefaultWindowProc(WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                                 std::uint32_t lParam) override;

  int ShowCursor(bool show) override;
  int GetSystemMetric(SystemMetric metric) override;

  // The largest whole number of times a client area of this size fits the usable part of the
  // first display; at least 1.
  static int WholeScaleThatFits(int clientWidth, int clientHeight);

  // For the drawing device: the SDL window behind a handle and the renderer slot it shares
  // with the window. Null for a handle that is not (or no longer) a window.
  SDL_Window* SdlWindowOf(WindowHandle window) const;
  std::shared_ptr<SdlRenderLink> RenderLinkOf(WindowHandle window) const;

 private:
  struct WindowRecord {
    WindowHandle handle = kNoWindow;
    WindowProc procedure = nullptr;
    std::string className;
    SDL_Window* sdlWindow = nullptr;
    std::shared_ptr<SdlRenderLink> render;
    int scale = 1;  // window pixels per client pixel the game asks for
    bool destroying = false;
  };
  struct ClassRecord {
    std::string name;
    WindowProc procedure = nullptr;
    int iconResource = 0;
  };

  const WindowRecord* Find(WindowHandle window) const;
  WindowRecord* Find(WindowHandle window);
  WindowHandle HandleOfSdlWindow(std::uint32_t windowId) const;
  WindowHandle MainWindow() const;
  void Post(WindowHandle window, std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam);
  void PostCloseToMainWindow();
  void PumpEvents();
  void Translate(const SDL_Event& event);
  void ReleaseSdlWindow(WindowRecord& record);

  std::vector<ClassRecord> classes;
  std::vector<std::unique_ptr<WindowRecord>> windows;
  std::deque<Message> queue;
  WindowHandle nextHandle = 1;
  bool quitPosted = false;
  int quitCode = 0;
  bool closeBeforeWindow = false;  // a quit request came before there was a window to close
  int cursorCounter = 0;
};

}  // namespace platform::sdl
