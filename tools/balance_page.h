// The balance report's page: the runs summed up per mode, the design goals checked against them,
// and the chart of the difficulty curve.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "balance_run.h"

namespace balance {

struct Goal {
  bool met;
  std::string text;  // what was asked, with the numbers that decide it
};

// Mean hits over the weapons' runs of the ordinary stages first..last (1-based, boss stages left
// out); -1 when there are none.
double MeanHits(const std::vector<Run>& runs, int gameMode, int playerCount, int first, int last);
// The boss of this stage: the slowest weapon's kill frame over the fastest one's; 0 when a weapon
// did not kill it (or there is no such run).
double KillRatio(const std::vector<Run>& runs, int gameMode, int playerCount, int stage);

std::vector<Goal> CheckGoals(const std::vector<Run>& runs);

// The page, its chart (the page's name with .png) and the runs as TSV (with .tsv), side by side.
bool WritePage(const std::vector<Run>& runs, const std::filesystem::path& page);

}  // namespace balance
