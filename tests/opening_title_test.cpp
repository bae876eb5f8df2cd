// The opening logos and the title menu, frame by frame: logo timings and shortcuts, the menu's
// fade and slide, the cursor and its latch, the idle wait for the demonstration, the decisions.
#include <gtest/gtest.h>

#include "app/score_ranking.h"
#include "game/game.h"
#include "scene_test_support.h"

namespace {

using platform::DIK_DOWN;
using platform::DIK_ESCAPE;
using platform::DIK_SPACE;
using platform::DIK_UP;

class OpeningLogoTest : public SceneTest {
 protected:
  OpeningLogoTest() { OpeningLogoScene(window, 1); }
};

TEST_F(OpeningLogoTest, WithoutInputEachLogoFadesHoldsAndFadesOutThenTheTitleOnFrame618) {
  const int logoX = (640 - TestPictureWidth(PIC_LOGO)) / 2;
  const int logoY = (480 - TestPictureHeight(PIC_LOGO)) / 2;
  struct Expect {
    int frame;
    PictureId id;
    int alpha;
  };
  // Frame 1 only clears; 64 frames of fade-in, 180 of hold, 64 of fade-out per logo.
  const Expect expected[] = {{2, PIC_LOGO, 0},         {65, PIC_LOGO, 252},       {66, PIC_LOGO, 255},
                             {245, PIC_LOGO, 255},     {246, PIC_LOGO, 255},      {247, PIC_LOGO, 251},
                             {309, PIC_LOGO, 3},       {310, PIC_QUENTALOR, 0},   {373, PIC_QUENTALOR, 252},
                             {374, PIC_QUENTALOR, 255}, {553, PIC_QUENTALOR, 255}, {617, PIC_QUENTALOR, 3}};
  int frame = 0;
  for (const Expect& e : expected) {
    SCOPED_TRACE("frame " + std::to_string(e.frame));
    Frames(e.frame - frame);
    frame = e.frame;
    const auto draws = Draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].id, e.id);
    EXPECT_EQ(draws[0].alpha, e.alpha);
    if (e.id == PIC_LOGO) {
      EXPECT_EQ(draws[0].x, logoX);
      EXPECT_EQ(draws[0].y, logoY);
    }
  }
  EXPECT_EQ(currentScene, OpeningLogoScene);
  Frame();  // 618
  EXPECT_EQ(currentScene, TitleScene);
  EXPECT_TRUE(Draws().empty());
  EXPECT_EQ(SceneTags(), (std::vector<std::string>{"[oplogo]", "[title]"}));
}

TEST_F(OpeningLogoTest, ShotHeldFromTheStartSkipsToTheSecondLogoWhose27thFrameGoesToTheTitle) {
  Hold(DIK_SPACE);
  Frames(2);
  EXPECT_EQ(DrawsOf(PIC_LOGO).size(), 1u);  // the first logo's only frame
  Frame();
  ASSERT_EQ(DrawsOf(PIC_QUENTALOR).size(), 1u);
  EXPECT_EQ(DrawsOf(PIC_QUENTALOR)[0].alpha, 4);
  // The second logo's frames 2..26 ignore the shot still held.
  Frames(25);
  EXPECT_EQ(currentScene, OpeningLogoScene);
  Frame();
  EXPECT_EQ(currentScene, TitleScene);
}

TEST_F(OpeningLogoTest, ShotDuringTheFirstFadeOutShowsTheSecondLogoOpaqueForItsWholeHold) {
  Frames(250);  // in the first logo's fade-out
  Hold(DIK_SPACE);
  Frame();
  Hold(DIK_SPACE, false);
  for (int i = 0; i < 180; ++i) {
    Frame();
    ASSERT_EQ(DrawsOf(PIC_QUENTALOR).size(), 1u) << i;
    ASSERT_EQ(DrawsOf(PIC_QUENTALOR)[0].alpha, 255) << i;
  }
  Frame();
  EXPECT_EQ(DrawsOf(PIC_QUENTALOR)[0].alpha, 255);  // the fade-out starts from full
  Frame();
  EXPECT_EQ(DrawsOf(PIC_QUENTALOR)[0].alpha, 251);
}

