// Clock, capsules and scoring: the kill multiplier, capsule hits and pick-ups, boss hits, the
// clock's stops, and the HUD's time gauge.
#include "play_test_support.h"

namespace {

class PlayClockTest : public PlayTest {
 protected:
  // The gauge fill's source rectangles' right edges, one per row.
  std::vector<int> GaugeRows(int timeLeft) {
    gameRecord.timeLeft = static_cast<std::int16_t>(timeLeft);
    backend.graphics.ClearDraws();
    DrawHud();
    std::vector<int> rights;
    for (const fake::DrawCall& call : backend.graphics.draws) {
      if (idOfSerial.at(call.textureSerial) != PIC_TIMEGAUGEFULL) continue;
      EXPECT_EQ(call.source.bottom - call.source.top, 1);
      EXPECT_EQ(call.translation.y, static_cast<float>(26 + call.source.top - 12));
      rights.push_back(call.source.right);
    }
    return rights;
  }
};

TEST_F(PlayClockTest, KillMultiplierFallsWithTheFramesSinceTheStageBegan) {
  Start(1);
  struct Case {
    int introTimer;
    int kind;
    int points;
    PictureId multiplierLabel;
  };
  const Case cases[] = {
      {0, 1, 300, PIC_X30},   {60, 1, 300, PIC_X30},  {61, 1, 250, PIC_X25},  {90, 1, 250, PIC_X25},
      {91, 1, 200, PIC_X20},  {120, 1, 200, PIC_X20}, {121, 1, 150, PIC_X15}, {179, 1, 150, PIC_X15},
      {180, 1, 100, 0},       {60, 2, 450, PIC_X30},  {61, 3, 500, PIC_X25},  {180, 4, 250, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.introTimer) + " kind " + std::to_string(test.kind));
    ClearRecords(gameRecord.enemies, kEnemySlots);
    gameRecord.players[0].score = 0;
    gameRecord.stageIntroTimer = static_cast<std::int16_t>(test.introTimer);
    EnemySlot& enemy = PlaceAt(static_cast<std::uint8_t>(test.kind), 300, 200);
    const int width = PictureWidth(enemy.picture);
    DamageEnemy(enemy, 1);
    EXPECT_EQ(gameRecord.players[0].score, test.points);
    EXPECT_EQ(enemy.kind, KIND_EXPLOSION);
    EXPECT_EQ(enemy.picture, PIC_BAKU1);
    EXPECT_EQ(enemy.scoreLabel, PIC_100 + test.kind - 1);
    EXPECT_EQ(enemy.multiplierLabel, test.multiplierLabel);
    EXPECT_EQ(enemy.x, 300 - (PictureWidth(PIC_BAKU1) - width) / 2);
  }
}

TEST_F(PlayClockTest, AnEnemyWithHitPointsLeftOnlyLosesOne) {
  Start(1);
  EnemySlot& enemy = PlaceAt(KIND_WALKER, 300, 200, 3);
  DamageEnemy(enemy, 1);
  EXPECT_EQ(enemy.kind, KIND_WALKER);
  EXPECT_EQ(enemy.hitPoints, 2);
  EXPECT_EQ(gameRecord.players[0].score, 0);
}

TEST_F(PlayClockTest, ACapsuleShotFiveTimesExplodesAndOneShotFourTimesGivesASecond) {
  Start(1);
  ClearRecords(gameRecord.enemies, kEnemySlots);
  EnemySlot& first = PlaceAt(KIND_CAPSULE, 300, 300);
  for (int hit = 1; hit <= 4; ++hit) {
    HitCapsule(first);
    EXPECT_EQ(first.counter, 5 - hit);
    EXPECT_EQ(first.picture, PIC_ITEM1 + 4 - hit);
  }
  HitCapsule(first);
  EXPECT_EQ(first.kind, KIND_EXPLOSION);
  EXPECT_EQ(first.scoreLabel, 0);
  EXPECT_EQ(first.multiplierLabel, 0);
  EXPECT_EQ(gameRecord.players[0].score, 0);

  PlayerRecord& player = gameRecord.players[0];
  EnemySlot& second = PlaceAt(KIND_CAPSULE, player.x, player.y);
  for (int hit = 0; hit < 4; ++hit) HitCapsule(second);
  // Centred on the player with its one-second picture.
  second.x = player.x + PlayerWidth() / 2 - PictureWidth(second.picture) / 2;
  second.y = player.y + PlayerHeight() / 2 - PictureHeight(second.picture) / 2;
  gameRecord.timeLeft = 1000;
  CollectCapsule(second);
  EXPECT_EQ(gameRecord.timeLeft, 1060);
  EXPECT_EQ(second.kind, KIND_MARKER);
  EXPECT_EQ(second.scoreLabel, PIC_TIME1);
  EXPECT_EQ(second.counter, 1);
  EXPECT_EQ(player.popupTimer[0], 1);
  EXPECT_EQ(player.popupX[0], player.x - 192);
  // The marker counts on from the capsule's value and goes at 60.
  Step(58);
  EXPECT_EQ(second.kind, KIND_MARKER);
  Step();
  EXPECT_EQ(second.kind, KIND_FREE);
}

