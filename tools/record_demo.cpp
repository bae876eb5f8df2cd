// Records the demonstration: a bot flies a one-player trial run with the rapid-fire weapon through
// the first stages, on the fake backend with the build's pictures, and writes its input, one byte
// a frame, as the play scene's demo table.
//
// The demonstration replays the table against the stage tables, the enemies, the players and the
// seeded generator, with the pictures' sizes in every hit test; when any of them changes the old
// table flies a different run, so record it again:
//   cmake --build build --target record_demo_table
// which runs
//   build/record_demo build/svdata01.dat src/game/demo_table.cpp
// then rebuild and run ./build/sorvani_tests --gtest_filter='PlayDemoTest.*'.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/app.h"
#include "game/game.h"
#include "game/play.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "platform/fake/fake_backend.h"
#include "scenes/scenes.h"

namespace {

namespace fs = std::filesystem;

constexpr int kStep = 4;      // the rapid-fire sister's speed
constexpr int kHorizon = 24;  // frames the bot looks ahead for threats
constexpr int kHomeX = 96;    // where she likes to fly from

struct Threat {
  double x, y;    // centre
  double vx, vy;  // per frame
  double reach;   // a centre closer than this to hers is a hit
};

struct Target {
  double x, y;  // centre
  double radius;
  bool collect;  // a capsule, flown into instead of shot
};

class Bot {
 public:
  PlayerInput Decide(int frame) {
    PlayerInput input{};
    const GameRecord& game = gameRecord;
    if (game.stageInitPending != 0 || IsClearing() || game.timeLeft <= 0) {
      Remember();
      return input;
    }
    const PlayerRecord& me = game.players[0];
    const double w = PlayerWidth();
    const double h = PlayerHeight();
    const double cx = me.x + w / 2;
    const double cy = me.y + h / 2;
    const std::vector<Threat> threats = Threats();
    Target target{};
    const bool aiming = ChooseTarget(cx, cy, &target);
    // Shots leave a little below her centre.
    const double line = target.collect ? 0 : 5;

    double best = 1e18;
    int bestDx = 0;
    int bestDy = 0;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const double nx = Clamp(me.x + dx * kStep, 8, 632 - w) + w / 2;
        const double ny = Clamp(me.y + dy * kStep, 8, 472 - h) + h / 2;
        double cost = 1000 * Danger(threats, me.x, me.y, dx, dy);
        if (aiming) {
          cost += std::fabs(ny + line - target.y);
          if (target.collect) cost += 0.5 * std::fabs(nx - target.x);
        }
        // Back off from whatever is ahead; otherwise drift home.
        const double homeX = aiming && !target.collect && target.x - cx < 160 ? kHomeX - 40 : kHomeX;
        if (!target.collect) cost += 0.25 * std::fabs(nx - homeX - w / 2);
        cost += 0.1 * (std::abs(dx) + std::abs(dy));  // no move when nothing is gained
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
    // A fresh press fires at once: tapping every sixth frame fires faster than holding.
    input.shot = aiming && !target.collect && std::fabs(cy + line - target.y) < target.radius + 6 &&
                 target.x < 640 && !CapsuleInLine(cx, cy + line, target.x) && frame % 6 != 5;
    Remember();
    return input;
  }

 private:
  static double Clamp(double v, double lo, double hi) { return v < lo ? lo : v > hi ? hi : v; }

  static double CentreX(const EnemySlot& e) { return e.x + PictureWidth(e.picture) / 2.0; }
  static double CentreY(const EnemySlot& e) { return e.y + PictureHeight(e.picture) / 2.0; }

  static bool Fighter(const EnemySlot& e) { return e.kind >= KIND_WALKER && e.kind <= KIND_WISP; }

