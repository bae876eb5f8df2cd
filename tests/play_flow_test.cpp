// The run as a whole: entry, stage set-up, determinism, stage clear, time up and the ending.
#include "play_test_support.h"

#include <algorithm>

#include "app/score_ranking.h"

namespace {

class PlayFlowTest : public PlayTest {};

TEST_F(PlayFlowTest, RunStartLogsLoadsThePlaySetAndSetsUpStageOne) {
  appState.enable_debug_write = 1;
  gameRecord.weaponChoice = 0x0201;
  PlayScene(window, 1);
  EXPECT_EQ(currentScene, PlayScene);
  std::vector<std::string> log = LogMessages();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "[playgame]");
  EXPECT_EQ(log.back(), "準備完了");
  EXPECT_NE(PictureTexture(PIC_YUSERA_SPEED_4), nullptr);
  EXPECT_NE(PictureTexture(PIC_MODE_LUNATIC), nullptr);
  EXPECT_EQ(gameRecord.timeLeft, 3600);
  EXPECT_EQ(gameRecord.players[0].weapon, 1);
  EXPECT_EQ(gameRecord.players[1].weapon, 2);
  EXPECT_EQ(gameRecord.stageInitPending, 1);

  Step();
  log = LogMessages();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(log.end() - 3, log.end()),
            (std::vector<std::string>{"ステージ1 初期化開始", "ステージ構成開始", "ステージ構成完了"}));
  // Stage 1's ten walkers, in table order, one hit point each.
  int placed = 0;
  for (const EnemySlot& enemy : gameRecord.enemies) placed += enemy.kind == KIND_WALKER;
  EXPECT_EQ(placed, 10);
  // Placed at (480, 80) and already one frame into its walk right (2 px in a trial run).
  EXPECT_EQ(gameRecord.enemies[0].baseX, 482);
  EXPECT_EQ(gameRecord.enemies[0].baseY, 80);
  EXPECT_EQ(gameRecord.enemies[0].state, 1);
  EXPECT_EQ(gameRecord.enemies[0].hitPoints, 1);
  EXPECT_EQ(gameRecord.players[0].x, 40);
  EXPECT_EQ(gameRecord.players[0].y, 100);
  EXPECT_EQ(gameRecord.timeLeft, 3599);
  EXPECT_EQ(gameRecord.fadeAlpha, 5);
}

TEST_F(PlayFlowTest, EntryTypesChoosePlayersModeAndDemonstration) {
  struct Case {
    int entry;
    bool lKey;
    int players;
    int mode;
    int demoIndex;
    int weaponP1;
  };
  const Case cases[] = {
      {1, true, 1, MODE_TRIAL, -1, 2},  {2, false, 2, MODE_TRIAL, -1, 2},  {3, false, 1, MODE_TRIAL, 0, 0},
      {4, false, 1, MODE_EXTRA, -1, 2}, {4, true, 1, MODE_LUNATIC, -1, 2}, {5, true, 2, MODE_LUNATIC, -1, 2},
      {5, false, 2, MODE_EXTRA, -1, 2},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.entry);
    Hold('L', test.lKey);
    gameRecord.weaponChoice = 0x0102;
    PlayScene(window, test.entry);
    EXPECT_EQ(gameRecord.playerCount, test.players);
    EXPECT_EQ(gameRecord.gameMode, test.mode);
    EXPECT_EQ(gameRecord.demoIndex, test.demoIndex);
    EXPECT_EQ(gameRecord.players[0].weapon, test.weaponP1);
    EXPECT_EQ(gameRecord.entryType, test.entry);
  }
}

