// The players: movement limits, the three weapons' firing, piercing beams, damage and blink.
#include "play_test_support.h"

namespace {

class PlayWeaponsTest : public PlayTest {
 protected:
  // Frames (1-based) on which a new shot left while shot was held for the given frames.
  std::vector<int> FiringFrames(int frames) {
    std::vector<int> fired;
    Hold(platform::VK_SPACE);
    for (int frame = 1; frame <= frames; ++frame) {
      Step();
      for (const PlayerShot& shot : gameRecord.playerShots) {
        if (shot.owner == 1 && shot.age == 1) fired.push_back(frame);
      }
    }
    Hold(platform::VK_SPACE, false);
    return fired;
  }
};

TEST_F(PlayWeaponsTest, RapidFireShootsAtOnceThenEveryTwelveFrames) {
  Start(1, WEAPON_REN);
  EmptyStageThatKeepsRunning();
  EXPECT_EQ(FiringFrames(40), (std::vector<int>{1, 13, 25, 37}));
  // Letting go resets the cooldown: the next press fires at once again.
  Step(3);
  EXPECT_EQ(FiringFrames(2), (std::vector<int>{1}));
}

TEST_F(PlayWeaponsTest, BeamAndSpeedKeepOneShotOnScreen) {
  for (int weapon : {WEAPON_KAN, WEAPON_SPEED}) {
    SCOPED_TRACE(weapon);
    Start(1, static_cast<std::uint16_t>(weapon));
    EmptyStageThatKeepsRunning();
    const std::vector<int> fired = FiringFrames(80);
    ASSERT_GE(fired.size(), 2u);
    EXPECT_EQ(fired[0], 1);
    // The next leaves on the frame after the first flew off the right edge.
    const PlayerRecord& player = gameRecord.players[0];
    const double startX = player.x + PlayerWidth() - PictureWidth(PIZ_TAMA1);
    int flight = 0;
    for (double x = startX; x <= 640; x += 16) ++flight;
    EXPECT_EQ(fired[1], 1 + flight);
  }
}

TEST_F(PlayWeaponsTest, FireOperationFillsTheShotThrowsACasingAndMarksTheMuzzle) {
  Start(1, WEAPON_KAN);
  EmptyStageThatKeepsRunning();
  PlayerRecord& player = gameRecord.players[0];
  Hold(platform::VK_SPACE);
  Step();
  const PlayerShot& shot = gameRecord.playerShots[0];
  ASSERT_EQ(shot.owner, 1);
  EXPECT_EQ(shot.piercing, 1);
  EXPECT_EQ(shot.picture, PIZ_TAMA2);
  EXPECT_EQ(shot.x, player.x + PlayerWidth() - PictureWidth(PIZ_TAMA1) + 16);
  EXPECT_EQ(shot.y, player.y + PlayerHeight() / 2 - PictureHeight(PIZ_TAMA1) / 2 + 5);
  EXPECT_NE(gameRecord.casings[0].variant, 0);
  EXPECT_EQ(player.muzzleX, player.x);
  // The flash is drawn scaled by t / 12 and ends after eleven frames.
  int scaledDraws = 0;
  for (const fake::DrawCall& call : backend.graphics.draws) scaledDraws += call.scaled;
  EXPECT_EQ(scaledDraws, 1);
  EXPECT_EQ(player.muzzleTimer, 2);
  Hold(platform::VK_SPACE, false);
  Step(10);
  EXPECT_EQ(player.muzzleTimer, 0);

  // A full pool drops the shot without a casing.
  ClearRecords(gameRecord.casings, kCasingSlots);
  for (PlayerShot& other : gameRecord.playerShots) other.owner = 2;
  EXPECT_EQ(FirePlayerShot(false, 1, 2, 3, 4, 1), -1);
  EXPECT_EQ(gameRecord.casings[0].variant, 0);
}

TEST_F(PlayWeaponsTest, APiercingShotDamagesEveryEnemyOnItsLineAndARapidShotOnlyTheFirst) {
  for (int weapon : {WEAPON_KAN, WEAPON_REN}) {
    SCOPED_TRACE(weapon);
    Start(1, static_cast<std::uint16_t>(weapon));
    ClearRecords(gameRecord.enemies, kEnemySlots);
    gameRecord.stageIntroTimer = 180;
    const PlayerRecord& player = gameRecord.players[0];
    // Shot centre line: the enemies sit on it, one after another.
    const double lineY = player.y + PlayerHeight() / 2 - PictureHeight(PIZ_TAMA1) / 2 + 5 + PictureHeight(PIZ_TAMA1) / 2;
    const double enemyY = lineY - PictureHeight(PIC_HITOTAMA_1) / 2;
    for (int i = 0; i < 3; ++i) PlaceAt(KIND_WISP, 200 + 100 * i, enemyY, 2);
    PlaceEnemy(StageEntry{70, 55, KIND_CAPSULE, 0}, 1);
    gameRecord.enemies[3].speed = 0;
    Hold(platform::VK_SPACE);
    Step();
    Hold(platform::VK_SPACE, false);
    Step(40);
    int hit = 0;
    for (int i = 0; i < 3; ++i) hit += gameRecord.enemies[i].hitPoints < 2;
    EXPECT_EQ(hit, weapon == WEAPON_KAN ? 3 : 1);
  }
}

TEST_F(PlayWeaponsTest, MovementStopsAtTheLimitsTestedBeforeTheStep) {
  Start(1, WEAPON_SPEED);
  EmptyStageThatKeepsRunning();
  PlayerRecord& player = gameRecord.players[0];
  player.y = 9;
  Hold(platform::VK_UP);
  Step();
  EXPECT_EQ(player.y, 1);
  Step();
  EXPECT_EQ(player.y, 1);
  // Up wins over down, left over right.
  Hold(platform::VK_DOWN);
  Hold(platform::VK_LEFT);
  Hold(platform::VK_RIGHT);
  player.x = 100;
  Step();
  EXPECT_EQ(player.y, 1);
  EXPECT_EQ(player.x, 92);
  Hold(platform::VK_UP, false);
  Hold(platform::VK_LEFT, false);
  player.x = 632 - PlayerWidth() - 1;
  player.y = 472 - PlayerHeight() - 1;
  Step();
  EXPECT_EQ(player.x, 632 - PlayerWidth() + 7);
  EXPECT_EQ(player.y, 472 - PlayerHeight() + 7);
  Step();
  EXPECT_EQ(player.x, 632 - PlayerWidth() + 7);
}

TEST_F(PlayWeaponsTest, DamageCostsTimeStunsBlinksAndProtects) {
  struct Case {
    int weapon;
    int clockBefore;
    int clockAfter;
    int stunned;  // frames without movement
    int protectedFor;
  };
  const Case cases[] = {
      {WEAPON_REN, 1000, 700, 60, 120}, {WEAPON_SPEED, 1000, 820, 30, 60}, {WEAPON_KAN, 1000, 700, 60, 120}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.weapon);
    Start(1, static_cast<std::uint16_t>(test.weapon));
    EmptyStageThatKeepsRunning();
    PlayerRecord& player = gameRecord.players[0];
    gameRecord.timeLeft = static_cast<std::int16_t>(test.clockBefore + 1);
    // An enemy shot resting on the player's centre hits her during the frame.
    const int shot = SpawnEnemyShot(player.x + PlayerWidth() / 2 - PictureWidth(PIX_TEKITAMA) / 2,
                                    player.y + PlayerHeight() / 2 - PictureHeight(PIX_TEKITAMA) / 2, 0, 0);
    Step();
    gameRecord.enemyShots[shot].active = 0;
    EXPECT_EQ(gameRecord.timeLeft, test.clockAfter);
    EXPECT_EQ(player.missCount, 1);
    EXPECT_EQ(player.damageTimer, test.weapon == WEAPON_SPEED ? 118 : 119);
    Hold(platform::VK_RIGHT);
    const int startX = player.x;
    int still = 0;
    int shownWhileHit = 0;
    int labelFrames = 0;
    const PictureId level = static_cast<PictureId>(PIC_SENRA_REN_1 + 4 * test.weapon);
    for (int frame = 1; frame < test.protectedFor; ++frame) {
      Step();
      if (player.x == startX) ++still;
      int drawn = 0;
      for (int f = 0; f < 4; ++f) drawn += CountDrawn(static_cast<PictureId>(level + f));
      // The sprite shows only while bit 1 of the timer is clear (the after-images of the
      // speed weapon go with it).
      EXPECT_EQ(drawn != 0, (player.damageTimer & 2) == 0) << "timer " << int{player.damageTimer};
      shownWhileHit += drawn != 0;
      labelFrames += CountDrawn(test.weapon == WEAPON_SPEED ? PIC_MISS3 : PIC_MISS5);
    }
    Hold(platform::VK_RIGHT, false);
    EXPECT_EQ(still, test.stunned);
    EXPECT_GT(shownWhileHit, 0);
    EXPECT_LT(shownWhileHit, test.protectedFor - 1);
    EXPECT_GT(labelFrames, 0);
    EXPECT_EQ(player.damageTimer, 0);
  }
}

