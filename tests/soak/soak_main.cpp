// A long soak of the whole game on the fake backend: title, demonstration, weapon selection,
// seeded random play, pauses, game overs and stage clears, until the time is up; then EXIT on
// the title. After each run: no pool slot stuck, textures match the picture table, the stored
// ranking is valid, and the run log holds only known lines. Exits non-zero on any failure.
// With --sdl the real program runs instead, offscreen with dummy audio, idling through the title
// and its demonstration; then SIGINT closes it like the close box.
//   sorvani_soak --minutes N [--seed S] [--sdl]
#include <iconv.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/app.h"
#include "app/program.h"
#include "app/rega.h"
#include "app/score_ranking.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/fake/fake_backend.h"
#include "scenes/scenes.h"

namespace {

using SteadyClock = std::chrono::steady_clock;

std::vector<std::string> failures;
void Fail(const std::string& what) {
  if (failures.size() < 50) std::fprintf(stderr, "soak: FAILURE: %s\n", what.c_str());
  failures.push_back(what);
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kFreedMemoryIsKept = true;  // AddressSanitizer holds freed blocks in quarantine
#else
constexpr bool kFreedMemoryIsKept = false;
#endif

// The peak may grow by a little (allocator caches) but not run by run.
void CheckMemoryIsFlat(long peakAtStart, long peakAtEnd) {
  if (peakAtStart <= 0 || peakAtEnd <= peakAtStart + 16384) return;
  const std::string grew = "peak memory grew from " + std::to_string(peakAtStart) + " kB to " +
                           std::to_string(peakAtEnd) + " kB";
  if (kFreedMemoryIsKept) {
    std::fprintf(stderr, "soak: %s; not a failure under AddressSanitizer, which keeps freed memory\n", grew.c_str());
    return;
  }
  Fail(grew);
}

long StatusKilobytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
  return -1;
}

std::string ShiftJisToUtf8(const std::string& text) {
  iconv_t converter = iconv_open("UTF-8", "CP932");
  std::string out(text.size() * 3 + 4, '\0');
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  iconv(converter, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(converter);
  out.resize(out.size() - outLeft);
  return out;
}

// The run log's new lines since the last call, each number replaced by one '#'.
class LogReader {
 public:
  std::vector<std::string> NewLines() {
    std::ifstream file("sorvani.log", std::ios::binary);
    file.seekg(static_cast<std::streamoff>(offset_));
    std::ostringstream bytes;
    bytes << file.rdbuf();
    const std::string text = bytes.str();
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      std::string line = text.substr(start, end - start);
      if (line.size() < 15 || line[0] != '[' || line[13] != ']') continue;  // the banner
      std::string message = ShiftJisToUtf8(line.substr(15));
      std::string shape;
      for (char c : message) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit) shape += c;
        else if (shape.empty() || shape.back() != '#') shape += '#';
      }
      message = shape;
      // Start-up and shutdown have their own tests; the soak watches the scenes.
      if (message == "[oplogo]") inScenes_ = true;
      if (inScenes_) lines.push_back(message);
      if (message == "[program_exit]") inScenes_ = false;
    }
    offset_ += start;
    return lines;
  }

 private:
  std::size_t offset_ = 0;
  bool inScenes_ = false;
};

// Every line a healthy run writes, numbers as '#'.
const std::set<std::string> kKnownLines = {
    "[oplogo]", "[title]", "[story]", "[weapon_select]", "[playgame]", "[ending]", "[program_exit]",
    "準備完了", "準備開始", "ステージ# 初期化開始", "ステージ構成開始", "ステージ構成完了",
    "スコアランキングの書き込みをしています", "リソースをクリアしています", "リソースクリア完了",
    "画像データセット読み込み開始", "画像データセット読み込み完了", "BGM停止準備", "BGM停止完了",
    // The loop starts after the first scene's entry; activation takes the devices again.
    "メッセージループを開始します", "キーボードデバイスを初期化中...", "ジョイスティックデバイスを初期化中...", "完了",
};

