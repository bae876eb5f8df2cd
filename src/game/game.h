// The play scene, as the other subsystems see it: the scene, the game record it shares with the
// weapon selection and the ending, and the ranking display both of those draw too.
#pragma once

#include "game/game_record.h"
#include "platform/handles.h"

// Entered with the run's entryType 1..5 (3 is the demonstration); any other kind is a frame step.
// The weapon selection writes gameRecord.weaponChoice before entering; the ending reads
// gameRecord.runResult after the play scene switched to it.
int PlayScene(platform::WindowHandle window, int kind);
// Clears the game record and the scene's own variables (tests, and the scene machine's reset).
void ResetPlayScene();

// The ranking of one game mode and weapon at (0, 335) and below; highlightedPlace 0..2 leaves
// that row's labels out (the blink of a new entry), -1 shows all.
void DrawRanking(int gameMode, int alpha, int weapon, int highlightedPlace);
