// The balance report's page: the runs summed up per mode, the design goals checked against them,
// and the chart of the difficulty curve.
#include "balance_page.h"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace balance {

namespace {

constexpr int kModes[] = {MODE_TRIAL, MODE_EXTRA, MODE_LUNATIC};
constexpr int kWeapons[] = {WEAPON_REN, WEAPON_KAN, WEAPON_SPEED};
constexpr int kDesignedBossStages[] = {15, 20, 25, 30};
constexpr int kBossStages[] = {5, 10, 15, 20, 25, 30};

bool Ordinary(int stage) { return !IsBossStage(stage - 1); }

std::string Format(const char* format, double a, double b = 0, double c = 0, double d = 0) {
  char text[256];
  std::snprintf(text, sizeof text, format, a, b, c, d);
  return text;
}

std::string Kind(int gameMode, int playerCount) {
  return std::string(ModeName(gameMode)) + (playerCount == 1 ? ", 1 player" : ", 2 players");
}

const Run* Find(const std::vector<Run>& runs, int gameMode, int playerCount, int weapon, int stage) {
  for (const Run& run : runs) {
    const RunSpec& s = run.spec;
    if (s.gameMode == gameMode && s.playerCount == playerCount && s.weapon == weapon && s.stageIndex == stage - 1)
      return &run;
  }
  return nullptr;
}

// Mean over the weapons of one stage's runs; -1 when none.
template <typename Value>
double MeanOfStage(const std::vector<Run>& runs, int gameMode, int playerCount, int stage, Value value) {
  double sum = 0;
  int count = 0;
  for (int weapon : kWeapons) {
    if (const Run* run = Find(runs, gameMode, playerCount, weapon, stage)) {
      sum += value(run->measure);
      ++count;
    }
  }
  return count == 0 ? -1 : sum / count;
}

double BossHits(const std::vector<Run>& runs, int gameMode, int playerCount, int stage) {
  return MeanOfStage(runs, gameMode, playerCount, stage, [](const RunMeasure& m) { return m.hits; });
}

double MeanShots(const std::vector<Run>& runs, int stage) {
  return MeanOfStage(runs, MODE_TRIAL, 1, stage, [](const RunMeasure& m) { return m.shotsFired; });
}

std::string Mark(bool met) { return met ? "- [x] met: " : "- [ ] **not met**: "; }

void DrawChart(const std::vector<Run>& runs, const std::filesystem::path& path, bool* written) {
  constexpr int kWidth = 900;
  constexpr int kPanelHeight = 300;
  constexpr int kLeft = 60, kRight = 150, kTop = 40, kBottom = 40;
  const double modeColours[3][3] = {{0.15, 0.45, 0.85}, {0.9, 0.55, 0.1}, {0.8, 0.15, 0.2}};
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, 2 * kPanelHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);

