// The bosses of stages 5 and 10: their paths, attacks and hit shapes, and the fall every boss
// shares (explosions, the stage clear, the drift and the fade), with its life bar.
#include <cmath>

#include "game/boss_kinds.h"
#include "play_test_support.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The run's generator, stepped alongside the game's to know what its next draws will be.
struct MirrorRandom {
  std::uint32_t state;
  int Next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 32767u);
  }
};

class PlayBossesTest : public PlayTest {
 protected:
  // The stage's set-up and its first frame, in which the boss takes its first step.
  BossRecord& EnterStage(int stageIndex) {
    gameRecord.stageIndex = static_cast<std::int16_t>(stageIndex);
    gameRecord.stageInitPending = 1;
    Step();
    return gameRecord.boss;
  }
  int ActiveEnemyShots() const {
    int count = 0;
    for (const EnemyShot& shot : gameRecord.enemyShots) count += shot.active;
    return count;
  }
  int BigExplosions() const {
    int count = 0;
    for (const EnemySlot& slot : gameRecord.enemies) count += slot.kind == KIND_EXPLOSION && slot.picture == PIC_BIGBAKU1;
    return count;
  }
  // Where the last step drew the picture, and with what opacity; -1 when it was not drawn.
  struct Drawn {
    float x = -1, y = -1;
    int alpha = -1;
  };
  Drawn DrawnAt(PictureId id) {
    Drawn drawn;
    for (const fake::DrawCall& call : backend.graphics.draws) {
      auto found = idOfSerial.find(call.textureSerial);
      if (found == idOfSerial.end() || found->second != id) continue;
      drawn = Drawn{call.translation.x, call.translation.y, static_cast<int>(call.colour >> 24)};
    }
    return drawn;
  }
  // A player whose centre is at (x, y), as near as her whole-pixel position allows.
  void CentrePlayerAt(int p, double x, double y) {
    gameRecord.players[p].x = static_cast<std::int32_t>(std::lround(x - PlayerWidth() / 2));
    gameRecord.players[p].y = static_cast<std::int32_t>(std::lround(y - PlayerHeight() / 2));
    gameRecord.players[p].damageTimer = 0;
  }
};

TEST_F(PlayBossesTest, EachBossIsOnItsPathWhenFirstDrawn) {
  struct Case {
    int stageIndex;
    PictureId picture;
    float x, y;
  };
  // Boss 1 starts at the left end of its ellipse, boss 2 at the right end of its sweep, turning.
  const Case cases[] = {{4, PIC_BOSS1_NORMAL1, 350, 170}, {9, PIZ_BOSS2RF, 500, 170}};
  Start(1);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.stageIndex);
    EnterStage(test.stageIndex);
    const Drawn drawn = DrawnAt(test.picture);
    EXPECT_FLOAT_EQ(drawn.x, test.x);
    EXPECT_FLOAT_EQ(drawn.y, test.y);
    EXPECT_EQ(gameRecord.boss.halfWidth, PictureWidth(BossOfStage(test.stageIndex).picture) / 2);
  }
}

