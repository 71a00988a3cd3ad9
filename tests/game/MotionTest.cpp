#include "GameTestSupport.h"
#include "game/TargetRules.h"
#include "platform/Twips.h"

#include <gtest/gtest.h>

// Catches a wrong interval, a wrong number of targets hidden per tick, a grid cell changed or
// target 0 drawn: each tick is replayed from a twin of the game's random source.
TEST(Motion, TicksAtEveryLevel) {
    constexpr std::array<int, 8> ColumnTwips{2950, 876, 1610, 2265, 3615, 195, 4335, 4965};
    constexpr std::array<int, 7> RowTwips{607, 3195, 1124, 1641, 90, 2158, 2675};
    const std::vector<std::tuple<int, void (frmPlinkard::*)(), int, int>> levels{
        {TooEasy, &frmPlinkard::tmrVeryEasy_Timer, 300, 1},
        {Easy, &frmPlinkard::tmrEasy_Timer, 200, 6},
        {Hard, &frmPlinkard::tmrHard_Timer, 100, 7},
        {TooHard, &frmPlinkard::tmrVeryHard_Timer, 50, 7}};
    for (const auto &[level, tick, interval, hides] : levels) {
        GameRig rig;
        frmPlinkard &w = rig.start();
        EXPECT_EQ(w.LevelTimer(level)->Interval(), interval);
        SeededRandom twin;
        auto draw = [&](int n) { return static_cast<size_t>(static_cast<double>(twin.next()) * n); };
        std::array<bool, TargetCount> shown{};
        for (int t = 0; t < 300; ++t) {
            (w.*tick)();
            shown.at(draw(56) + 1) = true;
            size_t last = 0;
            for (int k = 0; k < hides; ++k) {
                shown.at(last = draw(56) + 1) = false;
            }
            const int left = px(ColumnTwips.at(draw(8)));
            const QPoint cell(left, px(RowTwips.at(draw(7))));
            ASSERT_EQ(w.imgShoot.at(last)->pos(), cell) << level << " tick " << t;
            for (size_t i = 0; i < TargetCount; ++i) {
                ASSERT_EQ(w.imgShoot.at(i)->isHidden(), !shown.at(i)) << level << " tick " << t << " target " << i;
            }
        }
    }
}
