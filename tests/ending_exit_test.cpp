// The ending and the program exit: the ending's pages and texts by mode, the result screen for
// one and two players, the shot that moves it on and the return to the title; the exit's log
// lines and the window it destroys.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/score_ranking.h"
#include "game/game.h"
#include "game/play.h"
#include "scene_test_support.h"

namespace {

using platform::DIK_SPACE;

class EndingTest : public SceneTest {
 protected:
  // As the play scene leaves a cleared one-player trial.
  void EnterWith(std::int16_t mode, std::int32_t scoreP2) {
    RunResult& result = gameRecord.runResult;
    result.resultMode = mode;
    result.resultMissP1 = 3;
    result.resultMissP2 = scoreP2 >= 0 ? 7 : 0;
    result.resultTime = 754;  // 12.56 seconds
    result.resultRank = scoreP2 >= 0 ? -1 : 0;
    result.resultScoreP1 = 123456;
    result.resultScoreP2 = scoreP2;
    result.resultWeapon = 1;
    SwitchToEnding();
  }
  void Press(std::uint8_t key = DIK_SPACE) {
    Hold(key);
    Frame();
    Hold(key, false);
    Frame();
  }
  // The digits drawn on one row from x on, in order.
  std::vector<PictureId> DigitsAt(float y, float fromX, float toX) const {
    std::vector<PictureId> digits;
    for (const SceneDraw& d : Draws())
      if (d.y == y && d.x >= fromX && d.x < toX && d.id >= PIC_0 && d.id <= PIC_9) digits.push_back(d.id);
    return digits;
  }
};

// Per page: 32 frames of fade-in, 300 of hold, 32 of fade-out.
TEST_F(EndingTest, FivePagesWithTheirTextsThenTheResultUntilAShot) {
  EnterWith(MODE_TRIAL, -1);
  Frame();
  EXPECT_EQ(pictures.currentSet, kEndingPictureSet);
  const PictureId pictureOf[5] = {PIC_ENDING1, PIC_ENDING2, PIC_ENDING3, PIC_ENDING4, PIC_ENDING2B};
  const PictureId textOf[5] = {PIC_ENDING_TEXT1, PIC_ENDING_TEXT2, PIC_ENDING_TEXT3, PIC_ENDING_TEXT4,
                               PIC_ENDING_TEXT5};
  for (int page = 0; page < 5; ++page) {
    SCOPED_TRACE(page);
    Frame();
    ASSERT_EQ(Draws().size(), 2u);
    EXPECT_EQ(Draws()[0].id, pictureOf[page]);
    EXPECT_EQ(Draws()[0].alpha, 0);
    EXPECT_EQ(Draws()[1].id, textOf[page]);
    EXPECT_EQ(Draws()[1].y, 410);
    Frames(32);
    EXPECT_EQ(Draws()[0].alpha, 255);
    Frames(299 + 32);
    EXPECT_EQ(Draws()[0].alpha, 255 - 31 * 8);
  }
  Frame();
  EXPECT_TRUE(Drew(PIC_CONGRATULATIONS));
  Frames(600);  // the result waits for the player
  EXPECT_EQ(currentScene, EndingScene);
  Press();
  EXPECT_EQ(FramesUntilLeaving(40), 31);
  EXPECT_EQ(currentScene, TitleScene);
  EXPECT_EQ(SceneTags(), (std::vector<std::string>{"[ending]", "[title]"}));
}

TEST_F(EndingTest, ShotHeldOverFromPlayDoesNotSkipButEachNewShotTurnsAPage) {
  EnterWith(MODE_TRIAL, -1);
  Hold(DIK_SPACE);
  Frames(1 + 32 + 100);
  EXPECT_EQ(Draws()[0].id, PIC_ENDING1);
  EXPECT_EQ(Draws()[0].alpha, 255);
  Hold(DIK_SPACE, false);
  Frame();
  Press();  // ends the first page's hold
  Frames(31);
  Frame();
  EXPECT_EQ(Draws()[0].id, PIC_ENDING2);
}

TEST_F(EndingTest, ExtraAndLunaticRunsHaveTheirOwnTextsAndTheFireworks) {
  for (std::int16_t mode : {MODE_EXTRA, MODE_LUNATIC}) {
    SCOPED_TRACE(mode);
    EnterWith(mode, -1);
    Frames(2);
    EXPECT_EQ(Draws()[1].id, PIC_EX_ENDING_TEXT1);
    Frames(4 * 364);
    EXPECT_EQ(Draws()[0].id, PIC_ENDING3B);
    EXPECT_EQ(Draws()[1].id, PIC_EX_ENDING_TEXT5);
  }
}

TEST_F(EndingTest, OnePlayerResultShowsModeScoreMissesTimeAndTheBlinkingRank) {
  scoreRanking = ScoreRanking{};
  scoreRanking.tables[3 + 1][0] = {31, 754, 123456};  // where the run went: extra, weapon 1
  EnterWith(MODE_EXTRA, -1);
  Frames(1 + 5 * 364 + 32);
  EXPECT_TRUE(Drew(PIC_MODE_EXTRA));
  EXPECT_FALSE(Drew(PIC_2P));
  EXPECT_EQ(DrawsOf(PIC_1P)[0].y, 140);
  EXPECT_EQ(DigitsAt(140, 260, 400), (std::vector<PictureId>{PIC_1, PIC_2, PIC_3, PIC_4, PIC_5, PIC_6}));
  EXPECT_EQ(DigitsAt(140, 500, 640), (std::vector<PictureId>{PIC_0, PIC_3}));
  EXPECT_EQ(DigitsAt(230, 260, 308), (std::vector<PictureId>{PIC_0, PIC_1, PIC_2}));
  EXPECT_EQ(DigitsAt(230, 316, 400), (std::vector<PictureId>{PIC_5, PIC_6}));
  // The ranking of the run's table, its first place blinking every 15 frames.
  int shown = 0;
  for (int i = 0; i < 60; ++i) {
    Frame();
    ASSERT_TRUE(Drew(PIC_RANKING));
    ASSERT_TRUE(Drew(PIC_2ND));
    if (Drew(PIC_1ST)) ++shown;
  }
  EXPECT_EQ(shown, 30);
  scoreRanking = ScoreRanking{};
}

TEST_F(EndingTest, TwoPlayerResultShowsBothPlayersAndNoRanking) {
  EnterWith(MODE_TRIAL, 654321);
  Frames(1 + 5 * 364 + 40);
  EXPECT_TRUE(Drew(PIC_MODE_TRIAL));
  EXPECT_EQ(DrawsOf(PIC_2P)[0].y, 170);
  EXPECT_EQ(DigitsAt(170, 260, 400), (std::vector<PictureId>{PIC_6, PIC_5, PIC_4, PIC_3, PIC_2, PIC_1}));
  EXPECT_EQ(DigitsAt(170, 500, 640), (std::vector<PictureId>{PIC_0, PIC_7}));
  EXPECT_FALSE(Drew(PIC_RANKING));
}

TEST_F(EndingTest, AReplayedEndingLeavesOutTheMissesItDoesNotKnow) {
  EnterWith(MODE_TRIAL, -1);
  gameRecord.runResult.resultMissP1 = -1;
  Frames(1 + 5 * 364 + 40);
  EXPECT_TRUE(Drew(PIC_SCORE));
  EXPECT_FALSE(Drew(PIC_MISS));
}

// The whole way: the weapon chosen, the run started, the thirtieth stage cleared, the ending
// with that run's result, and the title entered fresh.
TEST_F(EndingTest, ClearedThirtiethStageLeadsThroughTheEndingBackToTheTitle) {
  ResetRanking();
  WeaponSelectScene(window, 1);
  Frames(30);
  Press(platform::DIK_RIGHT);
  Press();
  ASSERT_EQ(FramesUntilLeaving(40), 28);
  ASSERT_EQ(currentScene, PlayScene);
  Frame();  // the first stage's set-up
  gameRecord.stageIndex = 29;
  gameRecord.stageClearCounter = 1;  // the last boss has just fallen
  gameRecord.boss.defeatTimer = 61;
  gameRecord.timeLeft = 600;
  gameRecord.players[0].score = 4000;
  ClearRecords(gameRecord.enemies, kEnemySlots);
  ASSERT_GT(FramesUntilLeaving(100), 0);
  ASSERT_EQ(currentScene, EndingScene);
  EXPECT_EQ(gameRecord.runResult.resultWeapon, 1);
  EXPECT_EQ(gameRecord.runResult.resultRank, 0);

  Frame();
  EXPECT_EQ(pictures.currentSet, kEndingPictureSet);
  Frames(5 * 364 + 40);
  ASSERT_TRUE(Drew(PIC_CONGRATULATIONS));
  const int score = 4000 + 600 * 100 / 60;
  const std::vector<PictureId> digits = DigitsAt(140, 260, 400);
  ASSERT_EQ(digits.size(), 6u);
  int shown = 0;
  for (PictureId digit : digits) shown = shown * 10 + (digit - PIC_0);
  EXPECT_EQ(shown, score);
  Press();
  EXPECT_EQ(FramesUntilLeaving(40), 31);
  EXPECT_EQ(currentScene, TitleScene);
  const std::vector<std::string> tags = SceneTags();
  ASSERT_GE(tags.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(tags.end() - 3, tags.end()),
            (std::vector<std::string>{"[playgame]", "[ending]", "[title]"}));
  // A fresh title entry: it looks for the title music again.
  const std::vector<std::string> log = LogMessages();
  const auto title = std::find(log.rbegin(), log.rend(), "[title]");
  ASSERT_NE(title, log.rbegin());
  EXPECT_EQ(*(title - 1), "BGM(svdata03.m)準備中...");
  ResetRanking();
}

class ProgramExitTest : public SceneTest {};

TEST_F(ProgramExitTest, ExitDestroysTheWindowAndTheLoopEnds) {
  backend.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
  ProgramExitScene(window, 1);
  EXPECT_EQ(backend.window.Find(window), nullptr);
  EXPECT_EQ(LogMessages(), std::vector<std::string>{"[program_exit]"});
  ProgramExitScene(window, 1 + 1);  // other kinds do nothing
  EXPECT_EQ(LogMessages().size(), 1u);
}

}  // namespace