  for (int players = 1; players <= 2; ++players) {
    double peak = 1;
    for (int mode : kModes)
      for (int stage = 1; stage <= kStageCount; ++stage)
        peak = std::max(peak, BossHits(runs, mode, players, stage));
    const double yMax = static_cast<int>(peak) + 1;
    const double x0 = kLeft, x1 = kWidth - kRight;
    const double y0 = (players - 1) * kPanelHeight + kTop, y1 = players * kPanelHeight - kBottom;
    auto px = [&](double stage) { return x0 + (stage - 1) * (x1 - x0) / (kStageCount - 1); };
    auto py = [&](double hits) { return y1 - hits * (y1 - y0) / yMax; };

    // Boss stages shaded, so the ordinary curve reads between them.
    cairo_set_source_rgb(cr, 0.93, 0.93, 0.93);
    for (int stage : kBossStages) cairo_rectangle(cr, px(stage - 0.5), y0, px(stage + 0.5) - px(stage - 0.5), y1 - y0);
    cairo_fill(cr);
    cairo_set_font_size(cr, 11);
    cairo_set_line_width(cr, 1);
    for (int tick = 0; tick <= static_cast<int>(yMax); ++tick) {
      cairo_set_source_rgb(cr, 0.8, 0.8, 0.8);
      cairo_move_to(cr, x0, py(tick));
      cairo_line_to(cr, x1, py(tick));
      cairo_stroke(cr);
      cairo_set_source_rgb(cr, 0, 0, 0);
      cairo_move_to(cr, x0 - 24, py(tick) + 4);
      cairo_show_text(cr, Format("%.0f", tick).c_str());
    }
    for (int stage = 1; stage <= kStageCount; ++stage) {
      if (stage != 1 && stage % 5 != 0) continue;
      cairo_move_to(cr, px(stage) - 6, y1 + 16);
      cairo_show_text(cr, Format("%.0f", stage).c_str());
    }
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
    cairo_stroke(cr);
    cairo_set_font_size(cr, 14);
    cairo_move_to(cr, x0, y0 - 12);
    cairo_show_text(cr, players == 1 ? "One player: mean hits taken per stage (all weapons)"
                                     : "Two players: mean hits taken per stage (both players, all weapons)");
    cairo_set_font_size(cr, 11);
    cairo_move_to(cr, (x0 + x1) / 2 - 60, y1 + 32);
    cairo_show_text(cr, "stage (boss stages shaded)");

    for (int m = 0; m < 3; ++m) {
      cairo_set_source_rgb(cr, modeColours[m][0], modeColours[m][1], modeColours[m][2]);
      cairo_set_line_width(cr, 2);
      for (int stage = 1; stage <= kStageCount; ++stage) {
        const double hits = BossHits(runs, kModes[m], players, stage);
        if (hits < 0) continue;
        if (stage == 1) cairo_move_to(cr, px(stage), py(hits));
        else cairo_line_to(cr, px(stage), py(hits));
      }
      cairo_stroke(cr);
      for (int stage = 1; stage <= kStageCount; ++stage) {
        const double hits = BossHits(runs, kModes[m], players, stage);
        if (hits < 0) continue;
        cairo_arc(cr, px(stage), py(hits), 3, 0, 6.2832);
        cairo_fill(cr);
      }
      // The legend.
      const double ly = y0 + 20 + 22 * m;
      cairo_move_to(cr, x1 + 16, ly);
      cairo_line_to(cr, x1 + 46, ly);
      cairo_stroke(cr);
      cairo_set_source_rgb(cr, 0, 0, 0);
      cairo_move_to(cr, x1 + 54, ly + 4);
      cairo_show_text(cr, ModeName(kModes[m]));
    }
  }
  cairo_destroy(cr);
  *written = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
}

}  // namespace

double MeanHits(const std::vector<Run>& runs, int gameMode, int playerCount, int first, int last) {
  double sum = 0;
  int count = 0;
  for (const Run& run : runs) {
    const RunSpec& s = run.spec;
    const int stage = s.stageIndex + 1;
    if (s.gameMode != gameMode || s.playerCount != playerCount || stage < first || stage > last || !Ordinary(stage))
      continue;
    sum += run.measure.hits;
    ++count;
  }
  return count == 0 ? -1 : sum / count;
}

double KillRatio(const std::vector<Run>& runs, int gameMode, int playerCount, int stage) {
  int fastest = 0;
  int slowest = 0;
  for (int weapon : kWeapons) {
    const Run* run = Find(runs, gameMode, playerCount, weapon, stage);
    if (run == nullptr || run->measure.bossKillFrame < 0) return 0;
    const int kill = run->measure.bossKillFrame;
    if (fastest == 0 || kill < fastest) fastest = kill;
    if (kill > slowest) slowest = kill;
  }
  return static_cast<double>(slowest) / fastest;
}

