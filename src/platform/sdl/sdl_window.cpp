// Window service on SDL: one SDL window per handle, SDL events turned into the messages the
// game's window procedure handles.
#include "platform/sdl/sdl_window.h"

#include <algorithm>
#include <climits>
#include <string>

#include <SDL_image.h>

#include "platform/sdl/sdl_keys.h"

namespace platform::sdl {

namespace {

// Icon resources lie beside the program, in resources/, named by their id; a window without one
// keeps the desktop's default icon.
void SetWindowIconFromResource(SDL_Window* window, int resourceId) {
  if (resourceId == 0) return;
  char* base = SDL_GetBasePath();
  if (!base) return;
  std::string path = std::string(base) + "resources/" + std::to_string(resourceId) + ".png";
  SDL_free(base);
  SDL_Surface* surface = IMG_Load(path.c_str());
  if (!surface) return;
  SDL_SetWindowIcon(window, surface);
  SDL_FreeSurface(surface);
}

}  // namespace

SdlWindowSystem::~SdlWindowSystem() {
  for (auto& record : windows) ReleaseSdlWindow(*record);
}

bool SdlWindowSystem::RegisterWindowClass(const WindowClass& windowClass) {
  if (!windowClass.name || !windowClass.procedure) return false;
  for (const ClassRecord& known : classes) {
    if (known.name == windowClass.name) return false;
  }
  classes.push_back({windowClass.name, windowClass.procedure, windowClass.iconResource});
  return true;
}

WindowHandle SdlWindowSystem::CreateMainWindow(const char* className, const char* title, int clientWidth,
                                               int clientHeight) {
  if (!className) return kNoWindow;
  auto found = std::find_if(classes.begin(), classes.end(),
                            [&](const ClassRecord& known) { return known.name == className; });
  if (found == classes.end()) return kNoWindow;
  // A 640x480 game is small on today's screens: the window opens as large as a whole multiple
  // allows, so every game pixel stays a square block. Hidden until ShowWindow, as a window made
  // without the visible style would be.
  const int scale = WholeScaleThatFits(clientWidth, clientHeight);
  SDL_Window* sdlWindow =
      SDL_CreateWindow(title ? title : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, clientWidth * scale,
                       clientHeight * scale, SDL_WINDOW_RESIZABLE | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI);
  if (!sdlWindow) return kNoWindow;
  SetWindowIconFromResource(sdlWindow, found->iconResource);

  auto record = std::make_unique<WindowRecord>();
  record->handle = nextHandle++;
  record->procedure = found->procedure;
  record->className = found->name;
  record->sdlWindow = sdlWindow;
  record->render = std::make_shared<SdlRenderLink>();
  record->scale = scale;
  const WindowHandle handle = record->handle;
  const WindowProc procedure = record->procedure;
  windows.push_back(std::move(record));

  if (procedure(handle, WM_CREATE, 0, 0) == -1) {
    DestroyWindow(handle);
    return kNoWindow;
  }
  // Offscreen and headless drivers never report focus, so the first window starts active.
  if (windows.size() == 1) Post(handle, WM_ACTIVATEAPP, 1, 0);
  if (closeBeforeWindow) {
    closeBeforeWindow = false;
    Post(handle, WM_CLOSE, 0, 0);
  }
  return handle;
}

bool SdlWindowSystem::DestroyWindow(WindowHandle window) {
  WindowRecord* record = Find(window);
  if (!record || record->destroying) return false;
  record->destroying = true;
  record->procedure(window, WM_DESTROY, 0, 0);
  ReleaseSdlWindow(*record);
  windows.erase(std::remove_if(windows.begin(), windows.end(),
                               [&](const std::unique_ptr<WindowRecord>& each) { return each->handle == window; }),
                windows.end());
  queue.erase(std::remove_if(queue.begin(), queue.end(), [&](const Message& each) { return each.window == window; }),
              queue.end());
  return true;
}

bool SdlWindowSystem::ShowWindow(WindowHandle window, ShowCommand command) {
  SDL_Window* sdlWindow = SdlWindowOf(window);
  if (!sdlWindow) return false;
  switch (command) {
    case ShowCommand::kShow:
      SDL_ShowWindow(sdlWindow);
      break;
    case ShowCommand::kHide:
      SDL_HideWindow(sdlWindow);
      break;
    case ShowCommand::kRestore:
      SDL_RestoreWindow(sdlWindow);
      SDL_ShowWindow(sdlWindow);
      break;
  }
  return true;
}

bool SdlWindowSystem::IsMinimized(WindowHandle window) {
  SDL_Window* sdlWindow = SdlWindowOf(window);
  return sdlWindow && (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_MINIMIZED) != 0;
}

// Sizes are in the same client pixels the window was opened with, so going back to a window
// after full screen restores the size it opened at.
bool SdlWindowSystem::SetClientSize(WindowHandle window, int clientWidth, int clientHeight) {
  WindowRecord* record = Find(window);
  if (!record || !record->sdlWindow || clientWidth <= 0 || clientHeight <= 0) return false;
  SDL_SetWindowSize(record->sdlWindow, clientWidth * record->scale, clientHeight * record->scale);
  return true;
}

int SdlWindowSystem::WholeScaleThatFits(int clientWidth, int clientHeight) {
  // Room for the frame and title bar the window manager adds around the client area.
  constexpr int kFrameWidth = 16;
  constexpr int kFrameHeight = 48;
  SDL_Rect usable;
  if (clientWidth <= 0 || clientHeight <= 0 || SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  return std::max(1, std::min((usable.w - kFrameWidth) / clientWidth, (usable.h - kFrameHeight) / clientHeight));
}

bool SdlWindowSystem::SetForeground(WindowHandle window) {
  SDL_Window* sdlWindow = SdlWindowOf(window);
  if (!sdlWindow) return false;
  SDL_RaiseWindow(sdlWindow);
  return true;
}

bool SdlWindowSystem::SetTopmost(WindowHandle window, bool topmost) {
  SDL_Window* sdlWindow = SdlWindowOf(window);
  if (!sdlWindow) return false;
  SDL_SetWindowAlwaysOnTop(sdlWindow, topmost ? SDL_TRUE : SDL_FALSE);
  return true;
}

// Every frame redraws the whole window, so there is nothing to mark.
void SdlWindowSystem::Invalidate(WindowHandle) {}

void SdlWindowSystem::DetachInputMethod(WindowHandle) { SDL_StopTextInput(); }

WindowHandle SdlWindowSystem::FindWindowByClass(const char* className) {
  if (!className) return kNoWindow;
  for (const auto& record : windows) {
    if (!record->destroying && record->className == className) return record->handle;
  }
  return kNoWindow;
}

bool SdlWindowSystem::SetFullscreen(WindowHandle window, bool fullscreen) {
  SDL_Window* sdlWindow = SdlWindowOf(window);
  return sdlWindow && SDL_SetWindowFullscreen(sdlWindow, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

bool SdlWindowSystem::PeekMessage(Message* out) {
  PumpEvents();
  if (!queue.empty()) {
    *out = queue.front();
    queue.pop_front();
    return true;
  }
  if (quitPosted) {
    quitPosted = false;
    *out = Message{kNoWindow, WM_QUIT, static_cast<std::uint32_t>(quitCode), 0};
    return true;
  }
  return false;
}

void SdlWindowSystem::DispatchMessage(const Message& message) {
  if (message.message == WM_QUIT) return;
  WindowRecord* record = Find(message.window);
  if (!record) return;
  record->procedure(message.window, message.message, message.wParam, message.lParam);
}

bool SdlWindowSystem::WaitMessage(std::uint32_t milliseconds) {
  PumpEvents();
  if (!queue.empty() || quitPosted) return true;
  if (milliseconds == 0) return false;
  // An SDL event that makes no message (mouse motion, say) does not end the wait.
  const std::uint32_t start = SDL_GetTicks();
  for (;;) {
    int timeout = -1;  // kInfinite and anything past INT_MAX wait for good
    if (milliseconds <= static_cast<std::uint32_t>(INT_MAX)) {
      const std::uint32_t elapsed = SDL_GetTicks() - start;
      if (elapsed >= milliseconds) return false;
      timeout = static_cast<int>(milliseconds - elapsed);
    }
    SDL_Event event;
    if (!SDL_WaitEventTimeout(&event, timeout)) return false;
    Translate(event);
    PumpEvents();
    if (!queue.empty()) return true;
  }
}

void SdlWindowSystem::PostQuitMessage(int exitCode) {
  quitPosted = true;
  quitCode = exitCode;
}

std::int32_t SdlWindowSystem::DefaultWindowProc(WindowHandle window, std::uint32_t message, std::uint32_t,
                                                std::uint32_t) {
  if (message == WM_CLOSE) DestroyWindow(window);
  return 0;
}

int SdlWindowSystem::ShowCursor(bool show) {
  cursorCounter += show ? 1 : -1;
  SDL_ShowCursor(cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return cursorCounter;
}

// Window managers draw the frame outside the client area, so there is nothing to add.
int SdlWindowSystem::GetSystemMetric(SystemMetric) { return 0; }

SDL_Window* SdlWindowSystem::SdlWindowOf(WindowHandle window) const {
  const WindowRecord* record = Find(window);
  return record ? record->sdlWindow : nullptr;
}

std::shared_ptr<SdlRenderLink> SdlWindowSystem::RenderLinkOf(WindowHandle window) const {
  const WindowRecord* record = Find(window);
  return record ? record->render : nullptr;
}

const SdlWindowSystem::WindowRecord* SdlWindowSystem::Find(WindowHandle window) const {
  for (const auto& record : windows) {
    if (record->handle == window) return record.get();
  }
  return nullptr;
}

SdlWindowSystem::WindowRecord* SdlWindowSystem::Find(WindowHandle window) {
  return const_cast<WindowRecord*>(static_cast<const SdlWindowSystem*>(this)->Find(window));
}

WindowHandle SdlWindowSystem::HandleOfSdlWindow(std::uint32_t windowId) const {
  SDL_Window* sdlWindow = windowId ? SDL_GetWindowFromID(windowId) : nullptr;
  for (const auto& record : windows) {
    if (sdlWindow && record->sdlWindow == sdlWindow) return record->handle;
  }
  return kNoWindow;
}

WindowHandle SdlWindowSystem::MainWindow() const {
  for (const auto& record : windows) {
    if (!record->destroying) return record->handle;
  }
  return kNoWindow;
}

void SdlWindowSystem::Post(WindowHandle window, std::uint32_t message, std::uint32_t wParam, std::uint32_t lParam) {
  queue.push_back(Message{window, message, wParam, lParam});
}

// The close box, Alt+F4 and SIGINT/SIGTERM (which SDL reports as a quit event) all close the
// main window, once, so the game shuts down along its own WM_DESTROY path.
void SdlWindowSystem::PostCloseToMainWindow() {
  const WindowHandle main = MainWindow();
  if (main == kNoWindow) {
    closeBeforeWindow = true;
    return;
  }
  const bool pending = std::any_of(queue.begin(), queue.end(), [&](const Message& each) {
    return each.window == main && each.message == WM_CLOSE;
  });
  if (!pending) Post(main, WM_CLOSE, 0, 0);
}

void SdlWindowSystem::PumpEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) Translate(event);
}

void SdlWindowSystem::Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:
      PostCloseToMainWindow();
      break;
    case SDL_WINDOWEVENT: {
      const WindowHandle window = HandleOfSdlWindow(event.window.windowID);
      if (window == kNoWindow) break;
      if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
        if (window == MainWindow()) {
          PostCloseToMainWindow();
        } else {
          Post(window, WM_CLOSE, 0, 0);
        }
      } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        Post(window, WM_ACTIVATEAPP, 1, 0);
      } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        Post(window, WM_ACTIVATEAPP, 0, 0);
      }
      break;
    }
    case SDL_KEYDOWN: {
      WindowHandle window = HandleOfSdlWindow(event.key.windowID);
      if (window == kNoWindow) window = MainWindow();
      if (window == kNoWindow) break;
      const SDL_Keysym& key = event.key.keysym;
      // Alt combinations and F10 are system keys: the window procedure never sees them as
      // key-down, and Alt+F4 closes the window.
      if ((key.mod & KMOD_ALT) != 0) {
        if (key.scancode == SDL_SCANCODE_F4 && !event.key.repeat) PostCloseToMainWindow();
        // Alt+Enter switches between window and full screen as players expect of a game here:
        // it reaches the procedure as the game's own switch key.
        if ((key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER) && !event.key.repeat)
          Post(window, WM_KEYDOWN, VK_F1, 0);
        break;
      }
      if (key.scancode == SDL_SCANCODE_F10 || key.scancode == SDL_SCANCODE_LALT || key.scancode == SDL_SCANCODE_RALT) {
        break;
      }
      const std::uint32_t virtualKey = VirtualKeyFromSdl(key);
      if (virtualKey != 0) Post(window, WM_KEYDOWN, virtualKey, event.key.repeat ? kKeyRepeatBit : 0);
      break;
    }
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      for (const auto& record : windows) ++record->render->resetEvents;
      break;
    default:
      break;
  }
}

void SdlWindowSystem::ReleaseSdlWindow(WindowRecord& record) {
  if (record.render->renderer) {
    SDL_DestroyRenderer(record.render->renderer);
    record.render->renderer = nullptr;
  }
  if (record.sdlWindow) {
    SDL_DestroyWindow(record.sdlWindow);
    record.sdlWindow = nullptr;
  }
}

}  // namespace platform::sdl