class TitleTest : public SceneTest {
 protected:
  TitleTest() {
    TitleScene(window, 2);
    Frames(30);  // set-up and 29 frames of fade-in
  }

  // Presses and releases a key: one frame held, one frame released.
  void Press(std::uint8_t key) {
    Hold(key);
    Frame();
    Hold(key, false);
    Frame();
  }
  float CursorY() const {
    const auto cursor = DrawsOf(PIC_CURSOR);
    return cursor.empty() ? -1 : cursor[0].y;
  }
};

TEST_F(TitleTest, MenuSlidesInWhileItFadesAndStandsAtFullOpacity) {
  ResetScenes();
  TitleScene(window, 1);
  Frame();
  EXPECT_EQ(DrawsOf(PIC_START)[0].alpha, 0);
  Frame();
  ASSERT_EQ(DrawsOf(PIC_START).size(), 1u);
  EXPECT_EQ(DrawsOf(PIC_START)[0].alpha, 9);
  EXPECT_EQ(DrawsOf(PIC_START)[0].x, 655 - 9);
  EXPECT_EQ(DrawsOf(PIC_EXTRA)[0].x, 497 - 9);
  EXPECT_EQ(DrawsOf(PIC_SELECT_TRIAL)[0].x, 10);
  Frames(27);
  EXPECT_EQ(DrawsOf(PIC_START)[0].alpha, 252);
  Frame();  // the 29th: the menu is in
  const std::vector<PictureId> order = {PIC_TITLELOGO, PIC_START, PIC_SELECT_TRIAL, PIC_START2, PIC_EXTRA,
                                        PIC_STORY,     PIC_EXIT,  PIC_COPYRIGHT,    PIC_CURSOR};
  const auto draws = Draws();
  ASSERT_EQ(draws.size(), order.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    EXPECT_EQ(draws[i].id, order[i]) << i;
    EXPECT_EQ(draws[i].alpha, 255) << i;
  }
  EXPECT_EQ(DrawsOf(PIC_START)[0].x, 400);
  EXPECT_EQ(DrawsOf(PIC_EXTRA)[0].x, 242);
  EXPECT_EQ(CursorY(), 300);
}

TEST_F(TitleTest, CursorWrapsActsOncePerPressAndPauseJumpsToExit) {
  Press(DIK_UP);
  EXPECT_EQ(CursorY(), 415);  // START -> EXIT
  Press(DIK_DOWN);
  EXPECT_EQ(CursorY(), 300);  // EXIT -> START
  Hold(DIK_DOWN);
  Frames(20);
  EXPECT_EQ(CursorY(), 325);  // a held key moves once
  Hold(DIK_DOWN, false);
  Frame();
  const float expected[] = {350, 367, 390, 415, 300};
  for (float y : expected) {
    Press(DIK_DOWN);
    EXPECT_EQ(CursorY(), y);
  }
  Press(DIK_ESCAPE);
  EXPECT_EQ(CursorY(), 415);
  EXPECT_EQ(currentScene, TitleScene);  // pause does not leave
  Press(DIK_SPACE);
  EXPECT_EQ(FramesUntilLeaving(40), 28);  // 29 frames of fade-out in all
  EXPECT_EQ(currentScene, ProgramExitScene);
  EXPECT_EQ(backend.window.Find(window), nullptr);
}

TEST_F(TitleTest, DemonstrationAfter1801IdleFramesAndNeverWhileAKeyIsHeld) {
  // The fixture's set-up frames were idle only from the menu's first frame on.
  StartLogAfresh();
  ResetScenes();
  TitleScene(window, 2);
  Frames(30);  // set-up and fade-in; the menu reads input from the 31st frame on
  Frames(1800);
  EXPECT_EQ(currentScene, TitleScene);
  Frame();
  EXPECT_EQ(currentScene, PlayScene);
  EXPECT_EQ(gameRecord.entryType, 3);

  // Idle time before a press is forgotten; a held key does not count.
  ResetScenes();
  TitleScene(window, 2);
  Frames(1000);
  Hold(DIK_UP);
  Frames(5000);
  EXPECT_EQ(currentScene, TitleScene);
  Hold(DIK_UP, false);
  Frames(1800);
  EXPECT_EQ(currentScene, TitleScene);
  Frame();
  EXPECT_EQ(currentScene, PlayScene);
}

