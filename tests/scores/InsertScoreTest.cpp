#include "fakes/GameRig.h"
#include "scores/frmName.h"
#include "scores/frmScores.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

// Catches the wrong name box, clock or score read by Command1: with no name typed the entry starts with
// the blank, and the name box keeps 40 characters.
TEST(EnterScore, Command1UsesTheNameBoxTheScoreAndTheClock) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    frmScores &table = rig.forms->scores();
    table.fill(rig.mod.ScoreLines);
    w.lblScore->setText("8500");
    w.lblTime->setText("0:12:5");
    table.Command1->click();
    EXPECT_EQ(table.lblScore[2]->text() + table.lblName[2]->text(), "8500 (0:12:5)");
    EXPECT_EQ(table.lblScore[3]->text(), "8000");
    ASSERT_TRUE(rig.forms->isNameLoaded());
    EXPECT_FALSE(rig.forms->name().isVisible());
    rig.forms->name().txtName->setText(QString(50, u'W'));
    table.Command1->click();
    EXPECT_EQ(table.lblName[3]->text(), QString(40, u'W') + " (0:12:5)");
}

// Catches Enter not reaching the default "Okay": the typed name goes into the table, which then shows.
TEST(EnterScore, EnterInTheNameDialogPressesOkay) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    w.lblScore->setText("5500");
    frmName &entry = rig.forms->name();
    entry.show();
    QApplication::setActiveWindow(&entry);
    QTest::keyClicks(entry.txtName, "Dot");
    QTest::keyClick(entry.txtName, Qt::Key_Return);
    ASSERT_TRUE(rig.forms->isScoresLoaded());
    EXPECT_TRUE(rig.forms->scores().isVisible());
    EXPECT_EQ(rig.forms->scores().lblName[5]->text(), "Dot (0:0:0)");
    rig.forms->scores().close();
}
