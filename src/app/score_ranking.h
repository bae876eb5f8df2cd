// The score ranking: three places per game mode and player-1 weapon, kept in the settings key
// as the 324-byte "scoredata" block.
#pragma once

#include <cstdint>

struct RankingEntry {
  std::int32_t stageReached = 0;  // 1-based; 31 when every stage was cleared
  std::int32_t timeValue = 0;
  std::int32_t score = 0;
};

constexpr int kRankingTables = 9;  // game mode * 3 + weapon
constexpr int kRankingPlaces = 3;

struct ScoreRanking {
  RankingEntry tables[kRankingTables][kRankingPlaces];
};
static_assert(sizeof(ScoreRanking) == 324, "the stored block is 324 bytes");

extern ScoreRanking scoreRanking;

// Places a finished run and saves the block; the place 0..2, or -1 when it ranks nowhere
// (then nothing is written).
int InsertRanking(int gameMode, int weapon, std::int32_t stageReached, std::int32_t timeValue, std::int32_t score);
// Every entry to zero, saved at once.
void ResetRanking();