std::vector<Goal> CheckGoals(const std::vector<Run>& runs) {
  std::vector<Goal> goals;
  for (int mode : kModes) {
    for (int players = 1; players <= 2; ++players) {
      const double a = MeanHits(runs, mode, players, 1, 9);
      const double b = MeanHits(runs, mode, players, 11, 19);
      const double c = MeanHits(runs, mode, players, 21, 29);
      goals.push_back({c > b && b > a, Kind(mode, players) + Format(": mean hits on ordinary stages 21-29 %.2f > 11-19 "
                                                                    "%.2f > 1-9 %.2f",
                                                                    c, b, a)});
    }
  }

  double busiestEarly = -1;
  int busiestStage = 0;
  for (int stage = 1; stage <= 9; ++stage) {
    if (Ordinary(stage) && MeanShots(runs, stage) > busiestEarly) {
      busiestEarly = MeanShots(runs, stage);
      busiestStage = stage;
    }
  }
  std::string quiet;
  double quietest = 1e18;
  for (int stage = 11; stage < kStageCount; ++stage) {
    if (!Ordinary(stage)) continue;
    const double shots = MeanShots(runs, stage);
    quietest = std::min(quietest, shots);
    if (shots <= busiestEarly) quiet += Format(" %.0f (%.1f)", stage, shots);
  }
  goals.push_back({quiet.empty(), Format("trial, 1 player: every ordinary stage from 11 fires more enemy shots (mean "
                                         "over weapons; fewest %.1f) than the busiest of 1-9 (stage %.0f, %.1f)",
                                         quietest, busiestStage, busiestEarly) +
                                      (quiet.empty() ? "" : "; not:" + quiet)});

  for (int stage : kDesignedBossStages) {
    std::string ratios;
    bool met = true;
    for (int mode : kModes) {
      for (int players = 1; players <= 2; ++players) {
        const double ratio = KillRatio(runs, mode, players, stage);
        met = met && ratio > 0 && ratio <= 1.5;
        ratios += (ratios.empty() ? " " : ", ") + Kind(mode, players) +
                  (ratio > 0 ? Format(" %.2f", ratio) : std::string(" not killed by every weapon"));
      }
    }
    goals.push_back({met, Format("boss of stage %.0f: slowest weapon's kill frame / fastest's <= 1.5:", stage) + ratios});
  }

  for (int mode : kModes) {
    for (int players = 1; players <= 2; ++players) {
      const double early = std::max(BossHits(runs, mode, players, 5), BossHits(runs, mode, players, 10));
      double late = 1e18;
      for (int stage : kDesignedBossStages) late = std::min(late, BossHits(runs, mode, players, stage));
      std::string each;
      for (int stage : kBossStages) each += Format(" %.2f", BossHits(runs, mode, players, stage));
      goals.push_back({late > early, Kind(mode, players) +
                                         Format(": fewest mean hits on bosses 3-6 %.2f > most on bosses 1-2 %.2f "
                                                "(bosses 1-6:",
                                                late, early) +
                                         each + ")"});
    }
  }

  // The longest stretches first, ten at most: the rest are in the runs' table.
  std::vector<const Run*> stacked;
  for (const Run& run : runs) {
    if (run.measure.sharedStretch > 10) stacked.push_back(&run);
  }
  std::sort(stacked.begin(), stacked.end(),
            [](const Run* a, const Run* b) { return a->measure.sharedStretch > b->measure.sharedStretch; });
  std::string worst;
  for (std::size_t i = 0; i < stacked.size() && i < 10; ++i) {
    const Run& run = *stacked[i];
    worst += (i == 0 ? " " : ", ") + Kind(run.spec.gameMode, run.spec.playerCount) + " " + WeaponName(run.spec.weapon) +
             Format(" stage %.0f (%.0f)", run.spec.stageIndex + 1, run.measure.sharedStretch);
  }
  goals.push_back({stacked.empty(), Format("no two live enemies share a position for more than 10 frames (longest "
                                           "%.0f; %.0f of the runs over 10)",
                                           stacked.empty() ? 0 : stacked[0]->measure.sharedStretch,
                                           static_cast<double>(stacked.size())) +
                                        (stacked.empty() ? "" : "; the longest:" + worst)});
  return goals;
}

