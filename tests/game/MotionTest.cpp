#include "fakes/GameRig.h"
#include "platform/ImageControl.h"

#include <gtest/gtest.h>
#include <set>

namespace {
int visibleCount(const frmPlinkard &w) {
    int n = 0;
    for (const ImageControl *t : w.imgShoot) {
        n += t->isHidden() ? 0 : 1;
    }
    return n;
}

const std::set<int> Lefts{197, 58, 107, 151, 241, 13, 289, 331};
const std::set<int> Tops{40, 213, 75, 109, 6, 144, 178};

struct Level {
    void (frmPlinkard::*tick)();
    int hides;
};
} // namespace

// Motion over many ticks at each level: the field stays on the grid, element 0
// never shows, and each tick changes the field by at most its level's bounds.
class MotionAtLevel : public ::testing::TestWithParam<Level> {};

TEST_P(MotionAtLevel, KeepsTheGridAndTheLevelsBounds) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    const Level level = GetParam();
    for (int tick = 0; tick < 20000; ++tick) {
        const int before = visibleCount(w);
        (w.*level.tick)();
        const int after = visibleCount(w);
        ASSERT_LE(after - before, 1);
        ASSERT_GE(after - before, -level.hides);
        ASSERT_TRUE(w.imgShoot[0]->isHidden());
        ImageControl *moved = w.imgShoot.at(static_cast<size_t>(w.targetIndex));
        ASSERT_GE(w.targetIndex, 1);
        ASSERT_LE(w.targetIndex, 56);
        ASSERT_TRUE(moved->isHidden());
        ASSERT_TRUE(Lefts.count(moved->x()) == 1) << moved->x();
        ASSERT_TRUE(Tops.count(moved->y()) == 1) << moved->y();
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, MotionAtLevel,
                         ::testing::Values(Level{&frmPlinkard::tmrVeryEasy_Timer, 1}, Level{&frmPlinkard::tmrEasy_Timer, 6},
                                           Level{&frmPlinkard::tmrHard_Timer, 7},
                                           Level{&frmPlinkard::tmrVeryHard_Timer, 7}));

TEST(Motion, EveryTargetAndCellIsReached) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    std::set<int> shown;
    std::set<std::pair<int, int>> cells;
    for (int tick = 0; tick < 5000; ++tick) {
        w.tmrVeryEasy_Timer();
        cells.insert({w.nextLeft, w.nextTop});
        for (int i = 1; i < 57; ++i) {
            if (!w.imgShoot[i]->isHidden()) {
                shown.insert(i);
            }
        }
    }
    EXPECT_EQ(shown.size(), 56U);
    EXPECT_EQ(cells.size(), 56U);
}

TEST(Motion, SameSeedGivesTheSameField) {
    auto run = [] {
        GameRig rig;
        frmPlinkard &w = rig.start();
        std::vector<int> field;
        for (int tick = 0; tick < 300; ++tick) {
            w.tmrHard_Timer();
            field.push_back(w.targetIndex * 10000 + w.nextLeft);
        }
        return field;
    };
    EXPECT_EQ(run(), run());
}
