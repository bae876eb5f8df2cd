// The scene machine: entries, tags, the hand-over in the next frame, kinds a scene refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/app.h"
#include "app/frame_loop.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "scenes/scenes.h"
#include "test_support.h"

namespace {

class SceneMachineTest : public GameTest {
 protected:
  SceneMachineTest() { appState.enable_debug_write = 1; }
};

struct EntryCase {
  SceneFunction scene;
  int kind;
  std::vector<std::string> logged;
};

TEST_F(SceneMachineTest, EveryEntryLogsItsTagAndBecomesCurrent) {
  const EntryCase cases[] = {
      {OpeningLogoScene, 1, {"[oplogo]"}},
      // A fresh title entry also looks for its music (none here).
      {TitleScene,
       1,
       {"[title]", "BGM(svdata03.m)準備中...", "BGM(svdata03.mx)準備中...", "svdata03.m/mx 読み出しエラー",
        "準備完了"}},
      {TitleScene, 2, {"[title]", "準備完了"}},
      {StoryScene, 1, {"[story]", "準備開始"}},
      {WeaponSelectScene, 1, {"[weapon_select]", "準備開始"}},
      {WeaponSelectScene, 2, {"[weapon_select]", "準備開始"}},
      {WeaponSelectScene, 4, {"[weapon_select]", "準備開始"}},
      {WeaponSelectScene, 5, {"[weapon_select]", "準備開始"}},
      {EndingScene, 1, {"[ending]"}},
  };
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.logged.front() + " kind " + std::to_string(entry.kind));
    ResetDebugLog();
    ResetScenes();
    entry.scene(platform::kNoWindow, entry.kind);
    EXPECT_EQ(currentScene, entry.scene);
    EXPECT_EQ(LogMessages(), entry.logged);
  }
}

TEST_F(SceneMachineTest, KindsASceneDoesNotTakeAreFrameStepsOrNothing) {
  struct Refused {
    SceneFunction scene;
    int kind;
    bool steps;  // a frame step may log its own set-up lines, never an entry tag
  };
  // The title, the weapon selection, the story and the play scene step; the ending and the exit
  // ignore.
  const Refused cases[] = {{TitleScene, 3, true},          {TitleScene, 4, true},  {WeaponSelectScene, 3, true},
                           {PlayScene, 6, true},           {PlayScene, -1, true},  {EndingScene, 2, false},
                           {EndingScene, 5, false},        {ProgramExitScene, 2, false},
                           {ProgramExitScene, 0, false},   {StoryScene, 7, true}};
  for (const auto& refused : cases) {
    SCOPED_TRACE(refused.kind);
    std::filesystem::remove("sorvani.log");
    ResetDebugLog();
    ResetScenes();
    refused.scene(platform::kNoWindow, refused.kind);
    EXPECT_EQ(currentScene, nullptr);
    for (const std::string& line : LogMessages()) EXPECT_NE(line.front(), '[') << line;
    if (!refused.steps) {
      EXPECT_TRUE(LogMessages().empty());
    }
  }
}

TEST_F(SceneMachineTest, SwitchToEndingIsTheEntryWithoutTheCall) {
  SwitchToEnding();
  EXPECT_EQ(currentScene, EndingScene);
  EXPECT_EQ(LogMessages(), std::vector<std::string>{"[ending]"});
}

// A scene that hands over to the title in its second frame step, like a real scene would.
int handOverSteps = 0;
int HandOverScene(platform::WindowHandle window, int kind) {
  if (kind == 1) {
    BecomeCurrentScene("[handover]", HandOverScene);
    handOverSteps = 0;
    return 0;
  }
  if (++handOverSteps == 2) TitleScene(window, 1);
  return 0;
}

TEST_F(SceneMachineTest, HandOverTakesEffectInTheNextFrame) {
  ASSERT_EQ(InitDirect3D(1, true, true), platform::S_OK);
  ResetDebugLog();  // the scenes' lines only
  HandOverScene(1, 1);
  RunFrame();
  EXPECT_EQ(currentScene, HandOverScene);
  RunFrame();  // hands over at the end of this step
  EXPECT_EQ(currentScene, TitleScene);
  EXPECT_EQ(handOverSteps, 2);
  RunFrame();  // the title's first step, not the old scene's
  EXPECT_EQ(handOverSteps, 2);
  // Then the title's own first step: it loads its picture set.
  const std::vector<std::string> log = LogMessages();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 2), (std::vector<std::string>{"[handover]", "[title]"}));
  const auto ready = std::find(log.begin(), log.end(), "準備完了");
  ASSERT_NE(ready, log.end());
  ASSERT_NE(ready + 1, log.end());
  EXPECT_EQ(ready[1], "画像データセットの読み込み準備");
}

TEST_F(SceneMachineTest, ProgramExitDestroysTheMainWindowAndStaysCurrent) {
  platform::WindowClass windowClass{"sorvani", nullptr, 0};
  backend.window.RegisterWindowClass(windowClass);
  platform::WindowHandle window = backend.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);
  ProgramExitScene(window, 1);
  EXPECT_EQ(currentScene, ProgramExitScene);
  EXPECT_EQ(backend.window.Find(window), nullptr);
  ProgramExitScene(window, 0);  // its frame step does nothing
  EXPECT_EQ(backend.log.Count("Window::DestroyWindow"), 1u);
  EXPECT_EQ(LogMessages(), std::vector<std::string>{"[program_exit]"});
}

}  // namespace