TEST_F(PlayFlowTest, DemonstrationShowsItsLabelAndEndsOnALivePressOrAtTheTablesEnd) {
  Start(3, 0x0202);
  EXPECT_EQ(gameRecord.players[0].weapon, 0);
  EXPECT_EQ(gameRecord.demoIndex, 1);
  gameRecord.frameCounter = 0;
  Step();
  EXPECT_EQ(CountDrawn(PIC_DEMO), 1);
  gameRecord.frameCounter = 30;
  Step();
  EXPECT_EQ(CountDrawn(PIC_DEMO), 0);
  Hold(platform::VK_ESCAPE);
  Step();
  Hold(platform::VK_ESCAPE, false);
  EXPECT_EQ(currentScene, TitleScene);
  EXPECT_EQ(CountDrawn(PIC_BG01), 0) << "nothing of that frame is drawn";

  Start(3);
  gameRecord.timeLeft = 30000;
  gameRecord.demoIndex = 1684;
  Step();
  EXPECT_EQ(currentScene, PlayScene);
  Step();
  EXPECT_EQ(currentScene, TitleScene);
}

TEST_F(PlayFlowTest, FramesThatAreNotDrawnStillRunTheGame) {
  Start(1);
  appState.halfRate = 1;
  appState.renderThisFrame = 0;
  const std::int16_t clock = gameRecord.timeLeft;
  Hold(platform::VK_SPACE);
  Step();
  EXPECT_TRUE(backend.graphics.draws.empty());
  EXPECT_EQ(gameRecord.timeLeft, clock - 1);
  EXPECT_EQ(LiveShots(1), 1);
  appState.renderThisFrame = 1;
  Step();
  EXPECT_FALSE(backend.graphics.draws.empty());
}

TEST_F(PlayFlowTest, AWeaponByteOutsideTheThreeWeaponsPlaysAsRapidFire) {
  const std::uint16_t cases[][3] = {{0x0302, 2, 0}, {0xFF01, 1, 0}, {0x0203, 0, 2}};
  for (const auto& test : cases) {
    gameRecord.weaponChoice = test[0];
    PlayScene(window, 2);
    EXPECT_EQ(gameRecord.players[0].weapon, test[1]) << std::hex << test[0];
    EXPECT_EQ(gameRecord.players[1].weapon, test[2]) << std::hex << test[0];
  }
}

TEST_F(PlayFlowTest, ExtraStagesGiveEveryEnemyTheModesHitPoints) {
  const int cases[][3] = {{4, 0, 1}, {4, 1, 2}, {5, 0, 2}, {5, 1, 3}};  // entry, L key, hit points
  for (const auto& test : cases) {
    Hold('L', test[1] != 0);
    Start(test[0]);
    for (const EnemySlot& enemy : gameRecord.enemies) {
      if (enemy.kind >= KIND_WALKER && enemy.kind <= KIND_WISP) {
        EXPECT_EQ(enemy.hitPoints, test[2]);
      }
    }
  }
}

// Shot held throughout, the sister stepping 4 px up or down every 16 frames across the screen
// and drifting right and back now and then. The clock is set high so the run lasts.
std::uint64_t PlayScripted(PlayTest& test, int entry, std::uint16_t weapons, bool reseed) {
  for (std::uint32_t key : {platform::VK_SPACE, platform::VK_UP, platform::VK_DOWN, platform::VK_LEFT, platform::VK_RIGHT})
    test.Hold(key, false);
  ResetPlayScene();
  test.Start(entry, weapons);
  gameRecord.timeLeft = 30000;
  if (reseed) SeedRandom(12345);
  test.Hold(platform::VK_SPACE);
  for (int frame = 0; frame < 10000; ++frame) {
    const bool up = frame / 1440 % 2 == 0;
    const bool move = frame % 16 == 0;
    test.Hold(platform::VK_UP, move && up);
    test.Hold(platform::VK_DOWN, move && !up);
    test.Hold(platform::VK_RIGHT, frame % 300 < 20);
    test.Hold(platform::VK_LEFT, frame % 300 >= 150 && frame % 300 < 170);
    test.Step();
  }
  return HashGameRecord();
}

