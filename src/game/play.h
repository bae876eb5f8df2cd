// Inside the game folder: what the play scene's parts call in one another.
#pragma once

#include <cstdint>

#include "game/game_record.h"
#include "gfx/picture_names.h"

// One player's logical input for this frame, read with the priorities the game has always had:
// up over down, left over right, shot over pause.
struct PlayerInput {
  bool shot, pause, up, down, left, right;
};

// Go to start: the run again from stage 1 with the stored entry type, mode and weapons.
void RestartRun();

// ---- Pause ----
// What the pause asks of the scene when its frame is done.
enum class PauseOutcome { kStay, kTitle, kRestart };
// A pause held by either player while the stage runs with time left.
void RequestPause(const PlayerInput inputs[2]);
// One frame of the overlay and menu while paused; only player 1 works the menu.
PauseOutcome PauseStep(const PlayerInput& firstPlayer);

// ---- Demonstration ----
// Player 1's recorded input, one byte a frame: bit 0 shot, 1 up, 2 down, 3 left, 4 right.
constexpr int kDemoLength = 1685;
extern const std::uint8_t kDemoTable[kDemoLength];
PlayerInput DemoInput(std::uint8_t bits);
// The byte that plays back as this input (pause cannot be recorded).
std::uint8_t DemoBits(const PlayerInput& input);

// ---- Drawing and sizes ----
// Draws within the scene's master opacity; a negative opacity draws nothing visible (0).
void DrawPlay(PictureId id, double x, double y, int alpha);
// Every bound and hit test of a player uses the size of PIC_SENRA_REN_1.
int PlayerWidth();
int PlayerHeight();
bool IsPaused();
bool IsClearing();

// ---- Geometry ----
// Inline: every shot meets every enemy with it each frame.
inline bool SweptCircleHit(double x0, double x1, double shotCentreY, double shotRadius, double targetX,
                           double targetY, double targetRadius) {
  const double lo = x0 < x1 ? x0 : x1;
  const double hi = x0 < x1 ? x1 : x0;
  const double dy = shotCentreY - targetY;
  const double reach = shotRadius + targetRadius;
  // Targets out of reach of the whole path cannot be hit by any sample: skip the sampling.
  if (dy * dy >= reach * reach || targetX - hi >= reach || lo - targetX >= reach) return false;
  // Shots move 16 px a frame and targets are small: sampling every 4 px is enough.
  for (double sx = lo; sx <= hi; sx += 4) {
    const double dx = sx - targetX;
    if (dy * dy + dx * dx < reach * reach) return true;
  }
  return false;
}
// True when an edge of A lies in B's range on both axes (ranges inclusive); boxes that only
// straddle B do not count.
bool BoxHit(double aLeft, double aTop, double aRight, double aBottom, double bLeft, double bTop, double bRight,
            double bBottom);
bool PlayerTouches(const PlayerRecord& player, double centreX, double centreY, double radius);

// ---- Effects ----
int SpawnEnemyShot(double x, double y, double speed, double angle);
int SpawnBigExplosion(double x, double y);
int SpawnHitSparks(double x, double y, PictureId picture);
int SpawnCasing(double x, double y);
void MoveCasings();
void DrawCasings();
void MoveEnemyShots();
void DrawEnemyShots();
void DrawAndMoveSparks();

// ---- Backdrop ----
void PlaceCloudsAtRandom();
void DrawBackdrop();

// ---- Players ----
void ReadInput(PlayerInput inputs[2]);
void MoveAndFirePlayers(PlayerInput inputs[2]);
void DamagePlayer(PlayerRecord& player);
void CountDownDamageTimers();
void PushTrails();
void PlacePlayersForStage();
void DrawPlayers();
void DrawPlayerFlags(int alpha);

// ---- Player shots ----
int FirePlayerShot(bool piercing, double x, double y, double startX, double startY, int owner);
bool PlayerHasShot(int owner);
void MovePlayerShots();
void DrawPlayerShots();

// ---- Clock and scoring ----
void RunClock();
void KillEnemy(EnemySlot& enemy, int owner);
void HitCapsule(EnemySlot& capsule);
void CollectCapsule(EnemySlot& capsule);
void ScoreBossHit(int owner);
void DrawExplosionOrMarker(const EnemySlot& slot);
int StageTitleAlpha();
void DrawStageTitle();
void DrawHud();
void FillRunResult(int rank);

// ---- Enemy pool ----
struct StageEntry {
  std::int8_t x, y;  // position / 8
  std::uint8_t kind;
  std::uint8_t state;
};
int PlaceEnemy(const StageEntry& entry, int hitPoints);
void MoveEnemySlots();
void DrawEnemySlots();
bool AnyEnemyLeft();  // kinds 1..5: what keeps a stage (and its enemy shots) running
void DamageEnemy(EnemySlot& enemy, int owner);

// ---- Boss ----
void SetUpBoss();
void UpdateBoss();
void DrawBoss();
bool BossAlive();
bool BossHitByShot(const PlayerShot& shot);

// ---- Stage tables ----
// The stage's list in the table for this kind of run and how many entries it may hold.
const StageEntry* StageList(int gameMode, int playerCount, int stageIndex, int* entryLimit);
int StageHitPoints(int gameMode, int playerCount);