TEST_F(PlayBossesTest, BossOneFiresFiveAimedShotsPerPlayerOnTheFifteenthFrameOfItsPause) {
  struct Case {
    const char* name;
    int entry;
    bool lunatic;
    int hitPoints;
    int speedFactor;
  };
  const Case cases[] = {
      {"trial alone", 1, false, 30, 1},
      {"trial, two players", 2, false, 40, 1},
      {"extra alone", 4, false, 35, 2},
      {"lunatic, two players", 5, true, 55, 2},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Hold('L', test.lunatic);
    Start(test.entry);
    Hold('L', false);
    BossRecord& boss = EnterStage(4);
    EXPECT_EQ(boss.hitPoints, test.hitPoints);
    EXPECT_EQ(boss.maxHitPoints, test.hitPoints);

    int lapFrames = 1;
    while (boss.attackTimer == 0 && lapFrames < 200) {
      Step();
      ++lapFrames;
    }
    EXPECT_GE(lapFrames, 120);
    EXPECT_LE(lapFrames, 121);
    ASSERT_EQ(boss.attackTimer, 30);
    EXPECT_EQ(ActiveEnemyShots(), 0) << "nothing is fired during the lap";
    const double pauseX = boss.x;

    Step(14);
    EXPECT_EQ(ActiveEnemyShots(), 0);
    Step();
    ASSERT_EQ(boss.attackTimer, 15);
    const int players = gameRecord.playerCount;
    ASSERT_EQ(ActiveEnemyShots(), 5 * players);
    for (int p = 0; p < players; ++p) {
      const PlayerRecord& player = gameRecord.players[p];
      const double aim = std::atan2(player.y + PlayerHeight() / 2 - (boss.y + boss.halfWidth),
                                    player.x + PlayerWidth() / 2 - boss.x);
      for (int k = 0; k < 5; ++k) {
        SCOPED_TRACE("player " + std::to_string(p + 1) + " shot " + std::to_string(k));
        const EnemyShot& shot = gameRecord.enemyShots[5 * p + k];
        EXPECT_DOUBLE_EQ(shot.angle, aim);
        EXPECT_EQ(shot.speed, (8 + k) * test.speedFactor);
        // Fired from the muzzle, then moved once in the same frame.
        EXPECT_NEAR(shot.x, boss.x + 28 + std::cos(aim) * shot.speed, 1e-9);
        EXPECT_NEAR(shot.y, boss.y + 54 + std::sin(aim) * shot.speed, 1e-9);
      }
    }

    Step(15);  // the rest of the pause: standing still, no more shots
    EXPECT_EQ(boss.attackTimer, 0);
    EXPECT_EQ(boss.x, pauseX);
    EXPECT_EQ(ActiveEnemyShots(), 5 * players);
    Step();
    EXPECT_NE(boss.x, pauseX) << "the next lap begins";
  }
}

TEST_F(PlayBossesTest, BossOneShowsItsPauseByTheFramesLeftAndOtherwiseFlaps) {
  Start(1);
  BossRecord& boss = EnterStage(4);
  struct Case {
    int attackTimer, frameCounter;
    PictureId picture;
  };
  const Case cases[] = {
      {30, 0, PIC_BOSS1_NORMAL1}, {29, 0, PIC_BOSS1_SHOT1}, {26, 0, PIC_BOSS1_SHOT1}, {25, 0, PIC_BOSS1_SHOT2},
      {22, 0, PIC_BOSS1_SHOT2},   {21, 0, PIC_BOSS1_SHOT3}, {18, 0, PIC_BOSS1_SHOT3}, {17, 0, PIC_BOSS1_SHOT4},
      {14, 0, PIC_BOSS1_SHOT4},   {13, 0, PIC_BOSS1_NORMAL1}, {13, 2, PIC_BOSS1_NORMAL2}, {0, 3, PIC_BOSS1_NORMAL2},
      {0, 4, PIC_BOSS1_NORMAL1},  {0, 359, PIC_BOSS1_NORMAL2},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.attackTimer) + " at " + std::to_string(test.frameCounter));
    boss.attackTimer = static_cast<std::int16_t>(test.attackTimer);
    gameRecord.frameCounter = static_cast<std::int16_t>(test.frameCounter);
    backend.graphics.ClearDraws();
    DrawBoss();
    EXPECT_EQ(DrawnPictures(), std::vector<PictureId>{test.picture});
  }
}

