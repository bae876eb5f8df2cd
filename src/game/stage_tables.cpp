// The stage tables: thirty formations for each kind of run, as data. Entries are (x / 8, y / 8,
// kind, start state); kinds 1 walker, 2 clinger (ceiling above y / 8 = 20, floor below),
// 3 fire cart, 4 wisp, 5 time capsule. Boss stages (5, 10, .., 30) stay empty.
#include "game/play.h"

namespace {

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
  template <int M>
  constexpr Stage& Append(const Stage<M>& other, int dy) {
    for (int i = 0; i < other.count; ++i) {
      const StageEntry& e = other.entries[i];
      Add(e.x, e.y + dy, e.kind, e.state);
    }
    return *this;
  }
};

using OneStage = Stage<20>;
using WideStage = Stage<40>;

// ---- One player, trial ----
// Stages 1..10 are the game's original formations; from 11 on the formations tighten, carts and
// wisps take over from walkers, and two or three capsules keep a clean run's clock alive.
constexpr OneStage kOnePlayer[kStageCount] = {
    // 1
    OneStage{}.Add(60, 10, 1, 1).Add(56, 7, 1, 1).Add(52, 10, 1, 1).Add(48, 7, 1, 1).Add(44, 10, 1, 1)
        .Add(60, 21, 1, 1).Add(56, 24, 1, 1).Add(52, 21, 1, 1).Add(48, 24, 1, 1).Add(44, 21, 1, 1),
    // 2
    OneStage{}.Add(70, 4, 5, 0).Add(56, 7, 2, 0).Add(52, 15, 2, 0).Add(48, 7, 2, 0).Add(44, 15, 2, 0)
        .Add(60, 21, 2, 0).Add(56, 27, 2, 0).Add(52, 21, 2, 0).Add(48, 27, 2, 0).Add(44, 20, 2, 0),
    // 3
    OneStage{}.Add(70, 24, 1, 0).Add(56, 7, 1, 0).Add(48, 7, 1, 0).Add(44, 10, 3, 1).Add(60, 21, 1, 0)
        .Add(52, 21, 1, 0).Add(77, 10, 5, 0),
    // 4
    OneStage{}.Add(70, 33, 5, 0).Add(52, 15, 2, 0).Add(48, 7, 2, 0).Add(44, 15, 4, 0).Add(60, 21, 2, 0)
        .Add(56, 27, 2, 0).Add(52, 21, 4, 0).Add(48, 27, 2, 0),
    // 5: boss
    OneStage{},
    // 6
    OneStage{}.Add(70, 24, 5, 0).Add(56, 7, 1, 0).Add(52, 10, 3, 0).Add(48, 7, 1, 0).Add(44, 10, 3, 1)
        .Add(60, 21, 1, 0).Add(56, 24, 3, 2).Add(52, 21, 1, 0).Add(48, 24, 3, 3).Add(44, 21, 3, 3),
    // 7
    OneStage{}.Add(70, 33, 5, 0).Add(56, 7, 3, 0).Add(52, 15, 2, 0).Add(48, 7, 2, 0).Add(44, 15, 4, 0)
        .Add(60, 21, 2, 0).Add(56, 27, 2, 0).Add(52, 21, 4, 0).Add(48, 27, 2, 0).Add(44, 23, 5, 0),
    // 8
    OneStage{}.Add(40, 12, 1, 0).Add(43, 11, 1, 0).Add(46, 10, 1, 0).Add(49, 9, 1, 0).Add(52, 8, 1, 0)
        .Add(55, 7, 1, 0).Add(58, 6, 1, 0).Add(61, 5, 1, 0).Add(40, 17, 5, 0).Add(43, 18, 1, 0)
        .Add(46, 19, 1, 0).Add(49, 20, 1, 0).Add(52, 21, 1, 0).Add(55, 22, 1, 0).Add(58, 23, 1, 0)
        .Add(61, 24, 1, 0),
    // 9
    OneStage{}.Add(40, 12, 3, 0).Add(42, 12, 3, 0).Add(44, 12, 3, 1).Add(46, 12, 3, 1).Add(48, 12, 3, 2)
        .Add(40, 14, 3, 2).Add(42, 14, 3, 3).Add(44, 14, 3, 3).Add(46, 14, 3, 0).Add(48, 14, 3, 0)
        .Add(40, 16, 3, 1).Add(42, 16, 3, 1).Add(44, 16, 3, 2).Add(46, 16, 3, 2).Add(48, 16, 3, 3)
        .Add(40, 18, 3, 3).Add(77, 15, 5, 0),
    // 10: boss
    OneStage{},
    // 11: two walker chevrons pointing at the player, a capsule in the gap between them
    OneStage{}.Row(44, 8, 4, -1, 5, 1, 0).Row(44, 30, 4, 1, 5, 1, 1).Add(72, 19, 5, 0).Add(64, 19, 4, 0),
    // 12: a ceiling and a floor row of clingers, wisps guarding the middle
    OneStage{}.Row(46, 6, 5, 0, 5, 2, 0).Row(46, 40, 5, 0, 5, 2, 1).Add(56, 20, 4, 0).Add(66, 24, 4, 0)
        .Add(76, 14, 5, 0).Add(76, 30, 5, 0),
    // 13: a box of carts bouncing out of step
    OneStage{}.Row(48, 10, 4, 0, 4, 3, 0).Row(48, 30, 4, 0, 4, 3, 3).Add(46, 20, 3, 1).Add(62, 20, 3, 2)
        .Add(54, 20, 4, 0).Add(76, 20, 5, 0),
    // 14: walkers stacked in three lanes, a clinger on each side, capsules top and bottom
    OneStage{}.Row(48, 8, 6, 0, 4, 1, 0).Row(45, 20, 6, 0, 4, 1, 1).Row(48, 32, 6, 0, 4, 1, 0).Add(60, 4, 2, 1)
        .Add(60, 46, 2, 0).Add(77, 6, 5, 0).Add(77, 40, 5, 0),
    // 15: boss
    OneStage{},
    // 16: a wisp swarm with a walker screen in front
    OneStage{}.Row(44, 10, 0, 6, 5, 1, 1).Row(60, 8, 4, 6, 4, 4, 0).Row(70, 12, 0, 10, 3, 4, 0).Add(76, 22, 5, 0)
        .Add(52, 44, 5, 0),
    // 17: a diagonal of carts from the top right, clingers underneath
    OneStage{}.Row(44, 6, 4, 4, 7, 3, 1).Row(48, 44, 6, 0, 5, 2, 1).Add(76, 10, 5, 0).Add(64, 30, 4, 0)
        .Add(74, 36, 5, 0),
    // 18: two walker diamonds, wisps at their centres
    OneStage{}.Add(50, 6, 1, 0).Add(46, 10, 1, 0).Add(54, 10, 1, 0).Add(50, 14, 1, 0).Add(50, 10, 4, 0)
        .Add(64, 28, 1, 1).Add(60, 32, 1, 1).Add(68, 32, 1, 1).Add(64, 36, 1, 1).Add(64, 32, 4, 0)
        .Add(76, 18, 5, 0).Add(44, 40, 5, 0).Add(56, 22, 3, 2).Add(70, 8, 3, 1),
    // 19: everything at once before the half-way boss
    OneStage{}.Row(44, 6, 6, 0, 4, 2, 0).Row(44, 42, 6, 0, 4, 2, 1).Row(50, 18, 6, 0, 3, 3, 1).Row(54, 26, 8, 0, 3, 4, 0)
        .Add(76, 14, 5, 0).Add(76, 34, 5, 0).Add(68, 22, 1, 0),
    // 20: boss
    OneStage{},
    // 21: the sisters start further in (x = 140): enemies close in from both sides
    OneStage{}.Row(2, 10, 0, 8, 4, 1, 1).Row(60, 8, 0, 8, 4, 1, 0).Add(6, 6, 2, 0).Add(6, 44, 2, 0)
        .Add(70, 26, 3, 0).Add(4, 26, 4, 0).Add(74, 14, 4, 0).Add(76, 40, 5, 0).Add(40, 50, 5, 0),
    // 22: a tight column of carts and a wall of wisps
    OneStage{}.Row(50, 6, 0, 7, 6, 3, 2).Row(64, 10, 0, 9, 4, 4, 0).Row(58, 4, 0, 44, 2, 2, 0).Add(76, 20, 5, 0)
        .Add(76, 34, 5, 0).Add(44, 28, 1, 0),
    // 23: clinger gauntlet, ceiling and floor, with walkers weaving between
    OneStage{}.Row(44, 4, 5, 0, 6, 2, 0).Row(44, 46, 5, 0, 6, 2, 1).Row(50, 18, 8, 6, 4, 1, 0).Add(76, 24, 5, 0)
        .Add(62, 12, 5, 0).Add(70, 30, 4, 0).Add(56, 36, 4, 0),
    // 24: an arrow of wisps behind a double cart line
    OneStage{}.Row(48, 10, 0, 10, 4, 3, 1).Row(54, 14, 0, 10, 3, 3, 3).Add(62, 24, 4, 0).Add(66, 20, 4, 0)
        .Add(66, 28, 4, 0).Add(70, 16, 4, 0).Add(70, 32, 4, 0).Add(76, 8, 5, 0).Add(76, 40, 5, 0)
        .Add(74, 24, 5, 0).Row(44, 4, 8, 0, 3, 2, 0),
    // 25: boss
    OneStage{},
    // 26: walker waves in five lanes, all turning at once
    OneStage{}.Row(46, 6, 7, 0, 3, 1, 0).Row(50, 15, 7, 0, 3, 1, 1).Row(46, 24, 7, 0, 3, 1, 0)
        .Row(50, 33, 7, 0, 3, 1, 1).Row(46, 42, 7, 0, 3, 1, 0).Add(76, 20, 5, 0).Add(76, 38, 5, 0)
        .Add(66, 28, 4, 0).Add(70, 10, 4, 0),
    // 27: carts everywhere, a few wisps hunting
    OneStage{}.Row(44, 6, 6, 6, 6, 3, 1).Row(48, 40, 6, -5, 6, 3, 2).Add(68, 20, 4, 0).Add(72, 30, 4, 0)
        .Add(60, 24, 4, 0).Add(76, 12, 5, 0).Add(76, 44, 5, 0).Add(52, 26, 5, 0).Add(44, 26, 2, 1),
    // 28: a fortress: clingers on both walls, a cart core and wisp sentries
    OneStage{}.Row(46, 4, 6, 0, 5, 2, 0).Row(46, 46, 6, 0, 5, 2, 1).Row(56, 18, 6, 6, 3, 3, 0).Add(50, 26, 4, 0)
        .Add(62, 26, 4, 0).Add(70, 12, 4, 0).Add(70, 38, 4, 0).Add(76, 26, 5, 0).Add(44, 14, 5, 0)
        .Add(44, 36, 5, 0),
    // 29: the last formation: every kind, the densest screen of the run
    OneStage{}.Row(44, 6, 8, 0, 4, 1, 0).Row(44, 44, 8, 0, 4, 2, 1).Row(48, 16, 8, 0, 4, 3, 1).Row(52, 28, 8, 0, 4, 4, 0)
        .Add(76, 22, 5, 0).Add(76, 36, 5, 0).Add(60, 50, 5, 0).Add(60, 2, 2, 0),
    // 30: boss
    OneStage{},
};

