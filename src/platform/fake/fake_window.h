// Scripted window system: a message queue the test fills, window state it can read back.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fault_plan.h"
#include "platform/window.h"

namespace fake {

class FakeWindowSystem : public platform::WindowSystem {
 public:
  struct WindowRecord {
    std::string className;
    std::string title;
    int clientWidth = 0;
    int clientHeight = 0;
    bool visible = false;
    bool minimized = false;
    bool fullscreen = false;
    bool topmost = false;
    bool imeDetached = false;
  };

  FakeWindowSystem(CallLog& log, FaultPlan& faults, FakeClock& clock) : log_(log), faults_(faults), clock_(clock) {}

  bool RegisterWindowClass(const platform::WindowClass& windowClass) override;
  platform::WindowHandle CreateMainWindow(const char* className, const char* title, int clientWidth,
                                          int clientHeight) override;
  bool DestroyWindow(platform::WindowHandle window) override;
  bool ShowWindow(platform::WindowHandle window, platform::ShowCommand command) override;
  bool IsMinimized(platform::WindowHandle window) override;
  bool SetClientSize(platform::WindowHandle window, int clientWidth, int clientHeight) override;
  bool SetForeground(platform::WindowHandle window) override;
  bool SetTopmost(platform::WindowHandle window, bool topmost) override;
  void Invalidate(platform::WindowHandle window) override;
  void DetachInputMethod(platform::WindowHandle window) override;
  platform::WindowHandle FindWindowByClass(const char* className) override;
  bool SetFullscreen(platform::WindowHandle window, bool fullscreen) override;
  bool PeekMessage(platform::Message* out) override;
  void DispatchMessage(const platform::Message& message) override;
  bool WaitMessage(std::uint32_t milliseconds) override;
  void PostQuitMessage(int exitCode) override;
  std::int32_t DefaultWindowProc(platform::WindowHandle window, std::uint32_t message, std::uint32_t wParam,
                                 std::uint32_t lParam) override;
  int ShowCursor(bool show) override;
  int GetSystemMetric(platform::SystemMetric metric) override;

  // Scripting.
  void Post(const platform::Message& message) { queue_.push_back(message); }
  void PostKeyDown(std::uint32_t virtualKey, bool repeat = false);
  void PostClose();
  void PostActivate(bool active);
  // Runs whenever PeekMessage finds the queue empty, before it answers; a test uses it to count
  // frames and post the messages of its script.
  void OnEmptyQueue(std::function<void()> hook) { onEmptyQueue_ = std::move(hook); }

  const WindowRecord* Find(platform::WindowHandle window) const;
  int CursorCounter() const { return cursorCounter_; }
  std::size_t QueuedMessages() const { return queue_.size(); }

 private:
  CallLog& log_;
  FaultPlan& faults_;
  FakeClock& clock_;
  std::map<std::string, platform::WindowClass> classes_;
  std::map<platform::WindowHandle, WindowRecord> windows_;
  std::deque<platform::Message> queue_;
  std::function<void()> onEmptyQueue_;
  platform::WindowHandle nextHandle_ = 1;
  bool quitPosted_ = false;
  int quitCode_ = 0;
  int cursorCounter_ = 0;
};

}  // namespace fake
