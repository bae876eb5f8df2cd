// The message loop that paces and runs the frames.
#include "app/frame_loop.h"

#include <cstdio>
#include <filesystem>

#include "app/app.h"
#include "app/output_paths.h"
#include "gfx/gfx.h"
#include "platform/backend.h"
#include "scenes/scenes.h"

namespace {

constexpr std::uint32_t kInactiveSleep = 300;
constexpr std::uint32_t kClearColour = 0xFF000000;

void SaveScreenshot() {
  const std::string& folder = OutputPrefix();
  if (appState.screenshotCounter == 0) {
    std::error_code ignored;
    std::filesystem::create_directory(folder + "SS", ignored);
  }
  char path[4096];
  std::snprintf(path, sizeof path, "%sSS/SVSS_%010u.bmp", folder.c_str(), appState.screenshotCounter);
  graphics.pDevice->SaveRenderTargetToBmp(path);
  ++appState.screenshotCounter;
}

void PresentFrame() {
  platform::HRESULT result = graphics.pDevice->Present();
  if (result == platform::D3DERR_DEVICELOST) {
    WriteDebugLog("デバイスの消失を検知しました。復帰を試みます");
    if (platform::Failed(ResetDirect3D(appState.mainWindow))) {
      WriteDebugLog("デバイスの復帰に失敗しました");
      ProgramExitScene(appState.mainWindow, 1);
    }
    return;
  }
  if (appState.screenshotOn) SaveScreenshot();
}

// A second copy of the program asked this one to come to the front.
void AnswerRaiseRequest() {
  if (!platform::SingleInstance().TakeRaiseRequest() || appState.mainWindow == platform::kNoWindow) return;
  platform::WindowSystem& windows = platform::Windows();
  if (windows.IsMinimized(appState.mainWindow)) windows.ShowWindow(appState.mainWindow, platform::ShowCommand::kRestore);
  windows.SetForeground(appState.mainWindow);
  windows.Invalidate(appState.mainWindow);
}

}  // namespace

void RunFrame() {
  bool draws = DrawsThisFrame() && graphics.pDevice;
  if (draws) {
    graphics.pDevice->BeginScene();
    graphics.pSprite->Begin(platform::D3DXSPRITE_ALPHABLEND);
    graphics.pDevice->Clear(platform::D3DCLEAR_TARGET, kClearColour, 1.0f, 0);
  }
  if (currentScene) currentScene(appState.mainWindow, SCENE_STEP);
  if (draws) {
    graphics.pSprite->End();
    graphics.pDevice->EndScene();
    PresentFrame();
  }
  if (appState.halfRate) appState.renderThisFrame ^= 1;
}

int RunMessageLoop() {
  platform::WindowSystem& windows = platform::Windows();
  platform::Clock& clock = platform::Time();
  platform::Message message;
  for (;;) {
    // At most one message per pass; a frame runs only when the queue is empty.
    if (windows.PeekMessage(&message)) {
      if (message.message == platform::WM_QUIT) return static_cast<int>(message.wParam);
      windows.DispatchMessage(message);
      continue;
    }
    if (appState.active == 0) {
      AnswerRaiseRequest();
      clock.Sleep(kInactiveSleep);
      continue;
    }
    std::uint32_t now = clock.Milliseconds();
    if (now - appState.lastFrameTime < kFrameInterval) {
      if (appState.CpuIdle) windows.WaitMessage(1);
      continue;
    }
    // The next frame is measured from this frame's start, not from when it was due.
    appState.lastFrameTime = now;
    AnswerRaiseRequest();
    RunFrame();
  }
}
