#pragma once

#include <cstdint>
#include <optional>

constexpr int TargetCount = 57; // imgShoot(0..56); 0 never appears in play

bool isPenguin(int index);
// The level a speed target selects, if it is one.
std::optional<int> speedLevelFor(int index);
// The extra score of a bonus or penalty target (0 for the others).
int64_t bonusFor(int index);
