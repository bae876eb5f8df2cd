// Inside the game folder: how a formation is written down (built entry by entry at compile
// time) and the rules every table is checked against when it is compiled.
#pragma once

#include "game/play.h"

template <int N>
struct Stage {
  StageEntry entries[N] = {};
  int count = 0;
  bool overflow = false;  // a design with more entries than the stage holds

  constexpr Stage& Add(int x, int y, int kind, int state) {
    overflow = overflow || count == N;
    if (count < N) {
      entries[count++] = StageEntry{static_cast<std::int8_t>(x), static_cast<std::int8_t>(y),
                                    static_cast<std::uint8_t>(kind), static_cast<std::uint8_t>(state)};
    }
    return *this;
  }
  // count objects from (x, y), each (dx, dy) further on.
  constexpr Stage& Row(int x, int y, int dx, int dy, int n, int kind, int state) {
    for (int i = 0; i < n; ++i) Add(x + i * dx, y + i * dy, kind, state);
    return *this;
  }
};

using OneStage = Stage<20>;
using WideStage = Stage<40>;

// The tables other than one-player trial, each in its own file.
extern const WideStage kTwoPlayerStages[kStageCount];
extern const WideStage kExtraOnePlayerStages[kStageCount];
extern const WideStage kExtraTwoPlayerStages[kStageCount];

// The rightmost column a fire cart may start in: its wobble takes it 16 px right of its column
// and its wheel must stay on screen.
constexpr int kLastCartColumn = 73;

template <int N>
constexpr bool AllFit(const Stage<N> (&table)[kStageCount]) {
  for (const Stage<N>& stage : table) {
    if (stage.overflow) return false;
    for (int i = 0; i < stage.count; ++i) {
      const StageEntry& e = stage.entries[i];
      if (e.x < 0 || e.x > 79 || e.y < 0 || e.y > 57) return false;
      if (e.kind == KIND_FIRE_CART && e.x > kLastCartColumn) return false;
    }
  }
  for (int i = 4; i < kStageCount; i += 5) {
    if (table[i].count != 0) return false;
  }
  return true;
}
