// The play scene's effects and music: which effect each event plays, at which volume, and the
// run start's music by mode.
#include <algorithm>
#include <utility>

#include "play_test_support.h"

namespace {

class PlaySoundTest : public PlayTest {
 protected:
  using Effects = std::vector<Played>;
};

TEST_F(PlaySoundTest, TheLastTenSecondsTickAndTimeUpSoundsLikeAHit) {
  Start(1);
  EmptyStageThatKeepsRunning();
  EnableSound();
  gameRecord.timeLeft = 661;
  std::vector<std::pair<int, Played>> heard;  // the value each sounding frame took the clock to
  std::size_t playedSoFar = 0;
  for (int frame = 0; frame < 661; ++frame) {
    const int reached = gameRecord.timeLeft - 1;
    Step();
    const Effects played = PlayedEffects();
    if (played.size() > playedSoFar) heard.emplace_back(reached, played.back());
    playedSoFar = played.size();
  }
  ASSERT_EQ(gameRecord.timeLeft, -1);
  std::vector<std::pair<int, Played>> expected;
  for (int second = 10; second >= 1; --second) expected.emplace_back(second * 60, Played{WAV_RA, 0});
  expected.emplace_back(0, Played{WAV_DAMAGE, 0});
  EXPECT_EQ(heard, expected);
}

TEST_F(PlaySoundTest, ShotsPlayTheirWeaponsSoundRapidOnesQuieter) {
  for (int weapon : {WEAPON_REN, WEAPON_KAN, WEAPON_SPEED}) {
    SCOPED_TRACE(weapon);
    ResetSound();
    Start(1, static_cast<std::uint16_t>(weapon));
    EmptyStageThatKeepsRunning();
    EnableSound();
    Hold(platform::VK_SPACE);
    Step();
    Hold(platform::VK_SPACE, false);
    const Played expected = weapon == WEAPON_KAN ? Played{WAV_SHOT_2, 0} : Played{WAV_SHOT_1, -500};
    EXPECT_EQ(PlayedEffects(), Effects{expected});
  }
}

TEST_F(PlaySoundTest, EachEventPlaysItsEffect) {
  Start(1);
  EmptyStageThatKeepsRunning();
  EnableSound();
  struct Case {
    const char* event;
    void (*act)(PlaySoundTest&);
    Effects effects;
  };
  const Case cases[] = {
      {"kill", [](PlaySoundTest& t) { DamageEnemy(t.PlaceAt(KIND_WALKER, 300, 300), 1); }, {{WAV_ENEMY_DAMAGE, 0}}},
      {"wounding hit", [](PlaySoundTest& t) { DamageEnemy(t.PlaceAt(KIND_WALKER, 300, 300, 2), 1); }, {}},
      {"capsule hit", [](PlaySoundTest& t) { HitCapsule(t.PlaceAt(KIND_CAPSULE, 300, 300)); }, {{WAV_HITITEM, 0}}},
      {"capsule destroyed",
       [](PlaySoundTest& t) {
         EnemySlot& capsule = t.PlaceAt(KIND_CAPSULE, 300, 300);
         capsule.counter = 1;
         HitCapsule(capsule);
       },
       {{WAV_ENEMY_DAMAGE, 0}}},
      {"capsule collected",
       [](PlaySoundTest& t) {
         const PlayerRecord& player = gameRecord.players[0];
         CollectCapsule(t.PlaceAt(KIND_CAPSULE, player.x, player.y));
       },
       {{WAV_GET_ITEM, 0}}},
      {"player hit", [](PlaySoundTest&) { DamagePlayer(gameRecord.players[0]); }, {{WAV_DAMAGE, 0}}},
      {"boss hit",
       [](PlaySoundTest&) {
         gameRecord.boss.hitPoints = 5;
         ScoreBossHit(1);
       },
       {{WAV_ENEMY_HIT, 0}}},
      {"big explosion", [](PlaySoundTest&) { SpawnBigExplosion(10, 10); }, {{WAV_ENEMY_DAMAGE, 0}}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.event);
    gameRecord.timeLeft = 1000;
    test.act(*this);
    EXPECT_EQ(PlayedEffects(), test.effects);
  }
}

TEST_F(PlaySoundTest, TheWarpSoundsOnTheTwentiethFrameOfTheStageClear) {
  Start(1);
  ClearRecords(gameRecord.enemies, kEnemySlots);
  EnableSound();
  Step(19);
  EXPECT_TRUE(PlayedEffects().empty());
  Step();
  EXPECT_EQ(gameRecord.stageClearCounter, 21);
  EXPECT_EQ(PlayedEffects(), (Effects{{WAV_WARP, 0}}));
}

TEST_F(PlaySoundTest, WithTheSoundOffSettingNothingPlays) {
  appState.NoSE = 1;
  InitSound(window);
  Start(1, WEAPON_KAN);
  EmptyStageThatKeepsRunning();
  backend.log.Clear();
  Hold(platform::VK_SPACE);
  Step(5);
  DamagePlayer(gameRecord.players[0]);
  EXPECT_TRUE(PlayedEffects().empty());
}

TEST_F(PlaySoundTest, TrialRunsAskForThePlayPieceOtherModesStopTheMusic) {
  appState.enable_debug_write = 1;
  EnableSound();
  const std::string readError = "svdata04.m/mx 読み出しエラー";
  struct Case {
    int entry;
    bool asksForMusic;
  };
  for (const Case& test : {Case{1, true}, Case{2, true}, Case{4, false}, Case{5, false}}) {
    SCOPED_TRACE(test.entry);
    ResetDebugLog();
    PlayScene(window, test.entry);
    const std::vector<std::string> log = LogMessages();
    int errors = 0;
    for (const std::string& line : log) errors += line == readError;
    // No music files here: a trial run logs the read error and plays on.
    EXPECT_EQ(errors, test.asksForMusic ? 1 : 0);
    EXPECT_EQ(log.back(), "準備完了");
    Step();
    EXPECT_EQ(currentScene, PlayScene);
  }
}

TEST_F(PlaySoundTest, ATrialRunStartsThePlayPieceAndAnExtraRunStopsIt) {
  appState.enable_debug_write = 1;
  EnableSound();
  WriteBytes("svdata04.mx", Masked(EncodeOgg(44100, 2, 5000)));
  auto has = [](const std::vector<std::string>& log, const std::string& line) {
    return std::find(log.begin(), log.end(), line) != log.end();
  };
  ResetDebugLog();
  PlayScene(window, 1);
  std::vector<std::string> log = LogMessages();
  EXPECT_TRUE(has(log, "BGM(svdata04.mx)準備中..."));
  EXPECT_TRUE(has(log, "BGM開始完了"));
  ResetDebugLog();
  PlayScene(window, 4);
  log = LogMessages();
  EXPECT_TRUE(has(log, "BGM停止完了"));
  EXPECT_FALSE(has(log, "BGM開始完了"));
  EXPECT_FALSE(has(log, "BGM(svdata04.mx)準備中..."));
}

}  // namespace