TEST_F(PlayWeaponsTest, AfterImagesFollowTheSpeedWeaponAndEveryoneInTheStageClear) {
  struct Case {
    int weapon;
    bool clearing;
    int sprites;  // the sprite and its five after-images
  };
  const Case cases[] = {{WEAPON_SPEED, false, 6}, {WEAPON_REN, false, 1}, {WEAPON_KAN, true, 6}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.weapon);
    Start(1, static_cast<std::uint16_t>(test.weapon));
    EmptyStageThatKeepsRunning();
    gameRecord.fadeAlpha = 210;
    gameRecord.stageClearCounter = test.clearing ? 5 : 0;
    gameRecord.frameCounter = 0;
    backend.graphics.ClearDraws();
    DrawPlayers();
    const PictureId sprite = static_cast<PictureId>(PIC_SENRA_REN_1 + 4 * test.weapon);
    std::vector<std::uint32_t> alphas;
    for (const fake::DrawCall& call : backend.graphics.draws) {
      if (idOfSerial.at(call.textureSerial) == sprite) alphas.push_back(call.colour >> 24);
    }
    ASSERT_EQ(static_cast<int>(alphas.size()), test.sprites);
    if (test.sprites == 6) {
      EXPECT_EQ(alphas, (std::vector<std::uint32_t>{30, 35, 42, 52, 70, 210}));
    }
  }
}