// ---- Two players, trial ----
// Each sister gets her own wave: the one-player formation in player 1's half and a copy of it
// moved down into player 2's lane (300 px), with a capsule for each.
constexpr WideStage TwoPlayerStage(const OneStage& single, int extraKind) {
  WideStage stage;
  if (single.count == 0) return stage;
  stage.Append(single, 0);
  OneStage lower;
  for (int i = 0; i < single.count; ++i) {
    const StageEntry& e = single.entries[i];
    int y = e.y + 24;
    if (y > 54) y -= 50;
    lower.Add(e.x, y, e.kind, e.state);
  }
  stage.Append(lower, 0);
  if (stage.count < 40) stage.Add(74, 28, extraKind, 0);
  return stage;
}

constexpr WideStage BuildTwoPlayer(int stage) {
  // From stage 6 the middle of the screen holds a wisp that goes for whichever sister is near.
  return TwoPlayerStage(kOnePlayer[stage], stage < 5 ? 5 : 4);
}

constexpr WideStage kTwoPlayer[kStageCount] = {
    BuildTwoPlayer(0),  BuildTwoPlayer(1),  BuildTwoPlayer(2),  BuildTwoPlayer(3),  BuildTwoPlayer(4),
    BuildTwoPlayer(5),  BuildTwoPlayer(6),  BuildTwoPlayer(7),  BuildTwoPlayer(8),  BuildTwoPlayer(9),
    BuildTwoPlayer(10), BuildTwoPlayer(11), BuildTwoPlayer(12), BuildTwoPlayer(13), BuildTwoPlayer(14),
    BuildTwoPlayer(15), BuildTwoPlayer(16), BuildTwoPlayer(17), BuildTwoPlayer(18), BuildTwoPlayer(19),
    BuildTwoPlayer(20), BuildTwoPlayer(21), BuildTwoPlayer(22), BuildTwoPlayer(23), BuildTwoPlayer(24),
    BuildTwoPlayer(25), BuildTwoPlayer(26), BuildTwoPlayer(27), BuildTwoPlayer(28), BuildTwoPlayer(29),
};

