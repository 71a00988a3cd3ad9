#pragma once

#include "game/Ammunition.h"

#include <vector>

constexpr int Miss = -1; // a click on the empty field

// A shot from a player's situation and what it must leave behind, from the rules of the game:
// 100 a hit, -95 a miss, the bonus and speed tables, the magazine cost per level.
struct ShotRow {
    int level, index;
    bool chgSpd, points;
    int bulletsBefore, easyBefore;
    int scoreDelta, bulletsAfter, levelAfter;
    bool penguinMessage;
};

// clang-format off
inline const std::vector<ShotRow> ShotTable{
    // level  index  spd    pts    bul ez   delta  bul lvl      msg
    {Easy,    5,     true,  true,  14, 0,   100,   13, Easy,    false}, // a plain target
    {Easy,    31,    true,  true,  14, 0,   3000,  13, Easy,    false}, // bonus table, whole hits
    {Easy,    19,    true,  true,  14, 0,   500,   13, Easy,    false},
    {Easy,    4,     true,  true,  14, 0,   600,   13, Easy,    false},
    {Easy,    33,    true,  true,  14, 0,   600,   13, Easy,    false},
    {Easy,    13,    true,  true,  14, 0,   600,   13, Hard,    false}, // speed and bonus at once
    {Easy,    14,    true,  true,  14, 0,   -3000, 13, Easy,    false},
    {Easy,    43,    true,  true,  14, 0,   -3000, 13, Easy,    false},
    {Easy,    54,    true,  true,  14, 0,   -300,  13, Easy,    false},
    {Easy,    24,    true,  true,  14, 0,   -1000, 13, Easy,    false},
    {Easy,    12,    true,  true,  14, 0,   -800,  13, Easy,    false},
    {Easy,    22,    true,  true,  14, 0,   -800,  13, Easy,    false},
    {Easy,    31,    true,  false, 14, 0,   100,   13, Easy,    false}, // points option clear
    {Easy,    31,    false, true,  14, 0,   100,   13, Easy,    false}, // speed option clear ends before the bonus
    {Easy,    18,    true,  true,  14, 0,   100,   13, TooEasy, false}, // speed table
    {Easy,    49,    true,  true,  14, 0,   100,   13, TooEasy, false},
    {Hard,    44,    true,  true,  14, 0,   100,   13, Easy,    false},
    {Hard,    52,    true,  true,  14, 0,   100,   13, Easy,    false},
    {Easy,    29,    true,  true,  14, 0,   100,   13, Hard,    false},
    {Easy,    32,    true,  true,  14, 0,   100,   13, Hard,    false},
    {Easy,    51,    true,  true,  14, 0,   100,   13, Hard,    false},
    {Easy,    21,    true,  true,  14, 0,   100,   13, TooHard, false},
    {Easy,    37,    true,  true,  14, 0,   100,   13, TooHard, false},
    {Easy,    21,    false, true,  14, 0,   100,   13, Easy,    false}, // speed option clear
    {Easy,    28,    true,  true,  14, 0,   100,   13, Easy,    true},  // penguins
    {Easy,    34,    true,  true,  14, 0,   100,   13, Easy,    true},
    {Easy,    56,    true,  true,  14, 0,   100,   13, Easy,    true},
    {Easy,    56,    false, true,  14, 0,   100,   13, Easy,    false}, // a penguin needs both options
    {Easy,    56,    true,  false, 14, 0,   100,   13, Easy,    false},
    {Hard,    1,     true,  true,  14, 0,   100,   13, Hard,    false}, // one bullet at Hard
    {Easy,    19,    true,  true,  1,  0,   500,   0,  Easy,    false}, // the last bullet still scores its bonus
    {TooHard, 1,     true,  true,  14, 0,   100,   12, TooHard, false}, // two bullets at Too Hard
    {TooHard, 18,    true,  true,  2,  0,   100,   0,  TooEasy, false}, // the seventh shot keeps its rules
    {TooHard, 34,    true,  true,  1,  0,   100,   0,  TooHard, false}, // one bullet left: the hit ends there
    {TooHard, 31,    true,  true,  1,  0,   100,   0,  TooHard, false},
    {TooHard, 44,    true,  true,  1,  0,   100,   0,  TooHard, false},
    {TooEasy, 1,     true,  true,  14, 0,   100,   14, TooEasy, false}, // Too Easy: every second shot
    {TooEasy, 1,     true,  true,  14, 1,   100,   13, TooEasy, false},
    {Easy,    Miss,  true,  true,  14, 0,   -95,   13, Easy,    false}, // misses cost 95 and the same bullets
    {TooHard, Miss,  true,  true,  14, 0,   -95,   12, TooHard, false},
    {TooHard, Miss,  true,  true,  1,  0,   -95,   0,  TooHard, false},
    {TooEasy, Miss,  true,  true,  14, 1,   -95,   13, TooEasy, false},
    {TooEasy, Miss,  true,  true,  14, 0,   -95,   14, TooEasy, false},
};
// clang-format on
