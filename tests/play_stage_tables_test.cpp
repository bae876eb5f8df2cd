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

struct Table {
  int mode;
  int players;
  int limit;
};
constexpr Table kTables[] = {{MODE_TRIAL, 1, 20}, {MODE_TRIAL, 2, 40}, {MODE_EXTRA, 1, 40}, {MODE_EXTRA, 2, 40}};

std::string Name(const Table& table, int stage) {
  return (table.mode == MODE_TRIAL ? "trial " : "extra ") + std::to_string(table.players) + "P stage " +
         std::to_string(stage + 1);
}

// The original one-player trial stages 1-10 are fixed; everything else is designed.
bool Designed(const Table& table, int stage) { return table.mode != MODE_TRIAL || table.players == 2 || stage >= 10; }

TEST(PlayStageTables, OnePlayerStagesOneToTenAreTheOriginalFormations) {
  struct Entry {
    int x, y, kind, state;
  };
  const std::vector<Entry> expected[10] = {
      {{60, 10, 1, 1}, {56, 7, 1, 1}, {52, 10, 1, 1}, {48, 7, 1, 1}, {44, 10, 1, 1},
       {60, 21, 1, 1}, {56, 24, 1, 1}, {52, 21, 1, 1}, {48, 24, 1, 1}, {44, 21, 1, 1}},
      {{70, 4, 5, 0}, {56, 7, 2, 0}, {52, 15, 2, 0}, {48, 7, 2, 0}, {44, 15, 2, 0},
       {60, 21, 2, 0}, {56, 27, 2, 0}, {52, 21, 2, 0}, {48, 27, 2, 0}, {44, 20, 2, 0}},
      {{70, 24, 1, 0}, {56, 7, 1, 0}, {48, 7, 1, 0}, {44, 10, 3, 1}, {60, 21, 1, 0}, {52, 21, 1, 0}, {77, 10, 5, 0}},
      {{70, 33, 5, 0}, {52, 15, 2, 0}, {48, 7, 2, 0}, {44, 15, 4, 0}, {60, 21, 2, 0}, {56, 27, 2, 0},
       {52, 21, 4, 0}, {48, 27, 2, 0}},
      {},
      {{70, 24, 5, 0}, {56, 7, 1, 0}, {52, 10, 3, 0}, {48, 7, 1, 0}, {44, 10, 3, 1},
       {60, 21, 1, 0}, {56, 24, 3, 2}, {52, 21, 1, 0}, {48, 24, 3, 3}, {44, 21, 3, 3}},
      {{70, 33, 5, 0}, {56, 7, 3, 0}, {52, 15, 2, 0}, {48, 7, 2, 0}, {44, 15, 4, 0},
       {60, 21, 2, 0}, {56, 27, 2, 0}, {52, 21, 4, 0}, {48, 27, 2, 0}, {44, 23, 5, 0}},
      {{40, 12, 1, 0}, {43, 11, 1, 0}, {46, 10, 1, 0}, {49, 9, 1, 0}, {52, 8, 1, 0}, {55, 7, 1, 0},
       {58, 6, 1, 0}, {61, 5, 1, 0}, {40, 17, 5, 0}, {43, 18, 1, 0}, {46, 19, 1, 0}, {49, 20, 1, 0},
       {52, 21, 1, 0}, {55, 22, 1, 0}, {58, 23, 1, 0}, {61, 24, 1, 0}},
      {{40, 12, 3, 0}, {42, 12, 3, 0}, {44, 12, 3, 1}, {46, 12, 3, 1}, {48, 12, 3, 2}, {40, 14, 3, 2},
       {42, 14, 3, 3}, {44, 14, 3, 3}, {46, 14, 3, 0}, {48, 14, 3, 0}, {40, 16, 3, 1}, {42, 16, 3, 1},
       {44, 16, 3, 2}, {46, 16, 3, 2}, {48, 16, 3, 3}, {40, 18, 3, 3}, {77, 15, 5, 0}},
      {},
  };
  for (int stage = 0; stage < 10; ++stage) {
    const std::vector<StageEntry> entries = Entries(MODE_TRIAL, 1, stage);
    ASSERT_EQ(entries.size(), expected[stage].size()) << "stage " << stage + 1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const Entry& want = expected[stage][i];
      const StageEntry& got = entries[i];
      EXPECT_TRUE(got.x == want.x && got.y == want.y && got.kind == want.kind && got.state == want.state)
          << "stage " << stage + 1 << " entry " << i << ": (" << int{got.x} << "," << int{got.y} << ","
          << int{got.kind} << "," << int{got.state} << "), expected (" << want.x << "," << want.y << ","
          << want.kind << "," << want.state << ")";
    }
  }
}

