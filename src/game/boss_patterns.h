// Inside the game folder: the pieces the bosses of stages 15 to 30 build their attacks from.
#pragma once

#include "game/boss_kinds.h"

constexpr double kBossPi = 3.14159265358979323846;

// A shot's speed for this run: as given in trial (3..8), faster in extra, faster still in lunatic.
double BossShotSpeed(double trialSpeed);

// Which stage of its life the boss is in: 0 while its hit points are above firstPercent of the
// most it had, 1 from there, 2 once at or below secondPercent (0: no third stage).
int LifePhase(const BossRecord& boss, int firstPercent, int secondPercent);

// count shots from (x, y), spread radians apart and centred on angle.
void FireFan(double x, double y, double angle, int count, double spread, double speed);
// The same fan aimed at each player in order.
void FireFanAtPlayers(double x, double y, int count, double spread, double speed);
// count shots evenly round a circle, the first at angle turn.
void FireRing(double x, double y, int count, double turn, double speed);
// A column of shots flying left, spaced apart from top to bottom of the field, with gapSize
// shots left out from gapStart: the way through.
void FireWall(double x, int count, double spacing, int gapStart, int gapSize, double speed);

// Moves value towards target by at most step.
double Approach(double value, double target, double step);
