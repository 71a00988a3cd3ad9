#include "GameTestSupport.h"
#include "rules/ShotTable.h"

#include <QTest>
#include <gtest/gtest.h>

// Catches a step of the hit or miss handler left out or done in the wrong order, or shown wrongly: the
// rules' table played on the real window.
TEST(Shooting, EveryRowOfTheTableOnTheWindow) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    frmSettings &settings = rig.forms->settings();
    QString scoreDuringBox;
    rig.fakes.messages.during = [&](const ShownBox &) { scoreDuringBox = w.lblScore->text(); };
    for (const ShotRow &r : ShotTable) {
        settings.chkChgSpd->setChecked(r.chgSpd);
        settings.chkPoints->setChecked(r.points);
        w.cmdNew_Click();
        selectLevel(w, Easy);
        for (int i = 0; i < MagazineSize - r.bulletsBefore; ++i) {
            w.Form_Click(); // one bullet a shot at Easy
        }
        selectLevel(w, r.level);
        w.lblScore->setText("0");
        w.lblMiss->setText("0");
        w.easyShotCount = static_cast<int16_t>(r.easyBefore);
        rig.fakes.messages.shown.clear();
        const auto row = ::testing::Message() << "level " << r.level << " target " << r.index;
        r.index == Miss ? w.Form_Click() : hit(w, r.index);
        ASSERT_EQ(rig.fakes.messages.shown.size(), r.penguinMessage ? 1U : 0U) << row;
        if (r.penguinMessage) {
            const ShownBox &box = rig.fakes.messages.shown[0];
            EXPECT_EQ(box.prompt + "|" + box.title, "You loose!  Don't shoot the Linux Penguin!|Oops!");
            EXPECT_EQ(scoreDuringBox, QString::number(r.scoreDelta)) << row;
            EXPECT_EQ(w.lblScore->text() + " " + QString::number(w.bulletsLeft), "0 14") << row; // a new game
            continue;
        }
        EXPECT_EQ(w.lblScore->text(), QString::number(r.scoreDelta)) << row;
        EXPECT_EQ(w.lblMiss->text(), r.index == Miss ? "1" : "0") << row;
        int bulletsShown = 0;
        for (const ImageControl *b : w.imgBullet) {
            bulletsShown += b->isHidden() ? 0 : 1;
        }
        EXPECT_EQ(QString("%1 %2").arg(w.bulletsLeft).arg(bulletsShown), QString("%1 %1").arg(r.bulletsAfter)) << row;
        EXPECT_EQ(w.lblFlash->isHidden(), r.bulletsAfter > 0) << row;
        EXPECT_EQ(w.lblReload->text(), r.bulletsAfter > 0 ? "" : "CLICK TO RELOAD") << row;
        EXPECT_TRUE(w.levelTimer(r.levelAfter)->isEnabled() &&
                    w.optLevel.at(static_cast<size_t>(r.levelAfter))->isChecked())
            << row;
    }
}

// Catches a click routed to the wrong handler or a double click counted twice: real mouse events on a
// target, the field, a bullet and the sign; then the shot sounds, and the dry click of an empty magazine.
TEST(Shooting, RealClicksAndTheirSounds) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ImageControl *target = w.imgShoot[5];
    target->move(100, 100);
    target->show();
    QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, target->geometry().center());
    EXPECT_TRUE(target->isHidden());
    EXPECT_EQ(w.lblScore->text() + " " + w.lblMiss->text(), "5 1"); // a hit, then the field beneath
    QTest::mouseClick(w.imgBullet[0], Qt::LeftButton);
    EXPECT_EQ(w.bulletsLeft, MagazineSize);
    w.chkSounds->setChecked(false);
    for (int i = 0; i < MagazineSize; ++i) {
        w.Form_Click();
    }
    hit(w, 7);
    EXPECT_FALSE(w.imgShoot[7]->isHidden());
    EXPECT_EQ(rig.fakes.sound.waves(),
              QStringList({"/opt/plinkard/mchgun.wav", "/opt/plinkard/mchgun.wav", "/opt/plinkard/miss.wav"}));
    QTest::mouseClick(w.lblFlash, Qt::LeftButton);
    EXPECT_EQ(w.lblMiss->text() + " " + QString::number(w.bulletsLeft), "15 14"); // the sign is no miss
    w.hide();
}
