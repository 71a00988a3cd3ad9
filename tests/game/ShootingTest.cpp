#include "GameTestSupport.h"
#include "rules/ShotTable.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
struct Shooting : ::testing::Test {
    GameRig rig;
    frmPlinkard *w = nullptr;
    void SetUp() override { w = &rig.start(); }
    frmSettings &settings() { return rig.forms->settings(); }

    void arrange(const ShotRow &r) {
        settings().chkChgSpd->setChecked(r.chgSpd);
        settings().chkPoints->setChecked(r.points);
        selectLevel(*w, Easy);
        w->cmdNew_Click();
        for (int i = 0; i < MagazineSize - r.bulletsBefore; ++i) {
            w->Form_Click(); // one bullet a shot at Easy
        }
        selectLevel(*w, r.level);
        w->lblScore->setText("0");
        w->lblMiss->setText("0");
        w->easyShotCount = static_cast<int16_t>(r.easyBefore);
        rig.fakes.messages.shown.clear();
    }
};
} // namespace

// Catches a fault in the hit and miss handlers' steps, or in what they show: the same table as the
// rules, played on the real window.
TEST_F(Shooting, EveryRowOfTheTableOnTheWindow) {
    QString scoreDuringBox;
    rig.fakes.messages.during = [&](const ShownBox &) { scoreDuringBox = score(*w); };
    for (const ShotRow &r : ShotTable) {
        arrange(r);
        const auto row = ::testing::Message() << "level " << r.level << " target " << r.index;
        r.index == Miss ? w->Form_Click() : hit(*w, r.index);
        if (r.penguinMessage) {
            ASSERT_EQ(rig.fakes.messages.shown.size(), 1U) << row;
            const ShownBox &box = rig.fakes.messages.shown[0];
            EXPECT_EQ(box.prompt + "|" + box.title + "|" + QString::number(box.style),
                      "You loose!  Don't shoot the Linux Penguin!|Oops!|48");
            EXPECT_EQ(scoreDuringBox, QString::number(r.scoreDelta)) << row;
            EXPECT_EQ(score(*w), "0") << row; // and a new game
            EXPECT_EQ(w->bulletsLeft, 14) << row;
            continue;
        }
        EXPECT_TRUE(rig.fakes.messages.shown.empty()) << row;
        EXPECT_EQ(score(*w), QString::number(r.scoreDelta)) << row;
        EXPECT_EQ(w->lblMiss->text(), r.index == Miss ? "1" : "0") << row;
        EXPECT_EQ(w->bulletsLeft, r.bulletsAfter) << row;
        for (int i = 0; i < MagazineSize; ++i) {
            EXPECT_EQ(w->imgBullet.at(static_cast<size_t>(i))->isHidden(), i >= r.bulletsAfter)
                << row << " bullet " << i;
        }
        EXPECT_EQ(w->lblFlash->isHidden(), r.bulletsAfter > 0) << row;
        EXPECT_EQ(w->lblReload->text(), r.bulletsAfter > 0 ? "" : "CLICK TO RELOAD") << row;
        EXPECT_TRUE(w->optLevel.at(static_cast<size_t>(r.levelAfter))->isChecked()) << row;
        EXPECT_TRUE(w->levelTimer(r.levelAfter)->isEnabled()) << row;
        if (r.index != Miss) {
            EXPECT_TRUE(w->imgShoot.at(static_cast<size_t>(r.index))->isHidden()) << row;
        }
    }
}

// Catches a click routed to the wrong handler: real mouse clicks on a target, the field, a bullet and the sign.
TEST_F(Shooting, RealClicksReachTheirHandlers) {
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    ImageControl *target = w->imgShoot[5];
    target->move(100, 100);
    target->show();
    QTest::mouseClick(target, Qt::LeftButton);
    EXPECT_TRUE(target->isHidden());
    EXPECT_EQ(score(*w), "100");
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(100, 100)); // the field beneath: a miss
    EXPECT_EQ(w->lblMiss->text() + " " + score(*w), "1 5");
    QTest::mouseClick(w->imgBullet[0], Qt::LeftButton);
    EXPECT_EQ(bulletsShown(*w), 14);
    for (int i = 0; i < 14; ++i) {
        w->Form_Click();
    }
    QTest::mouseClick(w->lblFlash, Qt::LeftButton);
    EXPECT_TRUE(w->lblFlash->isHidden());
    EXPECT_EQ(w->bulletsLeft, 14);
    EXPECT_EQ(w->lblMiss->text(), "15"); // a click on the sign is no miss
    w->lblScore->setText("7");
    QTest::mouseClick(w->lblReload, Qt::LeftButton);
    EXPECT_EQ(score(*w), "7");
}

// Catches a wrong sound: the shot sound of the settings, silence with sounds off, and the dry click
// of an empty magazine (sounds off too) that changes nothing else.
TEST_F(Shooting, SoundsOfAShot) {
    hit(*w, 2);
    EXPECT_EQ(rig.fakes.sound.waves(), QStringList{"/opt/plinkard/mchgun.wav"});
    w->chkSounds->setChecked(false);
    for (int i = 0; i < 13; ++i) {
        w->Form_Click();
    }
    EXPECT_EQ(rig.fakes.sound.waves().size(), 1);
    w->imgShoot[7]->show();
    w->imgShoot_Click(7);
    w->Form_Click();
    EXPECT_EQ(rig.fakes.sound.waves().mid(1), QStringList(2, "/opt/plinkard/miss.wav"));
    EXPECT_FALSE(w->imgShoot[7]->isHidden());
    EXPECT_EQ(w->lblMiss->text() + " " + score(*w), QString("13 %1").arg(100 - 13 * 95));
}

// Catches the Too Easy count reset where it must survive: reloads, New Game and level changes.
TEST_F(Shooting, TooEasyCountSurvivesReloadAndNewGame) {
    selectLevel(*w, TooEasy);
    w->Form_Click();
    w->lblReload_Click();
    w->cmdNew_Click();
    selectLevel(*w, Easy);
    selectLevel(*w, TooEasy);
    w->Form_Click();
    EXPECT_EQ(w->bulletsLeft, 13);
}
