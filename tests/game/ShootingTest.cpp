#include "GameTestSupport.h"

#include <gtest/gtest.h>

namespace {
struct Shooting : ::testing::Test {
    GameRig rig;
    frmPlinkard *w = nullptr;
    void SetUp() override { w = &rig.start(); }
    frmSettings &settings() { return rig.forms->settings(); }
    QStringList waves() const { return rig.fakes.sound.waves(); }
};
} // namespace

// The worked sequence at Easy: hit, miss, bonus hit, reload.
TEST_F(Shooting, WorkedSequenceAtEasy) {
    hit(*w, 5);
    EXPECT_EQ(score(*w), "100");
    EXPECT_EQ(w->bulletsLeft, 13);
    EXPECT_TRUE(w->imgShoot[5]->isHidden());
    w->Form_Click();
    EXPECT_EQ(w->lblMiss->text(), "1");
    EXPECT_EQ(score(*w), "5");
    EXPECT_EQ(w->bulletsLeft, 12);
    hit(*w, 31);
    EXPECT_EQ(score(*w), "3005");
    EXPECT_EQ(w->bulletsLeft, 11);
    EXPECT_EQ(bulletsShown(*w), 11);
    w->lblReload_Click();
    EXPECT_EQ(w->bulletsLeft, 14);
    EXPECT_EQ(bulletsShown(*w), 14);
    EXPECT_EQ(score(*w), "3005");
    EXPECT_EQ(w->lblMiss->text(), "1");
    // Every shot played the shot sound named in the settings window.
    EXPECT_EQ(waves(), QStringList(3, "/opt/plinkard/mchgun.wav"));
}

// Easy and Hard: the fourteenth shot empties the magazine and its rules still run.
TEST_F(Shooting, FourteenthShotAtEasyShowsTheSignAndStillScoresItsBonus) {
    for (int i = 0; i < 13; ++i) {
        w->Form_Click();
        EXPECT_TRUE(w->lblFlash->isHidden());
    }
    hit(*w, 19);
    EXPECT_EQ(w->bulletsLeft, 0);
    EXPECT_EQ(bulletsShown(*w), 0);
    EXPECT_FALSE(w->lblFlash->isHidden());
    EXPECT_EQ(w->lblReload->text(), "CLICK TO RELOAD");
    EXPECT_EQ(score(*w), QString::number(-95 * 13 + 500));
}

// Too Hard: two bullets a shot; the seventh shot empties and keeps its rules.
TEST_F(Shooting, TooHardTakesTwoBulletsAndTheSeventhShotStillChangesSpeed) {
    selectLevel(*w, TooHard);
    for (int i = 0; i < 6; ++i) {
        w->Form_Click();
    }
    EXPECT_EQ(w->bulletsLeft, 2);
    hit(*w, 18); // slow target: back to Too Easy
    EXPECT_EQ(w->bulletsLeft, 0);
    EXPECT_FALSE(w->lblFlash->isHidden());
    EXPECT_TRUE(w->optLevel[TooEasy]->isChecked());
}

// Too Hard with one bullet left: the hit scores 100, empties the magazine and ends there.
TEST_F(Shooting, TooHardWithOneBulletStopsBeforeSpeedBonusAndPenguin) {
    for (int i = 0; i < 13; ++i) {
        w->Form_Click();
    }
    selectLevel(*w, TooHard);
    w->lblScore->setText("0");
    hit(*w, 34);
    EXPECT_EQ(score(*w), "100");
    EXPECT_EQ(w->bulletsLeft, 0);
    EXPECT_FALSE(w->lblFlash->isHidden());
    EXPECT_EQ(w->lblReload->text(), "CLICK TO RELOAD");
    EXPECT_TRUE(rig.fakes.messages.shown.empty());
    EXPECT_TRUE(w->optLevel[TooHard]->isChecked());
}

// Too Easy: every second shot costs a bullet; the count is shared by hits and misses
// and survives reloads, New Game and level changes.
TEST_F(Shooting, TooEasyCounterIsSharedAndSurvives) {
    selectLevel(*w, TooEasy);
    for (int shot = 0; shot < 28; ++shot) {
        if (shot % 2 == 0) {
            hit(*w, 1);
        } else {
            w->Form_Click();
        }
    }
    EXPECT_EQ(w->bulletsLeft, 0);
    EXPECT_FALSE(w->lblFlash->isHidden());
    w->lblReload_Click();
    w->Form_Click();
    EXPECT_EQ(w->easyShotCount, 1);
    w->cmdNew_Click();
    selectLevel(*w, Easy);
    selectLevel(*w, TooEasy);
    EXPECT_EQ(w->easyShotCount, 1);
    w->Form_Click();
    EXPECT_EQ(w->bulletsLeft, 13);
    EXPECT_EQ(w->easyShotCount, 0);
}

// An empty magazine only clicks dryly, whatever the sounds box says.
TEST_F(Shooting, EmptyMagazinePlaysTheDryClickAndChangesNothing) {
    for (int i = 0; i < 14; ++i) {
        w->Form_Click();
    }
    w->chkSounds->setChecked(false);
    const QString before = score(*w);
    const qsizetype wavesBefore = waves().size();
    w->imgShoot[7]->show();
    w->imgShoot_Click(7);
    w->Form_Click();
    EXPECT_EQ(waves().mid(wavesBefore), QStringList(2, "/opt/plinkard/miss.wav"));
    EXPECT_FALSE(w->imgShoot[7]->isHidden());
    EXPECT_EQ(score(*w), before);
    EXPECT_EQ(w->lblMiss->text(), "14");
    EXPECT_EQ(w->bulletsLeft, 0);
}