// ---- Extra and lunatic ----
// The one-player formation with its walkers promoted to carts every other entry, plus a second
// wave of wisps and clingers; enemies take more hits here, so capsules come in threes.
constexpr WideStage BuildExtra(int stageIndex) {
  WideStage stage;
  const OneStage& base = kOnePlayer[stageIndex];
  if (base.count == 0) return stage;
  for (int i = 0; i < base.count; ++i) {
    const StageEntry& e = base.entries[i];
    const int kind = e.kind == 1 && i % 2 == 1 ? 3 : e.kind;
    stage.Add(e.x, e.y, kind, e.state);
  }
  const int wisps = 2 + stageIndex / 6;
  for (int i = 0; i < wisps; ++i) stage.Add(66 + (i % 3) * 4, 10 + i * 7 % 36, 4, 0);
  stage.Row(46, 4, 8, 0, 2 + stageIndex / 10, 2, 0);
  stage.Row(50, 48, 8, 0, 2 + stageIndex / 10, 2, 1);
  stage.Add(77, 18, 5, 0).Add(77, 34, 5, 0).Add(62, 52, 5, 0);
  return stage;
}

constexpr WideStage kExtra[kStageCount] = {
    BuildExtra(0),  BuildExtra(1),  BuildExtra(2),  BuildExtra(3),  BuildExtra(4),  BuildExtra(5),
    BuildExtra(6),  BuildExtra(7),  BuildExtra(8),  BuildExtra(9),  BuildExtra(10), BuildExtra(11),
    BuildExtra(12), BuildExtra(13), BuildExtra(14), BuildExtra(15), BuildExtra(16), BuildExtra(17),
    BuildExtra(18), BuildExtra(19), BuildExtra(20), BuildExtra(21), BuildExtra(22), BuildExtra(23),
    BuildExtra(24), BuildExtra(25), BuildExtra(26), BuildExtra(27), BuildExtra(28), BuildExtra(29),
};

