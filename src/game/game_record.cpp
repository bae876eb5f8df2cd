// The game record's one instance, its clearing and hash, and the run's random generator.
#include "game/game_record.h"

GameRecord gameRecord;

namespace {
std::uint32_t randomState = 0;
}

void ClearGameRecord() { ClearRecords(&gameRecord, 1); }

std::uint64_t HashGameRecord() {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&gameRecord);
  std::uint64_t hash = 14695981039346656037ull;
  for (std::size_t i = 0; i < sizeof gameRecord; ++i) {
    hash ^= bytes[i];
    hash *= 1099511628211ull;
  }
  return hash ^ randomState;
}

void SeedRandom(std::uint32_t seed) { randomState = seed; }

int Rand() {
  randomState = randomState * 214013u + 2531011u;
  return static_cast<int>((randomState >> 16) & 32767u);
}