// With the sounds box clear a shot with bullets left is silent.
TEST_F(Shooting, SoundsOffSilencesShotsButNotTheDryClick) {
    w->chkSounds->setChecked(false);
    hit(*w, 2);
    w->Form_Click();
    EXPECT_TRUE(waves().isEmpty());
}

// Every bonus and penalty target, with the points option on and off.
TEST_F(Shooting, BonusTableAppliesOnlyWithThePointsOption) {
    const std::vector<std::pair<int, int>> wholeHit{{31, 3000}, {19, 500}, {4, 600}, {13, 600}, {33, 600},
                                                    {14, -3000}, {43, -3000}, {54, -300}, {24, -1000},
                                                    {12, -800},  {22, -800}, {1, 100}, {50, 100}};
    for (const bool pointsOn : {true, false}) {
        settings().chkPoints->setChecked(pointsOn);
        for (const auto &[index, points] : wholeHit) {
            w->lblScore->setText("0");
            w->lblReload_Click();
            hit(*w, index);
            EXPECT_EQ(score(*w), QString::number(pointsOn ? points : 100)) << index;
        }
    }
}

// Every speed target selects its level while the speed option is on, and none while it is off.
TEST_F(Shooting, SpeedTargetsSwitchTheLevelOnlyWithTheSpeedOption) {
    const std::vector<std::pair<int, int>> speed{{18, TooEasy}, {49, TooEasy}, {44, Easy}, {52, Easy},
                                                 {13, Hard},    {29, Hard},    {32, Hard}, {51, Hard},
                                                 {21, TooHard}, {37, TooHard}};
    for (const auto &[index, level] : speed) {
        selectLevel(*w, level == Easy ? Hard : Easy);
        w->lblReload_Click();
        hit(*w, index);
        EXPECT_TRUE(w->optLevel.at(static_cast<size_t>(level))->isChecked()) << index;
        EXPECT_TRUE(w->levelTimer(level)->isEnabled()) << index;
    }
    settings().chkChgSpd->setChecked(false);
    selectLevel(*w, Easy);
    hit(*w, 21);
    EXPECT_TRUE(w->optLevel[Easy]->isChecked());
    EXPECT_TRUE(w->tmrEasy->isEnabled());
    EXPECT_FALSE(w->tmrVeryHard->isEnabled());
}

// A penguin with both options on ends the game with its message and starts a new one.
TEST_F(Shooting, PenguinEndsTheGameOnlyWithBothOptions) {
    for (const int penguin : {28, 34, 56}) {
        w->Form_Click();
        rig.fakes.messages.shown.clear();
        bool scoreDuringBox = false;
        rig.fakes.messages.during = [&](const ShownBox &) { scoreDuringBox = score(*w) == "5"; };
        hit(*w, penguin);
        ASSERT_EQ(rig.fakes.messages.shown.size(), 1U);
        EXPECT_EQ(rig.fakes.messages.shown[0].prompt, "You loose!  Don't shoot the Linux Penguin!");
        EXPECT_EQ(rig.fakes.messages.shown[0].title, "Oops!");
        EXPECT_EQ(rig.fakes.messages.shown[0].style, 48);
        EXPECT_TRUE(scoreDuringBox);
        EXPECT_EQ(score(*w), "0");
        EXPECT_EQ(w->lblMiss->text(), "0");
        EXPECT_EQ(w->bulletsLeft, 14);
    }
    rig.fakes.messages.during = nullptr;
    for (QCheckBox *option : {settings().chkChgSpd, settings().chkPoints}) {
        settings().chkChgSpd->setChecked(true);
        settings().chkPoints->setChecked(true);
        option->setChecked(false);
        rig.fakes.messages.shown.clear();
        w->lblScore->setText("0");
        hit(*w, 56);
        EXPECT_TRUE(rig.fakes.messages.shown.empty());
        EXPECT_EQ(score(*w), "100");
    }
}

// Reload: tops up at any fill, costs nothing, and the sign's own click also hides it.
TEST_F(Shooting, ReloadFromEveryTrigger) {
    for (int i = 0; i < 11; ++i) {
        w->Form_Click();
    }
    const QString before = score(*w);
    w->imgBullet_Click(0);
    EXPECT_EQ(w->bulletsLeft, 14);
    EXPECT_EQ(bulletsShown(*w), 14);
    EXPECT_EQ(score(*w), before);
    for (int i = 0; i < 14; ++i) {
        w->Form_Click();
    }
    EXPECT_FALSE(w->lblFlash->isHidden());
    w->lblFlash_Click();
    EXPECT_TRUE(w->lblFlash->isHidden());
    EXPECT_EQ(w->lblReload->text(), "");
    EXPECT_EQ(w->bulletsLeft, 14);
    EXPECT_TRUE(rig.fakes.sound.waves().filter("miss.wav").isEmpty());
}

// A caption that is not a number is left alone; the rest of the shot goes on.
TEST_F(Shooting, UnreadableScoreCaptionIsSkipped) {
    w->lblScore->setText("lots");
    hit(*w, 3);
    EXPECT_EQ(score(*w), "lots");
    EXPECT_EQ(w->bulletsLeft, 13);
    w->lblScore->setText("9223372036854775807");
    w->Form_Click();
    EXPECT_EQ(score(*w), "9223372036854775712");
}