TEST_F(PlayFlowTest, SameInputAndModeGiveTheSameRecordAfterTenThousandFrames) {
  const std::uint64_t first = PlayScripted(*this, 1, 0, false);
  EXPECT_GT(gameRecord.stagesCleared, 0) << "the script should get somewhere";
  EXPECT_EQ(currentScene, PlayScene);
  const std::uint64_t second = PlayScripted(*this, 1, 0, false);
  EXPECT_EQ(first, second);
  EXPECT_NE(PlayScripted(*this, 1, 0, true), first);
  // Two sisters in an extra run, other weapons: the same holds.
  const std::uint64_t pair = PlayScripted(*this, 5, 0x0102, false);
  EXPECT_EQ(PlayScripted(*this, 5, 0x0102, false), pair);
}

TEST_F(PlayFlowTest, StageSetUpPlacesPlayersAndMovesTheFirstStrip) {
  Start(1);
  struct Case {
    int stageIndex;
    int offset;
    int x;
    int offsetAfter;
  };
  // After the set-up the frame scrolls the strips once more (1 and 4 px), wrapping at -640.
  const Case cases[] = {{20, -300, 140, -621}, {21, -320, 40, 0}, {3, -330, 40, -1}, {0, 0, 40, -321}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.stageIndex);
    gameRecord.stageIndex = static_cast<std::int16_t>(test.stageIndex);
    gameRecord.bgOffset[0] = static_cast<std::int16_t>(test.offset);
    gameRecord.bgOffset[1] = -7;
    gameRecord.stageInitPending = 1;
    Step();
    EXPECT_EQ(gameRecord.players[0].x, test.x);
    EXPECT_EQ(gameRecord.players[1].x, test.x);
    EXPECT_EQ(gameRecord.players[1].y, 300);
    EXPECT_EQ(gameRecord.players[0].trailX[0], test.x);
    EXPECT_EQ(gameRecord.bgOffset[0], test.offsetAfter);
    EXPECT_EQ(gameRecord.bgOffset[1], -11);
  }
}

TEST_F(PlayFlowTest, AStageWithNothingLeftClearsOnItsFirstFrameButABossStageDoesNot) {
  Start(1);
  ClearRecords(gameRecord.enemies, kEnemySlots);
  Step();
  EXPECT_EQ(gameRecord.stageClearCounter, 2);  // set and run in the same frame

  gameRecord.stageIndex = 4;
  gameRecord.stageInitPending = 1;
  Step(30);
  EXPECT_EQ(gameRecord.stageClearCounter, 0);
  EXPECT_GT(gameRecord.boss.hitPoints, 0);
}

TEST_F(PlayFlowTest, StageClearFliesOutWithTheClockStandingThenSetsUpTheNextStage) {
  Start(1);
  ClearRecords(gameRecord.enemies, kEnemySlots);
  PlaceAt(KIND_WALKER, 600, 400);
  gameRecord.enemyShots[3].active = 1;
  gameRecord.enemyShots[3].picture = PIX_TEKITAMA;
  gameRecord.enemyShots[3].x = 300;
  gameRecord.enemyShots[3].y = 300;
  gameRecord.players[0].x = 100;
  gameRecord.players[0].y = 110;
  KillEnemy(gameRecord.enemies[0], 1);
  Step();
  ASSERT_EQ(gameRecord.stageClearCounter, 2);
  const std::int16_t clock = gameRecord.timeLeft;
  EXPECT_EQ(gameRecord.clearExitStep[0], 5);
  EXPECT_EQ(gameRecord.enemyShots[3].active, 0);
  EXPECT_EQ(gameRecord.stageIntroTimer, 180);
  Step(19);  // counters 2..20: five left a frame, drifting to the lane at y = 100
  EXPECT_EQ(gameRecord.players[0].x, 100 - 19 * 5);
  EXPECT_EQ(gameRecord.players[0].y, 101);  // up to the lane in ten frames, then on and off it
  Step(40);  // 21..60: sixteen right a frame
  EXPECT_EQ(gameRecord.players[0].x, 5 + 40 * 16);
  EXPECT_EQ(gameRecord.timeLeft, clock);
  EXPECT_EQ(gameRecord.stageIndex, 0);
  Step();  // 61: the next stage is asked for, its number at half opacity
  EXPECT_EQ(gameRecord.stageIndex, 1);
  EXPECT_EQ(gameRecord.stagesCleared, 1);
  EXPECT_EQ(gameRecord.stageInitPending, 1);
  EXPECT_EQ(CountDrawn(PIC_GOTONEXTSTAGE), 1);
  Step();
  EXPECT_EQ(gameRecord.stageClearCounter, 0);
  EXPECT_EQ(gameRecord.players[0].x, 40);
  EXPECT_EQ(gameRecord.timeLeft, clock - 1);
}