TEST_F(PlayBossesTest, BossOneIsACircleOfHalfItsWidthAroundThePictureCentre) {
  Start(1);
  BossRecord& boss = EnterStage(4);
  boss.x = 300;
  boss.y = 200;
  boss.attackTimer = 25;  // in its pause: it stands still and does not fire this frame
  const double centreX = 300 + PictureWidth(PIC_BOSS1_NORMAL1) / 2;
  const double centreY = 200 + PictureHeight(PIC_BOSS1_NORMAL1) / 2;
  const double radius = boss.halfWidth;
  ASSERT_GT(radius, PictureHeight(PIC_BOSS1_NORMAL1) / 2) << "the fixture must tell width from height";

  // The body: a player centre nearer than the radius plus 6 is hit.
  struct BodyCase {
    double dx, dy;
    bool hit;
  };
  const BodyCase bodies[] = {{0, 0, true}, {radius + 5, 0, true}, {radius + 6, 0, false}, {0, radius + 5, true},
                             {0, -(radius + 7), false}};
  for (const BodyCase& test : bodies) {
    SCOPED_TRACE(std::to_string(test.dx) + ", " + std::to_string(test.dy));
    CentrePlayerAt(0, centreX + test.dx, centreY + test.dy);
    const std::int16_t clock = gameRecord.timeLeft;
    UpdateBoss();
    EXPECT_EQ(gameRecord.players[0].damageTimer != 0, test.hit);
    EXPECT_EQ(gameRecord.timeLeft < clock, test.hit);
  }

  // Shots: swept along their last move against the same circle.
  const int shotW = PictureWidth(PIZ_TAMA1);
  const double shotR = PictureHeight(PIZ_TAMA1) / 2;
  struct ShotCase {
    double centreDy;  // the shot centre's height above or below the boss centre
    double fromDx;    // the shot centre's previous x, from the boss centre; it moved 16 px
    bool hit;
  };
  const ShotCase shots[] = {
      {0, -8, true},  // through the centre
      {shotR + radius - 1, -8, true},
      {shotR + radius, -8, false},
      {0, -16 - shotR - radius, false},  // stopped short of the circle
      {0, -12 - shotR - radius, true},   // its last sample reaches in
  };
  for (const ShotCase& test : shots) {
    SCOPED_TRACE(std::to_string(test.centreDy) + " from " + std::to_string(test.fromDx));
    PlayerShot shot{};
    shot.owner = 1;
    shot.picture = PIZ_TAMA1;
    shot.prevX = centreX + test.fromDx - shotW / 2;
    shot.x = shot.prevX + 16;
    shot.y = centreY + test.centreDy - shotR;
    EXPECT_EQ(BossHitByShot(shot), test.hit);
  }
}

TEST_F(PlayBossesTest, BossTwoRollsEveryElevenFramesAndAttacksWithFourShotsInOrder) {
  struct Case {
    int entry;
    double speed;
  };
  const Case cases[] = {{1, 8}, {4, 12}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.entry);
    Start(test.entry);
    BossRecord& boss = EnterStage(9);
    ASSERT_EQ(boss.attackTimer, 1);
    const double w = PictureWidth(PIZ_BOSS2RA);
    const int halfH = PictureHeight(PIZ_BOSS2RA) / 2;
    SeedRandom(4242);
    MirrorRandom random{4242};
    int rolls = 0, attacks = 0;
    for (int frame = 2; frame <= 11 * 40; ++frame) {
      ClearRecords(gameRecord.enemyShots, kEnemyShotSlots);
      UpdateBoss();
      const bool rollFrame = frame % 11 == 0;
      ASSERT_EQ(boss.attackTimer, frame % 11) << frame;
      if (!rollFrame || random.Next() % 3 != 0) {
        ASSERT_EQ(ActiveEnemyShots(), 0) << frame;
        rolls += rollFrame;
        continue;
      }
      ++rolls;
      ++attacks;
      ASSERT_EQ(ActiveEnemyShots(), 4) << frame;
      const struct {
        double dx, angle;
      } order[] = {{0, -kPi / 2}, {w, -kPi / 2}, {0, kPi / 2}, {w, kPi / 2}};
      for (int i = 0; i < 4; ++i) {
        const EnemyShot& shot = gameRecord.enemyShots[i];
        EXPECT_EQ(shot.x, boss.x + order[i].dx) << frame << " shot " << i;
        EXPECT_EQ(shot.y, boss.y + halfH) << frame << " shot " << i;
        EXPECT_DOUBLE_EQ(shot.angle, order[i].angle) << frame << " shot " << i;
        EXPECT_EQ(shot.speed, test.speed) << frame << " shot " << i;
      }
    }
    EXPECT_EQ(rolls, 40);
    EXPECT_GT(attacks, 5);
    EXPECT_LT(attacks, 25);
    EXPECT_EQ(Rand(), random.Next()) << "one draw per roll and none between";
  }
}

