#include "GameTestSupport.h"
#include "game/TargetRules.h"
#include "platform/Twips.h"

#include <gtest/gtest.h>

namespace {
// The grid in twips, in its stored order: columns, then rows.
constexpr std::array<int, 8> ColumnTwips{2950, 876, 1610, 2265, 3615, 195, 4335, 4965};
constexpr std::array<int, 7> RowTwips{607, 3195, 1124, 1641, 90, 2158, 2675};

struct LevelRow {
    int level;
    void (frmPlinkard::*tick)();
    int interval, hides;
};
} // namespace

// Catches a wrong interval, a wrong number of targets hidden per tick, a grid cell or order changed,
// or element 0 drawn: each tick is replayed by the rules from a twin of the game's random source.
TEST(Motion, TicksFollowTheRulesAtEveryLevel) {
    for (const LevelRow &l :
         {LevelRow{TooEasy, &frmPlinkard::tmrVeryEasy_Timer, 300, 1},
          LevelRow{Easy, &frmPlinkard::tmrEasy_Timer, 200, 6}, LevelRow{Hard, &frmPlinkard::tmrHard_Timer, 100, 7},
          LevelRow{TooHard, &frmPlinkard::tmrVeryHard_Timer, 50, 7}}) {
        GameRig rig;
        frmPlinkard &w = rig.start();
        EXPECT_EQ(w.levelTimer(l.level)->interval(), l.interval);
        SeededRandom twin;
        auto draw = [&](int n) { return static_cast<int>(static_cast<double>(twin.next()) * n); };
        std::array<bool, TargetCount> shown{};
        for (int tick = 0; tick < 300; ++tick) {
            (w.*l.tick)();
            shown.at(static_cast<size_t>(draw(56) + 1)) = true;
            int last = 0;
            for (int k = 0; k < l.hides; ++k) {
                last = draw(56) + 1;
                shown.at(static_cast<size_t>(last)) = false;
            }
            const int column = draw(8);
            const QPoint cell(px(ColumnTwips.at(static_cast<size_t>(column))),
                              px(RowTwips.at(static_cast<size_t>(draw(7)))));
            ASSERT_EQ(w.imgShoot.at(static_cast<size_t>(last))->pos(), cell) << l.level << " tick " << tick;
            for (int i = 0; i < TargetCount; ++i) {
                ASSERT_EQ(w.imgShoot.at(static_cast<size_t>(i))->isHidden(), !shown.at(static_cast<size_t>(i)))
                    << l.level << " tick " << tick << " target " << i;
            }
        }
    }
}
