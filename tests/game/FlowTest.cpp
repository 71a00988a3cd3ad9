// SPDX-License-Identifier: MIT
#include "GameTestSupport.h"
#include "game/rules/TargetRules.h"
#include "platform/Twips.h"

#include <set>
#include <span>

namespace {
struct Flow : ::testing::Test {
    GameRig rig;
    frmPlinkard &w = rig.start();
    std::vector<ShownBox> &shown = rig.fakes.messages.shown;
    // A tick as the real timer gives it: only while enabled.
    void tickWinScore() { w.tmrWinScore->isEnabled() ? w.tmrWinScore->fire() : void(); }
};
} // namespace

// Catches the clock's pace wrong, or New Game after an hour of play leaving the misses, a counter of the clock or the
// music as they were (the piece opened without a close before it, its spaced name cut), or its button deaf to Enter.
// The score and bullets: the shooting table's penguin rows; the question re-armed: WinningScoreAsksOnce.
TEST_F(Flow, NewGameRestartsTheClockAndTheMusic) {
    w.Form_Click();
    for (int ms = w.tmrTime->interval(); ms <= 3'661'000; ms += w.tmrTime->interval()) { // 1 h 1 min 1 s of play
        w.tmrTime->fire();
    }
    EXPECT_EQ(w.lblTime->text(), "1:1:1");
    rig.forms->settings().txtMidi->setText("/home/pat/My Music/fair ground.mid");
    QTest::keyClick(w.cmdNew, Qt::Key_Return);
    EXPECT_EQ(w.lblMiss->text() + w.lblTime->text() + " " + rig.fakes.sound.calls.last(4).join(u','),
              "00 close mymid,close mymid,open /home/pat/My Music/fair ground.mid mymid,play mymid");
    w.tmrTime->fire();
    EXPECT_EQ(w.lblTime->text(), "0:0:1");
}

// Catches a level's pace or the targets a tick shows or hides changed, motion drawing from only some targets, or a
// target shown off the field or off the grid: ticks on a full field and on an empty one, as the player sees them.
TEST_F(Flow, MotionAsThePlayerSeesIt) {
    std::set<int> appeared, offField, lefts, tops;
    for (const auto &[level, interval, hides] :
         {std::tuple{TooEasy, 300, 1}, {Easy, 200, 6}, {Hard, 100, 7}, {TooHard, 50, 7}}) {
        selectLevel(w, level);
        std::array<long, 2> most{}; // the most a tick hid from a full field, and showed on an empty one
        for (int tick = 0; tick < 1000; ++tick) {
            std::ranges::for_each(w.imgShoot, [&](auto *t) { t->setVisible(tick % 2 == 0 && t != w.imgShoot[0]); });
            w.levelTimer(level)->fire();
            long visible = 0;
            for (int i = 0; i < TargetCount; ++i) {
                const QWidget *t = w.imgShoot.at(static_cast<size_t>(i));
                visible += t->isHidden() ? 0 : 1;
                t->isHidden() || tick % 2 == 0 ? void() : void(appeared.insert(i));
                t->isHidden() || QRect(0, 0, px(5640), px(3735)).contains(t->geometry()) ? void()
                                                                                         : void(offField.insert(i));
            }
            most.at(tick % 2) = std::max(most.at(tick % 2), tick % 2 ? visible : MotionTargetCount - visible);
        }
        EXPECT_EQ(std::tuple(timerFlags(w), w.levelTimer(level)->interval(), most),
                  std::tuple(playingAt(level), interval, std::array<long, 2>{hides, 1}));
    }
    for (const QWidget *t : std::span(w.imgShoot).subspan(1)) { // by now each has moved
        lefts.insert(t->x());
        tops.insert(t->y());
    }
    EXPECT_EQ(std::tuple(appeared.size(), *appeared.begin(), offField.size(), lefts.size(), tops.size()),
              std::tuple(56UL, 1, 0UL, 8UL, 7UL));
    EXPECT_EQ(SeededRandom().next(), SeededRandom().next()); // and every run shows the same, not a clock's seed
}

// Catches the winning-score question asked at an equal score, twice, when switched off, or not re-armed; "No" under
// the penguin's box ending the lost game itself (once, it offered an entry and the penguin started a second new game).
TEST_F(Flow, WinningScoreAsksOnce) {
    frmSettings &settings = rig.forms->settings();
    w.lblScore->setText("1000");
    rig.fakes.messages.during = [&](const ShownBox &) { tickWinScore(); }; // a tick while the question is up
    for (const auto &[noWinning, winning, score, asks] : {std::tuple{false, "1000", "1000", 0U},
                                                          {false, "1000", "1001", 1U},
                                                          {true, "1000", "5000", 0U},
                                                          {false, "", "5000", 0U},
                                                          {false, "499", "500", 1U}}) {
        w.lblScore->text() == "1000" ? void() : w.cmdNew_Click();
        const size_t before = shown.size();
        w.lblScore->setText(score);
        settings.chkWinScore->setChecked(noWinning);
        settings.txtWinScore->setText(winning);
        tickWinScore();
        tickWinScore();
        EXPECT_EQ(shown.size() - before, asks)
            << score << " against " << winning << (noWinning ? ", switched off" : "");
    }
    ASSERT_EQ(shown.size(), 2U);
    EXPECT_EQ(shown[0].prompt + "|" + shown[0].title + "|" + QString::number(shown[0].style) + "|" + shown[0].owner,
              QString("You've reached the winning score!  Do you wish to keep playing?|You made it!|%1|Plinkard")
                  .arg(MsgStyle::YesNo + MsgStyle::Exclamation));
    EXPECT_EQ(w.lblScore->text(), "500"); // "Yes" plays on
    w.cmdNew_Click();
    w.lblScore->setText("500");
    rig.fakes.messages.answers = {MsgResult::No}; // to the question a tick asks under the penguin's box
    rig.fakes.sound.calls.clear();
    hit(w, 28);
    EXPECT_EQ(shown.back().title + " " + w.lblScore->text() +
                  QString::number(rig.fakes.sound.calls.count("play mymid")),
              "You made it! 01"); // one new game: the penguin's
}