TEST(PlayStageTables, EachKindOfRunHasItsOwnTableWithItsEntryLimit) {
  for (const Table& table : kTables) {
    int limit = 0;
    StageList(table.mode, table.players, 0, &limit);
    EXPECT_EQ(limit, table.limit) << table.mode << "/" << table.players;
  }
  int limit = 0;
  EXPECT_NE(StageList(MODE_EXTRA, 1, 3, &limit), StageList(MODE_EXTRA, 2, 3, &limit));
  EXPECT_NE(StageList(MODE_TRIAL, 2, 3, &limit), StageList(MODE_EXTRA, 2, 3, &limit));
  // Lunatic flies the extra formations; only the hit points differ.
  EXPECT_EQ(StageList(MODE_LUNATIC, 1, 3, &limit), StageList(MODE_EXTRA, 1, 3, &limit));
  EXPECT_EQ(StageList(MODE_LUNATIC, 2, 3, &limit), StageList(MODE_EXTRA, 2, 3, &limit));
}

TEST(PlayStageTables, EveryTableUsesEveryKindAndGivesEveryOrdinaryStageACapsule) {
  for (const Table& table : kTables) {
    bool used[6] = {};
    for (int stage = 0; stage < kStageCount; ++stage) {
      SCOPED_TRACE(Name(table, stage));
      const std::vector<StageEntry> entries = Entries(table.mode, table.players, stage);
      if (IsBossStage(stage)) {
        EXPECT_TRUE(entries.empty());
        continue;
      }
      bool capsule = false;
      for (const StageEntry& entry : entries) {
        ASSERT_GE(entry.kind, 1);
        ASSERT_LE(entry.kind, 5);
        used[entry.kind] = true;
        capsule = capsule || entry.kind == KIND_CAPSULE;
      }
      // The original first stage has none.
      if (Designed(table, stage)) {
        EXPECT_TRUE(capsule);
      }
    }
    for (int kind = 1; kind <= 5; ++kind) EXPECT_TRUE(used[kind]) << kind;
  }
}

// Two entries at one position would move as one (or an enemy would sit on a capsule).
TEST(PlayStageTables, NoTwoEntriesOfAStageStartAtOnePosition) {
  for (const Table& table : kTables) {
    for (int stage = 0; stage < kStageCount; ++stage) {
      const std::vector<StageEntry> entries = Entries(table.mode, table.players, stage);
      for (std::size_t a = 0; a < entries.size(); ++a) {
        for (std::size_t b = a + 1; b < entries.size(); ++b) {
          EXPECT_FALSE(entries[a].x == entries[b].x && entries[a].y == entries[b].y)
              << Name(table, stage) << ": entries " << a << " and " << b << " at (" << int{entries[a].x} << ","
              << int{entries[a].y} << ")";
        }
      }
    }
  }
}

// Designed stages: every clinger starts at its own wall, no cart's wheel starts off the right
// edge, and a two-player stage threatens both lanes (upper band y / 8 < 30, lower band below).
TEST(PlayStageTables, DesignedStagesKeepClingersOnTheirWallsCartsOnScreenAndBothLanesBusy) {
  for (const Table& table : kTables) {
    for (int stage = 0; stage < kStageCount; ++stage) {
      if (!Designed(table, stage) || IsBossStage(stage)) continue;
      SCOPED_TRACE(Name(table, stage));
      int upper = 0, lower = 0;
      for (const StageEntry& entry : Entries(table.mode, table.players, stage)) {
        if (entry.kind == KIND_CLINGER) {
          EXPECT_TRUE(entry.y <= 8 || entry.y >= 46) << "clinger at row " << int{entry.y};
        }
        if (entry.kind == KIND_FIRE_CART) {
          EXPECT_LE(entry.x, 73) << "cart at row " << int{entry.y};
        }
        if (entry.kind >= KIND_WALKER && entry.kind <= KIND_WISP) ++(entry.y < 30 ? upper : lower);
      }
      if (table.players == 2) {
        EXPECT_GE(3 * upper, upper + lower) << upper << " enemies above, " << lower << " below";
        EXPECT_GE(3 * lower, upper + lower) << upper << " enemies above, " << lower << " below";
      }
    }
  }
}

}  // namespace
