// The play scene, as the other subsystems see it.
#pragma once

#include <cstdint>

#include "platform/handles.h"

enum : int { MODE_TRIAL = 0, MODE_EXTRA = 1, MODE_LUNATIC = 2 };

// What a finished run leaves for the ending.
struct RunResult {
  std::int16_t resultMode = 0;
  std::int16_t resultMissP2 = 0;
  std::int16_t resultMissP1 = 0;
  std::int16_t resultTime = 0;     // frames left on the clock
  std::int32_t resultRank = -1;    // place 0..2, or -1 (two players, or not ranked)
  std::int32_t resultScoreP2 = -1; // -1 with one player
  std::int32_t resultScoreP1 = 0;
  std::uint8_t resultWeapon = 0;
};

struct GameRecord {
  std::int32_t entryType = 0;      // how the run was started, 1..5
  std::uint16_t weaponChoice = 0;  // low byte player 1's weapon, high byte player 2's
  RunResult runResult;
};

extern GameRecord gameRecord;

// The program's one random generator; every run seeds it the same way, so runs replay.
void SeedRandom(std::uint32_t seed);
int Rand();  // 0..32767

// Entered with the run's entryType 1..5 (3 is the demonstration); any other kind is a frame step.
int PlayScene(platform::WindowHandle window, int kind);
void ResetPlayScene();

// The ranking of one game mode and weapon at (0, 335) and below; highlightedPlace 0..2 leaves
// that row's labels out (the blink of a new entry), -1 shows all.
void DrawRanking(int gameMode, int alpha, int weapon, int highlightedPlace);