TEST_F(PlayClockTest, ACapsuleIsNotCollectedOnceTheClockPasses32000) {
  Start(1);
  const PlayerRecord& player = gameRecord.players[0];
  const int cases[][2] = {{32001, 32001}, {32000, 32300}, {30000, 30300}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test[0]);
    ClearRecords(gameRecord.enemies, kEnemySlots);
    EnemySlot& capsule = PlaceAt(KIND_CAPSULE, player.x, player.y);
    gameRecord.timeLeft = static_cast<std::int16_t>(test[0]);
    CollectCapsule(capsule);
    EXPECT_EQ(gameRecord.timeLeft, test[1]);
    EXPECT_EQ(capsule.kind, test[0] == test[1] ? KIND_CAPSULE : KIND_MARKER);
  }
}

TEST_F(PlayClockTest, PickUpWithoutAFreePopUpStillCounts) {
  Start(1);
  PlayerRecord& player = gameRecord.players[0];
  for (std::int16_t& timer : player.popupTimer) timer = 5;
  EnemySlot& capsule = PlaceAt(KIND_CAPSULE, player.x, player.y);
  gameRecord.timeLeft = 100;
  CollectCapsule(capsule);
  EXPECT_EQ(gameRecord.timeLeft, 400);
  for (std::int16_t timer : player.popupTimer) EXPECT_EQ(timer, 5);
}

TEST_F(PlayClockTest, ClockStandsWhilePausedDuringStageClearAndAfterTheBossFalls) {
  Start(1);
  EmptyStageThatKeepsRunning();
  const std::int16_t clock = gameRecord.timeLeft;
  Step(10);
  EXPECT_EQ(gameRecord.timeLeft, clock - 10);
  gameRecord.pauseCounter = 1;
  const std::int16_t intro = gameRecord.stageIntroTimer;
  Step(10);
  EXPECT_EQ(gameRecord.timeLeft, clock - 10);
  EXPECT_EQ(gameRecord.stageIntroTimer, intro);
  gameRecord.pauseCounter = 0;
  gameRecord.stageClearCounter = 30;
  Step(10);
  EXPECT_EQ(gameRecord.timeLeft, clock - 10);

  // Boss stage: every hit scores 100; the last one pays 500 per stage and stops the clock.
  gameRecord.stageIndex = 4;
  gameRecord.stageInitPending = 1;
  Step();
  BossRecord& boss = gameRecord.boss;
  EXPECT_EQ(boss.hitPoints, 30);
  EXPECT_EQ(boss.maxHitPoints, 30);
  gameRecord.players[0].score = 0;
  SpawnEnemyShot(300, 300, 0, 0);
  for (int hit = 0; hit < 30; ++hit) ScoreBossHit(1);
  EXPECT_EQ(gameRecord.players[0].score, 30 * 100 + 500 * 5);
  EXPECT_EQ(gameRecord.enemyShots[0].active, 0);
  const std::int16_t fallen = gameRecord.timeLeft;
  Step(59);
  EXPECT_EQ(gameRecord.stageClearCounter, 0);
  EXPECT_EQ(gameRecord.timeLeft, fallen);
  Step();
  EXPECT_GT(gameRecord.stageClearCounter, 0) << "the clear starts 60 frames after the fall";
  EXPECT_EQ(gameRecord.timeLeft, fallen);
}

TEST_F(PlayClockTest, BossHitPointsDependOnModeAndPlayers) {
  const int cases[][4] = {{1, 0, 4, 30}, {2, 0, 4, 40}, {4, 0, 4, 35}, {5, 1, 4, 55},
                          {1, 0, 9, 35}, {5, 0, 9, 55}, {4, 1, 9, 50}};  // entry, L, stage, points
  for (const auto& test : cases) {
    SCOPED_TRACE(std::to_string(test[0]) + " stage " + std::to_string(test[2]));
    Hold('L', test[1] != 0);
    Start(test[0]);
    gameRecord.stageIndex = static_cast<std::int16_t>(test[2]);
    gameRecord.stageInitPending = 1;
    Step();
    EXPECT_EQ(gameRecord.boss.hitPoints, test[3]);
  }
}

