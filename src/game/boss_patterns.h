// Inside the game folder: the pieces the bosses of stages 15 to 30 build their attacks from.
#pragma once

#include "game/boss_kinds.h"

constexpr double kBossPi = 3.14159265358979323846;

// A shot's speed for this run: as given in trial, half as fast again in extra, 1.75 times in
// lunatic.
double BossShotSpeed(double trialSpeed);

// Which stage of its life the boss is in: 0 while its hit points are above firstPercent of the
// most it had, 1 from there, 2 once at or below secondPercent (0: no third stage).
int LifePhase(const BossRecord& boss, int firstPercent, int secondPercent);

// A boss's phases by life, each with the least time it holds out: until a phase has run its
// frames, a hit that would wear the boss into the next phase (or, in the last, shoot it down)
// does not land. So the quickest weapon meets each pattern about as long as the slowest.
struct PhasePlan {
  int firstPercent, secondPercent;  // as LifePhase
  int leastFrames[3];
};
// Once a frame while alive: the phase the boss is in now, counting the frames it has run.
int RunPhase(BossRecord& boss, const PhasePlan& plan);
// Whether the boss stands at the end of an unfinished phase, where shots pass without harm.
bool PhaseHolding(const BossRecord& boss, const PhasePlan& plan);
// The opacity to draw it with: it flickers while it holds.
int HoldingAlpha(const BossRecord& boss, const PhasePlan& plan, int alpha);

// count shots from (x, y), spread radians apart and centred on angle.
void FireFan(double x, double y, double angle, int count, double spread, double speed);
// The same fan aimed at each player in order.
void FireFanAtPlayers(double x, double y, int count, double spread, double speed);
// count shots evenly round a circle, the first at angle turn.
void FireRing(double x, double y, int count, double turn, double speed);
// The same with the boss's own picture for every shot (its centre at the ring's centre).
void FireRingOf(PictureId picture, double centreX, double centreY, int count, double turn, double speed);
// An aimed fan of the boss's own picture, from a centre, at each player in order.
void FireFanOfAtPlayers(PictureId picture, double centreX, double centreY, int count, double spread, double speed);
// A shot of the given picture whose centre starts at (centreX, centreY); the slot or -1.
int SpawnShotOf(PictureId picture, double centreX, double centreY, double speed, double angle);
// A column of shots flying left, spaced apart from top to bottom of the field, with gapSize
// shots left out from gapStart: the way through.
void FireWall(double x, int count, double spacing, int gapStart, int gapSize, double speed);
// The same with the middle of its way through nearShift..farShift px (up to one spacing more, to
// meet the shots' grid) above or below player p's row, whichever side fits the field: standing
// still is never safe, yet the wall's flight leaves time to reach the gap.
void FireWallAwayFrom(int p, double x, int count, double spacing, int gapSize, int nearShift, int farShift,
                      double speed);

// Moves value towards target by at most step.
double Approach(double value, double target, double step);