TEST_F(PlayWeaponsTest, TwoPlayerFlagsShowDuringTheIntroOverEachSister) {
  Start(2, 0x0100);
  Step(5);
  EXPECT_EQ(CountDrawn(PIC_FLAG_1P), 1);
  EXPECT_EQ(CountDrawn(PIC_FLAG_2P), 1);
  // Player 2 is drawn with her own pictures and weapon.
  EXPECT_EQ(CountDrawn(PIC_YUSERA_KAN_1) + CountDrawn(PIC_YUSERA_KAN_2) + CountDrawn(PIC_YUSERA_KAN_3) +
                CountDrawn(PIC_YUSERA_KAN_4),
            1);
  gameRecord.stageIntroTimer = 180;
  Step();
  EXPECT_EQ(CountDrawn(PIC_FLAG_1P), 0);
}

TEST_F(PlayWeaponsTest, SecondPlayerHasHerOwnKeys) {
  Start(2, 0x0000);
  EmptyStageThatKeepsRunning();
  const int y1 = gameRecord.players[0].y;
  const int y2 = gameRecord.players[1].y;
  Hold('T');
  Hold('X');
  Step();
  Hold('T', false);
  Hold('X', false);
  EXPECT_EQ(gameRecord.players[0].y, y1);
  EXPECT_EQ(gameRecord.players[1].y, y2 - 4);
  EXPECT_EQ(LiveShots(2), 1);
  EXPECT_EQ(LiveShots(1), 0);
}

TEST_F(PlayWeaponsTest, APenaltyNeverTakesTheClockBelowZero) {
  Start(1, WEAPON_REN);
  const int cases[][2] = {{240, 0}, {300, 0}, {301, 1}};
  for (const auto& test : cases) {
    gameRecord.timeLeft = static_cast<std::int16_t>(test[0]);
    DamagePlayer(gameRecord.players[0]);
    EXPECT_EQ(gameRecord.timeLeft, test[1]) << test[0];
  }
}

TEST_F(PlayWeaponsTest, EnemyBodiesAndShotsHitOnlyAVulnerablePlayer) {
  Start(1);
  EmptyStageThatKeepsRunning();
  PlayerRecord& player = gameRecord.players[0];
  const double centreX = player.x + PlayerWidth() / 2;
  const double centreY = player.y + PlayerHeight() / 2;
  EnemySlot& wisp = PlaceAt(KIND_WISP, centreX - PictureWidth(PIC_HITOTAMA_1) / 2,
                            centreY - PictureHeight(PIC_HITOTAMA_1) / 2);
  (void)wisp;
  const std::int16_t clock = gameRecord.timeLeft;
  Step();
  EXPECT_EQ(player.missCount, 1);
  EXPECT_EQ(gameRecord.timeLeft, clock - 1 - 300);
  Step(10);
  EXPECT_EQ(player.missCount, 1) << "no second hit while the timer runs";
  gameRecord.enemies[1].kind = KIND_FREE;
  player.damageTimer = 0;
  // An enemy shot that touches stays in flight.
  const int slot = SpawnEnemyShot(centreX - PictureWidth(PIX_TEKITAMA) / 2, centreY - PictureHeight(PIX_TEKITAMA) / 2, 0, 0);
  Step();
  EXPECT_EQ(player.missCount, 2);
  EXPECT_EQ(gameRecord.enemyShots[slot].active, 1);
}

}  // namespace