template <int N>
constexpr bool AllFit(const Stage<N> (&table)[kStageCount]) {
  for (const Stage<N>& stage : table) {
    if (stage.overflow) return false;
    for (int i = 0; i < stage.count; ++i) {
      const StageEntry& e = stage.entries[i];
      if (e.x < 0 || e.x > 79 || e.y < 0 || e.y > 57) return false;
    }
  }
  for (int i = 4; i < kStageCount; i += 5) {
    if (table[i].count != 0) return false;
  }
  return true;
}
static_assert(AllFit(kOnePlayer), "a one-player stage holds at most 20 entries, all on screen, bosses none");
static_assert(AllFit(kTwoPlayer), "a two-player stage holds at most 40 entries, all on screen, bosses none");
static_assert(AllFit(kExtra), "an extra stage holds at most 40 entries, all on screen, bosses none");

}  // namespace

const StageEntry* StageList(int gameMode, int playerCount, int stageIndex, int* entryLimit) {
  if (stageIndex < 0 || stageIndex >= kStageCount) stageIndex = 0;
  if (gameMode != MODE_TRIAL) {
    *entryLimit = 40;
    return kExtra[stageIndex].entries;
  }
  if (playerCount == 2) {
    *entryLimit = 40;
    return kTwoPlayer[stageIndex].entries;
  }
  *entryLimit = 20;
  return kOnePlayer[stageIndex].entries;
}

int StageHitPoints(int gameMode, int playerCount) {
  const bool two = playerCount == 2;
  if (gameMode == MODE_EXTRA) return two ? 2 : 1;
  if (gameMode == MODE_LUNATIC) return two ? 3 : 2;
  return 1;
}
