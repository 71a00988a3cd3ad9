// SPDX-License-Identifier: MIT
#include "game/GameTestSupport.h"
#include "settings/StoredSettings.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <climits>
#include <gtest/gtest.h>

using namespace StoredSettings;

namespace {
// Music|shot|winning score|0/1 for No Winning Score, box enabled, speed, points.
QString shown(frmSettings &s) {
    return QStringList({s.txtMidi->text(), s.txtWave->text(), s.txtWinScore->text(), ""}).join('|') +
           QString::number(s.chkWinScore->isChecked()) + QString::number(s.txtWinScore->isEnabled()) +
           QString::number(s.chkChgSpd->isChecked()) + QString::number(s.chkPoints->isChecked());
}

// Opens Settings with a real click; `inside` runs while it is up and must close it.
void whileOpen(GameRig &rig, const std::function<void(frmSettings &)> &inside) {
    QTimer::singleShot(0, [&] { inside(rig.forms->settings()); });
    rig.game().cmdSettings->click();
}
} // namespace

// Catches Okay storing a value from the wrong box or key, a path's case changed, a winning score stored that reads
// back as another, Cancel not re-reading, or play not halted and resumed.
TEST(SettingsWindow, OkayStoresTheSixValuesAndCancelRestores) {
    GameRig rig;
    rig.fakes.files.files.insert("/Music/My B.MID", "data");
    rig.fakes.store.set(Midi, "/music/a.mid");
    frmPlinkard &w = rig.start();
    selectLevel(w, TooEasy);
    EXPECT_EQ(shown(rig.forms->settings()), "/music/a.mid|/opt/plinkard/mchgun.wav|100000000|0111");
    for (const auto &[typed, winning] : {std::pair{"5000", "5000"}, {"12a", "100000000"}, {"12é", "100000000"}}) {
        whileOpen(rig, [&](frmSettings &s) {
            EXPECT_EQ(timerFlags(w), std::vector<bool>(6, false));
            s.txtMidi->setText("/Music/My B.MID");
            s.txtWave->setText("/gone.wav"); // a missing file is stored empty
            s.txtWinScore->setText(QString::fromUtf8(typed));
            s.chkChgSpd->setChecked(false);
            s.chkWinScore->setChecked(true);
            s.cmdOk->click();
        });
        EXPECT_EQ(rig.fakes.store.dump(),
                  "Change Speed=0|Extra Points=1|MIDI=/Music/My B.MID|WAVE=|Win Score=1|Winning Score=" +
                      QString(winning));
    }
    const QStringList music{"open /Music/My B.MID mymid", "play mymid"};
    EXPECT_EQ(rig.fakes.sound.calls.last(2), music);
    EXPECT_EQ(timerFlags(w), playingAt(TooEasy));
    const QString before = rig.fakes.store.dump();
    whileOpen(rig, [&](frmSettings &s) {
        s.txtMidi->setText("/edited.mid");
        s.chkPoints->setChecked(false);
        s.cmdNo->click();
    });
    EXPECT_EQ(rig.fakes.store.dump(), before);
    EXPECT_EQ(rig.fakes.sound.calls.last(2), music);
    EXPECT_EQ(shown(rig.forms->settings()), "/Music/My B.MID||100000000|1001");
    EXPECT_EQ(timerFlags(w), playingAt(TooEasy));
}

// Catches a stored value misread: garbage gives the default (once, "12é" or a tab turned the score off).
TEST(SettingsWindow, StoredValuesTable) {
    const std::vector<std::pair<std::vector<std::pair<QString, QString>>, const char *>> rows{
        {{{WinScore, "yes"}, {ChangeSpeed, "2"}, {ExtraPoints, "-1"}, {WinningScore, "12é"}}, "100000000|0111"},
        {{{WinScore, " 1 "}, {ChangeSpeed, "0\n"}, {ExtraPoints, "0"}, {WinningScore, ""}}, "|1000"},
        {{{WinningScore, "1\t2"}}, "100000000|0111"},
        {{{WinningScore, "0042"}}, "0042|0111"},
    };
    for (const auto &[stored, expected] : rows) {
        GameRig rig;
        for (const auto &[key, value] : stored) {
            rig.fakes.store.set(key, value);
        }
        rig.start();
        EXPECT_EQ(shown(rig.forms->settings()).section('|', 2), QString::fromUtf8(expected)) << expected;
    }
}

// Catches a non-digit let into the winning-score box, or "No Winning Score" not switching the box.
TEST(SettingsWindow, WinningScoreBoxTakesOnlyDigits) {
    GameRig rig;
    rig.start();
    frmSettings &s = rig.forms->settings();
    s.show();
    QApplication::setActiveWindow(&s);
    s.txtWinScore->clear();
    QTest::keyClicks(s.txtWinScore, "1a 2+-.3");
    QTest::keyClick(s.txtWinScore, Qt::Key_Backspace);
    QApplication::clipboard()->setText("4 5");
    s.txtWinScore->paste();
    QApplication::clipboard()->setText("67");
    QTest::keyClick(s.txtWinScore, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(s.txtWinScore->text() + " " + QString::number(rig.fakes.program.beeps), "1267 6");
    QTest::mouseClick(s.chkWinScore, Qt::LeftButton);
    EXPECT_FALSE(s.txtWinScore->isEnabled());
    QTest::mouseClick(s.chkWinScore, Qt::LeftButton);
    EXPECT_TRUE(s.txtWinScore->isEnabled() && s.txtWinScore->hasFocus());
    s.hide();
}

// Catches a long stored value cut to the box's limit and written back cut on Exit (a 100,009-character music
// path lost its end with no word), or a box that takes typing past the longest name a file can have, silently.
TEST(SettingsWindow, LongStoredValuesAreHeldWholeAndTypingStopsAtThePathLimit) {
    const QString path = "/" + QString(100'008, u'm'), digits(40'000, u'9');
    GameRig rig;
    rig.fakes.store.set(Midi, path);
    rig.fakes.store.set(WinningScore, digits);
    frmPlinkard &w = rig.start();
    frmSettings &s = rig.forms->settings();
    s.txtWave->setText(QString(PATH_MAX - 1, u'w'));
    QTest::keyClicks(s.txtWave, "xy");
    EXPECT_EQ(s.txtWinScore->text(), digits);
    EXPECT_EQ(s.txtWave->text().size() * 10 + rig.fakes.program.beeps, PATH_MAX * 10 + 1);
    w.cmdExit->click();
    EXPECT_EQ(rig.fakes.store.values.value("Brindlecot/Plinkard/MIDI"), path);
}
