#include "fakes/GameRig.h"
#include "platform/ImageControl.h"
#include "platform/Twips.h"

#include <gtest/gtest.h>

// The sound-test box holds up start-up before the grid is filled, while the timers
// enabled at creation already tick: those ticks skip their failing draws instead of ending the program, and
// move no target off the grid (mended: target 1 went to the field's top-left corner).
TEST(TicksDuringStartUp, SkipTheDrawsThatNeedTheGrid) {
    GameRig rig;
    rig.fakes.sound.devices = 0;
    int ticks = 0;
    rig.fakes.messages.during = [&](const ShownBox &) {
        frmPlinkard &game = rig.forms->main();
        for (int i = 0; i < 50; ++i) {
            game.tmrEasy_Timer();
            game.tmrVeryHard_Timer();
            ++ticks;
        }
    };
    frmPlinkard &game = rig.start();
    ASSERT_EQ(ticks, 50);
    EXPECT_TRUE(game.imgShoot[0]->isHidden());
    EXPECT_EQ(game.imgShoot[1]->pos(), QPoint(px(4290), px(1635)));
    // Once loaded, motion runs on the grid as usual.
    rig.fakes.messages.during = nullptr;
    for (int i = 0; i < 200; ++i) {
        game.tmrEasy_Timer();
    }
    EXPECT_EQ(game.colLefts.size(), 8U);
    EXPECT_GE(game.targetIndex, 1);
}
