// The pause: the request, the overlay's fade in and out, the menu's latch and sounds, and the
// three choices; the clock and the stage stand still meanwhile.
#include <algorithm>

#include "play_test_support.h"

namespace {

class PlayPauseTest : public PlayTest {
 protected:
  // A one-player trial run on a stage that keeps running, paused and with the menu open.
  void OpenMenu(int entry = 1, std::uint16_t weapons = 0) {
    Start(entry, weapons);
    EmptyStageThatKeepsRunning();
    gameRecord.stageIntroTimer = 180;
    gameRecord.fadeAlpha = 255;
    Hold(platform::VK_ESCAPE);
    Step();
    Hold(platform::VK_ESCAPE, false);
    Step(28);
    ASSERT_EQ(gameRecord.pauseCounter, 30);
  }
  void Tap(std::uint32_t key) {
    Hold(key);
    Step();
    Hold(key, false);
    Step();
  }
  const fake::DrawCall* DrawOf(PictureId id) {
    const std::vector<PictureId> ids = DrawnPictures();
    for (std::size_t i = 0; i < ids.size(); ++i)
      if (ids[i] == id) return &backend.graphics.draws[i];
    return nullptr;
  }
  static int Alpha(const fake::DrawCall& call) { return static_cast<int>(call.colour >> 24); }
};

TEST_F(PlayPauseTest, PauseHeldThroughTheFadeInOpensTheMenuAndResumesOnItsFirstFrame) {
  Start(1);
  EmptyStageThatKeepsRunning();
  EnableSound();
  const std::int16_t clock = gameRecord.timeLeft;
  const std::int16_t intro = gameRecord.stageIntroTimer;
  const int shotX = 200;
  FirePlayerShot(false, shotX, 100, shotX, 100, 1);
  PlayedEffects();
  Hold(platform::VK_ESCAPE);
  Step();
  // The request frame still moves the world; the clock already stands.
  EXPECT_EQ(gameRecord.pauseCounter, 2);
  EXPECT_EQ(gameRecord.timeLeft, clock);
  const double shotAfterRequest = gameRecord.playerShots[0].x;
  Hold(platform::VK_RIGHT);  // the sister stays where she is while paused
  const int x = gameRecord.players[0].x;
  Step(28);
  EXPECT_EQ(gameRecord.pauseCounter, 30);
  EXPECT_EQ(gameRecord.pauseCursor, 0);
  EXPECT_TRUE(PlayedEffects().empty());
  Step();
  EXPECT_EQ(gameRecord.pauseCounter, 31) << "the held pause cancels the menu at once";
  EXPECT_EQ(PlayedEffects(), (std::vector<Played>{{WAV_MENU_CANCEL, 0}}));
  Hold(platform::VK_ESCAPE, false);
  Hold(platform::VK_RIGHT, false);
  Step(28);
  EXPECT_EQ(gameRecord.pauseCounter, 59);
  Step();
  EXPECT_EQ(gameRecord.pauseCounter, 0);
  EXPECT_EQ(gameRecord.players[0].x, x);
  EXPECT_EQ(gameRecord.playerShots[0].x, shotAfterRequest);
  EXPECT_EQ(gameRecord.timeLeft, clock);
  EXPECT_EQ(gameRecord.stageIntroTimer, intro + 1);
  Step();
  EXPECT_EQ(gameRecord.timeLeft, clock - 1);
  EXPECT_EQ(gameRecord.stageIntroTimer, intro + 2);
}

TEST_F(PlayPauseTest, ReleasedBeforeTheMenuTheMenuStaysOpenAndEachPressMovesTheCursorOnce) {
  OpenMenu();
  EnableSound();
  Step(40);
  EXPECT_EQ(gameRecord.pauseCounter, 30);
  Hold(platform::VK_UP);
  Step(5);
  EXPECT_EQ(gameRecord.pauseCursor, 2) << "up from the first choice wraps to the last";
  EXPECT_EQ(gameRecord.pauseLastKey, 100);
  EXPECT_EQ(PlayedEffects(), (std::vector<Played>{{WAV_MENU_SELECT, 0}}));
  // Down read in the frame up lets go moves at once.
  Hold(platform::VK_UP, false);
  Hold(platform::VK_DOWN);
  Step();
  EXPECT_EQ(gameRecord.pauseCursor, 0);
  EXPECT_EQ(gameRecord.pauseLastKey, 101);
  Hold(platform::VK_DOWN, false);
  Step();
  EXPECT_EQ(gameRecord.pauseLastKey, 0);
  Tap(platform::VK_DOWN);
  Tap(platform::VK_DOWN);
  Tap(platform::VK_DOWN);
  EXPECT_EQ(gameRecord.pauseCursor, 0) << "down from the last choice wraps to the first";
  Tap(platform::VK_UP);
  EXPECT_EQ(gameRecord.pauseCursor, 2);
  EXPECT_EQ(PlayedEffects().size(), 5u);
  // Left, right and anything else leave the latch and the menu alone.
  Hold(platform::VK_LEFT);
  Step(3);
  Hold(platform::VK_LEFT, false);
  EXPECT_EQ(gameRecord.pauseCounter, 30);
  EXPECT_TRUE(PlayedEffects().empty());
  // The pause cancels whatever the cursor is on.
  Tap(platform::VK_ESCAPE);
  EXPECT_EQ(gameRecord.pauseCursor, 0);
  EXPECT_EQ(PlayedEffects(), (std::vector<Played>{{WAV_MENU_CANCEL, 0}}));
}

TEST_F(PlayPauseTest, OverlayPicturesAndOpacitiesThroughTheSequence) {
  Start(1);
  EmptyStageThatKeepsRunning();
  gameRecord.stageIntroTimer = 180;
  gameRecord.fadeAlpha = 255;
  struct Where {
    PictureId id;
    float x, y;
  };
  const Where overlay[] = {{PIC_PAUSEBACK, 0, 0},
                           {PIC_PAUSEMES, 226, 163},
                           {PIC_RETURNGAME, 268, 193},
                           {PIC_RETURNMENU, 263, 216},
                           {PIC_GOTOSTART, 226, 239}};
  struct Case {
    int steps;  // frames since the last case
    int counter;
    int alpha;
    float cursorY;  // 0: no cursor
  };
  // Pause held on the first frame only; the menu opened, down pressed, then the shot decides.
  const Case cases[] = {{1, 2, 16, 0}, {1, 3, 24, 0}, {27, 30, 240, 0}, {1, 30, 255, 193},
                        {0, 31, 255, 216}, {1, 32, 224, 216}, {27, 59, 8, 216}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.counter);
    if (test.counter == 2) Hold(platform::VK_ESCAPE);
    if (test.counter == 31) {
      Hold(platform::VK_DOWN);
      Step();
      Hold(platform::VK_DOWN, false);
      Hold(platform::VK_SPACE);
    }
    Step(test.steps == 0 ? 1 : test.steps);
    Hold(platform::VK_ESCAPE, false);
    Hold(platform::VK_SPACE, false);
    ASSERT_EQ(gameRecord.pauseCounter, test.counter);
    for (const Where& where : overlay) {
      const fake::DrawCall* call = DrawOf(where.id);
      ASSERT_NE(call, nullptr) << where.id;
      EXPECT_EQ(call->translation.x, where.x) << where.id;
      EXPECT_EQ(call->translation.y, where.y) << where.id;
      EXPECT_EQ(Alpha(*call), test.alpha) << where.id;
    }
    const fake::DrawCall* cursor = DrawOf(PIC_PAUSECURSOR);
    if (test.cursorY == 0) {
      EXPECT_EQ(cursor, nullptr);
    } else {
      ASSERT_NE(cursor, nullptr);
      EXPECT_EQ(cursor->translation.x, 0);
      EXPECT_EQ(cursor->translation.y, test.cursorY);
      EXPECT_EQ(Alpha(*cursor), test.alpha);
    }
    // Drawn over the HUD, beneath nothing else of the scene.
    const std::vector<PictureId> ids = DrawnPictures();
    EXPECT_EQ(ids.back(), test.cursorY == 0 ? PIC_GOTOSTART : PIC_PAUSECURSOR);
  }
}

