#include "fakes/GameRig.h"
#include "game/Ammunition.h"
#include "game/TargetRules.h"
#include "platform/ClickLabel.h"
#include "platform/ImageControl.h"
#include "platform/Timer.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace {
long residentKiB() {
    long pages = 0;
    long resident = 0;
    if (FILE *f = std::fopen("/proc/self/statm", "r")) {
        resident = std::fscanf(f, "%ld %ld", &pages, &resident) == 2 ? resident : 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
} // namespace

// Catches a state that drifts under long play (magazine against its pictures and sign, the motion
// timer against the level, the clock's counters) or memory that grows: a day of random play at fake time.
TEST(Soak, ADayOfRandomPlayKeepsTheGameConsistent) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    std::mt19937_64 rng(20261206);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    const std::array<Timer *, 6> timers{w.tmrVeryEasy, w.tmrEasy, w.tmrHard, w.tmrVeryHard, w.tmrTime, w.tmrWinScore};
    std::array<int, 6> elapsed{};
    long warm = 0;
    constexpr int64_t Steps = 24 * 3600 * 20; // 50 ms each
    for (int64_t step = 0; step < Steps; ++step) {
        for (size_t i = 0; i < timers.size(); ++i) { // every timer whose interval has passed ticks
            elapsed.at(i) = timers.at(i)->isEnabled() ? elapsed.at(i) + 50 : 0;
            if (elapsed.at(i) >= timers.at(i)->interval()) {
                elapsed.at(i) = 0;
                timers.at(i)->fire();
            }
        }
        warm = step == 3600 * 20 ? residentKiB() : warm;
        if (pick(0, 9) != 0) {
            continue;
        }
        const int roll = pick(0, 99);
        if (roll < 45) {
            const int target = pick(1, TargetCount - 1);
            if (!w.imgShoot.at(static_cast<size_t>(target))->isHidden()) {
                w.imgShoot_Click(target);
            }
        } else if (roll < 75) {
            w.Form_Click();
        } else if (roll < 85) {
            w.lblFlash->isHidden() ? w.lblReload_Click() : w.lblFlash_Click();
        } else if (roll < 93) {
            w.optLevel.at(static_cast<size_t>(pick(0, 3)))->setChecked(true);
        } else if (roll < 97) {
            w.picPicture_KeyDown(114, 0); // F3
        } else {
            w.cmdNew_Click();
        }
        rig.fakes.messages.shown.clear();
        rig.fakes.sound.calls.clear();
        const int left = w.bulletsLeft;
        for (int i = 0; i < MagazineSize; ++i) {
            ASSERT_EQ(w.imgBullet.at(static_cast<size_t>(i))->isHidden(), i >= left) << step;
        }
        ASSERT_EQ(w.lblFlash->isHidden(), left != 0) << step;
        ASSERT_TRUE(w.imgShoot[0]->isHidden()) << step;
        for (int i = 0; i < 4; ++i) {
            ASSERT_EQ(w.levelTimer(i)->isEnabled(), w.optLevel.at(static_cast<size_t>(i))->isChecked()) << step;
        }
        const QString clock = w.hour->text() + ":" + w.minute->text() + ":" + w.second->text();
        ASSERT_TRUE(w.lblTime->text() == clock || w.lblTime->text() == "0") << step;
        ASSERT_LT(w.minute->text().toInt(), 60);
        ASSERT_LT(w.second->text().toInt(), 60);
    }
#if defined(__SANITIZE_ADDRESS__)
#elif defined(__has_feature) && __has_feature(address_sanitizer)
#else
    EXPECT_LT(residentKiB() - warm, 16 * 1024); // the sanitizers hold freed memory back on purpose
#endif
}
