// The score ranking: three places per game mode and player-1 weapon, kept in the settings key
// as the 324-byte "scoredata" block.
#include "app/score_ranking.h"

#include "app/debug_log.h"
#include "app/rega.h"

ScoreRanking scoreRanking;

namespace {

// Better stage first, then better score, then better time value; a full tie ranks below.
bool RanksAbove(std::int32_t stage, std::int32_t time, std::int32_t score, const RankingEntry& entry) {
  if (entry.stageReached != stage) return entry.stageReached < stage;
  if (entry.score != score) return entry.score < score;
  return entry.timeValue < time;
}

void SaveRanking() {
  WriteDebugLog("スコアランキングの書き込みをしています");
  REGA rega;
  bool stored = rega.OpenKey();
  if (stored) {
    stored = rega.WriteBinaryA("scoredata", &scoreRanking, sizeof scoreRanking);
    rega.CloseKey();
  }
  // The game goes on with the ranking in memory; the log says it was not kept.
  if (!stored) WriteDebugLog("スコアランキングを保存できませんでした");
}

}  // namespace

int InsertRanking(int gameMode, int weapon, std::int32_t stageReached, std::int32_t timeValue, std::int32_t score) {
  int table = gameMode * 3 + weapon;
  if (table < 0 || table >= kRankingTables) return -1;
  RankingEntry* entries = scoreRanking.tables[table];
  int place = 0;
  while (place < kRankingPlaces && !RanksAbove(stageReached, timeValue, score, entries[place])) ++place;
  if (place == kRankingPlaces) return -1;
  for (int i = kRankingPlaces - 1; i > place; --i) entries[i] = entries[i - 1];
  entries[place] = RankingEntry{stageReached, timeValue, score};
  SaveRanking();
  return place;
}

void ResetRanking() {
  scoreRanking = ScoreRanking{};
  SaveRanking();
}
