// Hit tests, effects and the backdrop: sampling of the swept test, the box test's edge rule,
// enemy-shot bounds, sparks, casings, strips and clouds.
#include <cmath>

#include "play_test_support.h"

namespace {

class PlayGeometryTest : public PlayTest {};

TEST(PlayGeometry, SweptTestSamplesEveryFourPixelsUpToTheLargerX) {
  // Target radius 2, shot radius 2: a sample hits when it is closer than 4 to the target.
  struct Case {
    double x0, x1, targetX;
    bool hit;
  };
  const Case cases[] = {
      {0, 16, 19.5, true},    // the fifth sample (lo + 16) reaches it
      {16, 0, 19.5, true},    // either direction
      {0, 15, 19.5, false},   // hi = 15: the samples stop at 12
      {0, 16, 20, false},     // exactly 4 away: strict less-than
      {5, 5, 8.9, true},      // no movement, one sample
      {5, 5, 9, false},
      {0, 16, 6, true},       // between samples but within reach of one
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.x0) + ".." + std::to_string(test.x1) + " at " + std::to_string(test.targetX));
    EXPECT_EQ(SweptCircleHit(test.x0, test.x1, 100, 2, test.targetX, 100, 2), test.hit);
  }
  // Diagonal distance counts: 3-4-5 is exactly the reach of 5, a miss.
  EXPECT_FALSE(SweptCircleHit(0, 0, 0, 2, 3, 4, 3));
  EXPECT_TRUE(SweptCircleHit(0, 0, 0, 2, 3, 3.9, 3));
}

TEST(PlayGeometry, BoxTestNeedsAnEdgeOfAInsideBOnBothAxes) {
  struct Case {
    double a[4];
    bool hit;
  };
  // B is (10, 10)-(20, 20).
  const Case cases[] = {
      {{12, 12, 14, 14}, true},   // inside
      {{5, 5, 10, 10}, true},     // corners touch: ranges are inclusive
      {{20, 20, 30, 30}, true},
      {{5, 12, 25, 14}, false},   // straddles B horizontally: no edge inside
      {{12, 5, 14, 25}, false},   // straddles vertically
      {{0, 0, 30, 30}, false},    // encloses B
      {{21, 12, 25, 14}, false},  // beside it
      {{15, 19, 25, 40}, true},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(BoxHit(test.a[0], test.a[1], test.a[2], test.a[3], 10, 10, 20, 20), test.hit)
        << test.a[0] << "," << test.a[1] << "-" << test.a[2] << "," << test.a[3];
  }
}

TEST_F(PlayGeometryTest, PlayerTouchIsStrictlyWithinTheRadiusPlusSix) {
  Start(1);
  PlayerRecord& player = gameRecord.players[0];
  const double cx = player.x + PlayerWidth() / 2;
  const double cy = player.y + PlayerHeight() / 2;
  EXPECT_TRUE(PlayerTouches(player, cx + 9.9, cy, 4));
  EXPECT_FALSE(PlayerTouches(player, cx + 10, cy, 4));
  EXPECT_FALSE(PlayerTouches(player, cx + 6, cy + 8, 4));
}

TEST_F(PlayGeometryTest, EnemyShotsLeaveBeyondThePlayerSizedMarginWithTheLowLimitAt640) {
  Start(1);
  EmptyStageThatKeepsRunning();
  gameRecord.playerCount = 0;  // nobody to hit
  const int w = PlayerWidth();
  const int h = PlayerHeight();
  constexpr double kPi = 3.14159265358979323846;
  struct Case {
    double x, y, angle;
    int framesAlive;  // frames the shot survives moving 1 px a frame
  };
  const Case cases[] = {
      {640.0 + w - 2.5, 100, 0, 2},
      {300, 640.0 + h - 2.5, kPi / 2, 2},  // far below the screen's 480
      {-w + 1.5, 100, kPi, 1},
      {300, -h + 0.5, -kPi / 2, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.angle);
    ClearRecords(gameRecord.enemyShots, kEnemyShotSlots);
    ASSERT_EQ(SpawnEnemyShot(test.x, test.y, 1, test.angle), 0);
    int alive = 0;
    for (int frame = 0; frame < 10 && gameRecord.enemyShots[0].active; ++frame) {
      MoveEnemyShots();
      alive += gameRecord.enemyShots[0].active;
    }
    EXPECT_EQ(alive, test.framesAlive);
  }
  // A full pool spawns nothing.
  for (EnemyShot& shot : gameRecord.enemyShots) shot.active = 1;
  EXPECT_EQ(SpawnEnemyShot(1, 1, 1, 0), -1);
}

