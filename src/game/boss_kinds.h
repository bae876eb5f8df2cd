// Inside the game folder: the six bosses, one entry each. The boss record's common life (set-up,
// the fall with its explosions, the fade) is bosses.cpp; each boss brings its own hit points,
// path, attacks, body and drawing.
#pragma once

#include "game/play.h"

struct BossKind {
  PictureId picture;  // the base picture; its size places the fall's explosions
  int (*hitPoints)(int gameMode, int playerCount);
  // One frame while alive: the path, the attacks, then the body against each player.
  void (*fly)(BossRecord& boss);
  bool (*hitByShot)(const BossRecord& boss, const PlayerShot& shot);
  // Draws the boss at the given opacity (fadeAlpha while alive, the fall's fade after).
  void (*draw)(const BossRecord& boss, int alpha);
};

extern const BossKind kBossOfStage5;
extern const BossKind kBossOfStage10;
extern const BossKind kBossOfStage15;
extern const BossKind kBossOfStage20;
extern const BossKind kBossOfStage25;
extern const BossKind kBossOfStage30;

// The boss of a boss stage (stageIndex 4, 9, .., 29).
const BossKind& BossOfStage(int stageIndex);

// ---- Shapes the bosses share ----
// A player shot swept along its last move against a circle.
bool ShotHitsCircle(const PlayerShot& shot, double centreX, double centreY, double radius);
// The same against an upright column: every point within radius of the line from (centreX, top)
// to (centreX, bottom). Tall for the aim, thin so a beam passes through it in a few frames.
bool ShotHitsColumn(const PlayerShot& shot, double centreX, double top, double bottom, double radius);
// Each player in order whose damage timer is 0 and who touches the circle takes damage.
void TouchPlayersWithCircle(double centreX, double centreY, double radius);
// The angle from (x, y) to the centre of player p.
double AngleToPlayer(int p, double x, double y);