bool KnownLine(const std::string& line) {
  if (kKnownLines.count(line)) return true;
  // Music lines name their files; the set-switch lines their counts.
  static const char* const kPrefixes[] = {"BGM", "svdata#", "画像データセット"};
  for (const char* prefix : kPrefixes)
    if (line.rfind(prefix, 0) == 0) return true;
  return false;
}

template <typename T, typename Occupied, typename Position>
void WatchPool(const char* name, const T* slots, int count, std::vector<int>& stuck, Occupied occupied,
               Position position) {
  stuck.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    double x = 0, y = 0;
    position(slots[i], &x, &y);
    const bool away = occupied(slots[i]) && (x < -400 || x > 1040 || y < -400 || y > 880);
    int& frames = stuck[static_cast<std::size_t>(i)];
    frames = away ? frames + 1 : 0;
    if (frames == 300) Fail(std::string(name) + " slot " + std::to_string(i) + " held 300 frames off the field");
  }
}

struct Stuck {
  std::vector<int> shots, casings, enemies, enemyShots, sparks;
};

// The stored block must be the one in memory, each table ordered best first, stages 0..31.
void CheckRanking(fake::FakeBackend& backend) {
  const fake::FakeRegistry::Value* stored = backend.registry.Get(kSettingsKeyPath, "scoredata");
  if (stored) {
    if (stored->bytes.size() != sizeof(ScoreRanking)) return Fail("stored ranking is not 324 bytes");
    if (std::memcmp(stored->bytes.data(), &scoreRanking, sizeof(ScoreRanking)) != 0)
      Fail("stored ranking differs from the one in memory");
  }
  for (int t = 0; t < kRankingTables; ++t) {
    for (int p = 0; p < kRankingPlaces; ++p) {
      const RankingEntry& e = scoreRanking.tables[t][p];
      if (e.stageReached < 0 || e.stageReached > 31 || e.score < 0)
        Fail("ranking table " + std::to_string(t) + " place " + std::to_string(p) + " out of range");
      if (p == 0) continue;
      const RankingEntry& above = scoreRanking.tables[t][p - 1];
      const bool ordered = above.stageReached > e.stageReached ||
                           (above.stageReached == e.stageReached &&
                            (above.score > e.score || (above.score == e.score && above.timeValue >= e.timeValue)));
      if (!ordered) Fail("ranking table " + std::to_string(t) + " out of order at place " + std::to_string(p));
    }
  }
}

int LoadedPictures() {
  int loaded = 0;
  for (int id = 0; id < NUMSURFACES; ++id) loaded += PictureTexture(static_cast<PictureId>(id)) != nullptr;
  return loaded;
}

// Seeded random input, by scene. Holds keys on the fake keyboard for the next frame.
class Player {
 public:
  explicit Player(fake::FakeInput& input, std::uint32_t seed) : input_(input), state_(seed ? seed : 1) {}

  void Choose(SceneFunction scene, bool wantExit) {
    if (scene != scene_) {
      scene_ = scene;
      sceneFrames_ = 0;
      plan_.clear();
      PlanFor(wantExit);
    }
    ++sceneFrames_;
    input_.keyboard.fill(0);
    if (scene == PlayScene) return Play();
    if (plan_.empty()) PlanFor(wantExit);
    const std::uint8_t key = plan_.front();
    plan_.erase(plan_.begin());
    if (key) input_.SetKey(key, true);
  }

 private:
  std::uint32_t Next() {
    state_ = state_ * 1103515245u + 12345u;
    return state_ >> 8;
  }
  void Wait(int frames) { plan_.insert(plan_.end(), static_cast<std::size_t>(frames), 0); }
  void Tap(std::uint8_t key) {
    plan_.insert(plan_.end(), 2, key);
    Wait(2);
  }

