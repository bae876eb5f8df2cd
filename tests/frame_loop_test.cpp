// The frame loop: pacing on unsigned millisecond differences, the draw bracket, half-rate
// drawing, inactivity, lost devices, and a whole program run from start to close.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/app.h"
#include "app/frame_loop.h"
#include "app/program.h"
#include "app/window_proc.h"
#include "gfx/gfx.h"
#include "scenes/scenes.h"
#include "test_support.h"

namespace {

int sceneSteps = 0;
int CountingScene(platform::WindowHandle, int kind) {
  if (kind == SCENE_STEP) ++sceneSteps;
  return 0;
}

class FrameLoopTest : public GameTest {
 protected:
  FrameLoopTest() {
    sceneSteps = 0;
    appState.active = 1;
    backend.window.RegisterWindowClass(platform::WindowClass{"sorvani", MainWindowProc, 0});
    appState.mainWindow = backend.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);
    EXPECT_EQ(InitDirect3D(appState.mainWindow, true, true), platform::S_OK);
    currentScene = CountingScene;
  }

  // Runs the loop; each time the queue is empty the clock moves on by `step` ms, and the loop
  // is stopped once `frames` scene steps have run.
  int RunFrames(int frames, std::uint32_t step = 1) {
    backend.window.OnEmptyQueue([this, frames, step] {
      if (sceneSteps >= frames) {
        backend.window.PostQuitMessage(0);
        backend.window.OnEmptyQueue(nullptr);
        return;
      }
      backend.clock.Advance(step);
    });
    return RunMessageLoop();
  }
};

TEST_F(FrameLoopTest, FrameIsDueAfterSeventeenMillisecondsNotSixteen) {
  struct Case {
    std::uint32_t last, now;
    bool runs;
  };
  const Case cases[] = {{1000, 1016, false}, {1000, 1017, true}, {0xFFFFFFF8u, 8, false}, {0xFFFFFFF8u, 9, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.last) + " -> " + std::to_string(c.now));
    sceneSteps = 0;
    appState.lastFrameTime = c.last;
    backend.clock.Set(c.now);
    int passes = 0;
    backend.window.OnEmptyQueue([&] {
      if (++passes == 3) backend.window.PostQuitMessage(0);  // time stands still meanwhile
    });
    RunMessageLoop();
    EXPECT_EQ(sceneSteps, c.runs ? 1 : 0);
    EXPECT_EQ(appState.lastFrameTime, c.runs ? c.now : c.last);
  }
}

TEST_F(FrameLoopTest, EachFrameIsOneSceneStepInsideTheDrawBracket) {
  backend.log.Clear();
  RunFrames(3);
  EXPECT_EQ(sceneSteps, 3);
  auto frame = backend.log.Matching("Device::");
  ASSERT_EQ(frame.size(), 12u);
  EXPECT_EQ(frame[0], "Device::BeginScene");
  EXPECT_EQ(frame[1], "Device::Clear(1,0xFF000000,1,0)");
  EXPECT_EQ(frame[2], "Device::EndScene");
  EXPECT_EQ(frame[3], "Device::Present");
  EXPECT_EQ(backend.graphics.presents, 3);
  // Frames start 17 ms apart when time moves 1 ms per idle pass.
  EXPECT_EQ(appState.lastFrameTime, 3u * 17u);
}

TEST_F(FrameLoopTest, HalfRateDrawsEveryOtherFrameButStepsEveryFrame) {
  appState.halfRate = 1;
  RunFrames(5);
  EXPECT_EQ(sceneSteps, 5);
  EXPECT_EQ(backend.graphics.presents, 3);  // frames 1, 3 and 5
  EXPECT_EQ(appState.renderThisFrame, 0);
}

TEST_F(FrameLoopTest, InactiveApplicationSleepsAndRunsNoFrame) {
  appState.active = 0;
  int passes = 0;
  backend.window.OnEmptyQueue([&] {
    if (++passes == 4) backend.window.PostQuitMessage(0);
  });
  RunMessageLoop();
  EXPECT_EQ(sceneSteps, 0);
  EXPECT_EQ(backend.log.Count("Clock::Sleep(300)"), 3u);
}

