#include "ShotTable.h"
#include "game/TargetRules.h"

#include <gtest/gtest.h>
#include <set>

namespace {
struct Outcome {
    int scoreDelta, bulletsAfter, levelAfter;
    bool penguinMessage, emptied;
};

// The steps of a hit (and of a miss) in their order, each taken from the rules library.
Outcome byTheRules(const ShotRow &r) {
    auto bullets = static_cast<int16_t>(r.bulletsBefore);
    auto easy = static_cast<int16_t>(r.easyBefore);
    const ShotSpent spent = spendAmmunition(r.level, bullets, easy);
    Outcome out{r.index == Miss ? -95 : 100, bullets, r.level, false, spent.emptied};
    if (r.index == Miss || !spent.goOn || !r.chgSpd) {
        return out;
    }
    out.levelAfter = speedLevelFor(r.index).value_or(r.level);
    if (r.points) {
        out.scoreDelta += static_cast<int>(bonusFor(r.index));
        out.penguinMessage = isPenguin(r.index);
    }
    return out;
}
} // namespace

// Catches a changed bonus, speed level, penguin index or bullet cost: every row is a player's shot.
TEST(ShotRules, EveryRowOfTheTable) {
    for (const ShotRow &r : ShotTable) {
        const Outcome o = byTheRules(r);
        const auto row = ::testing::Message()
                         << "level " << r.level << " target " << r.index << " bullets " << r.bulletsBefore;
        EXPECT_EQ(o.scoreDelta, r.scoreDelta) << row;
        EXPECT_EQ(o.bulletsAfter, r.bulletsAfter) << row;
        EXPECT_EQ(o.emptied, r.bulletsAfter == 0) << row;
        EXPECT_EQ(o.levelAfter, r.levelAfter) << row;
        EXPECT_EQ(o.penguinMessage, r.penguinMessage) << row;
    }
}

// Catches a target added to the speed, bonus or penguin list: all other indices are plain.
TEST(ShotRules, OtherTargetsArePlain) {
    const std::set<int> special{4,  12, 13, 14, 18, 19, 21, 22, 24, 28, 29, 31,
                                32, 33, 34, 37, 43, 44, 49, 51, 52, 54, 56};
    for (int i = 0; i < TargetCount; ++i) {
        if (special.count(i) == 0) {
            EXPECT_TRUE(!speedLevelFor(i) && bonusFor(i) == 0 && !isPenguin(i)) << i;
        }
    }
}