  void PlanFor(bool wantExit) {
    Wait(45);
    if (scene_ == TitleScene) {
      if (wantExit) {
        Tap(platform::DIK_ESCAPE);  // puts the cursor on EXIT
        Tap(platform::DIK_SPACE);
        return;
      }
      const std::uint32_t roll = Next() % 100;
      if (roll < 15) return Wait(400);  // idle into the demonstration
      const int downs = roll < 55 ? 0 : roll < 70 ? 1 : roll < 80 ? 2 : roll < 88 ? 3 : 4;
      for (int i = 0; i < downs; ++i) Tap(platform::DIK_DOWN);
      Tap(platform::DIK_SPACE);
    } else if (scene_ == WeaponSelectScene) {
      if (Next() % 20 == 0) return Tap(platform::DIK_ESCAPE);
      for (std::uint32_t i = Next() % 3; i > 0; --i) Tap(platform::DIK_RIGHT);
      Tap(platform::DIK_SPACE);
    } else if (scene_ == StoryScene) {
      if (Next() % 4 == 0) return Tap(platform::DIK_ESCAPE);
      Tap(platform::DIK_SPACE);
    } else {
      Tap(platform::DIK_SPACE);  // logos, ending
      Wait(20);
    }
  }

  // Aims at the nearest enemy with some wandering, fires nearly always, pauses now and then.
  void Play() {
    if (gameRecord.demoIndex >= 0) {
      if (Next() % 2000 == 0) input_.SetKey(platform::DIK_SPACE, true);
      return;
    }
    if (gameRecord.pauseCounter == 30) {
      if (pausePlan_.empty()) {
        const std::uint32_t roll = Next() % 100;
        pausePlan_.assign(20, 0);
        for (int i = roll < 60 ? 0 : roll < 75 ? 1 : 2; i > 0; --i) pausePlan_.insert(pausePlan_.end(), {platform::DIK_DOWN, 0, 0});
        pausePlan_.insert(pausePlan_.end(), {platform::DIK_SPACE, platform::DIK_SPACE});
      }
      const std::uint8_t key = pausePlan_.front();
      pausePlan_.erase(pausePlan_.begin());
      if (key) input_.SetKey(key, true);
      return;
    }
    pausePlan_.clear();
    if (Next() % 1500 == 0) pauseHeld_ = 3;
    if (pauseHeld_ > 0) {
      --pauseHeld_;
      input_.SetKey(platform::DIK_ESCAPE, true);
      return;
    }
    if (Next() % 10 != 0) input_.SetKey(platform::DIK_SPACE, true);
    input_.SetKey(platform::DIK_X, Next() % 3 != 0);
    if (Next() % 30 == 0) wander_ = static_cast<int>(Next() % 5);
    const PlayerRecord& me = gameRecord.players[0];
    double target = -1, best = 1e9;
    for (const EnemySlot& enemy : gameRecord.enemies) {
      if (enemy.kind == KIND_FREE || enemy.kind >= KIND_EXPLOSION) continue;
      const double distance = enemy.x - me.x;
      if (distance > 0 && distance < best) {
        best = distance;
        target = enemy.y;
      }
    }
    if (wander_ == 1 || (wander_ == 0 && target >= 0 && target < me.y - 4)) input_.SetKey(platform::DIK_UP, true);
    if (wander_ == 2 || (wander_ == 0 && target >= 0 && target > me.y + 4)) input_.SetKey(platform::DIK_DOWN, true);
    if (wander_ == 3) input_.SetKey(platform::DIK_LEFT, true);
    if (wander_ == 4) input_.SetKey(platform::DIK_RIGHT, true);
  }

  fake::FakeInput& input_;
  std::uint32_t state_;
  SceneFunction scene_ = nullptr;
  int sceneFrames_ = 0;
  std::vector<std::uint8_t> plan_;
  std::vector<std::uint8_t> pausePlan_;
  int pauseHeld_ = 0;
  int wander_ = 0;
};

struct Figures {
  long runs = 0, frames = 0, stageClears = 0, gameOvers = 0, endings = 0, demos = 0, restarts = 0;
  long peakAtStart = -1, peakAtEnd = -1, rssAtStart = -1, rssAtEnd = -1;
};

