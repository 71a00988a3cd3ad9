// SPDX-License-Identifier: MIT
#include "game/GameTestSupport.h"

// Catches the table not halting play, Command1 ignoring the typed name, or Escape closing it.
TEST(ScoresWindow, HighScoresShowsTheFileAndHaltsPlayUntilClosed) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    selectLevel(w, Hard);
    w.lblScore->setText("8500");
    w.lblTime->setText("0:12:5");
    rig.fakes.sound.calls.clear();
    QStringList seen;
    for (int opening = 0; opening < 2; ++opening) {
        QTimer::singleShot(0, [&] {
            frmScores &table = rig.forms->scores();
            EXPECT_EQ(timerFlags(w), std::vector<bool>(6, false));
            seen << table.lblScore[2]->text() + " " + table.lblName[2]->text() + " " + table.lblName[9]->text();
            rig.forms->name().txtName->setText(QString(50, u'W'));
            table.Command1->click();
            seen << table.lblScore[2]->text() + " " + table.lblName[2]->text() + " " + table.lblName[9]->text();
            QTest::keyClick(&table, Qt::Key_Escape);
            EXPECT_TRUE(table.isVisible());
            table.cmdClose->click();
        });
        w.cmdHigh->click();
    }
    const QString entered = "8500 " + QString(40, u'W') + " (0:12:5) Player 9";
    EXPECT_EQ(seen, QStringList({"8000 Player 3 Player 10", entered, "8000 Player 3 Player 10", entered}));
    EXPECT_EQ(rig.fakes.sound.calls.mid(0, 2), QStringList({"close mymid", "close mymid"}));
    EXPECT_EQ(timerFlags(w), playingAt(Hard));
}