TEST_F(PlayPauseTest, ReturnToGameFadesOnlyTheMenuTheOtherChoicesTheWholeScene) {
  struct Case {
    int downs;
    bool wholeScene;
  };
  EnableSound();
  for (const Case& test : {Case{0, false}, Case{1, true}, Case{2, true}}) {
    SCOPED_TRACE(test.downs);
    OpenMenu();
    PlayedEffects();
    for (int i = 0; i < test.downs; ++i) Tap(platform::VK_DOWN);
    Hold(platform::VK_SPACE);
    Step();
    Hold(platform::VK_SPACE, false);
    EXPECT_EQ(gameRecord.pauseCounter, 31);
    EXPECT_EQ(PlayedEffects().back(), (Played{WAV_MENU_DECIDE, 0}));
    for (int counter = 32; counter < 60; ++counter) {
      Step();
      const int alpha = (60 - counter) * 8;
      ASSERT_EQ(gameRecord.fadeAlpha, test.wholeScene ? alpha : 255) << counter;
      // The backdrop was drawn before this frame's fade step: with the last frame's opacity.
      const fake::DrawCall* sky = DrawOf(PIC_BG01);
      ASSERT_NE(sky, nullptr);
      EXPECT_EQ(Alpha(*sky), test.wholeScene && counter > 32 ? alpha + 8 : 255) << counter;
    }
    EXPECT_EQ(currentScene, PlayScene);
  }
}

