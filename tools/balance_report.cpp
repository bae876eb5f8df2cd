// The balance report: one bot of fixed skill flies every stage of every mode, for one and two
// players with every weapon, and the runs are printed as TSV and summed up in a page with a chart.
//
// Each run enters the play scene as the weapon selection would (so the generator has the run
// start's fixed seed for its mode), both players on the same weapon, and starts at its stage
// with the clock at 60 seconds, topped up every frame so a run never ends on time; a stage still
// running after 3600 frames is a time-out. A hit is a miss the game counts (all players added).
// The pictures are the build's data pack, so every size and hit test is the real art's.
//
// The bot (balance_run.h): it sees every enemy shot with its exact step, every live enemy and the
// boss with their speed from the last frame, all within 160 px of her; it looks 8 frames ahead
// for each of the nine moves held that long, and takes the one that meets the fewest threats
// (sooner ones weighing more, with a 4 px margin); among equally safe moves it lines up with the
// nearest enemy ahead, else the boss, else a capsule, leading a moving one by her shot's flight
// time, and drifts back to x = 64, or 40 px left of any enemy that got behind that. It holds the
// shot all the time. Nothing about it depends on the stage, mode, players or weapon.
//
//   build/balance_report build/svdata01.dat [docs/balance.md]
// prints "mode players weapons stage frames hits shots peak boss_kill shared" lines to stdout,
// progress to stderr, and with a page name writes the page, its chart (.png) and the runs (.tsv)
// beside it;
//   cmake --build build --target balance_report_doc
// remakes docs/balance.md, docs/balance.png and docs/balance.tsv.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "balance_page.h"
#include "balance_run.h"
#include "gfx/gfx.h"

namespace {

namespace fs = std::filesystem;

constexpr int kModes[] = {MODE_TRIAL, MODE_EXTRA, MODE_LUNATIC};
constexpr int kWeapons[] = {WEAPON_REN, WEAPON_KAN, WEAPON_SPEED};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: balance_report PICTURE_ARCHIVE [PAGE.md]\n");
    return 2;
  }
  const fs::path archive = fs::absolute(argv[1]);
  const fs::path page = argc == 3 ? fs::absolute(argv[2]) : fs::path();
  char pattern[] = "/tmp/sorvani-balance-XXXXXX";
  const char* scratch = mkdtemp(pattern);
  std::error_code failed;
  if (scratch == nullptr || !fs::copy_file(archive, fs::path(scratch) / kPictureArchive, failed)) {
    std::fprintf(stderr, "balance_report: cannot copy %s into a scratch folder\n", archive.c_str());
    return 1;
  }
  fs::current_path(scratch);

  int result = 0;
  {
    fake::FakeBackend backend;
    balance::Arena arena(backend);
    if (!arena.Open()) {
      std::fprintf(stderr, "balance_report: no device\n");
      result = 1;
    } else {
      std::printf("%s\n", balance::TsvHeader().c_str());
      std::vector<balance::Run> runs;
      for (int mode : kModes) {
        for (int players = 1; players <= 2; ++players) {
          for (int weapon : kWeapons) {
            std::fprintf(stderr, "balance_report: %s, %d player%s, %s\n", balance::ModeName(mode), players,
                         players == 1 ? "" : "s", balance::WeaponName(weapon));
            for (int stage = 0; stage < kStageCount; ++stage) {
              const balance::RunSpec spec{mode, players, weapon, stage};
              const balance::RunMeasure measure = arena.Fly(spec);
              std::printf("%s\n", balance::TsvLine(spec, measure).c_str());
              std::fflush(stdout);
              runs.push_back({spec, measure});
            }
          }
        }
      }
      if (!page.empty() && !balance::WritePage(runs, page)) {
        std::fprintf(stderr, "balance_report: cannot write %s\n", page.c_str());
        result = 1;
      }
    }
  }
  fs::current_path("/");
  fs::remove_all(scratch, failed);
  return result;
}
