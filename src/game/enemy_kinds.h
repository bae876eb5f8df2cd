// Inside the game folder: the four fighting kinds of the enemy pool (walker, clinger, fire cart,
// wisp), their movement, attacks and pictures. The pool itself (placement, the pass over every
// slot, body contact) is enemies.cpp.
#pragma once

#include "game/play.h"

// One unpaused frame of an enemy of kind 1..4 in the given slot.
void MoveFightingEnemy(EnemySlot& enemy, int slot);
// Draws an enemy of kind 1..4 in the given slot at (x, y).
void DrawFightingEnemy(const EnemySlot& enemy, int slot);
