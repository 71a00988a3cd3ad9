#include "fakes/GameRig.h"
#include "platform/ImageControl.h"
#include "platform/Twips.h"

#include <gtest/gtest.h>

// Catches motion ticks run while the "Sound Test" box holds up start-up (before the grid is filled)
// ending the program or moving target 1 off the grid (issue: it stood in the field's top-left corner).
TEST(TicksDuringStartUp, MoveNoTargetOffTheGrid) {
    GameRig rig;
    rig.fakes.sound.devices = 0;
    rig.fakes.messages.during = [&](const ShownBox &) {
        for (int i = 0; i < 50; ++i) {
            rig.forms->main().tmrEasy_Timer();
        }
    };
    frmPlinkard &game = rig.start();
    ASSERT_EQ(rig.fakes.messages.shown.size(), 1U);
    EXPECT_FALSE(rig.fakes.program.endedWith.has_value());
    EXPECT_TRUE(game.imgShoot[0]->isHidden());
    EXPECT_EQ(game.imgShoot[1]->pos(), QPoint(px(4290), px(1635)));
}
