// SPDX-License-Identifier: MIT
#include "fakes/GameRig.h"
#include "game/Ammunition.h"
#include "game/TargetRules.h"
#include "platform/ClickLabel.h"
#include "platform/ImageControl.h"
#include "platform/Timer.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <random>

// Catches RELOAD left showing, or magazine, level timers or clock drifting apart in a day of random play.
TEST(Soak, ADayOfRandomPlayKeepsTheGameConsistent) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    std::mt19937_64 rng(20261206);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    const std::array<Timer *, 6> timers{w.tmrVeryEasy, w.tmrEasy, w.tmrHard, w.tmrVeryHard, w.tmrTime, w.tmrWinScore};
    std::array<int, 6> elapsed{};
    for (int64_t step = 0; step < 24 * 3600 * 20; ++step) { // 50 ms each
        for (size_t i = 0; i < timers.size(); ++i) {        // every timer whose interval has passed ticks
            elapsed[i] = timers[i]->isEnabled() ? elapsed[i] + 50 : 0;
            if (elapsed[i] >= timers[i]->interval()) {
                elapsed[i] = 0;
                timers[i]->fire();
            }
        }
        const int roll = pick(0, 999), target = pick(1, TargetCount - 1);
        if (roll < 45 && !w.imgShoot[target]->isHidden()) {
            w.imgShoot_Click(target);
        } else if (roll >= 45 && roll < 100) {
            roll < 75   ? w.Form_Click()
            : roll < 85 ? (w.lblFlash->isHidden() ? w.lblReload_Click() : w.lblFlash_Click())
            : roll < 93 ? w.optLevel[pick(0, 3)]->setChecked(true)
            : roll < 97 ? w.picPicture_KeyDown(114, 0)
                        : w.cmdNew_Click();
        } else {
            continue;
        }
        rig.fakes.messages.shown.clear();
        rig.fakes.sound.calls.clear();
        for (int i = 0; i < MagazineSize; ++i) {
            ASSERT_EQ(w.imgBullet[i]->isHidden(), i >= w.bulletsLeft) << step;
        }
        ASSERT_EQ(w.lblFlash->isHidden(), w.bulletsLeft != 0) << step;
        ASSERT_TRUE(w.imgShoot[0]->isHidden()) << step;
        for (int i = 0; i < 4; ++i) {
            ASSERT_EQ(w.levelTimer(i)->isEnabled(), w.optLevel[i]->isChecked()) << step;
        }
        const QString clock = w.hour->text() + ":" + w.minute->text() + ":" + w.second->text();
        ASSERT_TRUE((w.lblTime->text() == clock || w.lblTime->text() == "0") && w.minute->text().toInt() < 60 &&
                    w.second->text().toInt() < 60)
            << step;
    }
}