TEST_F(PlayGeometryTest, SparksFanOutToTheLeftAndKeepFadingWhilePaused) {
  Start(1);
  ClearRecords(gameRecord.sparks, kHitSparkSlots);
  gameRecord.sparks[3].picture = PIC_DAMAGEEFFECT1;  // taken: the ten go around it
  EXPECT_EQ(SpawnHitSparks(200, 100, PIC_DAMAGEEFFECT2), 10);
  int live = 0;
  for (const HitSpark& spark : gameRecord.sparks) {
    if (spark.picture != PIC_DAMAGEEFFECT2) continue;
    ++live;
    EXPECT_LE(std::cos(spark.angle), -std::sqrt(0.5) + 1e-9);
    EXPECT_EQ(spark.opacity, 255);
  }
  EXPECT_EQ(live, 10);
  gameRecord.sparks[3].picture = 0;
  gameRecord.pauseCounter = 1;
  int frames = 0;
  while (gameRecord.sparks[0].picture != 0 && frames < 50) {
    const double x = gameRecord.sparks[0].x;
    Step();
    EXPECT_LT(gameRecord.sparks[0].picture != 0 ? gameRecord.sparks[0].x : x - 1, x);
    ++frames;
  }
  EXPECT_EQ(frames, 13);
  // Near the end of the pool the rest are dropped.
  for (int i = 0; i < kHitSparkSlots - 4; ++i) gameRecord.sparks[i].picture = PIC_DAMAGEEFFECT1;
  EXPECT_EQ(SpawnHitSparks(0, 0, PIC_DAMAGEEFFECT3), kHitSparkSlots - 1);
  for (HitSpark& spark : gameRecord.sparks) spark.picture = PIC_DAMAGEEFFECT1;
  EXPECT_EQ(SpawnHitSparks(0, 0, PIC_DAMAGEEFFECT3), -1);
}

TEST_F(PlayGeometryTest, CasingFliesUpBackThenFallsOutBelowTheScreen) {
  Start(1);
  ClearRecords(gameRecord.casings, kCasingSlots);
  ASSERT_EQ(SpawnCasing(100, 470), 0);
  Casing& casing = gameRecord.casings[0];
  EXPECT_GE(casing.vx, -5);
  EXPECT_LE(casing.vx, -2);
  EXPECT_GE(casing.variant, 1);
  EXPECT_LE(casing.variant, 4);
  casing.vy = -2;
  casing.vx = -3;
  MoveCasings();
  EXPECT_EQ(casing.y, 468);
  EXPECT_EQ(casing.x, 97);
  MoveCasings();  // vy -1
  MoveCasings();  // vy 0
  EXPECT_EQ(casing.y, 467);
  int frames = 0;
  while (casing.variant != 0 && frames < 20) {
    MoveCasings();
    ++frames;
  }
  EXPECT_EQ(casing.variant, 0);
  EXPECT_EQ(frames, 5);  // +1 +2 +3 +4 +5: 482 > 480
}

TEST_F(PlayGeometryTest, StripsScrollAtTheirSpeedsAndWrapAtMinus640) {
  Start(1);
  const int speeds[kStripCount] = {1, 4, 5, 6, 7, 8, 10, 12, 16, 20};
  for (int i = 0; i < kStripCount; ++i) gameRecord.bgOffset[i] = static_cast<std::int16_t>(-640 + speeds[i] + 1);
  backend.graphics.ClearDraws();
  DrawBackdrop();
  for (int i = 0; i < kStripCount; ++i) EXPECT_EQ(gameRecord.bgOffset[i], -639) << i;
  backend.graphics.ClearDraws();
  DrawBackdrop();
  for (int i = 0; i < kStripCount; ++i) EXPECT_EQ(gameRecord.bgOffset[i], 0) << i;
  // Each strip drawn twice, stacked under the sky.
  EXPECT_EQ(CountDrawn(PIC_BG02), 2);
  EXPECT_EQ(CountDrawn(PIC_BG11), 2);
  float y = static_cast<float>(PictureHeight(PIC_BG01));
  bool found = false;
  for (const fake::DrawCall& call : backend.graphics.draws) {
    if (idOfSerial.at(call.textureSerial) == PIC_BG03) {
      EXPECT_EQ(call.translation.y, y + static_cast<float>(PictureHeight(PIC_BG02)));
      found = true;
    }
  }
  EXPECT_TRUE(found);
  // Four times as fast during the stage clear; not at all while paused.
  gameRecord.bgOffset[9] = 0;
  gameRecord.stageClearCounter = 5;
  DrawBackdrop();
  EXPECT_EQ(gameRecord.bgOffset[9], -80);
  gameRecord.pauseCounter = 1;
  DrawBackdrop();
  EXPECT_EQ(gameRecord.bgOffset[9], -80);
}

TEST_F(PlayGeometryTest, ACloudLeavingOnTheLeftComesBackOnTheRightAboveTheMiddle) {
  Start(1);
  gameRecord.pauseCounter = 0;
  for (int round = 0; round < 50; ++round) {
    Cloud& cloud = gameRecord.clouds[round % kCloudCount];
    cloud.variant = static_cast<std::uint8_t>(round % 4);
    cloud.x = -PictureWidth(static_cast<PictureId>(PIC_KUMO1 + cloud.variant)) + cloud.variant;
    DrawBackdrop();
    EXPECT_GE(cloud.x, 640);
    EXPECT_LT(cloud.x, 760);
    EXPECT_GE(cloud.y, 0);
    EXPECT_LT(cloud.y, 240);
  }
  Cloud& cloud = gameRecord.clouds[0];
  cloud.x = 300;
  cloud.variant = 2;
  DrawBackdrop();
  EXPECT_EQ(cloud.x, 297);
  gameRecord.stageClearCounter = 3;
  DrawBackdrop();
  EXPECT_EQ(cloud.x, 297 - 3 - 24);
}

}  // namespace
