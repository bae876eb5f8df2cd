// The bosses of stages 15, 20, 25 and 30: a simple bot beats each with every weapon in comparable
// time, each hits a player who stands still, hit points by mode and players, the fixed hit rules
// of stages 20 and 30, attacks that grow as their life falls, and sprays that fit the shot pool.
#include <cmath>
#include <filesystem>
#include <set>
#include <string>

#include "game/boss_kinds.h"
#include "game/boss_patterns.h"
#include "play_test_support.h"

namespace {

constexpr int kBossStages[] = {14, 19, 24, 29};

class DesignedBossTest : public PlayTest {
 protected:
  // Start(1) with the build's own pictures, so the bosses and players have the real art's sizes.
  void StartWithRealArt(int weapon = WEAPON_REN) {
    std::filesystem::copy_file(std::string(SORVANI_DATA_DIR) + "/svdata01.dat", "svdata01.dat",
                               std::filesystem::copy_options::overwrite_existing);
    Start(1, static_cast<std::uint16_t>(weapon));
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
  struct Fight {
    int frames;  // until the stage clear starts; 0 when the boss still lived at the limit
    int hits;    // taken by the bot
  };
  // The bot flies one boss stage with its clock topped up, from a fresh run with the weapon.
  Fight BotFight(int stageIndex, int gameMode, int weapon, int limit = 4000) {
    StartWithRealArt(weapon);
    gameRecord.gameMode = static_cast<std::int16_t>(gameMode);
    Hold(platform::VK_SPACE);
    EnterStage(stageIndex);
    const int missesBefore = gameRecord.players[0].missCount;
    int frames = 0;
    while (gameRecord.stageClearCounter == 0 && frames < limit) {
      gameRecord.timeLeft = 3600;
      Steer(BotDirection());
      Step();
      ++frames;
    }
    return Fight{gameRecord.stageClearCounter != 0 ? frames : 0, gameRecord.players[0].missCount - missesBefore};
  }
  // Enemy shots newly in the air while the boss lives with the given hit points (the player
  // cannot be hit meanwhile, and the boss is not worn down), and the fastest of them.
  int ShotsFired(int stageIndex, int hitPoints, int frames, double* fastest = nullptr) {
    EnterStage(stageIndex);
    gameRecord.boss.hitPoints = static_cast<std::int16_t>(hitPoints);
    bool was[kEnemyShotSlots] = {};
    int fired = 0;
    if (fastest != nullptr) *fastest = 0;
    for (int f = 0; f < frames; ++f) {
      gameRecord.players[0].damageTimer = 50;
      gameRecord.timeLeft = 3600;
      Step();
      for (int i = 0; i < kEnemyShotSlots; ++i) {
        const bool active = gameRecord.enemyShots[i].active != 0;
        fired += active && !was[i];
        if (active && !was[i] && fastest != nullptr) *fastest = std::max(*fastest, gameRecord.enemyShots[i].speed);
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
      {14, MODE_TRIAL, 1, 36},   {14, MODE_EXTRA, 1, 40},   {14, MODE_TRIAL, 2, 50},   {14, MODE_LUNATIC, 2, 64},
      {19, MODE_TRIAL, 1, 38},   {19, MODE_EXTRA, 1, 42},   {19, MODE_TRIAL, 2, 53},   {19, MODE_LUNATIC, 2, 67},
      {24, MODE_TRIAL, 1, 40},   {24, MODE_EXTRA, 1, 44},   {24, MODE_TRIAL, 2, 56},   {24, MODE_LUNATIC, 2, 70},
      {29, MODE_TRIAL, 1, 45},   {29, MODE_EXTRA, 1, 50},   {29, MODE_TRIAL, 2, 63},   {29, MODE_LUNATIC, 2, 80},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(BossOfStage(test.stageIndex).hitPoints(test.gameMode, test.playerCount), test.hitPoints)
        << "stage " << test.stageIndex + 1 << " mode " << test.gameMode << " players " << test.playerCount;
  }
  Start(2);
  EnterStage(29);
  EXPECT_EQ(gameRecord.boss.maxHitPoints, 63);
  EXPECT_EQ(gameRecord.boss.hitPoints, 63);
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
  boss.attackTimer = -20;  // reeling: no shots this frame
  boss.frame = 3;          // keeps it from starting another reel
  const double nextX = boss.x;  // it moves at most 2 px a frame
  left.x = static_cast<int>(nextX) - 3;
  on.x = static_cast<int>(nextX) + 3;
  left.y = on.y = boss.y + 80 > 240 ? 0 : 432;
  Step();
  EXPECT_EQ(left.damageTimer, 0);
  EXPECT_NE(on.damageTimer, 0);
}

// For each boss, one life inside each of its phases: shots fired per 720 frames grow phase by
// phase, and its calmest phase already fires more, and faster, than the boss of stage 10.
TEST_F(DesignedBossTest, AttacksGrowAsLifeFallsFromAboveTheEarlyBosses) {
  StartWithRealArt();
  for (int mode : {MODE_TRIAL, MODE_EXTRA, MODE_LUNATIC}) {
    gameRecord.gameMode = static_cast<std::int16_t>(mode);
    double boss2Fastest = 0;
    const int boss2Fired = ShotsFired(9, 35, 720, &boss2Fastest);
    for (int stage : kBossStages) {
      int before = boss2Fired;
      for (int percent : {100, 45, 20}) {
        SCOPED_TRACE("mode " + std::to_string(mode) + " stage " + std::to_string(stage + 1) + " at " +
                     std::to_string(percent) + " %");
        const int max = BossOfStage(stage).hitPoints(mode, 1);
        double fastest = 0;
        const int fired = ShotsFired(stage, max * percent / 100, 720, &fastest);
        EXPECT_GT(fired, before);
        EXPECT_GT(fastest, boss2Fastest);
        before = fired;
      }
    }
  }
}

TEST_F(DesignedBossTest, TheSkullLungesOnlyOnceHurtAndTheSerpentMasksOnlyAtTheEnd) {
  StartWithRealArt();
  for (int percent : {100, 50, 20}) {
    SCOPED_TRACE(std::to_string(percent) + " %");
    EnterStage(24);
    gameRecord.boss.hitPoints = static_cast<std::int16_t>(gameRecord.boss.maxHitPoints * percent / 100);
    double leftmost = 640;
    for (int f = 0; f < 300; ++f) {
      gameRecord.players[0].damageTimer = 50;
      Step();
      leftmost = std::min(leftmost, gameRecord.boss.x);
    }
    EXPECT_EQ(leftmost < 200, percent == 50);

    EnterStage(29);
    gameRecord.boss.hitPoints = static_cast<std::int16_t>(gameRecord.boss.maxHitPoints * percent / 100);
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

// The tengu's phases hold out 360, 320 and 120 frames: until then a hit that would wear it into
// the next phase, or shoot it down, passes through; any other hit lands.
TEST_F(DesignedBossTest, APhaseHoldsOutItsLeastTimeBeforeItCanBeWornPast) {
  StartWithRealArt();
  EnterStage(14);
  BossRecord& boss = gameRecord.boss;
  ASSERT_EQ(boss.maxHitPoints, 36);
  struct Case {
    int hitPoints, phase, phaseFrames;
    bool lands;
  };
  const Case cases[] = {
      {22, 0, 359, false}, {22, 0, 360, true}, {23, 0, 0, true},  // 21 is 58 %: the next phase
      {10, 1, 319, false}, {10, 1, 320, true}, {11, 1, 0, true},  // 9 is 25 %: the last phase
      {1, 2, 119, false},  {1, 2, 120, true},  {2, 2, 0, true},
  };
  PlayerShot shot{};
  shot.picture = PIZ_TAMA1;
  shot.owner = 1;
  shot.y = boss.y + 64 - PictureHeight(PIZ_TAMA1) / 2;
  shot.prevX = shot.x = boss.x + 52 - PictureWidth(PIZ_TAMA1) / 2;
  for (const Case& test : cases) {
    boss.hitPoints = static_cast<std::int16_t>(test.hitPoints);
    boss.phase = static_cast<std::int16_t>(test.phase);
    boss.phaseFrames = static_cast<std::int16_t>(test.phaseFrames);
    EXPECT_EQ(BossHitByShot(shot), test.lands) << test.hitPoints << " hit points, " << test.phaseFrames << " frames";
  }
}

// No weapon makes light of a boss: with each weapon the bot beats it, and the slowest kill takes
// at most half as long again as the quickest.
TEST_F(DesignedBossTest, EveryWeaponBeatsEachBossInComparableTime) {
  for (int stage : kBossStages) {
    int quickest = 1 << 30, slowest = 0;
    std::string frames;
    for (int weapon : {WEAPON_REN, WEAPON_KAN, WEAPON_SPEED}) {
      const Fight fight = BotFight(stage, MODE_TRIAL, weapon);
      ASSERT_GT(fight.frames, 0) << "stage " << stage + 1 << " weapon " << weapon << " left the boss alive";
      quickest = std::min(quickest, fight.frames);
      slowest = std::max(slowest, fight.frames);
      frames += " " + std::to_string(fight.frames);
    }
    EXPECT_LE(slowest * 2, quickest * 3) << "stage " << stage + 1 << ": frames by weapon" << frames;
  }
}

// A wall's way through is never where the player stands, nor farther from her row than its
// farthest shift (plus a shot's spacing for the grid), even at the field's top and bottom.
TEST_F(DesignedBossTest, AWallsWayThroughIsOffThePlayersRowYetWithinReach) {
  StartWithRealArt();
  const double radius = PictureHeight(PIX_TEKITAMA) / 2.0;
  for (int row : {20, 60, 240, 420, 466}) {
    for (int volley = 0; volley < 40; ++volley) {
      SCOPED_TRACE("row " + std::to_string(row) + " volley " + std::to_string(volley));
      ClearRecords(gameRecord.enemyShots, kEnemyShotSlots);
      gameRecord.players[0].y = row - PlayerHeight() / 2.0;
      FireWallAwayFrom(0, 400, 20, 24, 3, 40, 100, 5);
      bool present[20] = {};
      int count = 0;
      double nearest = 1e9;
      for (const EnemyShot& shot : gameRecord.enemyShots) {
        if (shot.active == 0) continue;
        ++count;
        EXPECT_LT(shot.stepX, 0);
        const double centre = shot.y + radius;
        present[static_cast<int>(std::lround((centre - 8 - radius) / 24))] = true;
        nearest = std::min(nearest, std::fabs(centre - row));
      }
      ASSERT_EQ(count, 17);
      int gapStart = 0;
      while (present[gapStart]) ++gapStart;
      EXPECT_FALSE(present[gapStart + 1] || present[gapStart + 2]);
      const double gapCentre = 8 + radius + 24 * (gapStart + 1);
      EXPECT_LT(nearest, radius + 6);  // standing still, she is hit
      EXPECT_LE(std::fabs(gapCentre - row), 100 + 24);
    }
  }
}

// Two players in lunatic draw the most shots: every volley of every phase finds the pool with
// room to spare, so nothing of a spray is dropped.
TEST_F(DesignedBossTest, TwoPlayerLunaticSpraysFitTheShotPool) {
  StartWithRealArt();
  gameRecord.playerCount = 2;
  gameRecord.gameMode = MODE_LUNATIC;
  for (int stage : kBossStages) {
    for (int percent : {100, 45, 20}) {
      SCOPED_TRACE("stage " + std::to_string(stage + 1) + " at " + std::to_string(percent) + " %");
      EnterStage(stage);
      BossRecord& boss = gameRecord.boss;
      boss.hitPoints = static_cast<std::int16_t>(boss.maxHitPoints * percent / 100);
      int most = 0;
      for (int f = 0; f < 1200; ++f) {
        // The players drift up and down the left so the aimed sprays sweep the field.
        for (int p = 0; p < 2; ++p) {
          gameRecord.players[p].damageTimer = 50;
          gameRecord.players[p].y = 20 + (f * 3 + 200 * p) % 400;
        }
        UpdateBoss();
        int active = 0;
        for (const EnemyShot& shot : gameRecord.enemyShots) active += shot.active;
        most = std::max(most, active);
        MoveEnemyShots();
      }
      EXPECT_LT(most, kEnemyShotSlots);
      EXPECT_GT(most, 9);  // it did fire
    }
  }
}

}  // namespace