TEST_F(PlayPauseTest, ReturnToMenuEntersTheTitleAsAFreshStart) {
  OpenMenu();
  appState.enable_debug_write = 1;
  Tap(platform::VK_DOWN);
  Hold(platform::VK_SPACE);
  Step();
  Hold(platform::VK_SPACE, false);
  Step(28);
  EXPECT_EQ(currentScene, PlayScene);
  Step();
  EXPECT_EQ(currentScene, TitleScene);
  EXPECT_EQ(gameRecord.fadeAlpha, 0);
  EXPECT_EQ(gameRecord.pauseCounter, 0);
  // Kind 1 starts the title's music again (here: looks for its files).
  const std::vector<std::string> log = LogMessages();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[0], "[title]");
  EXPECT_NE(std::find(log.begin(), log.end(), "svdata03.m/mx 読み出しエラー"), log.end());
  // The play scene's steps stop with the hand-over.
  const std::uint64_t hash = HashGameRecord();
  PlayScene(window, SCENE_STEP);
  EXPECT_EQ(HashGameRecord(), hash);
}

TEST_F(PlayPauseTest, GoToStartRestartsAtStageOneWithTheSameWeaponsAndMode) {
  Hold('L');
  OpenMenu(4, 0x0002);
  Hold('L', false);
  ASSERT_EQ(gameRecord.gameMode, MODE_LUNATIC);
  gameRecord.stageIndex = 3;
  gameRecord.stagesCleared = 3;
  gameRecord.timeLeft = 1000;
  gameRecord.players[0].score = 777;
  gameRecord.players[0].missCount = 2;
  gameRecord.players[0].x = 300;
  appState.enable_debug_write = 1;
  Tap(platform::VK_DOWN);
  Tap(platform::VK_DOWN);
  Hold(platform::VK_SPACE);
  Step();
  Hold(platform::VK_SPACE, false);
  Step(29);
  EXPECT_EQ(currentScene, PlayScene);
  EXPECT_EQ(gameRecord.pauseCounter, 0);
  EXPECT_EQ(gameRecord.stageIndex, 0);
  EXPECT_EQ(gameRecord.stageInitPending, 1);
  EXPECT_EQ(gameRecord.stagesCleared, 0);
  EXPECT_EQ(gameRecord.timeLeft, 3600);
  EXPECT_EQ(gameRecord.frameCounter, 0);
  EXPECT_EQ(gameRecord.fadeAlpha, 0);
  EXPECT_EQ(gameRecord.pauseLastKey, 0);
  EXPECT_EQ(gameRecord.players[0].score, 0);
  EXPECT_EQ(gameRecord.players[0].missCount, 0);
  EXPECT_EQ(gameRecord.players[0].weapon, WEAPON_SPEED);
  EXPECT_EQ(gameRecord.gameMode, MODE_LUNATIC) << "the L key is not read again";
  EXPECT_EQ(gameRecord.entryType, 4);
  // From the generator's seed on: no entry line, no picture set loaded.
  std::vector<std::string> log = LogMessages();
  EXPECT_EQ(std::find(log.begin(), log.end(), "[playgame]"), log.end());
  EXPECT_EQ(log.back(), "準備完了");
  Step();
  log = LogMessages();
  EXPECT_NE(std::find(log.begin(), log.end(), "ステージ1 初期化開始"), log.end());
  EXPECT_EQ(gameRecord.players[0].x, 40);
  EXPECT_EQ(gameRecord.enemies[0].hitPoints, 2) << "a lunatic stage for one player";
}

TEST_F(PlayPauseTest, NoPauseWhileTheStageClearsOrTheTimeIsUp) {
  Start(1);
  ClearRecords(gameRecord.enemies, kEnemySlots);
  Step();
  Hold(platform::VK_ESCAPE);
  Step(5);
  Hold(platform::VK_ESCAPE, false);
  EXPECT_GT(gameRecord.stageClearCounter, 0);
  EXPECT_EQ(gameRecord.pauseCounter, 0);

  Start(1);
  EmptyStageThatKeepsRunning();
  gameRecord.timeLeft = 0;
  Hold(platform::VK_ESCAPE);
  Step(5);
  EXPECT_EQ(gameRecord.pauseCounter, 0);
  EXPECT_EQ(gameRecord.timeLeft, -5);
}

TEST_F(PlayPauseTest, TheSecondPlayerCanPauseButOnlyTheFirstWorksTheMenu) {
  Start(2);
  EmptyStageThatKeepsRunning();
  // Pads: the second player's pause is a button of the second pad.
  inputState.keyboardOnly = false;
  ReleaseInput();
  backend.input.AttachPad();
  backend.input.AttachPad();
  InitInput(window);
  ASSERT_FALSE(inputState.keyboardOnly);
  platform::JoystickState& first = backend.input.PadAt(0).state;
  platform::JoystickState& second = backend.input.PadAt(1).state;
  second.buttons[2] = 0x80;
  Step();
  EXPECT_EQ(gameRecord.pauseCounter, 2);
  Step(40);
  EXPECT_EQ(gameRecord.pauseCounter, 30) << "the second player's held pause does not cancel";
  second.buttons[2] = 0;
  second.y = kAxisRange;
  Step(2);
  EXPECT_EQ(gameRecord.pauseCursor, 0);
  first.y = kAxisRange;
  Step();
  EXPECT_EQ(gameRecord.pauseCursor, 1);
}

}  // namespace
