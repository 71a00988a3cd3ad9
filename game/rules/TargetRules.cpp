// SPDX-License-Identifier: MIT
#include "TargetRules.h"

#include "Level.h"

#include <algorithm>

bool isPenguin(int index) { return std::ranges::find(PenguinIndices, index) != PenguinIndices.end(); }

std::optional<int> speedLevelFor(int index) {
    switch (index) {
    case 18:
    case 49:
        return TooEasy;
    case 44:
    case 52:
        return Easy;
    case 13:
    case 29:
    case 32:
    case 51:
        return Hard;
    case 21:
    case 37:
        return TooHard;
    default:
        return std::nullopt;
    }
}

int64_t bonusFor(int index) {
    switch (index) {
    case 31:
        return 2900;
    case 19:
        return 400;
    case 4:
    case 13:
    case 33:
        return 500;
    case 14:
    case 43:
        return -3100;
    case 54:
        return -400;
    case 24:
        return -1100;
    case 12:
    case 22:
        return -900;
    default:
        return 0;
    }
}