TEST_F(TitleTest, DemowaitSettingScalesTheIdleWait) {
  appState.demowait = 2;
  ResetScenes();
  TitleScene(window, 2);
  Frames(30 + 120);
  EXPECT_EQ(currentScene, TitleScene);
  Frame();
  EXPECT_EQ(currentScene, PlayScene);
}

// Each menu position to where it leads; two-player runs need a second shot for player 2.
TEST_F(TitleTest, EachPositionLeadsToItsSceneAndEntryKind) {
  struct Case {
    int downs;
    SceneFunction next;
    int entryType;  // of the run the weapon selection starts, 0 for none
    int shots;
  };
  const Case cases[] = {{0, WeaponSelectScene, 1, 1}, {1, WeaponSelectScene, 2, 2}, {2, WeaponSelectScene, 4, 1},
                        {3, WeaponSelectScene, 5, 2}, {4, StoryScene, 0, 0},        {5, ProgramExitScene, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.downs);
    ResetScenes();
    ResetPlayScene();
    backend.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
    TitleScene(window, 2);
    Frames(30);
    for (int i = 0; i < c.downs; ++i) Press(DIK_DOWN);
    Press(DIK_SPACE);
    FramesUntilLeaving(40);
    EXPECT_EQ(currentScene, c.next);
    if (c.entryType == 0) continue;
    Frames(31);  // set-up and fade-in of the selection
    for (int i = 0; i < c.shots; ++i) Press(DIK_SPACE);
    FramesUntilLeaving(40);
    EXPECT_EQ(currentScene, PlayScene);
    EXPECT_EQ(gameRecord.entryType, c.entryType);
  }
}

TEST_F(TitleTest, TheHiddenLastPositionOpensOnlyAfterEveryStageWasClearedAndReplaysTheEnding) {
  Press(DIK_UP);
  Press(DIK_DOWN);
  EXPECT_EQ(CursorY(), 300);  // EXIT wraps to START: no seventh position yet

  scoreRanking = ScoreRanking{};
  scoreRanking.tables[1 * 3 + 2][1] = {31, 1234, 56789};  // extra mode, weapon 2, second place
  scoreRanking.tables[0][0] = {12, 0, 99999};              // not cleared: never chosen
  ResetScenes();
  TitleScene(window, 1);
  Frames(30);
  Press(DIK_UP);
  EXPECT_EQ(CursorY(), 440);
  Press(DIK_SPACE);
  FramesUntilLeaving(40);
  EXPECT_EQ(currentScene, EndingScene);
  const RunResult& result = gameRecord.runResult;
  EXPECT_EQ(result.resultMode, MODE_EXTRA);
  EXPECT_EQ(result.resultWeapon, 2);
  EXPECT_EQ(result.resultScoreP1, 56789);
  EXPECT_EQ(result.resultTime, 1234);
  EXPECT_EQ(result.resultRank, 1);
  EXPECT_EQ(result.resultScoreP2, -1);
  scoreRanking = ScoreRanking{};
}

TEST_F(TitleTest, HalfRateDrawsEveryOtherFrameButTheFadeTakesAsManyFrames) {
  appState.halfRate = 1;
  ResetScenes();
  TitleScene(window, 2);
  int drawnFrames = 0;
  for (int i = 0; i < 30; ++i) {
    Frame();
    if (!backend.graphics.draws.empty()) ++drawnFrames;
  }
  EXPECT_EQ(drawnFrames, 15);
  Hold(DIK_DOWN);
  Frames(2);
  Hold(DIK_DOWN, false);
  Frames(3);  // the 35th frame is drawn
  ASSERT_FALSE(backend.graphics.draws.empty());
  EXPECT_EQ(CursorY(), 325);
}

}  // namespace
