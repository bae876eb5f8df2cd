// The bosses of stages 15, 20, 25 and 30: a simple bot beats each, each hits a player who stands
// still, hit points by mode and players, the fixed hit rules of stages 20 and 30, and attacks
// that grow as their life falls.
#include <cmath>
#include <filesystem>
#include <set>

#include "game/boss_kinds.h"
#include "play_test_support.h"

namespace {

constexpr int kBossStages[] = {14, 19, 24, 29};

class DesignedBossTest : public PlayTest {
 protected:
  // Start(1) with the build's own pictures, so the bosses and players have the real art's sizes.
  void StartWithRealArt() {
    std::filesystem::copy_file(std::string(SORVANI_DATA_DIR) + "/svdata01.dat", "svdata01.dat",
                               std::filesystem::copy_options::overwrite_existing);
    Start(1);
  }
  void EnterStage(int stageIndex) {
    gameRecord.stageIndex = static_cast<std::int16_t>(stageIndex);
    gameRecord.stageInitPending = 1;
    Step();
  }
  // Holds up or down (or neither) for the next step.
  void Steer(int direction) {
    Hold(platform::VK_UP, direction < 0);
    Hold(platform::VK_DOWN, direction > 0);
  }
  // The bot: steps away from the closest enemy shot about to reach it, else keeps its shots
  // level with the boss's centre.
  int BotDirection() {
    const PlayerRecord& player = gameRecord.players[0];
    const double px = player.x + PlayerWidth() / 2.0, py = player.y + PlayerHeight() / 2.0;
    double closest = 1e9;
    int away = 0;
    for (const EnemyShot& shot : gameRecord.enemyShots) {
      if (shot.active == 0) continue;
      const double r = PictureHeight(shot.picture) / 2.0;
      for (int ahead = 0; ahead <= 14; ahead += 2) {
        const double sx = shot.x + r + shot.stepX * ahead - px, sy = shot.y + r + shot.stepY * ahead - py;
        const double d = std::sqrt(sx * sx + sy * sy) - r;
        if (d < 24 && d < closest) {
          closest = d;
          away = sy > 0 ? -1 : 1;
        }
      }
    }
    if (away < 0 && player.y < 9) away = 1;
    if (away > 0 && player.y >= 472 - PlayerHeight()) away = -1;
    if (away != 0) return away;
    const BossRecord& boss = gameRecord.boss;
    const double target = boss.y + PictureHeight(boss.picture) / 2.0 - 5;
    return py < target - 3 ? 1 : py > target + 3 ? -1 : 0;
  }
  // Frames of enemy shots newly in the air while the boss lives with the given hit points
  // (the player cannot be hit meanwhile, and the boss is not worn down).
  int ShotsFired(int stageIndex, int hitPoints, int frames) {
    EnterStage(stageIndex);
    gameRecord.boss.hitPoints = static_cast<std::int16_t>(hitPoints);
    bool was[kEnemyShotSlots] = {};
    int fired = 0;
    for (int f = 0; f < frames; ++f) {
      gameRecord.players[0].damageTimer = 50;
      gameRecord.timeLeft = 3600;
      Step();
      for (int i = 0; i < kEnemyShotSlots; ++i) {
        const bool active = gameRecord.enemyShots[i].active != 0;
        fired += active && !was[i];
        was[i] = active;
      }
    }
    return fired;
  }
};

// The bot's clock is kept topped up: this is about whether each boss can be beaten at all, not
// about the run's time budget.
TEST_F(DesignedBossTest, ASimpleBotBeatsEachBossInUnderThreeThousandFrames) {
  StartWithRealArt();
  Hold(platform::VK_SPACE);
  for (int stage : kBossStages) {
    SCOPED_TRACE("stage " + std::to_string(stage + 1));
    EnterStage(stage);
    ASSERT_GT(gameRecord.boss.hitPoints, 0);
    int frames = 0;
    while (gameRecord.stageClearCounter == 0 && frames < 3000) {
      gameRecord.timeLeft = 3600;
      Steer(BotDirection());
      Step();
      ++frames;
    }
    EXPECT_NE(gameRecord.stageClearCounter, 0) << "boss left with " << gameRecord.boss.hitPoints;
    EXPECT_EQ(gameRecord.boss.hitPoints, 0);
  }
}

TEST_F(DesignedBossTest, EachBossHitsAPlayerWhoStandsStill) {
  StartWithRealArt();
  for (int stage : kBossStages) {
    SCOPED_TRACE("stage " + std::to_string(stage + 1));
    EnterStage(stage);
    gameRecord.players[0].damageTimer = 0;
    int frames = 0;
    while (gameRecord.players[0].damageTimer == 0 && frames < 400) {
      Step();
      ++frames;
    }
    EXPECT_NE(gameRecord.players[0].damageTimer, 0);
    EXPECT_GT(frames, 20);  // not on the spot: there is time to read the first attack
  }
}

TEST_F(DesignedBossTest, HitPointsGrowWithModeAndPlayersAndStage) {
  struct Case {
    int stageIndex, gameMode, playerCount, hitPoints;
  };
  const Case cases[] = {
      {14, MODE_TRIAL, 1, 40},   {14, MODE_EXTRA, 1, 45},   {14, MODE_TRIAL, 2, 55},   {14, MODE_LUNATIC, 2, 70},
      {19, MODE_TRIAL, 1, 45},   {19, MODE_EXTRA, 1, 50},   {19, MODE_TRIAL, 2, 65},   {19, MODE_LUNATIC, 2, 80},
      {24, MODE_TRIAL, 1, 50},   {24, MODE_EXTRA, 1, 55},   {24, MODE_TRIAL, 2, 70},   {24, MODE_LUNATIC, 2, 90},
      {29, MODE_TRIAL, 1, 60},   {29, MODE_EXTRA, 1, 70},   {29, MODE_TRIAL, 2, 85},   {29, MODE_LUNATIC, 2, 110},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(BossOfStage(test.stageIndex).hitPoints(test.gameMode, test.playerCount), test.hitPoints)
        << "stage " << test.stageIndex + 1 << " mode " << test.gameMode << " players " << test.playerCount;
  }
  Start(2);
  EnterStage(29);
  EXPECT_EQ(gameRecord.boss.maxHitPoints, 85);
  EXPECT_EQ(gameRecord.boss.hitPoints, 85);
}

TEST_F(DesignedBossTest, TheFoxIsACircleRoundItsBodyForShotsAndPlayers) {
  StartWithRealArt();
  EnterStage(19);
  BossRecord& boss = gameRecord.boss;
  ASSERT_EQ(boss.halfWidth, 47);
  const double cx = boss.x + 47, cy = boss.y + 59;
  PlayerShot shot{};
  shot.picture = PIZ_TAMA1;
  shot.owner = 1;
  const double shotHalfW = PictureWidth(PIZ_TAMA1) / 2, shotRadius = PictureHeight(PIZ_TAMA1) / 2;
  // A shot flying level with the centre meets the circle where it reaches radius + shot radius.
  shot.y = cy - shotRadius;
  shot.prevX = shot.x = cx - 47 - shotRadius - shotHalfW - 1;
  EXPECT_FALSE(BossHitByShot(shot));
  shot.prevX = shot.x = cx - 47 - shotRadius - shotHalfW + 1;
  EXPECT_TRUE(BossHitByShot(shot));
  // Straight above the circle's centre, clear of the radius: no hit, even inside the picture.
  shot.y = cy - 47 - 2 * shotRadius - 1;
  shot.prevX = shot.x = cx - shotHalfW;
  EXPECT_FALSE(BossHitByShot(shot));

  PlayerRecord& player = gameRecord.players[0];
  const int playerHalfW = PlayerWidth() / 2, playerHalfH = PlayerHeight() / 2;
  gameRecord.enemyShots[0] = EnemyShot{};
  player.x = static_cast<int>(cx) - 47 - 6 - playerHalfW;  // centre exactly radius + 6 away
  player.y = static_cast<int>(cy) - playerHalfH;
  EXPECT_FALSE(PlayerTouches(player, cx, cy, boss.halfWidth));
  player.x += 1;
  EXPECT_TRUE(PlayerTouches(player, cx, cy, boss.halfWidth));
}

TEST_F(DesignedBossTest, TheSerpentStrikesAnyPlayerAtOrRightOfItsX) {
  StartWithRealArt();
  gameRecord.playerCount = 2;
  EnterStage(29);
  Step();
  BossRecord& boss = gameRecord.boss;
  ClearRecords(gameRecord.enemyShots, kEnemyShotSlots);
  // Both players far above or below its picture, one just left of its x, one on it.
  PlayerRecord& left = gameRecord.players[0];
  PlayerRecord& on = gameRecord.players[1];
  boss.attackTimer = -40;  // reeling: no shots this frame
  boss.frame = 3;          // keeps it from starting another reel
  const double nextX = boss.x;  // it moves at most 2 px a frame
  left.x = static_cast<int>(nextX) - 3;
  on.x = static_cast<int>(nextX) + 3;
  left.y = on.y = boss.y + 80 > 240 ? 0 : 432;
  Step();
  EXPECT_EQ(left.damageTimer, 0);
  EXPECT_NE(on.damageTimer, 0);
}

// The table: for each boss, the hit points of each of its phases and the shots fired per 720
// frames, which must grow phase by phase.
TEST_F(DesignedBossTest, AttacksGrowAsLifeFalls) {
  StartWithRealArt();
  struct Case {
    int stageIndex;
    std::vector<int> lifePercents;  // one inside each phase
  };
  const Case cases[] = {
      {14, {100, 40}},
      {19, {100, 50, 20}},
      {24, {100, 50, 20}},
      {29, {100, 50, 20}},
  };
  for (const Case& test : cases) {
    int before = -1;
    for (int percent : test.lifePercents) {
      SCOPED_TRACE("stage " + std::to_string(test.stageIndex + 1) + " at " + std::to_string(percent) + " %");
      const int max = BossOfStage(test.stageIndex).hitPoints(MODE_TRIAL, 1);
      const int fired = ShotsFired(test.stageIndex, max * percent / 100, 720);
      EXPECT_GT(fired, before);
      before = fired;
    }
  }
}

TEST_F(DesignedBossTest, TheSkullLungesOnlyOnceHurtAndTheSerpentMasksOnlyAtTheEnd) {
  StartWithRealArt();
  for (int percent : {100, 50, 20}) {
    SCOPED_TRACE(std::to_string(percent) + " %");
    EnterStage(24);
    gameRecord.boss.hitPoints = static_cast<std::int16_t>(50 * percent / 100);
    double leftmost = 640;
    for (int f = 0; f < 300; ++f) {
      gameRecord.players[0].damageTimer = 50;
      Step();
      leftmost = std::min(leftmost, gameRecord.boss.x);
    }
    EXPECT_EQ(leftmost < 200, percent == 50);

    EnterStage(29);
    gameRecord.boss.hitPoints = static_cast<std::int16_t>(60 * percent / 100);
    int masks = 0, scales = 0;
    for (int f = 0; f < 200; ++f) {
      gameRecord.players[0].damageTimer = 50;
      Step();
      masks += CountDrawn(PIC_BOSS6M);
      for (const EnemyShot& shot : gameRecord.enemyShots) scales += shot.active && shot.picture == PIX_BOSS6T;
    }
    EXPECT_EQ(masks > 0, percent == 20);
    EXPECT_GT(scales, 0);  // it throws its scales in every phase
  }
}

}  // namespace
