// Scripted window system: a message queue the test fills, window state it can read back.
#include "platform/fake/fake_window.h"

#include <string>

namespace fake {
using platform::Message;
using platform::WindowHandle;

bool FakeWindowSystem::RegisterWindowClass(const platform::WindowClass& windowClass) {
  log_.Record(std::string("Window::RegisterWindowClass(") + windowClass.name + ")");
  platform::HRESULT code;
  if (faults_.Take("Window::RegisterWindowClass", &code)) return false;
  classes_[windowClass.name] = windowClass;
  return true;
}

WindowHandle FakeWindowSystem::CreateMainWindow(const char* className, const char* title, int clientWidth,
                                                int clientHeight) {
  log_.Record(std::string("Window::CreateMainWindow(") + className + "," + title + "," + std::to_string(clientWidth) +
              "," + std::to_string(clientHeight) + ")");
  platform::HRESULT code;
  if (faults_.Take("Window::CreateMainWindow", &code)) return platform::kNoWindow;
  auto found = classes_.find(className);
  if (found == classes_.end()) return platform::kNoWindow;
  WindowHandle handle = nextHandle_++;
  windows_[handle] = WindowRecord{className, title, clientWidth, clientHeight};
  if (found->second.procedure) found->second.procedure(handle, platform::WM_CREATE, 0, 0);
  return handle;
}

bool FakeWindowSystem::DestroyWindow(WindowHandle window) {
  log_.Record("Window::DestroyWindow(" + std::to_string(window) + ")");
  auto found = windows_.find(window);
  if (found == windows_.end()) return false;
  auto procedure = classes_[found->second.className].procedure;
  if (procedure) procedure(window, platform::WM_DESTROY, 0, 0);
  windows_.erase(window);
  return true;
}

bool FakeWindowSystem::ShowWindow(WindowHandle window, platform::ShowCommand command) {
  static const char* const names[] = {"show", "hide", "restore"};
  log_.Record("Window::ShowWindow(" + std::to_string(window) + "," + names[static_cast<int>(command)] + ")");
  auto found = windows_.find(window);
  if (found == windows_.end()) return false;
  found->second.visible = command != platform::ShowCommand::kHide;
  if (command == platform::ShowCommand::kRestore) found->second.minimized = false;
  return true;
}

bool FakeWindowSystem::IsMinimized(WindowHandle window) {
  auto found = windows_.find(window);
  return found != windows_.end() && found->second.minimized;
}

bool FakeWindowSystem::SetClientSize(WindowHandle window, int clientWidth, int clientHeight) {
  log_.Record("Window::SetClientSize(" + std::to_string(window) + "," + std::to_string(clientWidth) + "," +
              std::to_string(clientHeight) + ")");
  auto found = windows_.find(window);
  if (found == windows_.end()) return false;
  found->second.clientWidth = clientWidth;
  found->second.clientHeight = clientHeight;
  return true;
}

bool FakeWindowSystem::SetForeground(WindowHandle window) {
  log_.Record("Window::SetForeground(" + std::to_string(window) + ")");
  return windows_.count(window) != 0;
}

bool FakeWindowSystem::SetTopmost(WindowHandle window, bool topmost) {
  log_.Record("Window::SetTopmost(" + std::to_string(window) + "," + (topmost ? "1" : "0") + ")");
  auto found = windows_.find(window);
  if (found == windows_.end()) return false;
  found->second.topmost = topmost;
  return true;
}

void FakeWindowSystem::Invalidate(WindowHandle window) { log_.Record("Window::Invalidate(" + std::to_string(window) + ")"); }

void FakeWindowSystem::DetachInputMethod(WindowHandle window) {
  log_.Record("Window::DetachInputMethod(" + std::to_string(window) + ")");
  auto found = windows_.find(window);
  if (found != windows_.end()) found->second.imeDetached = true;
}

WindowHandle FakeWindowSystem::FindWindowByClass(const char* className) {
  for (const auto& [handle, record] : windows_)
    if (record.className == className) return handle;
  return platform::kNoWindow;
}

bool FakeWindowSystem::SetFullscreen(WindowHandle window, bool fullscreen) {
  log_.Record("Window::SetFullscreen(" + std::to_string(window) + "," + (fullscreen ? "1" : "0") + ")");
  auto found = windows_.find(window);
  if (found == windows_.end()) return false;
  found->second.fullscreen = fullscreen;
  return true;
}

bool FakeWindowSystem::PeekMessage(Message* out) {
  if (queue_.empty() && onEmptyQueue_) onEmptyQueue_();
  if (!queue_.empty()) {
    *out = queue_.front();
    queue_.pop_front();
    return true;
  }
  if (quitPosted_) {
    quitPosted_ = false;
    *out = Message{platform::kNoWindow, platform::WM_QUIT, static_cast<std::uint32_t>(quitCode_), 0};
    return true;
  }
  return false;
}

void FakeWindowSystem::DispatchMessage(const Message& message) {
  auto window = windows_.find(message.window);
  if (window == windows_.end()) return;
  auto procedure = classes_[window->second.className].procedure;
  if (procedure) procedure(message.window, message.message, message.wParam, message.lParam);
}

bool FakeWindowSystem::WaitMessage(std::uint32_t milliseconds) {
  log_.Record("Window::WaitMessage(" + std::to_string(milliseconds) + ")");
  if (!queue_.empty() || quitPosted_) return true;
  clock_.Advance(milliseconds);
  return false;
}

void FakeWindowSystem::PostQuitMessage(int exitCode) {
  log_.Record("Window::PostQuitMessage(" + std::to_string(exitCode) + ")");
  quitPosted_ = true;
  quitCode_ = exitCode;
}

std::int32_t FakeWindowSystem::DefaultWindowProc(WindowHandle window, std::uint32_t message, std::uint32_t, std::uint32_t) {
  if (message == platform::WM_CLOSE) DestroyWindow(window);
  return 0;
}

int FakeWindowSystem::ShowCursor(bool show) {
  cursorCounter_ += show ? 1 : -1;
  log_.Record(std::string("Window::ShowCursor(") + (show ? "1" : "0") + ")");
  return cursorCounter_;
}

int FakeWindowSystem::GetSystemMetric(platform::SystemMetric) { return 0; }

void FakeWindowSystem::PostKeyDown(std::uint32_t virtualKey, bool repeat) {
  WindowHandle window = windows_.empty() ? platform::kNoWindow : windows_.begin()->first;
  Post(Message{window, platform::WM_KEYDOWN, virtualKey, repeat ? platform::kKeyRepeatBit : 0u});
}

void FakeWindowSystem::PostClose() {
  WindowHandle window = windows_.empty() ? platform::kNoWindow : windows_.begin()->first;
  Post(Message{window, platform::WM_CLOSE, 0, 0});
}

void FakeWindowSystem::PostActivate(bool active) {
  WindowHandle window = windows_.empty() ? platform::kNoWindow : windows_.begin()->first;
  Post(Message{window, platform::WM_ACTIVATEAPP, active ? 1u : 0u, 0});
}

const FakeWindowSystem::WindowRecord* FakeWindowSystem::Find(WindowHandle window) const {
  auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

}  // namespace fake
