// The balance report's runs: the bot, one stage flown from a fresh clock, and what each run
// measures.
#include "balance_run.h"

#include <cmath>
#include <cstdio>

#include "app/app.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "scenes/scenes.h"

namespace balance {

namespace {

struct Threat {
  double x, y;    // centre
  double vx, vy;  // per frame
  double reach;   // a player's centre closer than this is hit
};

constexpr double kShotStep = 16;  // a player shot's flight per frame
constexpr int kMaxThreats = kEnemyShotSlots + kEnemySlots + 1;

bool Fighter(const EnemySlot& e) { return e.kind >= KIND_WALKER && e.kind <= KIND_WISP; }
double CentreX(const EnemySlot& e) { return e.x + PictureWidth(e.picture) / 2.0; }
double CentreY(const EnemySlot& e) { return e.y + PictureHeight(e.picture) / 2.0; }

// Her centre over the frames of holding a move, by the game's own limits (each tested before
// the step); path[0] is where she is now.
void Glide(int x, int y, int dx, int dy, int step, double (&pathX)[kBotHorizon + 1], double (&pathY)[kBotHorizon + 1]) {
  const int w = PlayerWidth();
  const int h = PlayerHeight();
  for (int f = 0; f <= kBotHorizon; ++f) {
    pathX[f] = x + w / 2;
    pathY[f] = y + h / 2;
    if (dy < 0 && y >= 9) y -= step;
    if (dy > 0 && y < 472 - h) y += step;
    if (dx < 0 && x >= 9) x -= step;
    if (dx > 0 && x < 632 - w) x += step;
  }
}

}  // namespace

const char* ModeName(int gameMode) {
  switch (gameMode) {
    case MODE_TRIAL: return "trial";
    case MODE_EXTRA: return "extra";
    case MODE_LUNATIC: return "lunatic";
    default: return "?";
  }
}

const char* WeaponName(int weapon) {
  switch (weapon) {
    case WEAPON_REN: return "REN";
    case WEAPON_KAN: return "KAN";
    case WEAPON_SPEED: return "SPEED";
    default: return "?";
  }
}

std::string TsvHeader() { return "mode\tplayers\tweapons\tstage\tframes\thits\tshots\tpeak\tboss_kill\tshared"; }

std::string TsvLine(const RunSpec& spec, const RunMeasure& measure) {
  std::string weapons = WeaponName(spec.weapon);
  if (spec.playerCount == 2) weapons += std::string("+") + WeaponName(spec.weapon);
  char frames[16];
  char kill[16];
  std::snprintf(frames, sizeof frames, "%d", measure.frames);
  std::snprintf(kill, sizeof kill, "%d", measure.bossKillFrame);
  char line[160];
  std::snprintf(line, sizeof line, "%s\t%d\t%s\t%d\t%s\t%d\t%d\t%d\t%s\t%d", ModeName(spec.gameMode), spec.playerCount,
                weapons.c_str(), spec.stageIndex + 1, measure.cleared ? frames : "timeout", measure.hits,
                measure.shotsFired, measure.peakShots, measure.bossKillFrame >= 0 ? kill : "-", measure.sharedStretch);
  return line;
}

void SharedPositionWatch::Reset() {
  for (auto& row : stretch_)
    for (std::uint16_t& stretch : row) stretch = 0;
  longest_ = 0;
}

void SharedPositionWatch::Observe(const EnemySlot (&enemies)[kEnemySlots]) {
  for (int i = 0; i < kEnemySlots; ++i) {
    const EnemySlot& a = enemies[i];
    for (int j = i + 1; j < kEnemySlots; ++j) {
      const EnemySlot& b = enemies[j];
      const bool shared = Fighter(a) && Fighter(b) && std::fabs(a.x - b.x) < 1 && std::fabs(a.y - b.y) < 1;
      std::uint16_t& stretch = stretch_[i][j];
      stretch = shared ? static_cast<std::uint16_t>(stretch + 1) : 0;
      if (stretch > longest_) longest_ = stretch;
    }
  }
}

void EnemyShotWatch::Reset() { *this = EnemyShotWatch{}; }

void EnemyShotWatch::Observe(const EnemyShot (&shots)[kEnemyShotSlots]) {
  int live = 0;
  for (int i = 0; i < kEnemyShotSlots; ++i) {
    const EnemyShot& shot = shots[i];
    if (shot.active == 0) {
      active_[i] = false;
      continue;
    }
    ++live;
    const bool carriedOn =
        active_[i] && std::fabs(x_[i] + shot.stepX - shot.x) < 1e-6 && std::fabs(y_[i] + shot.stepY - shot.y) < 1e-6;
    if (!carriedOn) ++fired_;
    active_[i] = true;
    x_[i] = shot.x;
    y_[i] = shot.y;
  }
  if (live > peak_) peak_ = live;
}

PlayerInput Bot::Decide() {
  PlayerInput input{};
  input.shot = true;
  const GameRecord& game = gameRecord;
  const PlayerRecord& me = game.players[player_];
  if (game.stageInitPending != 0 || IsClearing()) {
    Remember();
    return input;
  }
  const int step = me.weapon == WEAPON_SPEED ? 8 : 4;
  const double cx = me.x + PlayerWidth() / 2;
  const double cy = me.y + PlayerHeight() / 2;

  Threat threats[kMaxThreats];
  int count = 0;
  auto see = [&](const Threat& t) {
    if (std::hypot(t.x - cx, t.y - cy) - t.reach < kBotSight) threats[count++] = t;
  };
  for (const EnemyShot& shot : game.enemyShots) {
    if (shot.active == 0) continue;
    const double r = PictureHeight(shot.picture) / 2;
    see({shot.x + PictureWidth(shot.picture) / 2, shot.y + r, shot.stepX, shot.stepY, r + 6});
  }
  for (int i = 0; i < kEnemySlots; ++i) {
    const EnemySlot& e = game.enemies[i];
    if (!Fighter(e)) continue;
    const bool known = lastKind_[i] == e.kind;
    see({CentreX(e), CentreY(e), known ? e.x - lastX_[i] : 0, known ? e.y - lastY_[i] : 0,
         PictureHeight(e.picture) / 2 + 6.0});
  }
  const BossRecord& boss = game.boss;
  const bool bossUp = IsBossStage(game.stageIndex) && BossAlive();
  if (bossUp) {
    const double bw = PictureWidth(boss.picture);
    const double bh = PictureHeight(boss.picture);
    see({boss.x + bw / 2, boss.y + bh / 2, boss.x - lastBossX_, boss.y - lastBossY_, (bw > bh ? bw : bh) / 2 + 6});
  }

  // Whom to line up with: the nearest enemy ahead, else the boss, else a capsule ahead; she
  // leads a moving target by the time her shot takes to get there.
  bool aiming = false;
  double aimY = 0;
  double bestScore = 1e18;
  auto lead = [cx](double x, double y, double vy) { return y + vy * (x - cx) / kShotStep; };
  for (int i = 0; i < kEnemySlots; ++i) {
    const EnemySlot& e = game.enemies[i];
    if (!Fighter(e) || CentreX(e) < cx + 16 || CentreX(e) > 640) continue;
    const double score = std::fabs(CentreY(e) - cy) + 0.5 * (CentreX(e) - cx);
    if (score < bestScore) {
      bestScore = score;
      aimY = lead(CentreX(e), CentreY(e), lastKind_[i] == e.kind ? e.y - lastY_[i] : 0);
      aiming = true;
    }
  }
  if (!aiming && bossUp) {
    aimY = lead(boss.x + PictureWidth(boss.picture) / 2.0, boss.y + PictureHeight(boss.picture) / 2.0,
                boss.y - lastBossY_);
    aiming = true;
  }
  for (const EnemySlot& e : game.enemies) {
    if (aiming || e.kind != KIND_CAPSULE || CentreX(e) < cx + 24 || CentreX(e) > 640) continue;
    aimY = CentreY(e);
    aiming = true;
  }
  // She flies from her home spot, or far enough left of any enemy that has got behind it to
  // shoot it.
  double homeX = kBotHomeX + PlayerWidth() / 2;
  for (const EnemySlot& e : game.enemies) {
    if (Fighter(e) && CentreX(e) - 40 < homeX) homeX = CentreX(e) - 40;
  }

  double best = 1e18;
  int bestDx = 0;
  int bestDy = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      double pathX[kBotHorizon + 1];
      double pathY[kBotHorizon + 1];
      Glide(me.x, me.y, dx, dy, step, pathX, pathY);
      double danger = 0;
      for (int t = 0; t < count; ++t) {
        const Threat& threat = threats[t];
        const double reach = (threat.reach + kBotMargin) * (threat.reach + kBotMargin);
        for (int f = 1; f <= kBotHorizon; ++f) {
          const double ex = threat.x + threat.vx * f - pathX[f];
          const double ey = threat.y + threat.vy * f - pathY[f];
          if (ex * ex + ey * ey < reach) {
            danger += 1.0 / f;
            break;
          }
        }
      }
      // Shots leave 5 px below her centre.
      double cost = 1000 * danger + 0.25 * std::fabs(pathX[1] - homeX) + 0.1 * (dx * dx + dy * dy);
      if (aiming) cost += std::fabs(pathY[1] + 5 - aimY);
      if (cost < best) {
        best = cost;
        bestDx = dx;
        bestDy = dy;
      }
    }
  }
  input.up = bestDy < 0;
  input.down = bestDy > 0;
  input.left = bestDx < 0;
  input.right = bestDx > 0;
  Remember();
  return input;
}

