#include "fakes/GameRig.h"
#include "platform/ClickLabel.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {
QRect twipsRect(int l, int t, int w, int h) { return {qRound(l / 15.0), qRound(t / 15.0), qRound(w / 15.0), qRound(h / 15.0)}; }
} // namespace

// The window a player first sees: layout, captions and what runs.
TEST(MainWindow, HasItsSizeCaptionAndPanel) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Plinkard"));
    EXPECT_EQ(w.size(), QSize(376, 322));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(w.picPicture->geometry(), twipsRect(0, 3735, 5655, 1185));
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(0xA7, 0xDC, 0xE0));
    EXPECT_EQ(w.picPicture->palette().color(QPalette::Window), QColor(0, 0, 0x80));
}

TEST(MainWindow, PanelControlsCarryTheirCaptionsAndPlaces) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    struct Expect {
        QWidget *control;
        const char *caption;
        QPoint at;
    };
    auto text = [](QWidget *c) {
        if (auto *l = qobject_cast<QLabel *>(c)) {
            return l->text();
        }
        return qobject_cast<QAbstractButton *>(c)->text();
    };
    const std::vector<Expect> expected{
        {w.Label1, "Score:", {4, 4}},       {w.lblScore, "0", {49, 4}},       {w.Label2, "Misses:", {4, 18}},
        {w.lblMiss, "0", {49, 18}},         {w.Label4, "Time:", {4, 33}},     {w.lblTime, "0:0:0", {49, 33}},
        {w.lblReload, "", {4, 51}},         {w.optLevel[0], "Too Easy", {140, 7}},
        {w.optLevel[1], "Easy", {209, 7}},  {w.optLevel[2], "Hard", {256, 7}}, {w.optLevel[3], "Too Hard", {303, 7}},
        {w.chkMusic, "Music On/Off", {157, 25}}, {w.chkSounds, "Sounds On/Off", {253, 25}},
        {w.cmdNew, "New Game", {128, 45}},  {w.cmdSettings, "Settings", {199, 45}},
        {w.cmdHigh, "High Scores", {255, 45}}, {w.cmdExit, "E&xit", {329, 45}},
    };
    for (const Expect &e : expected) {
        EXPECT_EQ(text(e.control), QString::fromLatin1(e.caption));
        EXPECT_EQ(e.control->pos(), e.at) << e.caption;
        EXPECT_EQ(e.control->parentWidget(), w.picPicture) << e.caption;
    }
    for (QLabel *counter : {w.hour, w.minute, w.second}) {
        EXPECT_EQ(counter->text(), QStringLiteral("0"));
        EXPECT_TRUE(counter->isHidden());
    }
    EXPECT_TRUE(w.optLevel[1]->isChecked());
    EXPECT_TRUE(w.chkMusic->isChecked());
    EXPECT_TRUE(w.chkSounds->isChecked());
    EXPECT_EQ(w.lblFlash->text(), QStringLiteral("RELOAD"));
    EXPECT_TRUE(w.lblFlash->isHidden());
    EXPECT_EQ(w.lblFlash->geometry(), twipsRect(2040, 1620, 1560, 420));
}

TEST(MainWindow, TargetsAndBulletsStartInPlace) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    ASSERT_EQ(w.imgShoot.size(), 57U);
    for (ImageControl *t : w.imgShoot) {
        EXPECT_TRUE(t->isHidden());
        EXPECT_EQ(t->size(), QSize(32, 32));
    }
    EXPECT_EQ(w.imgShoot[0]->pos(), QPoint(151, 109));
    EXPECT_EQ(w.imgShoot[56]->pos(), QPoint(151, 110));
    EXPECT_EQ(w.imgShoot[9]->pos(), QPoint(333, 176));
    EXPECT_EQ(w.imgShoot[28]->picture(), w.imgShoot[34]->picture());
    EXPECT_EQ(w.imgShoot[28]->picture(), w.imgShoot[56]->picture());
    EXPECT_NE(w.imgShoot[1]->picture(), w.imgShoot[2]->picture());
    for (int i = 0; i < 14; ++i) {
        EXPECT_FALSE(w.imgBullet[i]->isHidden());
        EXPECT_EQ(w.imgBullet[i]->geometry(), twipsRect(105 + 120 * i, 720, 75, 285));
    }
}

TEST(MainWindow, TimersStartWithTheirIntervals) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    const std::vector<std::tuple<Timer *, int, bool>> timers{
        {w.tmrVeryEasy, 300, false}, {w.tmrEasy, 200, true}, {w.tmrHard, 100, false},
        {w.tmrVeryHard, 50, false},  {w.tmrTime, 1000, true}, {w.tmrWinScore, 500, true},
    };
    for (const auto &[timer, interval, enabled] : timers) {
        EXPECT_EQ(timer->interval(), interval);
        EXPECT_EQ(timer->isEnabled(), enabled);
    }
    EXPECT_EQ(w.bulletsLeft, 14);
    EXPECT_EQ(w.easyShotCount, 0);
}

TEST(MainWindow, PanelHoldsTheFocusWhenShown) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    w.show();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), w.picPicture);
    w.hide();
}
