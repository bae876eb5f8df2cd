// The stage tables: thirty formations for each kind of run, as data, and the one-player trial
// table itself. Entries are (x / 8, y / 8, kind, start state); kinds 1 walker, 2 clinger
// (ceiling above y / 8 = 20, floor below), 3 fire cart, 4 wisp, 5 time capsule. Boss stages
// (5, 10, .., 30) stay empty.
#include "game/stage_design.h"

namespace {

// ---- One player, trial ----
// Stages 1..10 are the game's original formations. Carts and wisps hold their fire here, so
// from 11 on the pressure is walkers walking through the sisters' lanes (and shooting back from
// the left edge) and clingers on both walls; they get denser and tighter towards stage 29.
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
    // 11: walkers come down two lanes while the ceiling drips and the floor waits
    OneStage{}.Row(40, 10, 6, 0, 4, 1, 0).Row(43, 30, 6, 0, 4, 1, 0).Row(34, 4, 6, 0, 6, 2, 0)
        .Row(38, 51, 8, 0, 4, 2, 1).Add(72, 20, 5, 0),
    // 12: a wide walker chevron pointing at the sisters, the ceiling dripping behind it
    OneStage{}.Add(40, 14, 1, 0).Row(44, 10, 4, -4, 3, 1, 0).Row(44, 18, 4, 4, 3, 1, 0).Row(36, 4, 6, 0, 6, 2, 0)
        .Row(42, 51, 8, 0, 4, 2, 1).Add(72, 36, 5, 0),
    // 13: three walker lanes in step; floor clingers spring as the sisters pass
    OneStage{}.Row(40, 8, 7, 0, 3, 1, 0).Row(44, 22, 7, 0, 3, 1, 0).Row(40, 36, 7, 0, 3, 1, 0)
        .Row(38, 4, 12, 0, 3, 2, 0).Row(40, 51, 9, 0, 4, 2, 1).Add(72, 28, 5, 0),
    // 14: the middle lane walks away first and comes back fast; two carts keep the lanes apart
    OneStage{}.Row(44, 10, 8, 0, 3, 1, 0).Row(40, 26, 8, 0, 3, 1, 1).Row(44, 42, 8, 0, 3, 1, 0)
        .Add(60, 18, 3, 0).Add(64, 34, 3, 3).Row(40, 4, 11, 0, 3, 2, 0).Row(46, 51, 11, 0, 2, 2, 1)
        .Add(74, 26, 5, 0),
    // 15: boss
    OneStage{},
    // 16: two staggered walker columns: every lane gets its turn, shoot a way through
    OneStage{}.Row(48, 6, 0, 10, 5, 1, 0).Row(62, 11, 0, 10, 4, 1, 0).Row(40, 4, 12, 0, 3, 2, 0)
        .Row(44, 51, 12, 0, 3, 2, 1).Add(74, 30, 5, 0),
    // 17: carts herd the sisters into the walkers' lanes
    OneStage{}.Add(50, 8, 3, 1).Add(58, 20, 3, 2).Add(66, 32, 3, 3).Row(44, 14, 6, 0, 3, 1, 0)
        .Row(47, 38, 6, 0, 3, 1, 0).Row(36, 4, 9, 0, 4, 2, 0).Row(40, 51, 9, 0, 4, 2, 1).Add(72, 26, 5, 0),
    // 18: two walker diamonds pass one after the other, a wisp behind them
    OneStage{}.Add(44, 10, 1, 0).Add(48, 6, 1, 0).Add(48, 14, 1, 0).Add(52, 10, 1, 0).Add(60, 30, 1, 0)
        .Add(64, 26, 1, 0).Add(64, 34, 1, 0).Add(68, 30, 1, 0).Add(70, 20, 4, 0).Row(38, 4, 7, 0, 5, 2, 0)
        .Row(38, 51, 10, 0, 4, 2, 1).Add(74, 44, 5, 0),
    // 19: before the half-way boss: four lanes, carts across them, both walls firing
    OneStage{}.Row(42, 6, 8, 0, 3, 1, 0).Row(46, 20, 8, 0, 3, 1, 0).Row(42, 34, 8, 0, 3, 1, 0)
        .Row(46, 48, 8, 0, 2, 1, 0).Add(56, 14, 3, 1).Add(64, 40, 3, 2).Row(40, 4, 14, 0, 3, 2, 0)
        .Add(44, 51, 2, 1).Add(60, 51, 2, 1).Add(74, 27, 5, 0).Add(72, 12, 4, 0),
    // 20: boss
    OneStage{},
    // 21: the sisters start further in (x = 140): walkers close in from behind and in front
    OneStage{}.Row(2, 8, 0, 12, 4, 1, 1).Row(48, 14, 0, 12, 3, 1, 0).Row(60, 8, 0, 12, 4, 1, 0)
        .Row(30, 4, 14, 0, 3, 2, 0).Row(36, 51, 14, 0, 3, 2, 1).Add(74, 26, 5, 0).Add(74, 42, 5, 0),
    // 22: two walker chevrons, one behind the other, both at the sisters' lane
    OneStage{}.Add(40, 13, 1, 0).Row(43, 10, 3, -3, 3, 1, 0).Row(43, 16, 3, 3, 3, 1, 0).Add(56, 13, 1, 0)
        .Row(59, 10, 3, -3, 3, 1, 0).Row(59, 16, 3, 3, 3, 1, 0).Row(36, 4, 8, 0, 4, 2, 0).Add(50, 52, 2, 1)
        .Add(74, 30, 5, 0),
    // 23: clinger gauntlet: ceiling and floor fire in turn while walkers weave between, two
    // coming from behind
    OneStage{}.Row(36, 4, 7, 0, 5, 2, 0).Row(39, 51, 7, 0, 5, 2, 1).Row(44, 14, 8, 0, 3, 1, 0)
        .Row(48, 30, 8, 0, 3, 1, 0).Add(74, 22, 5, 0).Add(0, 22, 1, 1).Add(0, 40, 1, 1),
    // 24: a chevron ahead, walkers coming up from behind, two carts bouncing through
    OneStage{}.Add(50, 6, 3, 1).Add(66, 38, 3, 3).Add(0, 24, 1, 1).Add(0, 38, 1, 1).Add(0, 50, 1, 1)
        .Add(42, 13, 1, 0).Row(45, 10, 3, -3, 3, 1, 0).Row(45, 16, 3, 3, 3, 1, 0).Row(44, 40, 8, 0, 2, 1, 0)
        .Row(40, 4, 14, 0, 3, 2, 0).Row(46, 51, 14, 0, 2, 2, 1).Add(74, 48, 5, 0),
    // 25: boss
    OneStage{},
    // 26: three walker columns in five lanes, reaching the edge in turn; one walks up behind
    OneStage{}.Row(40, 6, 0, 10, 5, 1, 0).Row(52, 11, 0, 10, 4, 1, 0).Row(64, 6, 0, 10, 5, 1, 0)
        .Add(46, 4, 2, 0).Add(58, 4, 2, 0).Add(44, 52, 2, 1).Add(58, 52, 2, 1).Add(74, 20, 5, 0)
        .Add(0, 30, 1, 1),
    // 27: walker walls ahead, three more walking up from behind
    OneStage{}.Row(44, 4, 0, 8, 6, 1, 0).Row(58, 8, 0, 8, 6, 1, 0).Add(0, 16, 1, 1).Add(0, 32, 1, 1)
        .Add(36, 4, 2, 0).Add(52, 4, 2, 0).Add(40, 52, 2, 1).Add(54, 52, 2, 1).Add(74, 12, 5, 0)
        .Add(0, 48, 1, 1),
    // 28: a fortress: clingers on both walls, walker columns inside, two walkers behind
    OneStage{}.Row(34, 4, 8, 0, 5, 2, 0).Row(38, 51, 8, 0, 4, 2, 1).Row(46, 10, 0, 10, 4, 1, 0)
        .Row(60, 15, 0, 10, 3, 1, 0).Add(0, 20, 1, 1).Add(0, 36, 1, 1).Add(74, 8, 5, 0),
    // 29: the last formation: a chevron at the sisters' lane, a wall behind it, walkers coming
    // up from behind, both walls
    OneStage{}.Add(40, 13, 1, 0).Row(43, 10, 3, -3, 3, 1, 0).Row(43, 16, 3, 3, 3, 1, 0).Row(60, 4, 0, 9, 6, 1, 0)
        .Add(0, 20, 1, 1).Add(0, 32, 1, 1).Add(0, 46, 1, 1).Add(36, 4, 2, 0).Add(54, 4, 2, 0)
        .Add(44, 52, 2, 1).Add(75, 48, 5, 0),
    // 30: boss
    OneStage{},
};

static_assert(AllFit(kOnePlayer), "a one-player stage holds at most 20 entries, all on screen, bosses none");

}  // namespace

const StageEntry* StageList(int gameMode, int playerCount, int stageIndex, int* entryLimit) {
  if (stageIndex < 0 || stageIndex >= kStageCount) stageIndex = 0;
  if (gameMode != MODE_TRIAL) {
    *entryLimit = 40;
    return (playerCount == 2 ? kExtraTwoPlayerStages : kExtraOnePlayerStages)[stageIndex].entries;
  }
  if (playerCount == 2) {
    *entryLimit = 40;
    return kTwoPlayerStages[stageIndex].entries;
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