bool WritePage(const std::vector<Run>& runs, const std::filesystem::path& page) {
  std::filesystem::path chart = page;
  chart.replace_extension(".png");
  std::filesystem::path table = page;
  table.replace_extension(".tsv");
  bool drawn = false;
  DrawChart(runs, chart, &drawn);

  std::ofstream tsv(table);
  tsv << TsvHeader() << "\n";
  for (const Run& run : runs) tsv << TsvLine(run.spec, run.measure) << "\n";

  std::ofstream out(page);
  out << "# Balance report\n\n"
         "Written by `tools/balance_report.cpp` from the current stage tables and bosses; remake it with\n"
         "`cmake --build build --target balance_report_doc` (a minute or so). Every run is in\n"
         "[" << table.filename().string() << "](" << table.filename().string() << "), one line each: "
         "mode, players, weapons, stage, frames to the stage clear (or `timeout`), hits taken, enemy shots "
         "fired, most enemy shots on screen at once, the frame the boss's last hit point went (`-` if none), "
         "and the longest stretch of frames in which two live enemies shared a position.\n\n"
         "## How it is measured\n\n"
         "- One bot flies every stage of trial, extra and lunatic, for one and two players (both flying the "
         "same weapon, each with their own bot) with each of REN, KAN and SPEED: "
      << runs.size()
      << " runs.\n"
         "- Each run enters the play scene as the weapon selection does (so the generator starts from the "
         "run start's fixed seed for the mode) and begins at its stage, on the test backend with the "
         "build's data pack. The clock starts at 60 seconds and is topped up every frame, so no run ends on "
         "time; a stage not cleared within "
      << kTimeoutFrames
      << " frames is a time-out. Frames count from the stage's set-up to the start of its clear.\n"
         "- A hit is a miss as the game counts it, both players added. An enemy shot is counted when it "
         "appears. Two enemies (walker to wisp) share a position when their corners are less than a pixel "
         "apart on both axes.\n"
         "- The bot's skill is fixed, the same for every stage, mode, player count and weapon. It sees every "
         "enemy shot with its exact step, and every live enemy and the boss with how far they moved since "
         "the last frame, all within "
      << kBotSight << " px of her centre. Each frame it tries the nine moves, each held for " << kBotHorizon
      << " frames ahead, and takes the one that meets the fewest threats (within their reach plus "
      << kBotMargin
      << " px, sooner ones weighing more). Among equally safe moves it lines up with the nearest enemy "
         "ahead, else the boss, else a capsule, leading a moving target by its shot's flight time, and "
         "drifts back to x = "
      << kBotHomeX
      << " (or 40 px left of any enemy that got behind that). It holds the shot all the time (REN then "
         "fires every 12 frames; KAN and SPEED whenever their shot is gone).\n\n"
         "## Goals\n\n";
  for (const Goal& goal : CheckGoals(runs)) out << Mark(goal.met) << goal.text << "\n";

  out << "\n## Per mode\n\n"
         "Mean hits per run on the ordinary stages of each band and on the six bosses, time-outs, mean "
         "frames to clear (cleared runs), mean enemy shots per ordinary stage, most shots on screen, and "
         "the longest shared-position stretch.\n\n"
         "| mode | players | hits 1-9 | hits 11-19 | hits 21-29 | hits on bosses | time-outs | frames | "
         "shots | peak | shared |\n"
         "|---|---|---|---|---|---|---|---|---|---|---|\n";
  for (int mode : kModes) {
    for (int players = 1; players <= 2; ++players) {
      int timeouts = 0, cleared = 0, ordinary = 0, peak = 0, shared = 0;
      double frames = 0, shots = 0, bossHits = 0;
      for (const Run& run : runs) {
        if (run.spec.gameMode != mode || run.spec.playerCount != players) continue;
        const RunMeasure& m = run.measure;
        timeouts += !m.cleared;
        if (m.cleared) {
          frames += m.frames;
          ++cleared;
        }
        if (Ordinary(run.spec.stageIndex + 1)) {
          shots += m.shotsFired;
          ++ordinary;
        } else {
          bossHits += m.hits;
        }
        peak = std::max(peak, m.peakShots);
        shared = std::max(shared, m.sharedStretch);
      }
      const int bossRuns = static_cast<int>(sizeof kBossStages / sizeof kBossStages[0] * 3);
      out << "| " << ModeName(mode) << " | " << players
          << Format(" | %.2f | %.2f | %.2f", MeanHits(runs, mode, players, 1, 9), MeanHits(runs, mode, players, 11, 19),
                    MeanHits(runs, mode, players, 21, 29))
          << Format(" | %.2f | %.0f | %.0f", bossHits / bossRuns, timeouts, cleared ? frames / cleared : 0)
          << Format(" | %.1f | %.0f | %.0f |", ordinary ? shots / ordinary : 0, peak, shared) << "\n";
    }
  }

  out << "\n## Bosses\n\n"
         "Frame of the kill per weapon (`-`: not killed within the time-out), slowest over fastest, and mean "
         "hits taken over the weapons.\n\n"
         "| stage | mode | players | REN | KAN | SPEED | ratio | hits |\n"
         "|---|---|---|---|---|---|---|---|\n";
  for (int stage : kBossStages) {
    for (int mode : kModes) {
      for (int players = 1; players <= 2; ++players) {
        out << "| " << stage << " | " << ModeName(mode) << " | " << players;
        for (int weapon : kWeapons) {
          const Run* run = Find(runs, mode, players, weapon, stage);
          out << " | " << (run && run->measure.bossKillFrame >= 0 ? std::to_string(run->measure.bossKillFrame) : "-");
        }
        const double ratio = KillRatio(runs, mode, players, stage);
        out << " | " << (ratio > 0 ? Format("%.2f", ratio) : "-") << Format(" | %.2f |", BossHits(runs, mode, players, stage))
            << "\n";
      }
    }
  }

  out << "\n## Difficulty curve\n\n"
         "Mean hits taken per stage, over the three weapons, per mode; one player above, two below.\n\n"
         "![Mean hits per stage and mode](" << chart.filename().string() << ")\n";
  return drawn && static_cast<bool>(out) && static_cast<bool>(tsv);
}

}  // namespace balance
