// The balance report's own logic: its watches find what they count, a real one-stage run gives a
// well-formed TSV line, and the goals read the runs as documented.
#include <filesystem>
#include <sstream>

#include "balance_page.h"
#include "balance_run.h"
#include "game/game.h"
#include "test_support.h"

namespace {

EnemySlot Enemy(std::uint8_t kind, double x, double y) {
  EnemySlot slot{};
  slot.kind = kind;
  slot.x = x;
  slot.y = y;
  return slot;
}

TEST(BalanceWatchTest, SharedPositionFindsTheLongestStretchOfAPlantedPair) {
  EnemySlot enemies[kEnemySlots] = {};
  enemies[3] = Enemy(KIND_WALKER, 100, 50);
  enemies[17] = Enemy(KIND_WISP, 100.5, 50.5);  // under a pixel apart: the same place
  enemies[20] = Enemy(KIND_CAPSULE, 300, 50);
  enemies[21] = Enemy(KIND_CAPSULE, 300, 50);  // capsules are not enemies
  balance::SharedPositionWatch watch;
  watch.Reset();
  for (int f = 0; f < 12; ++f) watch.Observe(enemies);
  enemies[17].x = 102;  // apart for a frame: the stretch starts again
  watch.Observe(enemies);
  enemies[17].x = 100;
  for (int f = 0; f < 5; ++f) watch.Observe(enemies);
  EXPECT_EQ(watch.Longest(), 12);
  enemies[17].kind = KIND_EXPLOSION;
  for (int f = 0; f < 20; ++f) watch.Observe(enemies);
  EXPECT_EQ(watch.Longest(), 12);
}

TEST(BalanceWatchTest, EnemyShotsCountWhenTheyAppearEvenInASlotFreedThatFrame) {
  EnemyShot shots[kEnemyShotSlots] = {};
  balance::EnemyShotWatch watch;
  auto fire = [&](int slot, double x) { shots[slot] = EnemyShot{x, 100, 4, 0, -4, 0, 0, 1}; };
  fire(0, 300);
  fire(1, 320);
  watch.Observe(shots);
  for (int f = 0; f < 3; ++f) {
    for (EnemyShot& shot : shots) shot.x += shot.stepX;
    watch.Observe(shots);
  }
  EXPECT_EQ(watch.Fired(), 2);
  fire(0, 500);  // slot 0 taken again by a new shot
  shots[1].active = 0;
  watch.Observe(shots);
  EXPECT_EQ(watch.Fired(), 3);
  EXPECT_EQ(watch.Peak(), 2);
}

class BalanceRunTest : public GameTest {};

TEST_F(BalanceRunTest, TheFirstStageIsClearedAndPrintedAsOneTsvLine) {
  std::filesystem::copy_file(std::string(SORVANI_DATA_DIR) + "/svdata01.dat", "svdata01.dat",
                             std::filesystem::copy_options::overwrite_existing);
  balance::Arena arena(backend);
  ASSERT_TRUE(arena.Open());
  const balance::RunSpec spec{MODE_TRIAL, 2, WEAPON_KAN, 0};
  const balance::RunMeasure measure = arena.Fly(spec);
  EXPECT_TRUE(measure.cleared);
  EXPECT_EQ(gameRecord.stageIndex, 0);
  EXPECT_EQ(gameRecord.playerCount, 2);
  EXPECT_EQ(gameRecord.players[1].weapon, WEAPON_KAN);

  std::istringstream fields(balance::TsvLine(spec, measure));
  std::vector<std::string> line;
  for (std::string field; std::getline(fields, field, '\t');) line.push_back(field);
  ASSERT_EQ(line.size(), 10u);
  EXPECT_EQ(line[0], "trial");
  EXPECT_EQ(line[1], "2");
  EXPECT_EQ(line[2], "KAN+KAN");
  EXPECT_EQ(line[3], "1");
  EXPECT_EQ(line[4], std::to_string(measure.frames));
  EXPECT_GT(measure.frames, 0);
  EXPECT_LT(measure.frames, balance::kTimeoutFrames);
  EXPECT_EQ(line[8], "-");
  EXPECT_EQ(balance::TsvHeader(), "mode\tplayers\tweapons\tstage\tframes\thits\tshots\tpeak\tboss_kill\tshared");
}

TEST(BalancePageTest, KillRatioIsSlowestOverFastestAndZeroWhenAWeaponFails) {
  std::vector<balance::Run> runs;
  const int kills[] = {600, 400, 500};
  for (int weapon = 0; weapon < 3; ++weapon) {
    balance::RunMeasure measure;
    measure.cleared = true;
    measure.bossKillFrame = kills[weapon];
    runs.push_back({{MODE_EXTRA, 1, weapon, 14}, measure});
  }
  EXPECT_DOUBLE_EQ(balance::KillRatio(runs, MODE_EXTRA, 1, 15), 1.5);
  EXPECT_EQ(balance::KillRatio(runs, MODE_EXTRA, 2, 15), 0);
  runs[1].measure.bossKillFrame = -1;
  EXPECT_EQ(balance::KillRatio(runs, MODE_EXTRA, 1, 15), 0);
  // Boss stages stay out of a band's mean hits.
  runs.push_back({{MODE_EXTRA, 1, WEAPON_REN, 11}, {}});
  runs.back().measure.hits = 4;
  EXPECT_DOUBLE_EQ(balance::MeanHits(runs, MODE_EXTRA, 1, 11, 19), 4);
}

}  // namespace
