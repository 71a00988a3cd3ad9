// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr int16_t MagazineSize = 14;

// What one shot did to the magazine.
struct ShotSpent {
    std::array<int, 2> hiddenBullets{}; // bullet pictures to hide, in order
    int hiddenCount = 0;
    bool emptied = false; // the magazine reached 0: show the sign and the prompt
    bool goOn = true;     // false: the shot's handling ends here
};

// Takes a shot's bullets at the given level. Too Hard costs two, Too Easy one every
// second shot (hits and misses share the count), Easy and Hard one.
ShotSpent spendAmmunition(int level, int16_t &bulletsLeft, int16_t &easyShotCount);