TEST_F(FrameLoopTest, CpuIdleWaitsOneMillisecondBetweenFrames) {
  appState.CpuIdle = 1;
  RunFrames(1, 0);  // the waits alone must move time on to the first frame
  EXPECT_EQ(sceneSteps, 1);
  EXPECT_EQ(backend.log.Count("Window::WaitMessage(1)"), 17u);
}

TEST_F(FrameLoopTest, OneMessagePerPassAndFramesOnlyOnAnEmptyQueue) {
  for (int i = 0; i < 40; ++i) backend.window.PostKeyDown('A');
  backend.clock.Set(100);  // a frame is long due; time stands still
  RunFrames(1, 0);
  EXPECT_EQ(backend.window.QueuedMessages(), 0u);
  EXPECT_EQ(sceneSteps, 1);
  EXPECT_EQ(appState.lastFrameTime, 100u);  // the frame ran only after the 40 messages
}

TEST_F(FrameLoopTest, LostDeviceThatCannotBeResetEndsInTheExitScene) {
  appState.enable_debug_write = 1;
  backend.faults.Fail("Device::Present", 1, platform::D3DERR_DEVICELOST);
  backend.faults.Fail("Device::TestCooperativeLevel", 1, platform::D3DERR_DEVICENOTRESET);
  backend.faults.Fail("Device::Reset", 1, platform::D3DERR_INVALIDCALL);
  backend.window.OnEmptyQueue([this] { backend.clock.Advance(1); });
  EXPECT_EQ(RunMessageLoop(), 0);
  EXPECT_EQ(currentScene, ProgramExitScene);
  auto log = LogMessages();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[0], "デバイスの消失を検知しました。復帰を試みます");
  EXPECT_EQ(log[1], "Direct3Dをリセットします");  // the device's own lines follow
  auto failed = std::find(log.begin(), log.end(), "デバイスの復帰に失敗しました");
  ASSERT_NE(failed, log.end());
  ASSERT_GE(log.end() - failed, 3);
  EXPECT_EQ(failed[1], "[program_exit]");
  EXPECT_EQ(failed[2], "WM_DESTROY受信");
  ASSERT_EQ(backend.dialogs.boxes.size(), 1u);
  EXPECT_EQ(backend.dialogs.boxes[0].caption, "Reset");
}

TEST_F(FrameLoopTest, ScreenshotsAreNumberedAcrossFrames) {
  appState.screenshotOn = 1;
  RunFrames(2);
  EXPECT_EQ(backend.graphics.savedBitmaps,
            (std::vector<std::string>{"SS/SVSS_0000000000.bmp", "SS/SVSS_0000000001.bmp"}));
  EXPECT_TRUE(std::filesystem::is_directory("SS"));
}

class ProgramTest : public GameTest {};

TEST_F(ProgramTest, RunsFramesUntilTheWindowIsClosed) {
  int presentsSeen = 0;
  backend.window.OnEmptyQueue([&] {
    if (!backend.window.Find(1)) return;
    if (appState.active == 0) backend.window.PostActivate(true);
    backend.clock.Advance(1);
    if (backend.graphics.presents == 5 && presentsSeen++ == 0) backend.window.PostClose();
  });
  EXPECT_EQ(RunProgram(""), 0);
  EXPECT_EQ(backend.graphics.presents, 5);
  EXPECT_EQ(backend.window.Find(1), nullptr);  // destroyed by the close
  EXPECT_EQ(backend.graphics.liveTextures, 0);
  EXPECT_EQ(backend.log.Count("Clock::BeginPeriod(1)"), 1u);
  EXPECT_EQ(backend.log.Count("Clock::EndPeriod(1)"), 1u);
}

TEST_F(ProgramTest, WindowThatCannotBeCreatedShowsTheErrorAndExitsWithOne) {
  backend.faults.Fail("Window::CreateMainWindow", 1, platform::E_FAIL);
  EXPECT_EQ(RunProgram(""), 1);
  ASSERT_EQ(backend.dialogs.boxes.size(), 1u);
  EXPECT_EQ(backend.dialogs.boxes[0].text, "メインウィンドウの生成に失敗しました。");
  EXPECT_EQ(backend.dialogs.boxes[0].caption, "Sorvani");
  EXPECT_EQ(backend.dialogs.boxes[0].flags, platform::MB_ICONERROR);
}

}  // namespace
