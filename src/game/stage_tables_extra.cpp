// The extra and lunatic tables, one for one player and one for two. Walkers fire at both edges
// here and carts and wisps fire at will, and every enemy may take more than one hit, so the
// early stages are small and the run grows from there. Two-player stages keep to the bands of
// the two-player trial table: ceiling and upper lane for player 1, floor and lower lane for
// player 2, wisps first in the list so that each sister has her own.
#include "game/stage_design.h"

constexpr WideStage kExtraOnePlayerStages[kStageCount] = {
    // 1: two short walker lines
    WideStage{}.Row(48, 10, 6, 0, 3, 1, 1).Row(51, 30, 6, 0, 3, 1, 1).Add(72, 20, 5, 0),
    // 2: three clingers on each wall, one walker between
    WideStage{}.Row(44, 4, 8, 0, 3, 2, 0).Row(48, 51, 8, 0, 3, 2, 1).Add(56, 20, 1, 0).Add(72, 30, 5, 0),
    // 3: a walker line and a cart under it
    WideStage{}.Row(46, 12, 8, 0, 3, 1, 0).Add(50, 30, 3, 1).Add(72, 10, 5, 0).Add(72, 40, 5, 0),
    // 4: the first wisp, guarded by clingers
    WideStage{}.Add(64, 20, 4, 0).Row(46, 5, 10, 0, 2, 2, 0).Row(50, 51, 10, 0, 2, 2, 1).Add(54, 32, 1, 0)
        .Add(74, 28, 5, 0),
    // 5: boss
    WideStage{},
    // 6: walkers and a cart
    WideStage{}.Row(44, 8, 7, 0, 3, 1, 0).Row(47, 34, 7, 0, 2, 1, 0).Add(58, 20, 3, 1).Add(72, 27, 5, 0),
    // 7: both walls, two walkers and a wisp
    WideStage{}.Row(42, 4, 10, 0, 3, 2, 0).Row(46, 51, 10, 0, 2, 2, 1).Add(50, 20, 1, 0).Add(54, 36, 1, 0)
        .Add(66, 12, 4, 0).Add(74, 28, 5, 0),
    // 8: a walker wedge opening to the right
    WideStage{}.Row(40, 14, 3, -1, 4, 1, 0).Row(40, 30, 3, 1, 4, 1, 0).Add(74, 22, 5, 0),
    // 9: two carts, two walkers and a clinger
    WideStage{}.Add(44, 8, 3, 1).Add(52, 34, 3, 2).Add(56, 18, 1, 0).Add(60, 44, 1, 0).Add(40, 4, 2, 0)
        .Add(72, 26, 5, 0),
    // 10: boss
    WideStage{},
    // 11: two walker lanes, both walls, a wisp
    WideStage{}.Row(40, 10, 6, 0, 3, 1, 0).Row(43, 30, 6, 0, 3, 1, 0).Row(34, 4, 12, 0, 3, 2, 0)
        .Row(38, 51, 12, 0, 2, 2, 1).Add(70, 20, 4, 0).Add(72, 40, 5, 0).Add(74, 6, 5, 0),
    // 12: a walker chevron behind a cart
    WideStage{}.Add(40, 14, 1, 0).Row(44, 10, 4, -3, 3, 1, 0).Row(44, 18, 4, 3, 3, 1, 0).Add(60, 30, 3, 1)
        .Row(36, 4, 12, 0, 2, 2, 1).Row(42, 51, 12, 0, 2, 2, 1).Add(72, 36, 5, 0).Add(74, 8, 5, 0),
    // 13: three carts through a walker screen
    WideStage{}.Add(50, 8, 3, 1).Add(60, 18, 3, 2).Add(54, 36, 3, 0).Row(40, 14, 7, 0, 3, 1, 0)
        .Row(44, 42, 7, 0, 2, 1, 0).Add(38, 4, 2, 0).Add(52, 4, 2, 0).Add(70, 28, 4, 0).Add(74, 46, 5, 0),
    // 14: three walker lanes, the middle one walking away first; two carts
    WideStage{}.Row(44, 6, 8, 0, 3, 1, 0).Row(40, 20, 8, 0, 2, 1, 1).Row(44, 36, 8, 0, 3, 1, 0)
        .Add(62, 14, 3, 0).Add(66, 44, 3, 3).Row(36, 4, 14, 0, 2, 2, 0).Add(44, 52, 2, 1).Add(74, 28, 5, 0)
        .Add(74, 50, 5, 0),
    // 15: boss
    WideStage{},
    // 16: two staggered walker columns, a wisp and a cart behind
    WideStage{}.Add(72, 10, 4, 0).Add(70, 46, 3, 1).Row(48, 4, 0, 10, 5, 1, 0).Row(60, 9, 0, 10, 4, 1, 0)
        .Add(38, 4, 2, 0).Add(52, 4, 2, 0).Add(42, 52, 2, 1).Add(74, 28, 5, 0),
    // 17: four carts herding into walker lanes
    WideStage{}.Add(50, 8, 3, 1).Add(58, 20, 3, 2).Add(50, 36, 3, 3).Add(58, 48, 3, 0).Row(44, 14, 6, 0, 3, 1, 0)
        .Row(47, 42, 6, 0, 2, 1, 0).Row(36, 4, 12, 0, 2, 2, 0).Add(40, 51, 2, 1).Add(72, 28, 5, 0),
    // 18: two walker diamonds and a wisp
    WideStage{}.Add(44, 10, 1, 0).Add(48, 6, 1, 0).Add(48, 14, 1, 0).Add(52, 10, 1, 0).Add(58, 36, 1, 0)
        .Add(62, 32, 1, 0).Add(62, 40, 1, 0).Add(66, 36, 1, 0).Add(70, 20, 4, 0).Row(38, 4, 12, 0, 2, 2, 1)
        .Row(38, 51, 12, 0, 2, 2, 0).Add(74, 46, 5, 0).Add(74, 26, 5, 0),
    // 19: before the half-way boss: four lanes, carts, a wisp, both walls
    WideStage{}.Row(42, 6, 8, 0, 3, 1, 0).Row(46, 20, 8, 0, 2, 1, 0).Row(42, 34, 8, 0, 3, 1, 0)
        .Row(46, 48, 8, 0, 2, 1, 0).Add(56, 14, 3, 1).Add(60, 42, 3, 2).Add(72, 28, 4, 0)
        .Row(40, 4, 14, 0, 2, 2, 0).Add(44, 52, 2, 1).Add(74, 12, 5, 0).Add(74, 44, 5, 0),
    // 20: boss
    WideStage{},
    // 21: the sister starts further in (x = 140): walkers from behind and in front
    WideStage{}.Row(2, 8, 0, 12, 4, 1, 1).Row(48, 14, 0, 12, 3, 1, 0).Row(60, 8, 0, 12, 4, 1, 0)
        .Row(30, 4, 14, 0, 3, 2, 0).Row(36, 51, 14, 0, 3, 2, 1).Add(66, 26, 3, 1).Add(72, 40, 4, 0)
        .Add(74, 20, 5, 0).Add(74, 50, 5, 0),
    // 22: two walker walls, carts and a wisp behind them
    WideStage{}.Row(44, 4, 0, 8, 6, 1, 0).Row(60, 8, 0, 8, 6, 1, 0).Row(38, 4, 12, 0, 3, 2, 0)
        .Row(42, 52, 12, 0, 3, 2, 1).Add(52, 26, 3, 1).Add(68, 14, 3, 2).Add(72, 40, 4, 0).Add(74, 28, 5, 0)
        .Add(76, 4, 5, 0),
    // 23: the clinger gauntlet with walkers, two carts and a wisp
    WideStage{}.Row(36, 4, 7, 0, 5, 2, 0).Row(39, 51, 7, 0, 5, 2, 1).Row(44, 14, 8, 0, 3, 1, 0)
        .Row(48, 30, 8, 0, 3, 1, 0).Add(60, 22, 3, 2).Add(70, 46, 4, 0).Add(70, 10, 3, 1).Add(74, 22, 5, 0)
        .Add(74, 40, 5, 0),
    // 24: five carts through three walker lanes
    WideStage{}.Add(50, 6, 3, 1).Add(58, 22, 3, 2).Add(66, 38, 3, 3).Add(70, 14, 3, 0).Add(54, 46, 3, 1)
        .Row(42, 12, 7, 0, 3, 1, 0).Row(45, 26, 7, 0, 3, 1, 0).Row(42, 40, 7, 0, 3, 1, 0)
        .Row(40, 4, 14, 0, 3, 2, 0).Row(46, 51, 14, 0, 2, 2, 1).Add(73, 30, 4, 0).Add(74, 48, 5, 0)
        .Add(76, 2, 5, 0),
    // 25: boss
    WideStage{},
    // 26: three walker columns, two carts and a wisp
    WideStage{}.Row(40, 6, 0, 10, 5, 1, 0).Row(52, 11, 0, 10, 4, 1, 0).Row(64, 6, 0, 10, 5, 1, 0)
        .Add(46, 4, 2, 0).Add(58, 4, 2, 0).Add(44, 52, 2, 1).Add(58, 52, 2, 1).Add(72, 40, 4, 0)
        .Add(72, 20, 3, 2).Add(70, 30, 3, 1).Add(76, 26, 5, 0).Add(76, 48, 5, 0),
    // 27: walker walls with four carts loose among them, a wisp behind
    WideStage{}.Row(44, 4, 0, 8, 6, 1, 0).Row(58, 8, 0, 8, 6, 1, 0).Add(66, 18, 3, 1).Add(70, 34, 3, 2)
        .Add(52, 30, 3, 3).Add(36, 4, 2, 0).Add(52, 4, 2, 0).Add(64, 4, 2, 0).Add(40, 52, 2, 1)
        .Add(54, 52, 2, 1).Add(72, 46, 4, 0).Add(72, 6, 3, 3).Add(76, 12, 5, 0).Add(76, 28, 5, 0),
    // 28: the fortress: both walls, walker columns, three carts and a wisp inside
    WideStage{}.Row(34, 4, 8, 0, 5, 2, 0).Row(38, 51, 8, 0, 4, 2, 1).Row(46, 10, 0, 10, 4, 1, 0)
        .Row(60, 15, 0, 10, 3, 1, 0).Add(68, 26, 3, 1).Add(54, 20, 3, 2).Add(72, 40, 4, 0).Add(72, 12, 3, 0)
        .Add(75, 6, 5, 0).Add(76, 30, 5, 0),
    // 29: the last formation: every lane, both walls, four carts, a wisp
    WideStage{}.Row(42, 5, 0, 9, 6, 1, 0).Row(56, 9, 0, 9, 5, 1, 0).Add(36, 4, 2, 0).Add(50, 4, 2, 0)
        .Add(64, 4, 2, 0).Add(40, 52, 2, 1).Add(56, 52, 2, 1).Add(68, 52, 2, 1).Add(68, 20, 3, 1)
        .Add(70, 38, 3, 2).Add(62, 30, 3, 0).Add(73, 28, 4, 0).Add(72, 12, 3, 3).Add(75, 48, 5, 0)
        .Add(76, 4, 5, 0),
    // 30: boss
    WideStage{},
};

