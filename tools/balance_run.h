// The balance report's runs: the bot, one stage flown from a fresh clock, and what each run
// measures, as one TSV line.
#pragma once

#include <cstdint>
#include <string>

#include "game/game_record.h"
#include "game/play.h"
#include "platform/fake/fake_backend.h"

namespace balance {

// A stage still running after this many frames counts as a time-out.
constexpr int kTimeoutFrames = 3600;

// The bot's whole skill, the same for every stage, mode, player count and weapon.
constexpr int kBotHorizon = 8;        // frames it looks ahead
constexpr double kBotSight = 160;     // px: threats farther from her centre are not seen
constexpr double kBotMargin = 4;      // px it keeps beyond a threat's reach
constexpr int kBotHomeX = 64;         // where she flies from, left edge

struct RunSpec {
  int gameMode;     // MODE_TRIAL, MODE_EXTRA or MODE_LUNATIC
  int playerCount;  // 1 or 2
  int weapon;       // both players fly it
  int stageIndex;
};

struct RunMeasure {
  bool cleared = false;
  int frames = 0;        // to the start of the stage clear, or kTimeoutFrames
  int hits = 0;          // misses of all players
  int shotsFired = 0;    // enemy shots that appeared
  int peakShots = 0;     // most enemy shots in the air in one frame
  int bossKillFrame = -1;  // frame the boss's last hit point went, -1 if not a boss stage or not killed
  int sharedStretch = 0;  // longest run of frames two live enemies shared a position
};

struct Run {
  RunSpec spec;
  RunMeasure measure;
};

const char* ModeName(int gameMode);
const char* WeaponName(int weapon);

// "mode players weapons stage frames hits shots peak boss_kill shared", tab-separated.
std::string TsvHeader();
std::string TsvLine(const RunSpec& spec, const RunMeasure& measure);

// Two live enemies (walker to wisp) share a position when their corners are less than a pixel
// apart on both axes. Watches every pair of slots frame by frame.
class SharedPositionWatch {
 public:
  void Reset();
  void Observe(const EnemySlot (&enemies)[kEnemySlots]);
  int Longest() const { return longest_; }

 private:
  std::uint16_t stretch_[kEnemySlots][kEnemySlots] = {};
  int longest_ = 0;
};

// Counts enemy shots as they appear: a slot newly active, or active in a place its last step
// does not explain (freed and taken again within one frame).
class EnemyShotWatch {
 public:
  void Reset();
  void Observe(const EnemyShot (&shots)[kEnemyShotSlots]);
  int Fired() const { return fired_; }
  int Peak() const { return peak_; }

 private:
  bool active_[kEnemyShotSlots] = {};
  double x_[kEnemyShotSlots] = {};
  double y_[kEnemyShotSlots] = {};
  int fired_ = 0;
  int peak_ = 0;
};

// One player's pilot. Sees every enemy shot (position and step), every live enemy and the boss
// (their speed from the last frame), within kBotSight of her; tries the nine moves, each held
// for kBotHorizon frames, and takes the one that meets the fewest threats within their reach
// plus kBotMargin, sooner ones weighing more; among equally safe moves it lines up with the
// nearest enemy ahead, else the boss, else a capsule, leading a moving target by the shot's
// flight time, and drifts back to kBotHomeX (or left of an enemy that got behind that). It
// always holds the shot.
class Bot {
 public:
  explicit Bot(int player) : player_(player) {}
  PlayerInput Decide();

 private:
  // What she saw this frame, to tell how far everything moved by the next.
  void Remember();

  int player_;
  std::uint8_t lastKind_[kEnemySlots] = {};
  double lastX_[kEnemySlots] = {};
  double lastY_[kEnemySlots] = {};
  double lastBossX_ = 0;
  double lastBossY_ = 0;
};

// The play scene's world for the runs: a window and device on the given fake backend with the
// picture archive of the working folder, and keyboard-only input.
class Arena {
 public:
  explicit Arena(fake::FakeBackend& backend) : backend_(backend) {}
  ~Arena();
  Arena(const Arena&) = delete;
  Arena& operator=(const Arena&) = delete;
  bool Open();
  // Enters the play scene as the weapon selection would, and flies the stage from its start
  // with the clock at its start value, topped up every frame so the run never ends on time.
  RunMeasure Fly(const RunSpec& spec);

 private:
  void Hold(int player, const PlayerInput& input);

  fake::FakeBackend& backend_;
  platform::WindowHandle window_ = platform::kNoWindow;
};

}  // namespace balance