  std::vector<Threat> Threats() const {
    std::vector<Threat> threats;
    for (const EnemyShot& shot : gameRecord.enemyShots) {
      if (shot.active == 0) continue;
      const double r = PictureHeight(shot.picture) / 2.0;
      threats.push_back({shot.x + PictureWidth(shot.picture) / 2.0, shot.y + r, shot.stepX, shot.stepY, r + 6});
    }
    for (int i = 0; i < kEnemySlots; ++i) {
      const EnemySlot& e = gameRecord.enemies[i];
      if (!Fighter(e)) continue;
      const bool known = lastKind_[i] == e.kind;
      const double vx = known ? e.x - lastX_[i] : 0;
      const double vy = known ? e.y - lastY_[i] : 0;
      threats.push_back({CentreX(e), CentreY(e), vx, vy, PictureHeight(e.picture) / 2.0 + 6});
    }
    const BossRecord& boss = gameRecord.boss;
    if (IsBossStage(gameRecord.stageIndex) && BossAlive()) {
      const double bw = PictureWidth(boss.picture);
      const double bh = PictureHeight(boss.picture);
      threats.push_back({boss.x + bw / 2, boss.y + bh / 2, boss.x - lastBossX_, boss.y - lastBossY_,
                         (bw > bh ? bw : bh) / 2 + 6});
    }
    return threats;
  }

  // Hits she would take flying this way for the next frames, the nearest in time weighing most,
  // plus a little for passing close.
  static double Danger(const std::vector<Threat>& threats, double x, double y, int dx, int dy) {
    const double w = PlayerWidth();
    const double h = PlayerHeight();
    double danger = 0;
    for (const Threat& t : threats) {
      for (int f = 1; f <= kHorizon; ++f) {
        const double px = Clamp(x + dx * kStep * f, 8, 632 - w) + w / 2;
        const double py = Clamp(y + dy * kStep * f, 8, 472 - h) + h / 2;
        const double ex = t.x + t.vx * f - px;
        const double ey = t.y + t.vy * f - py;
        const double d = std::sqrt(ex * ex + ey * ey);
        if (d < t.reach + 4) {
          danger += 1.0 / f;
          break;
        }
        if (d < t.reach + 24) danger += 0.01 / f;
      }
    }
    return danger;
  }

  bool ChooseTarget(double cx, double cy, Target* target) const {
    double best = 1e18;
    bool found = false;
    for (const EnemySlot& e : gameRecord.enemies) {
      if (!Fighter(e)) continue;
      const double ex = CentreX(e);
      if (ex < cx + 24 || ex > 640) continue;
      const double score = std::fabs(CentreY(e) - cy) + 0.5 * (ex - cx);
      if (score < best) {
        best = score;
        *target = {ex, CentreY(e), PictureHeight(e.picture) / 2.0, false};
        found = true;
      }
    }
    const BossRecord& boss = gameRecord.boss;
    if (!found && IsBossStage(gameRecord.stageIndex) && BossAlive()) {
      *target = {boss.x + PictureWidth(boss.picture) / 2.0, boss.y + PictureHeight(boss.picture) / 2.0,
                 static_cast<double>(boss.halfWidth) / 2, false};
      found = true;
    }
    if (found) return true;
    // Nothing left to shoot: pick up the capsules before they drift away.
    for (const EnemySlot& e : gameRecord.enemies) {
      if (e.kind != KIND_CAPSULE || CentreX(e) > 640) continue;
      const double score = std::fabs(CentreX(e) - cx) + std::fabs(CentreY(e) - cy);
      if (score < best) {
        best = score;
        *target = {CentreX(e), CentreY(e), PictureHeight(e.picture) / 2.0, true};
        found = true;
      }
    }
    return found;
  }

  static bool CapsuleInLine(double cx, double lineY, double targetX) {
    for (const EnemySlot& e : gameRecord.enemies) {
      if (e.kind != KIND_CAPSULE) continue;
      const double ex = CentreX(e);
      if (ex > cx && ex < targetX && std::fabs(CentreY(e) - lineY) < PictureHeight(e.picture) / 2.0 + 8) return true;
    }
    return false;
  }

  void Remember() {
    for (int i = 0; i < kEnemySlots; ++i) {
      lastKind_[i] = gameRecord.enemies[i].kind;
      lastX_[i] = gameRecord.enemies[i].x;
      lastY_[i] = gameRecord.enemies[i].y;
    }
    lastBossX_ = gameRecord.boss.x;
    lastBossY_ = gameRecord.boss.y;
  }