struct EndingCase {
  int entry;
  int players;
};

TEST_F(PlayFlowTest, AfterTheThirtiethStageTheEndingGetsTheResult) {
  for (int entry : {1, 2}) {
    SCOPED_TRACE(entry);
    ResetRanking();
    Start(entry, 0x0002);
    gameRecord.stageIndex = 29;
    gameRecord.stageClearCounter = 1;  // the last boss has just fallen
    gameRecord.boss.defeatTimer = 61;
    gameRecord.timeLeft = 1234;
    gameRecord.players[0].score = 5000;
    gameRecord.players[0].missCount = 3;
    gameRecord.players[1].score = 700;
    gameRecord.players[1].missCount = 4;
    ClearRecords(gameRecord.enemies, kEnemySlots);
    for (int i = 0; i < 70 && currentScene == PlayScene; ++i) Step();
    ASSERT_EQ(currentScene, EndingScene);
    const RunResult& result = gameRecord.runResult;
    const int bonus = 1234 * 100 / 60;
    EXPECT_EQ(result.resultTime, 1234);
    EXPECT_EQ(result.resultMode, MODE_TRIAL);
    EXPECT_EQ(result.resultMissP1, 3);
    EXPECT_EQ(result.resultScoreP1, 5000 + bonus);
    EXPECT_EQ(result.resultWeapon, 2);
    const RankingEntry& best = scoreRanking.tables[2][0];
    if (entry == 1) {
      EXPECT_EQ(result.resultRank, 0);
      EXPECT_EQ(result.resultScoreP2, -1);
      EXPECT_EQ(best.stageReached, 31);
      EXPECT_EQ(best.timeValue, 1234);
      EXPECT_EQ(best.score, 5000 + bonus);
    } else {
      EXPECT_EQ(result.resultRank, -1);
      EXPECT_EQ(result.resultScoreP2, 700 + bonus);
      EXPECT_EQ(result.resultMissP2, 4);
      EXPECT_EQ(best.score, 0) << "two-player runs are not ranked";
    }
    // The play scene's frame steps stop with the hand-over.
    const std::uint64_t hash = HashGameRecord();
    PlayScene(window, SCENE_STEP);
    EXPECT_EQ(HashGameRecord(), hash);
  }
}

TEST_F(PlayFlowTest, TimeUpRanksOnePlayerRunsAndReturnsToTheTitleAfterTheGameOverDisplay) {
  for (int entry : {1, 2}) {
    SCOPED_TRACE(entry);
    ResetRanking();
    Start(entry, 0x0001);
    EmptyStageThatKeepsRunning();
    gameRecord.stagesCleared = 6;
    gameRecord.players[0].score = 4321;
    gameRecord.timeLeft = 1;
    Step();
    EXPECT_EQ(gameRecord.timeLeft, -1);
    EXPECT_EQ(CountDrawn(PIC_GAMEOVER), 1);
    const RankingEntry& best = scoreRanking.tables[1][0];
    EXPECT_EQ(best.score, entry == 1 ? 4321 : 0);
    EXPECT_EQ(best.stageReached, entry == 1 ? 7 : 0);
    EXPECT_EQ(best.timeValue, 0);
    EXPECT_EQ(CountDrawn(PIC_RANKING), entry == 1 ? 1 : 0);
    // Nothing moves any more.
    const int x = gameRecord.players[0].x;
    Hold(platform::VK_RIGHT);
    Step(299);
    Hold(platform::VK_RIGHT, false);
    EXPECT_EQ(gameRecord.players[0].x, x);
    EXPECT_EQ(currentScene, PlayScene);
    EXPECT_EQ(gameRecord.timeLeft, -300);
    Step();
    EXPECT_EQ(currentScene, TitleScene);
  }
}

