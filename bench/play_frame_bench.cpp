// One play-scene frame step on a busy stage (40 enemy slots, 80 enemy shots, 60 player shots,
// 200 sparks): game logic and draw-call submission to the fake device. The record is put back
// before every step so each measured frame is equally busy; only the step itself is timed.
//   ./play_frame_bench --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/app.h"
#include "archive_writer.h"
#include "game/game.h"
#include "game/play.h"
#include "gfx/gfx.h"
#include "input/input.h"
#include "platform/fake/fake_backend.h"
#include "scenes/scenes.h"

namespace {

namespace fs = std::filesystem;

// A BMP header is all the fake device reads; sizes roughly those of the game's pictures.
std::vector<unsigned char> BmpOfSize(int width, int height) {
  std::vector<unsigned char> file(54, 0);
  auto put = [&](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) file[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put(2, 54);
  put(10, 54);
  put(14, 40);
  put(18, static_cast<std::uint32_t>(width));
  put(22, static_cast<std::uint32_t>(height));
  file[26] = 1;
  file[28] = 24;
  return file;
}

void SizeOf(int id, int* width, int* height) {
  if (id == PIC_BG01) {
    *width = 640, *height = 240;
  } else if (id >= PIC_BG02 && id <= PIC_BG11) {
    *width = 640, *height = 24;
  } else if (id >= PIC_SENRA_REN_1 && id <= PIY_UP_YUSERA_SPEED_4) {
    *width = 48, *height = 32;
  } else {
    *width = 32, *height = 24;
  }
}

class BusyStage {
 public:
  BusyStage() {
    char pattern[] = "/tmp/sorvani-bench-XXXXXX";
    directory_ = mkdtemp(pattern);
    std::vector<ArchiveEntry> entries;
    for (int id = 0; id < NUMSURFACES; ++id) {
      int width = 0;
      int height = 0;
      SizeOf(id, &width, &height);
      entries.push_back({surfaces[id], BmpOfSize(width, height)});
    }
    std::vector<unsigned char> image;
    std::string error;
    BuildArchive(entries, &image, &error);
    std::ofstream(directory_ / kPictureArchive, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    fs::current_path(directory_);

    backend_.window.RegisterWindowClass(platform::WindowClass{"sorvani", nullptr, 0});
    window_ = backend_.window.CreateMainWindow("sorvani", "Sorvani", 640, 480);
    InitDirect3D(window_, true, true);
    inputState.keyboardOnly = true;
    backend_.input.SetVirtualKey(platform::VK_SPACE, true);
    backend_.graphics.draws.reserve(1 << 16);

    gameRecord.weaponChoice = 0x0100;
    PlayScene(window_, 2);
    PlayScene(window_, SCENE_STEP);
    Fill();
    std::memcpy(static_cast<void*>(&snapshot_), &gameRecord, sizeof gameRecord);
  }
  ~BusyStage() {
    ReleaseDirect3D();
    ResetInput();
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
  }

  void Restore() {
    std::memcpy(static_cast<void*>(&gameRecord), &snapshot_, sizeof gameRecord);
    backend_.graphics.draws.clear();
  }
  void Step() { PlayScene(window_, SCENE_STEP); }

 private:
  // Every pool full, nothing on the players, so the frame neither clears nor ends.
  static void Fill() {
    gameRecord.timeLeft = 20000;
    gameRecord.fadeAlpha = 255;
    for (int i = 0; i < kEnemySlots; ++i) {
      EnemySlot& enemy = gameRecord.enemies[i];
      ClearRecords(&enemy, 1);
      enemy.kind = static_cast<std::uint8_t>(i % 7 + 1);
      enemy.x = 300 + (i % 8) * 40;
      enemy.y = 20 + (i / 8) * 90;
      enemy.picture = enemy.kind == KIND_EXPLOSION ? PIC_BAKU1 : PIC_ITEM5;
      enemy.counter = enemy.kind == KIND_CAPSULE ? 5 : 10;
      enemy.hitPoints = 1000;  // hits land but never kill
      enemy.scoreLabel = enemy.kind >= KIND_EXPLOSION ? PIC_100 : 0;
    }
    ClearRecords(gameRecord.enemyShots, kEnemyShotSlots);
    for (int i = 0; i < kEnemyShotSlots; ++i) SpawnEnemyShot(250 + (i % 10) * 35, 40 + (i / 10) * 50, 0.5, 3.0);
    for (int i = 0; i < kPlayerShotSlots; ++i) {
      PlayerShot& shot = gameRecord.playerShots[i];
      shot.owner = static_cast<std::uint8_t>(i % 2 + 1);
      shot.piercing = shot.owner == 2;
      shot.picture = static_cast<std::int16_t>(PIZ_TAMA1 + shot.piercing);
      shot.x = shot.prevX = 60 + (i % 10) * 50;
      shot.y = shot.prevY = 30 + (i / 10) * 70;
      shot.age = 5;
    }
    ClearRecords(gameRecord.sparks, kHitSparkSlots);
    for (int i = 0; i < kHitSparkSlots / 10; ++i) SpawnHitSparks(i % 5 * 120, i / 5 * 100, PIC_DAMAGEEFFECT1);
  }

  fake::FakeBackend backend_;
  fs::path directory_;
  platform::WindowHandle window_ = platform::kNoWindow;
  GameRecord snapshot_{};
};

void BM_PlayFrameBusyStage(benchmark::State& state) {
  BusyStage stage;
  for (auto _ : state) {
    stage.Restore();
    const auto start = std::chrono::steady_clock::now();
    stage.Step();
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
}
BENCHMARK(BM_PlayFrameBusyStage)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