// Catches F3 heard away from the panel, a mouse-up on a panel control not giving the panel the focus, another key
// pausing, a pause that halts nothing or that its OK does not end; "No" to the winning score not ending the game: the
// name (typed, its 41st letter refused, then Return; play and music halted behind it) and the table for a good score,
// then a new game; the table not modal (once, shots scored behind it); asked under the pause, play waits for its OK;
// High Scores not showing the file, not halting play and the music until closed, closed by Escape, or deaf to Enter.
TEST_F(Flow, F3PausesOnThePanelAndNoToTheWinningScoreUnderItStartsANewGame) {
    rig.forms->settings().txtWinScore->setText("100");
    w.show();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), w.picPicture); // F3 is heard from the start
    for (QAbstractButton *c :
         w.picPicture->findChildren<QAbstractButton *>()) { // a mouse-up on each panel control, then F3
        c->setFocus();
        QTest::keyClick(c, Qt::Key_F3); // heard by the panel only
        QTest::mouseRelease(c, Qt::LeftButton);
        QApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        EXPECT_EQ(std::exchange(shown, {}).size(), 1U) << "F3 after a mouse-up on " << c->text();
    }
    for (int key = Qt::Key_F1; key <= Qt::Key_F35; key += key == Qt::Key_F2 ? 2 : 1) { // no other key pauses
        QTest::keyClick(w.picPicture, static_cast<Qt::Key>(key));
    }
    QTest::keyClicks(w.picPicture, " 0123456789abcdefghijklmnopqrstuvwxyzR\r\x1b\b"); // none shows a box: 4 in all
    w.lblScore->setText("50000");
    w.lblTime->setText("0:1:15");
    rig.fakes.messages.answers = {MsgResult::No, MsgResult::Ok, MsgResult::No};
    QString sawTable;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            frmScores &table = rig.forms->scores();
            QWidget *target = w.imgShoot[12];
            target->show();
            QTest::mouseClick(w.windowHandle(), Qt::LeftButton, {}, target->mapTo(&w, target->rect().center()));
            sawTable = table.lblScore[0]->text() + " " + table.lblName[0]->text() + " " + w.lblScore->text();
            EXPECT_TRUE(table.isVisible() && !w.tmrTime->isEnabled());
            table.cmdClose->click();
        });
        EXPECT_TRUE(timerFlags(w) == std::vector<bool>(6, false) && rig.fakes.sound.calls.last() == "close mymid");
        QTest::keyClicks(rig.forms->name().txtName, QString(41, u'A'));
        QTest::keyClick(rig.forms->name().txtName, Qt::Key_Return);
    });
    std::vector<bool> underPause;
    rig.fakes.messages.during = [&](const ShownBox &box) {
        box.title == "Paused" ? (tickWinScore(), void(underPause = timerFlags(w))) : void();
    };
    QTest::keyClick(w.picPicture, Qt::Key_F3, Qt::ShiftModifier);
    rig.fakes.messages.during = nullptr;
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(QStringList({shown[0].prompt, shown[0].title, QString::number(shown[0].style), shown[0].owner, sawTable,
                           w.lblScore->text()}),
              QStringList({"Paused.  Press OK to continue.", "Paused", "4096", "Plinkard",
                           "50000 " + QString(40, u'A') + " (0:1:15) 50000", "0"}));
    EXPECT_EQ(underPause, std::vector<bool>({false, false, false, false, false, true}));
    w.lblScore->setText("101");
    tickWinScore(); // a name dialog here would wait for ever
    EXPECT_EQ(w.lblScore->text(), "0");
    w.picPicture_KeyDown(114, 0); // F3 once more: its OK resumes play
    EXPECT_EQ(std::tuple(shown.size(), shown.back().title, timerFlags(w)), std::tuple(4UL, "Paused", playingAt(Easy)));
    QString sawHigh; // the music's last command, the table's last place and whether Escape left it open
    QTimer::singleShot(0, [&] {
        frmScores &table = rig.forms->scores();
        EXPECT_EQ(timerFlags(w), std::vector<bool>(6, false));
        QTest::keyClick(&table, Qt::Key_Escape);
        sawHigh =
            rig.fakes.sound.calls.last() + " " + table.lblName[9]->text() + " " + QString::number(table.isVisible());
        QTest::keyClick(table.cmdClose, Qt::Key_Return);
    });
    QTest::keyClick(w.cmdHigh, Qt::Key_Return);
    EXPECT_EQ(sawHigh, "close mymid Player 10 1");
    EXPECT_EQ(timerFlags(w), playingAt(Easy));
}