TEST_F(PlayFlowTest, GameOverRankingBlinksTheNewEntrysRow) {
  ResetRanking();
  Start(1);
  EmptyStageThatKeepsRunning();
  gameRecord.players[0].score = 10;
  gameRecord.timeLeft = 1;
  gameRecord.frameCounter = 0;  // (frame / 15) even: the new first place is hidden
  Step();
  EXPECT_EQ(CountDrawn(PIC_1ST), 0);
  EXPECT_EQ(CountDrawn(PIC_2ND), 1);
  EXPECT_EQ(CountDrawn(PIC_SCORE), 3);
  gameRecord.frameCounter = 15;
  Step();
  EXPECT_EQ(CountDrawn(PIC_1ST), 1);
}

// The playfield is bright, so the ranking stands on a dark translucent panel drawn before it
// and covering every picture of it; a two-player game over shows neither.
TEST_F(PlayFlowTest, GameOverRankingStandsOnADarkPanel) {
  // The data pack's sizes for the ranking and for the dimmer the panel is cut from.
  std::vector<PictureSize> sizes = {{PIC_PAUSEBACK, 640, 480}, {PIC_RANKING, 640, 44}, {PIC_1ST, 72, 20},
                                    {PIC_2ND, 72, 20},         {PIC_3RD, 72, 20},      {PIC_CSTAGE, 150, 20},
                                    {PIC_SCORE, 90, 20}};
  for (int digit = PIC_0; digit <= PIC_9; ++digit) sizes.push_back({digit, 16, 16});
  WritePictureArchive(kPictureArchive, sizes);
  ResetPictureTable();
  for (int entry : {1, 2}) {
    SCOPED_TRACE(entry);
    ResetRanking();
    Start(entry);
    EmptyStageThatKeepsRunning();
    gameRecord.timeLeft = 1;
    gameRecord.frameCounter = 15;  // the new entry's row shown
    Step();
    const std::vector<PictureId> drawn = DrawnPictures();
    const auto ranking = std::find(drawn.begin(), drawn.end(), PIC_RANKING);
    if (entry == 2) {
      EXPECT_EQ(ranking, drawn.end());
      EXPECT_EQ(CountDrawn(PIC_PAUSEBACK), 0);
      continue;
    }
    ASSERT_NE(ranking, drawn.end());
    const auto panelAt = std::find(drawn.begin(), drawn.end(), PIC_PAUSEBACK) - drawn.begin();
    ASSERT_LT(panelAt, ranking - drawn.begin()) << "the panel comes first";
    const fake::DrawCall& call = backend.graphics.draws[static_cast<std::size_t>(panelAt)];
    const float sx = call.scaled ? call.scaling.x : 1.0f, sy = call.scaled ? call.scaling.y : 1.0f;
    const float left = call.translation.x, top = call.translation.y;
    const float right = left + static_cast<float>(call.source.right - call.source.left) * sx;
    const float bottom = top + static_cast<float>(call.source.bottom - call.source.top) * sy;
    EXPECT_EQ(call.colour >> 24, static_cast<std::uint32_t>(gameRecord.fadeAlpha));
    // Only the dimmer's plain top rows: its darker middle band would stripe the rows.
    EXPECT_LE(call.source.bottom, 150);
    for (auto at = ranking; at != drawn.end(); ++at) {
      const fake::DrawCall& each = backend.graphics.draws[static_cast<std::size_t>(at - drawn.begin())];
      const float x = each.translation.x, y = each.translation.y;
      EXPECT_TRUE(x >= left && y >= top && x + static_cast<float>(PictureWidth(*at)) <= right &&
                  y + static_cast<float>(PictureHeight(*at)) <= bottom)
          << "picture " << *at << " at " << x << "," << y << " outside the panel " << left << "," << top << " - "
          << right << "," << bottom;
    }
    // It stays clear of the game-over picture above it.
    EXPECT_GE(top, 240.0f + static_cast<float>(PictureHeight(PIC_GAMEOVER)) / 2);
  }
}

}  // namespace
