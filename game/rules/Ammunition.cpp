// SPDX-License-Identifier: MIT
#include "Ammunition.h"

#include "Level.h"

namespace {
void takeOne(int16_t &bulletsLeft, ShotSpent &spent) {
    --bulletsLeft;
    spent.hiddenBullets.at(static_cast<std::size_t>(spent.hiddenCount++)) = bulletsLeft;
}
} // namespace

ShotSpent spendAmmunition(int level, int16_t &bulletsLeft, int16_t &easyShotCount) {
    ShotSpent spent;
    if (level == TooHard) {
        takeOne(bulletsLeft, spent);
        if (bulletsLeft == 0) {
            // One bullet was left: this shot ends with the empty magazine.
            spent.emptied = true;
            spent.goOn = false;
            return spent;
        }
        takeOne(bulletsLeft, spent);
    } else if (level == TooEasy) {
        ++easyShotCount;
        if (easyShotCount == 2) {
            takeOne(bulletsLeft, spent);
            easyShotCount = 0;
        }
    } else {
        takeOne(bulletsLeft, spent);
    }
    spent.emptied = bulletsLeft == 0;
    return spent;
}