void CopyDataPack(const std::filesystem::path& to) {
  for (const char* name : {"svdata01.dat", "svdata02.dat", "svdata03.mx", "svdata04.mx"}) {
    std::error_code failed;
    std::filesystem::copy_file(std::filesystem::path(SORVANI_DATA_DIR) / name, to / name, failed);
    if (failed) Fail(std::string("cannot copy ") + name + ": " + failed.message());
  }
}

int RunFakeSoak(double minutes, std::uint32_t seed) {
  char pattern[] = "/tmp/sorvani-soak-XXXXXX";
  const std::filesystem::path scratch = mkdtemp(pattern);
  std::filesystem::current_path(scratch);
  CopyDataPack(scratch);

  fake::FakeBackend backend;
  backend.registry.PutDword(kSettingsKeyPath, "noOpeningDialog", 1);
  backend.registry.PutDword(kSettingsKeyPath, "enable_debug_write", 1);
  backend.registry.PutDword(kSettingsKeyPath, "bWindowed", 1);
  backend.registry.PutDword(kSettingsKeyPath, "demowait", 3);

  const auto start = SteadyClock::now();
  const auto end = start + std::chrono::duration<double, std::ratio<60>>(minutes);
  auto nextProgress = start + std::chrono::seconds(30);
  Player player(backend.input, seed);
  LogReader log;
  Stuck stuck;
  Figures figures;
  SceneFunction lastScene = nullptr;
  std::int16_t lastStagesCleared = 0;
  bool exiting = false;
  long exitFrames = 0;

  auto endOfRun = [&] {
    CheckRanking(backend);
    if (backend.graphics.liveTextures != LoadedPictures())
      Fail("live textures " + std::to_string(backend.graphics.liveTextures) + " but pictures loaded " +
           std::to_string(LoadedPictures()));
    for (const std::string& line : log.NewLines())
      if (!KnownLine(line)) Fail("unexpected log line: " + line);
    if (!backend.dialogs.boxes.empty()) {
      Fail("message box: " + backend.dialogs.boxes.front().text);
      backend.dialogs.boxes.clear();
    }
    if (figures.runs == 3) {
      figures.peakAtStart = StatusKilobytes("VmHWM:");
      figures.rssAtStart = StatusKilobytes("VmRSS:");
    }
  };

  backend.window.OnEmptyQueue([&] {
    if (!backend.window.Find(appState.mainWindow)) return;
    if (appState.active == 0) backend.window.PostActivate(true);
    // The call record and the draw list would grow for ever; the soak reads neither.
    backend.log.Clear();
    backend.graphics.ClearDraws();
    backend.sound.Pull(750);
    if (!backend.sound.Settle(0)) Fail("the sound worker did not settle");
    ++figures.frames;

    const SceneFunction scene = currentScene;
    if (scene == PlayScene) {
      if (lastScene != PlayScene) {
        ++figures.runs;
        if (gameRecord.entryType == 3) ++figures.demos;
      } else if (gameRecord.stageIndex == 0 && gameRecord.stageInitPending == 1 && gameRecord.stagesCleared == 0 &&
                 gameRecord.frameCounter == 0 && gameRecord.fadeAlpha == 0) {
        ++figures.restarts;  // go to start
        ++figures.runs;
        endOfRun();
      }
      if (gameRecord.stagesCleared > lastStagesCleared) ++figures.stageClears;
      lastStagesCleared = gameRecord.stagesCleared;
      if (gameRecord.pauseCounter == 0 && gameRecord.timeLeft > 0) {
        const GameRecord& g = gameRecord;
        WatchPool("player shot", g.playerShots, kPlayerShotSlots, stuck.shots, [](const PlayerShot& s) { return s.owner != 0; },
                  [](const PlayerShot& s, double* x, double* y) { *x = s.x, *y = s.y; });
        WatchPool("casing", g.casings, kCasingSlots, stuck.casings, [](const Casing& s) { return s.variant != 0; },
                  [](const Casing& s, double* x, double* y) { *x = s.x, *y = s.y; });
        WatchPool("enemy", g.enemies, kEnemySlots, stuck.enemies, [](const EnemySlot& s) { return s.kind != 0; },
                  [](const EnemySlot& s, double* x, double* y) { *x = s.x, *y = s.y; });
        WatchPool("enemy shot", g.enemyShots, kEnemyShotSlots, stuck.enemyShots, [](const EnemyShot& s) { return s.active != 0; },
                  [](const EnemyShot& s, double* x, double* y) { *x = s.x, *y = s.y; });
        WatchPool("spark", g.sparks, kHitSparkSlots, stuck.sparks, [](const HitSpark& s) { return s.picture != 0; },
                  [](const HitSpark& s, double* x, double* y) { *x = s.x, *y = s.y; });
      }
    } else if (lastScene == PlayScene) {
      if (scene == EndingScene) ++figures.endings;
      else if (gameRecord.timeLeft <= 0) ++figures.gameOvers;
      lastStagesCleared = 0;
      endOfRun();
    }
    lastScene = scene;

    const auto now = SteadyClock::now();
    if ((figures.frames & 255) == 0 && now >= nextProgress) {
      nextProgress = now + std::chrono::seconds(60);
      std::printf("soak: %.1f min, runs %ld, frames %ld, rss %ld kB, peak %ld kB, failures %zu\n",
                  std::chrono::duration<double, std::ratio<60>>(now - start).count(), figures.runs, figures.frames,
                  StatusKilobytes("VmRSS:"), StatusKilobytes("VmHWM:"), failures.size());
      std::fflush(stdout);
    }
    if (!exiting && now >= end) exiting = true;
    if (exiting && ++exitFrames > 20000) {
      Fail("could not leave through the title's EXIT");
      backend.window.PostClose();
      exiting = false;
    }
    // Leave the run under way, then EXIT from the title.
    if (exiting && scene == PlayScene && gameRecord.demoIndex < 0 && gameRecord.timeLeft > 0) gameRecord.timeLeft = 0;
    player.Choose(scene, exiting);
    backend.clock.Advance(17);
  });

  const int exitCode = RunProgram("");
  endOfRun();
  if (exitCode != 0) Fail("program exit code " + std::to_string(exitCode));
  if (currentScene != ProgramExitScene) Fail("the program did not end through the program exit scene");
  if (backend.graphics.liveTextures != 0) Fail("textures left after shutdown");
  figures.peakAtEnd = StatusKilobytes("VmHWM:");
  figures.rssAtEnd = StatusKilobytes("VmRSS:");
  CheckMemoryIsFlat(figures.peakAtStart, figures.peakAtEnd);

  std::printf("soak: done in %.1f min: runs %ld (demonstrations %ld, go-to-starts %ld), frames %ld, stage clears %ld, "
              "game overs %ld, endings %ld\n",
              std::chrono::duration<double, std::ratio<60>>(SteadyClock::now() - start).count(), figures.runs,
              figures.demos, figures.restarts, figures.frames, figures.stageClears, figures.gameOvers, figures.endings);
  std::printf("soak: memory peak at start %ld kB, at end %ld kB (resident %ld kB -> %ld kB); failures %zu\n",
              figures.peakAtStart, figures.peakAtEnd, figures.rssAtStart, figures.rssAtEnd, failures.size());
  std::filesystem::current_path("/");
  std::error_code ignored;
  if (failures.empty()) std::filesystem::remove_all(scratch, ignored);
  else std::printf("soak: run log kept in %s\n", scratch.c_str());
  return failures.empty() ? 0 : 1;
}

