// The stage tables: the one-player stages as the game has always had them, and the designed
// ones within the format's rules.
#include "play_test_support.h"

namespace {

std::vector<StageEntry> Entries(int mode, int players, int stage) {
  int limit = 0;
  const StageEntry* list = StageList(mode, players, stage, &limit);
  std::vector<StageEntry> entries;
  for (int i = 0; i < limit && list[i].kind != 0; ++i) entries.push_back(list[i]);
  return entries;
}

TEST(PlayStageTables, OnePlayerStagesOneToTenAreTheOriginalFormations) {
  const int counts[10] = {10, 10, 7, 8, 0, 10, 10, 16, 17, 0};
  for (int stage = 0; stage < 10; ++stage) {
    EXPECT_EQ(static_cast<int>(Entries(MODE_TRIAL, 1, stage).size()), counts[stage]) << stage;
  }
  const std::vector<StageEntry> second = Entries(MODE_TRIAL, 1, 1);
  EXPECT_EQ(second[0].x, 70);
  EXPECT_EQ(second[0].y, 4);
  EXPECT_EQ(second[0].kind, 5);
  EXPECT_EQ(second[9].y, 20);
  const std::vector<StageEntry> ninth = Entries(MODE_TRIAL, 1, 8);
  EXPECT_EQ(ninth[15].x, 40);
  EXPECT_EQ(ninth[15].y, 18);
  EXPECT_EQ(ninth[15].state, 3);
  EXPECT_EQ(ninth[16].kind, 5);
  EXPECT_EQ(ninth[16].x, 77);
}

TEST(PlayStageTables, EveryTableUsesEveryKindAndGivesEveryOrdinaryStageACapsule) {
  struct Table {
    int mode;
    int players;
    int limit;
  };
  for (const Table& table : {Table{MODE_TRIAL, 1, 20}, Table{MODE_TRIAL, 2, 40}, Table{MODE_EXTRA, 1, 40}}) {
    SCOPED_TRACE(std::to_string(table.mode) + "/" + std::to_string(table.players));
    int limit = 0;
    StageList(table.mode, table.players, 0, &limit);
    EXPECT_EQ(limit, table.limit);
    bool used[6] = {};
    for (int stage = 0; stage < kStageCount; ++stage) {
      const std::vector<StageEntry> entries = Entries(table.mode, table.players, stage);
      if (IsBossStage(stage)) {
        EXPECT_TRUE(entries.empty()) << stage;
        continue;
      }
      bool capsule = false;
      for (const StageEntry& entry : entries) {
        ASSERT_GE(entry.kind, 1);
        ASSERT_LE(entry.kind, 5);
        used[entry.kind] = true;
        capsule = capsule || entry.kind == KIND_CAPSULE;
      }
      // The original first ten stages are as they are (stage 1 has none).
      if (table.players == 2 || table.mode != MODE_TRIAL || stage >= 10) {
        EXPECT_TRUE(capsule) << stage;
      }
    }
    for (int kind = 1; kind <= 5; ++kind) EXPECT_TRUE(used[kind]) << kind;
  }
  // The extra table serves both player counts.
  int limit = 0;
  EXPECT_EQ(StageList(MODE_LUNATIC, 2, 3, &limit), StageList(MODE_EXTRA, 1, 3, &limit));
}

}  // namespace