void Bot::Remember() {
  for (int i = 0; i < kEnemySlots; ++i) {
    lastKind_[i] = gameRecord.enemies[i].kind;
    lastX_[i] = gameRecord.enemies[i].x;
    lastY_[i] = gameRecord.enemies[i].y;
  }
  lastBossX_ = gameRecord.boss.x;
  lastBossY_ = gameRecord.boss.y;
}

Arena::~Arena() {
  ReleaseDirect3D();
  ResetInput();
}

bool Arena::Open() {
  backend_.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
  window_ = backend_.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);
  if (InitDirect3D(window_, true, true) != platform::S_OK) return false;
  inputState.keyboardOnly = true;
  for (std::uint32_t key : {std::uint32_t{platform::VK_SPACE}, std::uint32_t{platform::VK_ESCAPE},
                            std::uint32_t{platform::VK_UP}, std::uint32_t{platform::VK_DOWN},
                            std::uint32_t{platform::VK_LEFT}, std::uint32_t{platform::VK_RIGHT}, std::uint32_t{'X'},
                            std::uint32_t{'T'}, std::uint32_t{'B'}, std::uint32_t{'F'}, std::uint32_t{'H'},
                            std::uint32_t{'L'}})
    backend_.input.SetVirtualKey(key, false);
  return true;
}