  std::uint8_t lastKind_[kEnemySlots] = {};
  double lastX_[kEnemySlots] = {};
  double lastY_[kEnemySlots] = {};
  double lastBossX_ = 0;
  double lastBossY_ = 0;
};

int CountKills(const std::uint8_t before[kEnemySlots]) {
  int kills = 0;
  for (int i = 0; i < kEnemySlots; ++i) {
    const EnemySlot& e = gameRecord.enemies[i];
    kills += before[i] >= KIND_WALKER && before[i] <= KIND_WISP && e.kind == KIND_EXPLOSION && e.scoreLabel != 0;
  }
  return kills;
}

void Hold(fake::FakeBackend& backend, const PlayerInput& input) {
  backend.input.SetVirtualKey(platform::VK_SPACE, input.shot);
  backend.input.SetVirtualKey(platform::VK_UP, input.up);
  backend.input.SetVirtualKey(platform::VK_DOWN, input.down);
  backend.input.SetVirtualKey(platform::VK_LEFT, input.left);
  backend.input.SetVirtualKey(platform::VK_RIGHT, input.right);
}

bool WriteTable(const fs::path& path, const std::vector<std::uint8_t>& table) {
  std::ofstream out(path, std::ios::binary);
  out << "// The demonstration's input for player 1, one byte a frame (bit 0 shot, 1 up, 2 down, 3 left,\n"
         "// 4 right), written by tools/record_demo.cpp: see there how to record it again.\n"
         "#include \"game/play.h\"\n\n"
         "const std::uint8_t kDemoTable[kDemoLength] = {\n";
  for (std::size_t i = 0; i < table.size(); ++i) {
    out << (i % 24 == 0 ? "    " : " ") << static_cast<int>(table[i]) << ",";
    if (i % 24 == 23 || i + 1 == table.size()) out << "\n";
  }
  out << "};\n";
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: record_demo PICTURE_ARCHIVE OUTPUT.cpp\n");
    return 2;
  }
  const fs::path archive = fs::absolute(argv[1]);
  const fs::path output = fs::absolute(argv[2]);
  char pattern[] = "/tmp/sorvani-record-demo-XXXXXX";
  const char* scratch = mkdtemp(pattern);
  std::error_code failed;
  if (scratch == nullptr || !fs::copy_file(archive, fs::path(scratch) / kPictureArchive, failed)) {
    std::fprintf(stderr, "record_demo: cannot copy %s into a scratch folder\n", archive.c_str());
    return 1;
  }
  fs::current_path(scratch);

  int result = 0;
  {
    fake::FakeBackend backend;
    backend.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
    const platform::WindowHandle window = backend.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);
    if (InitDirect3D(window, true, true) != platform::S_OK) {
      std::fprintf(stderr, "record_demo: no device\n");
      return 1;
    }
    inputState.keyboardOnly = true;
    for (std::uint32_t key : {std::uint32_t{platform::VK_SPACE}, std::uint32_t{platform::VK_ESCAPE},
                              std::uint32_t{platform::VK_UP}, std::uint32_t{platform::VK_DOWN},
                              std::uint32_t{platform::VK_LEFT}, std::uint32_t{platform::VK_RIGHT}, std::uint32_t{'L'}})
      backend.input.SetVirtualKey(key, false);

    // A trial run with one player and the first weapon starts as the demonstration does.
    ResetPlayScene();
    gameRecord.weaponChoice = 0;
    PlayScene(window, 1);
    Bot bot;
    std::vector<std::uint8_t> table;
    int kills = 0;
    for (int frame = 0; frame < kDemoLength && currentScene == PlayScene; ++frame) {
      const PlayerInput input = bot.Decide(frame);
      Hold(backend, input);
      std::uint8_t before[kEnemySlots];
      for (int i = 0; i < kEnemySlots; ++i) before[i] = gameRecord.enemies[i].kind;
      backend.graphics.ClearDraws();
      backend.log.Clear();
      PlayScene(window, SCENE_STEP);
      kills += CountKills(before);
      table.push_back(DemoBits(input));
    }
    const PlayerRecord& me = gameRecord.players[0];
    std::printf("stage %d reached, %d kills, score %d, %d misses, %d frames left on the clock\n",
                gameRecord.stageIndex + 1, kills, me.score, me.missCount, gameRecord.timeLeft);
    if (table.size() != static_cast<std::size_t>(kDemoLength)) {
      std::fprintf(stderr, "record_demo: the run ended after %zu frames; nothing written\n", table.size());
      result = 1;
    } else if (!WriteTable(output, table)) {
      std::fprintf(stderr, "record_demo: cannot write %s\n", output.c_str());
      result = 1;
    }
    ReleaseDirect3D();
    ResetInput();
  }
  fs::current_path("/");
  fs::remove_all(scratch, failed);
  return result;
}
