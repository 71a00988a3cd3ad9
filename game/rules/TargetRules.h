// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <optional>

constexpr int TargetCount = 57; // imgShoot(0..56); 0 never appears in play
// Motion draws among imgShoot(1..56).
constexpr int MotionTargetCount = TargetCount - 1;

// The targets that show the penguin, which ends the game when shot.
constexpr std::array<int, 3> PenguinIndices{28, 34, 56};

bool isPenguin(int index);
// The level a speed target selects, if it is one.
std::optional<int> speedLevelFor(int index);
// The extra score of a bonus or penalty target (0 for the others).
int64_t bonusFor(int index);