void Arena::Hold(int player, const PlayerInput& input) {
  // Player 2's keys in keyboard-only mode: X shot, T B F H for up, down, left, right.
  static const std::uint32_t kKeys[2][5] = {
      {platform::VK_SPACE, platform::VK_UP, platform::VK_DOWN, platform::VK_LEFT, platform::VK_RIGHT},
      {'X', 'T', 'B', 'F', 'H'}};
  const bool held[5] = {input.shot, input.up, input.down, input.left, input.right};
  for (int i = 0; i < 5; ++i) backend_.input.SetVirtualKey(kKeys[player][i], held[i]);
}

RunMeasure Arena::Fly(const RunSpec& spec) {
  ResetPlayScene();
  gameRecord.weaponChoice = static_cast<std::uint16_t>(spec.weapon | spec.weapon << 8);
  backend_.input.SetVirtualKey('L', spec.gameMode == MODE_LUNATIC);
  const int entryType = spec.gameMode == MODE_TRIAL ? spec.playerCount : spec.playerCount + 3;
  PlayScene(window_, entryType);
  backend_.input.SetVirtualKey('L', false);
  // The set-up is still pending: the first step builds this stage instead of stage 1.
  gameRecord.stageIndex = static_cast<std::int16_t>(spec.stageIndex);

  Bot bots[2] = {Bot(0), Bot(1)};
  SharedPositionWatch shared;
  EnemyShotWatch shots;
  RunMeasure measure;
  measure.frames = kTimeoutFrames;
  for (int frame = 1; frame <= kTimeoutFrames && currentScene == PlayScene; ++frame) {
    gameRecord.timeLeft = kClockStart;
    for (int p = 0; p < spec.playerCount; ++p) Hold(p, bots[p].Decide());
    backend_.graphics.ClearDraws();
    backend_.log.Clear();
    PlayScene(window_, SCENE_STEP);
    shots.Observe(gameRecord.enemyShots);
    shared.Observe(gameRecord.enemies);
    const BossRecord& boss = gameRecord.boss;
    if (IsBossStage(spec.stageIndex) && measure.bossKillFrame < 0 && boss.maxHitPoints > 0 && boss.hitPoints <= 0)
      measure.bossKillFrame = frame;
    if (IsClearing()) {
      measure.cleared = true;
      measure.frames = frame;
      break;
    }
  }
  for (int p = 0; p < spec.playerCount; ++p) measure.hits += gameRecord.players[p].missCount;
  measure.shotsFired = shots.Fired();
  measure.peakShots = shots.Peak();
  measure.sharedStretch = shared.Longest();
  return measure;
}

}  // namespace balance
