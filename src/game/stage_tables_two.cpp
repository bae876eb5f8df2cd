// The two-player trial table: each stage threatens both lanes, player 1's above y / 8 = 30 and
// player 2's below it. Ceiling clingers work the upper band and floor clingers the lower; carts
// and wisps fire here, so they come in pairs, and a stage's wisps lead its list so that the
// even slot hunts player 1 and the odd one player 2.
#include "game/stage_design.h"

constexpr WideStage kTwoPlayerStages[kStageCount] = {
    // 1: a walker line in each lane
    WideStage{}.Row(44, 8, 6, 0, 4, 1, 1).Row(47, 38, 6, 0, 4, 1, 1).Add(70, 28, 5, 0),
    // 2: clingers on the ceiling for one sister, on the floor for the other
    WideStage{}.Row(44, 4, 6, 0, 4, 2, 0).Row(47, 51, 6, 0, 4, 2, 1).Add(52, 16, 1, 0).Add(55, 42, 1, 0)
        .Add(72, 28, 5, 0),
    // 3: walkers with a cart between the lanes
    WideStage{}.Row(46, 12, 8, 0, 3, 1, 0).Row(50, 40, 8, 0, 3, 1, 0).Add(44, 24, 3, 1).Add(48, 32, 3, 2)
        .Add(72, 10, 5, 0).Add(72, 46, 5, 0),
    // 4: one wisp for each sister, clingers on both walls
    WideStage{}.Add(64, 14, 4, 0).Add(64, 42, 4, 0).Row(46, 5, 8, 0, 3, 2, 0).Row(50, 51, 8, 0, 3, 2, 1)
        .Add(74, 28, 5, 0),
    // 5: boss
    WideStage{},
    // 6: walkers and a cart in each lane
    WideStage{}.Row(44, 8, 7, 0, 3, 1, 0).Row(47, 40, 7, 0, 3, 1, 0).Add(56, 18, 3, 1).Add(60, 34, 3, 2)
        .Add(72, 27, 5, 0),
    // 7: wisps, walls and a walker each
    WideStage{}.Add(66, 12, 4, 0).Add(66, 44, 4, 0).Row(42, 4, 8, 0, 3, 2, 0).Row(46, 51, 8, 0, 3, 2, 1)
        .Add(50, 20, 1, 0).Add(54, 36, 1, 0).Add(74, 28, 5, 0),
    // 8: two walker diagonals opening away from the middle
    WideStage{}.Row(40, 14, 3, -1, 6, 1, 0).Row(40, 36, 3, 1, 6, 1, 0).Add(74, 26, 5, 0),
    // 9: two carts a lane, a walker behind each pair
    WideStage{}.Row(44, 8, 8, 0, 2, 3, 1).Row(48, 40, 8, 0, 2, 3, 2).Add(56, 16, 1, 0).Add(60, 44, 1, 0)
        .Add(72, 26, 5, 0),
    // 10: boss
    WideStage{},
    // 11: four walkers a lane, both walls, a cart crossing over
    WideStage{}.Row(40, 8, 6, 0, 4, 1, 0).Row(43, 38, 6, 0, 4, 1, 0).Row(36, 4, 10, 0, 3, 2, 0)
        .Row(40, 51, 10, 0, 3, 2, 1).Add(60, 22, 3, 1).Add(72, 28, 5, 0),
    // 12: a walker chevron at each sister, a wisp behind each
    WideStage{}.Add(68, 12, 4, 0).Add(68, 44, 4, 0).Add(40, 14, 1, 0).Row(44, 10, 4, -3, 3, 1, 0)
        .Row(44, 18, 4, 3, 2, 1, 0).Add(42, 42, 1, 0).Row(46, 38, 4, -3, 2, 1, 0).Row(46, 46, 4, 3, 2, 1, 0)
        .Row(36, 4, 12, 0, 2, 2, 1).Row(38, 52, 12, 0, 2, 2, 1).Add(74, 28, 5, 0),
    // 13: carts bounce through both lanes behind a walker screen
    WideStage{}.Add(70, 14, 4, 0).Add(70, 42, 4, 0).Add(50, 8, 3, 1).Add(60, 18, 3, 2).Add(54, 36, 3, 0)
        .Add(64, 46, 3, 3).Row(40, 14, 7, 0, 3, 1, 0).Row(44, 42, 7, 0, 3, 1, 0).Row(38, 4, 14, 0, 2, 2, 0)
        .Row(42, 51, 14, 0, 2, 2, 1).Add(74, 28, 5, 0),
    // 14: two walker lanes a sister, the inner ones walking away first
    WideStage{}.Row(44, 6, 8, 0, 3, 1, 0).Row(40, 20, 8, 0, 3, 1, 1).Row(44, 36, 8, 0, 3, 1, 1)
        .Row(40, 50, 8, 0, 3, 1, 0).Add(62, 14, 3, 0).Add(66, 44, 3, 3).Row(36, 4, 11, 0, 2, 2, 0)
        .Row(44, 52, 11, 0, 2, 2, 1).Add(74, 28, 5, 0).Add(74, 4, 5, 0),
    // 15: boss
    WideStage{},
    // 16: staggered walker columns down the whole screen, a wisp for each
    WideStage{}.Add(72, 10, 4, 0).Add(72, 46, 4, 0).Row(48, 4, 0, 9, 3, 1, 0).Row(60, 8, 0, 9, 3, 1, 0)
        .Row(48, 32, 0, 9, 3, 1, 0).Row(60, 36, 0, 9, 2, 1, 0).Row(38, 4, 14, 0, 2, 2, 0)
        .Row(42, 52, 14, 0, 2, 2, 1).Add(74, 28, 5, 0),
    // 17: two carts a lane herding the sisters into walkers
    WideStage{}.Add(50, 8, 3, 1).Add(58, 20, 3, 2).Add(50, 36, 3, 3).Add(58, 48, 3, 0).Row(44, 14, 6, 0, 3, 1, 0)
        .Row(47, 42, 6, 0, 3, 1, 0).Row(36, 4, 9, 0, 3, 2, 0).Row(40, 51, 9, 0, 3, 2, 1).Add(72, 28, 5, 0),
    // 18: a walker diamond for each sister, wisps and a cart behind
    WideStage{}.Add(70, 18, 4, 0).Add(70, 40, 4, 0).Add(44, 10, 1, 0).Add(48, 6, 1, 0).Add(48, 14, 1, 0)
        .Add(52, 10, 1, 0).Add(58, 40, 1, 0).Add(62, 36, 1, 0).Add(62, 44, 1, 0).Add(66, 40, 1, 0)
        .Row(38, 4, 10, 0, 3, 2, 1).Row(38, 51, 10, 0, 3, 2, 0).Add(56, 24, 3, 1).Add(74, 28, 5, 0),
    // 19: before the half-way boss: two lanes each, carts, wisps, both walls
    WideStage{}.Add(72, 12, 4, 0).Add(72, 44, 4, 0).Row(42, 6, 8, 0, 3, 1, 0).Row(46, 20, 8, 0, 3, 1, 0)
        .Row(42, 36, 8, 0, 3, 1, 0).Row(46, 50, 8, 0, 3, 1, 0).Add(56, 14, 3, 1).Add(60, 44, 3, 2)
        .Row(40, 4, 14, 0, 3, 2, 0).Row(44, 52, 14, 0, 2, 2, 1).Add(74, 28, 5, 0),
    // 20: boss
    WideStage{},
    // 21: the sisters start further in (x = 140): walkers from behind and two columns in front
    WideStage{}.Add(70, 12, 4, 0).Add(70, 44, 4, 0).Row(2, 6, 0, 11, 5, 1, 1).Row(48, 12, 0, 12, 4, 1, 0)
        .Row(60, 6, 0, 12, 4, 1, 0).Row(30, 4, 12, 0, 3, 2, 0).Row(34, 52, 12, 0, 3, 2, 1).Add(56, 28, 3, 1)
        .Add(74, 26, 5, 0).Add(74, 50, 5, 0),
    // 22: three walker walls across both lanes, carts between them
    WideStage{}.Add(72, 14, 4, 0).Add(72, 42, 4, 0).Row(44, 4, 0, 8, 6, 1, 0).Row(56, 8, 0, 8, 6, 1, 0)
        .Row(66, 6, 0, 8, 6, 1, 0).Row(38, 4, 12, 0, 3, 2, 0).Row(42, 52, 12, 0, 3, 2, 1).Add(50, 20, 3, 1)
        .Add(52, 38, 3, 2).Add(74, 30, 5, 0),
    // 23: a clinger gauntlet on both walls, walkers weaving and carts crossing
    WideStage{}.Add(70, 12, 4, 0).Add(70, 44, 4, 0).Row(36, 4, 6, 0, 6, 2, 0).Row(39, 51, 6, 0, 6, 2, 1)
        .Row(44, 14, 8, 0, 3, 1, 0).Row(48, 24, 8, 0, 2, 1, 0).Row(48, 34, 8, 0, 3, 1, 0)
        .Row(44, 44, 8, 0, 2, 1, 0).Add(60, 18, 3, 2).Add(62, 40, 3, 1).Add(74, 28, 5, 0).Add(74, 8, 5, 0),
    // 24: eight carts firing at both sisters through four walker lanes
    WideStage{}.Add(73, 20, 4, 0).Add(73, 44, 4, 0).Add(50, 6, 3, 1).Add(58, 18, 3, 2).Add(66, 10, 3, 3)
        .Add(70, 24, 3, 0).Add(50, 34, 3, 0).Add(58, 46, 3, 3).Add(66, 38, 3, 1).Add(70, 50, 3, 2)
        .Row(42, 12, 7, 0, 3, 1, 0).Row(42, 26, 7, 0, 3, 1, 0).Row(45, 38, 7, 0, 3, 1, 0)
        .Row(45, 50, 7, 0, 2, 1, 0).Row(40, 4, 14, 0, 3, 2, 0).Row(46, 52, 14, 0, 2, 2, 1).Add(76, 30, 5, 0),
    // 25: boss
    WideStage{},
    // 26: three walker columns in six lanes, reaching the edge in turn
    WideStage{}.Add(73, 14, 4, 0).Add(73, 38, 4, 0).Row(40, 4, 0, 9, 6, 1, 0).Row(52, 8, 0, 9, 5, 1, 0)
        .Row(64, 4, 0, 9, 6, 1, 0).Add(46, 4, 2, 0).Add(58, 4, 2, 0).Add(70, 4, 2, 0).Add(44, 52, 2, 1)
        .Add(58, 52, 2, 1).Add(70, 52, 2, 1).Add(60, 26, 3, 1).Add(76, 30, 5, 0).Add(76, 48, 5, 0),
    // 27: walker walls with carts loose among them
    WideStage{}.Add(73, 10, 4, 0).Add(73, 42, 4, 0).Row(44, 4, 0, 8, 6, 1, 0).Row(58, 8, 0, 8, 6, 1, 0)
        .Add(66, 18, 3, 1).Add(70, 34, 3, 2).Add(66, 48, 3, 0).Add(52, 28, 3, 3).Add(36, 4, 2, 0)
        .Add(50, 4, 2, 0).Add(64, 4, 2, 0).Add(40, 52, 2, 1).Add(54, 52, 2, 1).Add(68, 52, 2, 1)
        .Add(76, 26, 5, 0).Add(76, 50, 5, 0),
    // 28: a fortress: both walls lined, two walker columns, carts and wisps inside
    WideStage{}.Add(72, 12, 4, 0).Add(72, 44, 4, 0).Row(34, 4, 7, 0, 6, 2, 0).Row(38, 51, 7, 0, 5, 2, 1)
        .Row(46, 10, 0, 9, 5, 1, 0).Row(60, 14, 0, 9, 4, 1, 0).Add(66, 22, 3, 1).Add(66, 36, 3, 2)
        .Add(75, 6, 5, 0).Add(75, 30, 5, 0),
    // 29: the last formation: a wisp each, three walker columns, both walls, four carts
    WideStage{}.Add(73, 8, 4, 0).Add(73, 50, 4, 0).Add(60, 28, 3, 0).Add(62, 32, 3, 3).Row(42, 5, 0, 9, 6, 1, 0)
        .Row(56, 9, 0, 9, 5, 1, 0).Row(66, 5, 0, 9, 6, 1, 0).Add(36, 4, 2, 0).Add(50, 4, 2, 0)
        .Add(62, 4, 2, 0).Add(40, 52, 2, 1).Add(54, 52, 2, 1).Add(70, 52, 2, 1).Add(68, 20, 3, 1)
        .Add(70, 38, 3, 2).Add(76, 30, 5, 0).Add(76, 16, 5, 0),
    // 30: boss
    WideStage{},
};

static_assert(AllFit(kTwoPlayerStages), "a two-player stage holds at most 40 entries, all on screen, bosses none");
