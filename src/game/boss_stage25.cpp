// The boss of stage 25: a great skull with grasping hands. It sways up and down on the right and
// spits lines of teeth at the players. Below 60 % of its life it also lunges: its eyes burn
// brighter while it lines up with player 1's row, then it rushes left along that row and drifts
// back. Below 30 % it stops lunging and sends walls of bones across the field, each with one
// gap to slip through, between its sprays.
#include <cmath>

#include "game/boss_patterns.h"
#include "gfx/gfx.h"

namespace {

constexpr double kHomeX = 400;
// Shots hit the brow, nose and jaw, an upright column down its face; the body that hurts is a
// little smaller than the bone.
constexpr double kCentreX = 64, kCentreY = 60, kBodyRadius = 44;
constexpr double kColumnX = 52, kColumnTop = 10, kColumnBottom = 112, kColumnRadius = 12;
constexpr PhasePlan kPlan = {60, 30, {500, 560, 240}};
// The jaw, where the teeth leave (a shot's top-left corner).
constexpr double kJawX = 57, kJawY = 80;

// The lunge within the hurt skull's cycle: it charges, rushes and comes back.
constexpr int kChargeStart = 80, kRushStart = 128, kReturnStart = 160, kHurtCycle = 224;
constexpr double kRushStep = 10, kLungeX = 140;

// The wall of bones: 20 shots 24 px apart fill the field's height, 4 left out are the gap.
constexpr int kWallShots = 20, kWallGap = 4, kWallNear = 40, kWallFar = 100;
constexpr double kWallSpacing = 24;

int HitPoints(int gameMode, int playerCount) {
  return (gameMode != MODE_TRIAL ? 44 : 40) + (playerCount == 2 ? 16 : 0) + (gameMode == MODE_LUNATIC ? 10 : 0);
}

// lines lines of teeth at each player, 0.3 rad apart, each line teeth teeth from 6 to 12 (trial)
// that string out in flight.
void SprayTeeth(const BossRecord& boss, int lines, int teeth) {
  const double x = boss.x + kJawX, y = boss.y + kJawY;
  const double half = PictureWidth(PIX_TEKITAMA) / 2;
  for (int p = 0; p < gameRecord.playerCount; ++p) {
    const double aim = AngleToPlayer(p, x + half, y + half);
    for (int line = 0; line < lines; ++line) {
      const double angle = aim + 0.3 * (line - (lines - 1) / 2.0);
      for (int tooth = 0; tooth < teeth; ++tooth) SpawnEnemyShot(x, y, BossShotSpeed(6 + 6.0 * tooth / (teeth - 1)), angle);
    }
  }
}

double SwayY(const BossRecord& boss) { return 180 + 120 * std::sin(boss.angle); }

void Fly(BossRecord& boss) {
  const int phase = RunPhase(boss, kPlan);
  const int cycle = phase == 0 ? 60 : phase == 1 ? kHurtCycle : 72;
  if (++boss.attackTimer >= cycle) boss.attackTimer = 0;
  const int t = boss.attackTimer;
  const bool lunging = phase == 1 && t >= kChargeStart && t < kReturnStart;

  if (!lunging) {
    boss.angle += kBossPi / 150;
    if (boss.angle > 2 * kBossPi) boss.angle -= 2 * kBossPi;
    boss.x = Approach(boss.x, kHomeX, 5);
    boss.y = Approach(boss.y, SwayY(boss), 3);
  } else if (t < kRushStart) {
    // Lines up with player 1's row, within the field.
    const PlayerRecord& target = gameRecord.players[0];
    double row = target.y + PlayerHeight() / 2 - kCentreY;
    row = row < 0 ? 0 : row > 352 ? 352 : row;
    boss.y = Approach(boss.y, row, 2);
  } else {
    boss.x = Approach(boss.x, kLungeX, kRushStep);
  }
  // Its picture: the jaw chatters, the eyes burn through the charge and stay bright in the rush.
  boss.frame = static_cast<std::int16_t>(!lunging ? (gameRecord.frameCounter / 6) % 4
                                         : t < kRushStart ? 4 + (t - kChargeStart) * 4 / (kRushStart - kChargeStart)
                                                          : 7);

  if (phase == 0 && t == 30) SprayTeeth(boss, 3, 4);
  if (phase == 1 && (t == 10 || t == 40 || t == 190)) SprayTeeth(boss, 5, 3);
  // Walls of bones whose way through is off a player's row: one every third round while whole,
  // one as each lunge begins and one as it ends, one every round at the last.
  const bool wall = (phase == 0 && t == 0 && boss.phaseFrames % 180 < 60) ||
                    (phase == 1 && (t == kChargeStart || t == kReturnStart)) || (phase == 2 && t == 0);
  if (wall)
    FireWallAwayFrom(Rand() % gameRecord.playerCount, boss.x, kWallShots, kWallSpacing, kWallGap, kWallNear, kWallFar,
                     BossShotSpeed(phase == 2 ? 5.5 : 5));
  if (phase == 2 && t == 36) SprayTeeth(boss, 3, 4);

  TouchPlayersWithCircle(boss.x + kCentreX, boss.y + kCentreY, kBodyRadius);
}

bool HitByShot(const BossRecord& boss, const PlayerShot& shot) {
  return !PhaseHolding(boss, kPlan) &&
         ShotHitsColumn(shot, boss.x + kColumnX, boss.y + kColumnTop, boss.y + kColumnBottom, kColumnRadius);
}

void Draw(const BossRecord& boss, int alpha) {
  DrawPlay(static_cast<PictureId>(PIZ_BOSS5A + boss.frame), boss.x, boss.y, HoldingAlpha(boss, kPlan, alpha));
}

}  // namespace

const BossKind kBossOfStage25 = {PIZ_BOSS5A, HitPoints, Fly, HitByShot, Draw};