constexpr WideStage kExtraTwoPlayerStages[kStageCount] = {
    // 1: a short walker line in each lane
    WideStage{}.Row(46, 10, 7, 0, 3, 1, 1).Row(49, 40, 7, 0, 3, 1, 1).Add(72, 26, 5, 0).Add(72, 4, 5, 0),
    // 2: a wall each, a walker each
    WideStage{}.Row(44, 4, 9, 0, 3, 2, 0).Row(48, 51, 9, 0, 3, 2, 1).Add(56, 18, 1, 0).Add(58, 40, 1, 0)
        .Add(74, 28, 5, 0),
    // 3: a wisp each, two walkers each and a cart in the middle
    WideStage{}.Add(70, 12, 4, 0).Add(70, 44, 4, 0).Row(46, 18, 8, 0, 2, 1, 0).Row(50, 36, 8, 0, 2, 1, 0)
        .Add(44, 26, 3, 1).Add(74, 28, 5, 0),
    // 4: a wisp each behind two clingers each, a cart between
    WideStage{}.Add(64, 14, 4, 0).Add(64, 42, 4, 0).Row(46, 5, 10, 0, 2, 2, 0).Row(50, 51, 10, 0, 2, 2, 1)
        .Add(56, 28, 3, 2).Add(74, 28, 5, 0),
    // 5: boss
    WideStage{},
    // 6: three walkers and a cart each
    WideStage{}.Row(44, 8, 8, 0, 3, 1, 0).Row(47, 42, 8, 0, 3, 1, 0).Add(58, 20, 3, 1).Add(62, 34, 3, 2)
        .Add(72, 27, 5, 0),
    // 7: a wisp, a wall and a walker each
    WideStage{}.Add(66, 12, 4, 0).Add(66, 44, 4, 0).Row(42, 4, 10, 0, 2, 2, 0).Row(46, 51, 10, 0, 2, 2, 1)
        .Add(50, 20, 1, 0).Add(54, 36, 1, 0).Add(74, 28, 5, 0),
    // 8: a walker diagonal each, opening away from the middle
    WideStage{}.Row(40, 14, 3, -1, 5, 1, 0).Row(40, 36, 3, 1, 5, 1, 0).Add(74, 26, 5, 0).Add(74, 4, 5, 0),
    // 9: two carts and a walker each
    WideStage{}.Add(44, 8, 3, 1).Add(52, 18, 3, 0).Add(48, 40, 3, 2).Add(56, 48, 3, 3).Add(60, 14, 1, 0)
        .Add(62, 44, 1, 0).Add(72, 28, 5, 0),
    // 10: boss
    WideStage{},
    // 11: walker lanes, walls, a cart crossing, a wisp each
    WideStage{}.Add(70, 12, 4, 0).Add(70, 44, 4, 0).Row(40, 8, 7, 0, 3, 1, 0).Row(43, 40, 7, 0, 3, 1, 0)
        .Row(36, 4, 12, 0, 2, 2, 0).Row(40, 51, 12, 0, 2, 2, 1).Add(60, 24, 3, 1).Add(74, 28, 5, 0)
        .Add(76, 4, 5, 0),
    // 12: a walker chevron each with a cart behind, clingers walking back
    WideStage{}.Add(40, 14, 1, 0).Row(44, 10, 4, -3, 2, 1, 0).Row(44, 18, 4, 3, 2, 1, 0).Add(42, 42, 1, 0)
        .Row(46, 38, 4, -3, 2, 1, 0).Row(46, 46, 4, 3, 2, 1, 0).Add(60, 22, 3, 1).Add(62, 34, 3, 2)
        .Add(36, 4, 2, 1).Add(50, 4, 2, 1).Add(38, 52, 2, 1).Add(52, 52, 2, 1).Add(74, 28, 5, 0),
    // 13: two carts a lane through a walker screen
    WideStage{}.Add(70, 14, 4, 0).Add(70, 42, 4, 0).Add(50, 8, 3, 1).Add(60, 18, 3, 2).Add(54, 36, 3, 0)
        .Add(64, 46, 3, 3).Row(40, 14, 8, 0, 2, 1, 0).Row(44, 42, 8, 0, 2, 1, 0).Add(38, 4, 2, 0)
        .Add(42, 51, 2, 1).Add(74, 28, 5, 0),
    // 14: two walker lanes each, the inner ones walking away first; a cart each
    WideStage{}.Row(44, 6, 8, 0, 3, 1, 0).Row(40, 20, 8, 0, 2, 1, 1).Row(44, 36, 8, 0, 2, 1, 1)
        .Row(40, 50, 8, 0, 3, 1, 0).Add(62, 14, 3, 0).Add(66, 44, 3, 3).Add(36, 4, 2, 0).Add(56, 4, 2, 0)
        .Add(44, 52, 2, 1).Add(60, 52, 2, 1).Add(74, 28, 5, 0).Add(76, 4, 5, 0),
    // 15: boss
    WideStage{},
    // 16: staggered walker columns, a wisp each
    WideStage{}.Add(72, 10, 4, 0).Add(72, 46, 4, 0).Row(48, 4, 0, 9, 3, 1, 0).Row(60, 8, 0, 9, 3, 1, 0)
        .Row(48, 32, 0, 9, 3, 1, 0).Row(60, 36, 0, 9, 2, 1, 0).Add(38, 4, 2, 0).Add(42, 52, 2, 1)
        .Add(74, 28, 5, 0),
    // 17: two carts each herding into walker lanes
    WideStage{}.Add(50, 8, 3, 1).Add(58, 20, 3, 2).Add(50, 36, 3, 3).Add(58, 48, 3, 0).Row(44, 14, 6, 0, 3, 1, 0)
        .Row(47, 42, 6, 0, 3, 1, 0).Add(36, 4, 2, 0).Add(54, 4, 2, 0).Add(40, 51, 2, 1).Add(58, 51, 2, 1)
        .Add(72, 28, 5, 0),
    // 18: a walker diamond each, wisps and a cart behind
    WideStage{}.Add(70, 18, 4, 0).Add(70, 40, 4, 0).Add(44, 10, 1, 0).Add(48, 6, 1, 0).Add(48, 14, 1, 0)
        .Add(52, 10, 1, 0).Add(58, 40, 1, 0).Add(62, 36, 1, 0).Add(62, 44, 1, 0).Add(66, 40, 1, 0)
        .Row(38, 4, 12, 0, 2, 2, 1).Row(38, 51, 12, 0, 2, 2, 0).Add(56, 24, 3, 1).Add(74, 28, 5, 0),
    // 19: before the half-way boss: two lanes each, carts, wisps, both walls
    WideStage{}.Add(72, 12, 4, 0).Add(72, 44, 4, 0).Row(42, 6, 8, 0, 3, 1, 0).Row(46, 20, 8, 0, 2, 1, 0)
        .Row(42, 36, 8, 0, 3, 1, 0).Row(46, 50, 8, 0, 2, 1, 0).Add(56, 14, 3, 1).Add(60, 44, 3, 2)
        .Row(40, 4, 14, 0, 2, 2, 0).Row(44, 52, 14, 0, 2, 2, 1).Add(74, 28, 5, 0),
    // 20: boss
    WideStage{},
    // 21: the sisters start further in (x = 140): walkers from behind and two columns in front;
    // one wisp only, as two would meet wherever the sisters fly together
    WideStage{}.Add(70, 12, 4, 0).Add(70, 44, 3, 2).Row(2, 6, 0, 11, 5, 1, 1).Row(48, 12, 0, 12, 4, 1, 0)
        .Row(60, 6, 0, 12, 4, 1, 0).Row(30, 4, 14, 0, 3, 2, 0).Row(34, 52, 14, 0, 3, 2, 1)
        .Add(74, 26, 5, 0).Add(74, 50, 5, 0),
    // 22: two walker walls, carts between, wisps behind
    WideStage{}.Add(72, 14, 4, 0).Add(72, 42, 4, 0).Row(44, 4, 0, 8, 6, 1, 0).Row(58, 8, 0, 8, 6, 1, 0)
        .Row(38, 4, 12, 0, 3, 2, 0).Row(42, 52, 12, 0, 3, 2, 1).Add(50, 20, 3, 1).Add(52, 38, 3, 2)
        .Add(74, 30, 5, 0).Add(76, 4, 5, 0),
    // 23: the clinger gauntlet for both, walkers and carts between the walls
    WideStage{}.Add(70, 12, 4, 0).Add(70, 44, 4, 0).Row(36, 4, 6, 0, 6, 2, 0).Row(39, 51, 6, 0, 6, 2, 1)
        .Row(44, 14, 8, 0, 3, 1, 0).Row(48, 34, 8, 0, 3, 1, 0).Add(60, 20, 3, 2).Add(62, 40, 3, 1)
        .Add(74, 28, 5, 0).Add(76, 4, 5, 0),
    // 24: six carts firing at both sisters through four walker lanes
    WideStage{}.Add(73, 20, 4, 0).Add(73, 44, 4, 0).Add(50, 6, 3, 1).Add(58, 18, 3, 2).Add(66, 10, 3, 3)
        .Add(50, 34, 3, 0).Add(58, 46, 3, 3).Add(66, 38, 3, 1).Row(42, 12, 7, 0, 3, 1, 0)
        .Row(42, 26, 7, 0, 2, 1, 0).Row(45, 40, 7, 0, 3, 1, 0).Row(45, 50, 7, 0, 2, 1, 0)
        .Row(40, 4, 14, 0, 2, 2, 0).Row(46, 52, 14, 0, 2, 2, 1).Add(76, 30, 5, 0),
    // 25: boss
    WideStage{},
    // 26: three walker columns in six lanes, both walls
    WideStage{}.Add(73, 14, 4, 0).Add(73, 38, 4, 0).Row(40, 4, 0, 9, 6, 1, 0).Row(52, 8, 0, 9, 5, 1, 0)
        .Row(64, 4, 0, 9, 6, 1, 0).Add(46, 4, 2, 0).Add(58, 4, 2, 0).Add(44, 52, 2, 1).Add(58, 52, 2, 1)
        .Add(76, 30, 5, 0).Add(76, 48, 5, 0),
    // 27: walker walls with four carts loose among them
    WideStage{}.Add(73, 10, 4, 0).Add(73, 42, 4, 0).Row(44, 4, 0, 8, 6, 1, 0).Row(58, 8, 0, 8, 6, 1, 0)
        .Add(66, 18, 3, 1).Add(70, 34, 3, 2).Add(66, 48, 3, 0).Add(52, 28, 3, 3).Add(36, 4, 2, 0)
        .Add(50, 4, 2, 0).Add(64, 4, 2, 0).Add(40, 52, 2, 1).Add(54, 52, 2, 1).Add(68, 52, 2, 1)
        .Add(76, 26, 5, 0).Add(76, 50, 5, 0),
    // 28: the fortress for two: both walls lined, walker columns, carts and wisps inside
    WideStage{}.Add(72, 12, 4, 0).Add(72, 44, 4, 0).Row(34, 4, 7, 0, 6, 2, 0).Row(38, 51, 7, 0, 5, 2, 1)
        .Row(46, 10, 0, 9, 5, 1, 0).Row(60, 14, 0, 9, 4, 1, 0).Add(66, 22, 3, 1).Add(66, 36, 3, 2)
        .Add(75, 6, 5, 0).Add(75, 30, 5, 0),
    // 29: the last formation: a wisp each, walker columns, both walls, four carts
    WideStage{}.Add(73, 8, 4, 0).Add(73, 50, 4, 0).Add(70, 24, 3, 0).Add(70, 34, 3, 3).Row(42, 5, 0, 9, 6, 1, 0)
        .Row(56, 9, 0, 9, 5, 1, 0).Add(36, 4, 2, 0).Add(50, 4, 2, 0).Add(62, 4, 2, 0).Add(40, 52, 2, 1)
        .Add(54, 52, 2, 1).Add(66, 52, 2, 1).Add(68, 20, 3, 1).Add(68, 40, 3, 2).Add(76, 30, 5, 0)
        .Add(76, 16, 5, 0),
    // 30: boss
    WideStage{},
};

static_assert(AllFit(kExtraOnePlayerStages), "an extra stage holds at most 40 entries, all on screen, bosses none");
static_assert(AllFit(kExtraTwoPlayerStages), "an extra stage holds at most 40 entries, all on screen, bosses none");