TEST_F(PlayBossesTest, BossTwoShowsTheFrameOfItsPlaceOnTheSweep) {
  Start(1);
  BossRecord& boss = EnterStage(9);
  struct Case {
    double angle;  // after this frame's step
    int frameCounter;
    int frame;
  };
  const Case cases[] = {
      {0.02, 0, 5},  {0.07, 0, 6},  {0.5, 0, 7},   {0.5, 2, 8},   {0.5, 4, 9},   {0.5, 7, 8},  {0.92, 0, 10},
      {0.97, 0, 11}, {1.02, 0, 12}, {1.07, 0, 13}, {1.5, 1, 0},   {1.5, 3, 1},   {1.5, 5, 2},  {1.5, 6, 1},
      {1.92, 0, 3},  {1.97, 0, 4},  {1.999, 0, 4}, {0.0833, 8, 6},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.angle) + " pi at " + std::to_string(test.frameCounter));
    boss.angle = test.angle * kPi - kPi / 120;
    gameRecord.frameCounter = static_cast<std::int16_t>(test.frameCounter);
    UpdateBoss();
    EXPECT_EQ(boss.frame, test.frame);
    backend.graphics.ClearDraws();
    DrawBoss();
    EXPECT_EQ(DrawnPictures(), std::vector<PictureId>{static_cast<PictureId>(PIZ_BOSS2RA + test.frame)});
  }
  // A full sweep comes back to the start.
  boss.angle = 2 * kPi - kPi / 240;
  UpdateBoss();
  EXPECT_NEAR(boss.angle, kPi / 240, 1e-12);
}