long ChildKilobytes(pid_t pid, const char* field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
  return -1;
}

int RunSdlSoak(double minutes) {
  char pattern[] = "/tmp/sorvani-sdl-soak-XXXXXX";
  const std::filesystem::path scratch = mkdtemp(pattern);
  const std::filesystem::path game = scratch / "game";
  std::filesystem::create_directories(game);
  std::filesystem::create_directories(scratch / "sorvani");
  CopyDataPack(game);
  std::error_code failed;
  std::filesystem::copy_file(std::filesystem::path(SORVANI_DATA_DIR) / "sorvani", game / "sorvani", failed);
  if (failed) Fail("cannot copy the program: " + failed.message());
  std::ofstream(scratch / "sorvani" / "sorvani.reg", std::ios::binary)
      << "Windows Registry Editor Version 5.00\r\n\r\n"
         "[HKEY_CURRENT_USER\\Software\\Ostrelan\\sorvaniTrial\\CurrentVersion]\r\n"
         "\"noOpeningDialog\"=dword:00000001\r\n\"bWindowed\"=dword:00000001\r\n"
         "\"enable_debug_write\"=dword:00000001\r\n\"demowait\"=dword:00000002\r\n";
  if (!failures.empty()) return 1;
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("XDG_CONFIG_HOME", scratch.c_str(), 1);
    setenv("XDG_RUNTIME_DIR", scratch.c_str(), 1);
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const std::string program = (game / "sorvani").string();
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  const auto start = SteadyClock::now();
  const auto end = start + std::chrono::duration<double, std::ratio<60>>(minutes);
  std::filesystem::current_path(game);
  LogReader log;
  long runs = 0, peakAtStart = -1, peakAtEnd = -1;
  int status = 0;
  bool ended = false;
  auto readLog = [&] {
    for (const std::string& line : log.NewLines()) {
      if (line == "[playgame]") ++runs;
      if (!KnownLine(line)) Fail("unexpected log line: " + line);
    }
  };
  auto nextProgress = start + std::chrono::seconds(30);
  while (SteadyClock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    if (waitpid(pid, &status, WNOHANG) == pid) {
      ended = true;
      Fail("the program ended by itself, status " + std::to_string(status));
      break;
    }
    readLog();
    // As on the fake backend, memory counts from the end of the third run: the first runs
    // still fill the drivers' caches.
    if (peakAtStart < 0 && runs > 3) peakAtStart = ChildKilobytes(pid, "VmHWM:");
    if (SteadyClock::now() >= nextProgress) {
      nextProgress += std::chrono::seconds(60);
      std::printf("soak (sdl): %.1f min, demonstrations %ld, rss %ld kB, peak %ld kB, failures %zu\n",
                  std::chrono::duration<double, std::ratio<60>>(SteadyClock::now() - start).count(), runs,
                  ChildKilobytes(pid, "VmRSS:"), ChildKilobytes(pid, "VmHWM:"), failures.size());
      std::fflush(stdout);
    }
  }
  if (!ended) {
    readLog();
    peakAtEnd = ChildKilobytes(pid, "VmHWM:");
    kill(pid, SIGINT);
    for (int i = 0; i < 200 && waitpid(pid, &status, WNOHANG) != pid; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      kill(pid, SIGKILL);
      Fail("the program did not close with exit code 0 on SIGINT");
    }
  }
  CheckMemoryIsFlat(peakAtStart, peakAtEnd);
  if (runs == 0) Fail("no demonstration ran");
  std::printf("soak (sdl): done in %.1f min: demonstrations %ld; memory peak at start %ld kB, at end %ld kB; "
              "failures %zu\n",
              std::chrono::duration<double, std::ratio<60>>(SteadyClock::now() - start).count(), runs, peakAtStart,
              peakAtEnd, failures.size());
  std::filesystem::current_path("/");
  std::error_code ignored;
  if (failures.empty()) std::filesystem::remove_all(scratch, ignored);
  else std::printf("soak (sdl): run log kept in %s\n", game.c_str());
  return failures.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  double minutes = 1;
  std::uint32_t seed = 1;
  bool sdl = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--minutes" && i + 1 < argc) minutes = std::atof(argv[++i]);
    else if (arg == "--seed" && i + 1 < argc) seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
    else if (arg == "--sdl") sdl = true;
    else {
      std::fprintf(stderr, "usage: sorvani_soak --minutes N [--seed S] [--sdl]\n");
      return 2;
    }
  }
  return sdl ? RunSdlSoak(minutes) : RunFakeSoak(minutes, seed);
}
