// The game record: every counter, player and object pool of a run, one instance for the process.
#pragma once

#include <cstdint>
#include <cstring>

enum : int { MODE_TRIAL = 0, MODE_EXTRA = 1, MODE_LUNATIC = 2 };
enum : int { WEAPON_REN = 0, WEAPON_KAN = 1, WEAPON_SPEED = 2 };

constexpr int kPlayerShotSlots = 60;
constexpr int kCasingSlots = 60;
constexpr int kEnemySlots = 40;
constexpr int kEnemyShotSlots = 80;
constexpr int kHitSparkSlots = 200;
constexpr int kCloudCount = 8;
constexpr int kStripCount = 10;
constexpr int kTrailLength = 5;
constexpr int kPopupSlots = 4;
constexpr int kStageCount = 30;
constexpr std::int16_t kClockStart = 3600;  // 60 seconds

// Enemy slot kinds beyond the four fighting ones.
enum : std::uint8_t {
  KIND_FREE = 0,
  KIND_WALKER = 1,
  KIND_CLINGER = 2,
  KIND_FIRE_CART = 3,
  KIND_WISP = 4,
  KIND_CAPSULE = 5,
  KIND_EXPLOSION = 6,
  KIND_MARKER = 7,
};

struct PlayerRecord {
  std::int32_t x, y;
  std::int32_t score;
  std::int32_t fireCooldown;
  std::uint8_t weapon;
  std::uint8_t damageTimer;
  std::int16_t missCount;
  std::int16_t muzzleX, muzzleY;
  std::int16_t muzzleTimer;
  std::int32_t trailX[kTrailLength], trailY[kTrailLength];
  std::int16_t popupTimer[kPopupSlots];
  double popupX[kPopupSlots], popupY[kPopupSlots];
};

struct PlayerShot {
  double x, y;
  double prevX, prevY;
  std::uint8_t piercing;
  std::uint8_t owner;  // 0 free, else player number 1 or 2
  std::int16_t picture;
  std::int16_t age;
};

struct Casing {
  double x, y;
  double vx, vy;
  double gravity;
  std::uint8_t variant;  // 0 free, else 1..4
};

struct EnemySlot {
  std::uint8_t kind;
  std::uint8_t counter;
  std::uint8_t state;
  std::uint8_t spare;
  double x, y;
  double baseX, baseY;
  double speed;
  double angle;
  double dashLength;
  std::int32_t scoreLabel;
  std::int32_t multiplierLabel;
  std::int16_t picture;
  std::int16_t hitPoints;
};

struct EnemyShot {
  double x, y;
  double speed;
  double angle;
  double stepX, stepY;  // cos and sin of angle times speed, worked out once when fired
  std::int16_t picture;
  std::uint8_t active;
};

struct HitSpark {
  double x, y;
  double speed;
  double angle;
  double stepX, stepY;  // cos and sin of angle times speed, worked out once when thrown
  std::int16_t picture;  // 0 free
  std::int16_t opacity;
};

struct BossRecord {
  double x, y;
  double angle;
  std::int16_t picture;
  std::int16_t attackTimer;
  std::int16_t frame;
  std::int16_t halfWidth;
  std::int16_t hitPoints;
  std::int16_t maxHitPoints;
  std::int16_t defeatTimer;
  std::int16_t phase;        // the later bosses: the phase of their life they fight in
  std::int16_t phaseFrames;  // and how long they have fought in it
};

struct Cloud {
  std::int32_t x, y;
  std::uint8_t variant;
};

struct RunResult {
  std::int16_t resultMode;
  std::int16_t resultMissP2;
  std::int16_t resultMissP1;
  std::int16_t resultTime;
  std::int32_t resultRank;     // 0..2, or -1 with two players or when not ranked
  std::int32_t resultScoreP2;  // -1 with one player
  std::int32_t resultScoreP1;  // time bonus included
  std::uint8_t resultWeapon;
};

// The score ranking itself is the shell's scoreRanking (kept with the settings); the run only
// inserts into it and shows it.
struct GameRecord {
  std::int16_t stageIndex;
  std::int32_t stageInitPending;
  std::int32_t playerCount;
  std::int16_t gameMode;
  std::int32_t entryType;
  std::int16_t timeLeft;
  std::int16_t stageIntroTimer;
  std::int16_t fadeAlpha;
  std::int16_t pauseCounter;
  std::int16_t pauseCursor;
  std::int32_t pauseLastKey;
  std::int16_t stageClearCounter;
  std::int16_t stagesCleared;
  std::int16_t frameCounter;
  std::int32_t demoIndex;
  std::int32_t clearExitStep[2];
  std::int16_t bgOffset[kStripCount];
  std::uint16_t weaponChoice;  // low byte player 1's weapon, high byte player 2's
  PlayerRecord players[2];
  Cloud clouds[kCloudCount];
  PlayerShot playerShots[kPlayerShotSlots];
  Casing casings[kCasingSlots];
  EnemySlot enemies[kEnemySlots];
  EnemyShot enemyShots[kEnemyShotSlots];
  HitSpark sparks[kHitSparkSlots];
  BossRecord boss;
  RunResult runResult;
};

extern GameRecord gameRecord;

// Every byte of the record to zero, padding included, so that the record hashes the same for the
// same run. Clears always go through these, never through assignment of a fresh record.
void ClearGameRecord();
template <typename T>
void ClearRecords(T* first, int count) {
  std::memset(static_cast<void*>(first), 0, sizeof(T) * static_cast<std::size_t>(count));
}
// FNV-1a over the whole record: two runs fed the same input end with the same value.
std::uint64_t HashGameRecord();

// The run's one pseudo-random generator.
void SeedRandom(std::uint32_t seed);
int Rand();  // 0..32767

inline bool IsBossStage(int stageIndex) { return stageIndex % 5 == 4; }