TEST_F(PlayClockTest, TimeGaugeCountsSegmentsOf291FramesWithASlantedEdge) {
  Start(1);
  gameRecord.fadeAlpha = 255;
  const int cases[][2] = {{290, 1}, {291, 1}, {582, 2}, {10766, 36}, {10767, 37}, {30000, 37}, {0, 0}};
  for (const auto& test : cases) {
    SCOPED_TRACE(test[0]);
    const std::vector<int> rights = GaugeRows(test[0]);
    ASSERT_EQ(rights.size(), 18u);
    EXPECT_EQ(rights[0], 6 * test[1] + 15);
    EXPECT_EQ(rights[17], 6 * test[1] + 15 - 11);
    EXPECT_EQ(rights[3], 6 * test[1] + 15 - 1);
  }
}

TEST_F(PlayClockTest, HudShowsScoreStageAndTimeWithHundredths) {
  Start(2);
  gameRecord.fadeAlpha = 255;
  gameRecord.players[0].score = 123456;
  gameRecord.players[1].score = 42;
  gameRecord.timeLeft = 61 * 60 + 30;  // 61.50 s
  gameRecord.stageIndex = 11;
  backend.graphics.ClearDraws();
  DrawHud();
  std::vector<std::pair<PictureId, float>> digitsAt4;
  for (const fake::DrawCall& call : backend.graphics.draws) {
    const PictureId id = idOfSerial.at(call.textureSerial);
    if (id >= PIC_0 && id <= PIC_9 && call.translation.y == 4) digitsAt4.push_back({id, call.translation.x});
  }
  auto digitAt = [&](float x) {
    for (const auto& drawn : digitsAt4) {
      if (drawn.second == x) return drawn.first - PIC_0;
    }
    return -1;
  };
  EXPECT_EQ(digitAt(58), 1);
  EXPECT_EQ(digitAt(58 + 5 * 16), 6);
  EXPECT_EQ(digitAt(206), 1);
  EXPECT_EQ(digitAt(222), 2);
  EXPECT_EQ(digitAt(350), 0);
  EXPECT_EQ(digitAt(366), 6);
  EXPECT_EQ(digitAt(382), 1);
  EXPECT_EQ(digitAt(413), 5);
  EXPECT_EQ(digitAt(429), 0);
  EXPECT_EQ(digitAt(520 + 5 * 16), 2);
  EXPECT_EQ(CountDrawn(PIC_2P), 1);
  EXPECT_EQ(CountDrawn(PIC_MODE_TRIAL), 1);
}

TEST_F(PlayClockTest, StageTitleFadesInHoldsAndFadesOut) {
  Start(1);
  const int cases[][2] = {{0, 0}, {10, 80}, {30, 255}, {150, 255}, {151, 232}, {179, 8}};
  for (const auto& test : cases) {
    gameRecord.fadeAlpha = 255;
    gameRecord.stageIntroTimer = static_cast<std::int16_t>(test[0]);
    EXPECT_EQ(StageTitleAlpha(), test[1]) << test[0];
  }
  gameRecord.fadeAlpha = 40;
  gameRecord.stageIntroTimer = 100;
  EXPECT_EQ(StageTitleAlpha(), 40);
}

TEST_F(PlayClockTest, ExplosionLabelsRiseAndFade) {
  Start(1);
  gameRecord.fadeAlpha = 255;
  EnemySlot& slot = PlaceAt(KIND_WALKER, 300, 200);
  gameRecord.stageIntroTimer = 0;
  KillEnemy(slot, 1);
  slot.counter = 10;
  backend.graphics.ClearDraws();
  DrawExplosionOrMarker(slot);
  ASSERT_EQ(backend.graphics.draws.size(), 3u);
  EXPECT_EQ(idOfSerial.at(backend.graphics.draws[0].textureSerial), PIC_BAKU3);
  EXPECT_EQ(backend.graphics.draws[1].translation.y, static_cast<float>(slot.y + PictureHeight(PIC_BAKU1) / 2 - 5));
  EXPECT_EQ(backend.graphics.draws[1].colour >> 24, 255u - 40u);
  EXPECT_EQ(backend.graphics.draws[2].translation.y,
            static_cast<float>(slot.y + PictureHeight(PIC_BAKU1) / 2 + PictureHeight(PIC_100) / 2 - 5));
  slot.counter = 50;
  backend.graphics.ClearDraws();
  DrawExplosionOrMarker(slot);
  EXPECT_EQ(backend.graphics.draws.size(), 2u) << "the fire is over, the labels still show";
}

}  // namespace