TEST_F(PlayBossesTest, BossTwoIsHitOnlyInsideThePartBoxOfItsFrame) {
  Start(1);
  BossRecord& boss = EnterStage(9);
  // Pictures as large as the art, so that a player or shot can be over the picture and yet
  // outside the frame's box.
  for (int frame = 0; frame < 14; ++frame) {
    pictures.slots[PIZ_BOSS2RA + frame].width = 128;
    pictures.slots[PIZ_BOSS2RA + frame].height = 112;
  }
  struct Case {
    const char* name;
    double angle;  // before this frame's step; its frame follows from the angle after it
    int frame;
    double dx, dy;  // from the boss's top-left corner
    bool hit;
  };
  const Case cases[] = {
      {"inside frame 13's narrow box", 1.07, 13, 46, 67, true},
      {"over the picture above frame 13's box", 1.07, 13, 46, 20, false},
      {"the lower edge of her 6 x 6 box just inside frame 13's", 1.07, 13, 46, 37, true},
      {"her 6 x 6 box just above frame 13's", 1.07, 13, 46, 34, false},
      {"over the picture right of frame 13's box", 1.07, 13, 90, 60, false},
      {"in frame 0's wider box", 1.5, 0, 90, 60, true},
      {"over the picture below frame 0's box", 1.5, 0, 60, 100, false},
      {"in frame 12's tall box", 1.02, 12, 50, 20, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const double startAngle = test.angle * kPi - kPi / 120;
    const double x = 250 + 250 * std::cos(startAngle);
    const double y = 170 + 30 * std::sin(startAngle);

    // The body: the player's 6 x 6 box around her centre.
    boss.angle = startAngle;
    gameRecord.frameCounter = 0;
    CentrePlayerAt(0, x + test.dx, y + test.dy);
    UpdateBoss();
    ASSERT_EQ(boss.frame, test.frame);
    ASSERT_EQ(boss.x, x);
    EXPECT_EQ(gameRecord.players[0].damageTimer != 0, test.hit) << "body";

    // A shot over the same point: its box runs from where it was to its far corner.
    PlayerShot shot{};
    shot.owner = 1;
    shot.picture = PIZ_TAMA1;
    shot.x = x + test.dx - PictureWidth(PIZ_TAMA1) / 2;
    shot.prevX = shot.x - 16;
    shot.y = y + test.dy - PictureHeight(PIZ_TAMA1) / 2;
    EXPECT_EQ(BossHitByShot(shot), test.hit) << "shot";
  }

  // A shot that has flown past the box's right edge still counts from where it was.
  ASSERT_EQ(boss.frame, 12);  // its box: 37..80 across, 14..98 down
  PlayerShot shot{};
  shot.owner = 1;
  shot.picture = PIZ_TAMA1;
  shot.y = boss.y + 50;
  shot.prevX = boss.x + 70;
  shot.x = shot.prevX + 16;
  EXPECT_TRUE(BossHitByShot(shot)) << "its previous x inside the box";
  shot.prevX = boss.x + 81;
  shot.x = shot.prevX + 16;
  EXPECT_FALSE(BossHitByShot(shot)) << "wholly right of the box";
}

TEST_F(PlayBossesTest, ShotDownInItsPauseItExplodesThenTheStageClearsAndTheWreckDriftsAndFades) {
  Start(1);
  BossRecord& boss = EnterStage(4);
  boss.x = 300;
  boss.y = 200;
  boss.attackTimer = 20;
  boss.hitPoints = 1;
  const int score = gameRecord.players[0].score;
  // One shot at the boss's centre: this frame's shot pass takes the last hit point.
  PlayerShot& shot = gameRecord.playerShots[0];
  shot.owner = 1;
  shot.picture = PIZ_TAMA1;
  shot.x = shot.prevX = 300 + PictureWidth(PIC_BOSS1_NORMAL1) / 2 - 16 - PictureWidth(PIZ_TAMA1) / 2;
  shot.y = 200 + PictureHeight(PIC_BOSS1_NORMAL1) / 2 - PictureHeight(PIZ_TAMA1) / 2;
  Step();
  ASSERT_EQ(boss.hitPoints, 0);
  EXPECT_EQ(gameRecord.players[0].score, score + 100 + 500 * 5);
  EXPECT_EQ(boss.defeatTimer, 1);

  // Sixty frames of fall, counting the one it was shot down in; the pause picture stays.
  for (int frame = 2; frame <= 59; ++frame) {
    Step();
    ASSERT_EQ(gameRecord.stageClearCounter, 0) << frame;
    ASSERT_EQ(BigExplosions(), frame / 4) << frame;
    ASSERT_EQ(CountDrawn(PIC_BOSS1_SHOT3), 1) << frame;
    ASSERT_EQ(boss.x, 300);
  }
  EXPECT_EQ(boss.attackTimer, 20);
  EXPECT_EQ(ActiveEnemyShots(), 0);
  Step();
  EXPECT_EQ(boss.defeatTimer, 60);
  EXPECT_EQ(gameRecord.stageClearCounter, 2) << "set by the fall and run in the same frame";
  EXPECT_EQ(BigExplosions(), 14);
  EXPECT_EQ(boss.x, 300);
  EXPECT_EQ(DrawnAt(PIC_BOSS1_SHOT3).alpha, 255);

  // Then it drifts left a pixel a frame and fades four steps a frame.
  Step();
  EXPECT_EQ(boss.x, 299);
  EXPECT_EQ(DrawnAt(PIC_BOSS1_SHOT3).alpha, 495 - 4 * 61);
  Step(39);
  EXPECT_EQ(boss.defeatTimer, 100);
  EXPECT_EQ(boss.x, 260);
  EXPECT_EQ(DrawnAt(PIC_BOSS1_SHOT3).alpha, 95);
  EXPECT_EQ(boss.hitPoints, 0);
}

TEST_F(PlayBossesTest, TheFallsExplosionsLandOnTheMiddleOfThePicture) {
  Start(1);
  BossRecord& boss = EnterStage(4);
  ClearRecords(gameRecord.enemies, kEnemySlots);
  boss.x = 300;
  boss.y = 200;
  boss.hitPoints = 0;
  const int w = PictureWidth(PIC_BOSS1_NORMAL1);
  const int h = PictureHeight(PIC_BOSS1_NORMAL1);
  SeedRandom(99);
  MirrorRandom random{99};
  int slot = 0;
  for (int timer = 1; timer <= 70; ++timer) {
    UpdateBoss();
    ASSERT_EQ(boss.defeatTimer, timer);
    if (timer < 60 && timer % 4 == 0) {
      SCOPED_TRACE(timer);
      const int dx = w / 4 + random.Next() % (w / 2);  // x is drawn first
      const int dy = h / 4 + random.Next() % (h / 2);
      const EnemySlot& explosion = gameRecord.enemies[slot++];
      EXPECT_EQ(explosion.kind, KIND_EXPLOSION);
      EXPECT_EQ(explosion.picture, PIC_BIGBAKU1);
      EXPECT_EQ(explosion.x, 300 + dx - PictureWidth(PIC_BIGBAKU1) / 2);
      EXPECT_EQ(explosion.y, 200 + dy - PictureHeight(PIC_BIGBAKU1) / 2);
    }
    EXPECT_EQ(gameRecord.enemies[slot].kind, KIND_FREE) << timer;
  }
  EXPECT_EQ(slot, 14);
  EXPECT_EQ(Rand(), random.Next()) << "no other draws during the fall";
}

TEST_F(PlayBossesTest, TheWreckFadesFromTheStageClearButNeverAboveTheScenesOpacity) {
  Start(1);
  BossRecord& boss = EnterStage(4);
  boss.hitPoints = 0;
  struct Case {
    int defeatTimer, fadeAlpha, alpha;
  };
  const Case cases[] = {{1, 255, 255}, {59, 120, 120}, {60, 255, 255}, {61, 255, 251},
                        {61, 100, 100}, {123, 255, 3},  {124, 255, 0},  {200, 255, 0}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.defeatTimer);
    boss.defeatTimer = static_cast<std::int16_t>(test.defeatTimer);
    gameRecord.fadeAlpha = static_cast<std::int16_t>(test.fadeAlpha);
    backend.graphics.ClearDraws();
    DrawBoss();
    ASSERT_EQ(backend.graphics.draws.size(), 1u);
    EXPECT_EQ(static_cast<int>(backend.graphics.draws[0].colour >> 24), test.alpha);
  }
}

