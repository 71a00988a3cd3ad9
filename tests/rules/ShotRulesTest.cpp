#include "ShotTable.h"
#include "game/TargetRules.h"

#include <gtest/gtest.h>

// Catches a changed bonus, speed level, penguin index or bullet cost: every row is a player's shot,
// taken through the rules in the order a hit (or a miss) takes them.
TEST(ShotRules, EveryRowOfTheTable) {
    for (const ShotRow &r : ShotTable) {
        auto bullets = static_cast<int16_t>(r.bulletsBefore);
        auto easy = static_cast<int16_t>(r.easyBefore);
        const ShotSpent spent = spendAmmunition(r.level, bullets, easy);
        int64_t delta = r.index == Miss ? -95 : 100;
        int level = r.level;
        bool penguin = false;
        if (r.index != Miss && spent.goOn && r.chgSpd) {
            level = speedLevelFor(r.index).value_or(r.level);
            delta += r.points ? bonusFor(r.index) : 0;
            penguin = r.points && isPenguin(r.index);
        }
        EXPECT_EQ(std::make_tuple(delta, bullets, spent.emptied, level, penguin),
                  std::make_tuple(int64_t{r.scoreDelta}, static_cast<int16_t>(r.bulletsAfter), r.bulletsAfter == 0,
                                  r.levelAfter, r.penguinMessage))
            << "level " << r.level << " target " << r.index << " bullets " << r.bulletsBefore;
    }
}