TEST_F(PlayBossesTest, LifeBarShowsTheShareOfHitPointsLeft) {
  Start(1);
  BossRecord& boss = EnterStage(9);
  gameRecord.fadeAlpha = 255;
  const int w = PictureWidth(PIC_BOSSLIFE);
  const int h = PictureHeight(PIC_BOSSLIFE);
  struct Case {
    int hitPoints, maxHitPoints, width;  // width -1: no bar
  };
  const Case cases[] = {{35, 35, w}, {34, 35, w * 34 / 35}, {18, 35, w * 18 / 35}, {0, 35, -1}, {5, 0, -1}};
  for (const Case& test : cases) {
    SCOPED_TRACE(std::to_string(test.hitPoints) + " of " + std::to_string(test.maxHitPoints));
    boss.hitPoints = static_cast<std::int16_t>(test.hitPoints);
    boss.maxHitPoints = static_cast<std::int16_t>(test.maxHitPoints);
    backend.graphics.ClearDraws();
    DrawHud();
    const fake::DrawCall* bar = nullptr;
    for (const fake::DrawCall& call : backend.graphics.draws)
      if (idOfSerial.at(call.textureSerial) == PIC_BOSSLIFE) bar = &call;
    if (test.width < 0) {
      EXPECT_EQ(bar, nullptr);
      continue;
    }
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->source.left, 0);
    EXPECT_EQ(bar->source.right, test.width);
    EXPECT_EQ(bar->source.bottom, h);
    EXPECT_FLOAT_EQ(bar->translation.x, static_cast<float>(640 - w));
    EXPECT_FLOAT_EQ(bar->translation.y, static_cast<float>(480 - h));
  }
}

}  // namespace
