#include "GameTestSupport.h"
#include "platform/PictureBox.h"
#include "scores/frmName.h"
#include "scores/frmScores.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct Flow : ::testing::Test {
    GameRig rig;
    frmPlinkard *w = nullptr;
    void SetUp() override { w = &rig.start(); }
    FakeMessageBoxes &boxes() { return rig.fakes.messages; }
    void tickClock(int n) {
        for (int i = 0; i < n; ++i) {
            w->tmrTime_Timer();
        }
    }
};

const std::vector<bool> PlayingAt(int level) {
    std::vector<bool> flags(6, false);
    flags.at(static_cast<size_t>(level)) = true;
    flags[4] = flags[5] = true;
    return flags;
}
} // namespace

// Exactly the selected level's motion timer runs after a level change.
TEST_F(Flow, LevelOptionsSwitchTheMotionTimers) {
    for (const int level : {TooHard, TooEasy, Hard, Easy}) {
        selectLevel(*w, level);
        EXPECT_EQ(timerFlags(*w), PlayingAt(level));
    }
    const auto before = timerFlags(*w);
    w->optLevel_Click(7);
    EXPECT_EQ(timerFlags(*w), before);
}

// New Game resets the counters and the magazine, re-arms the winning score and restarts the music.
TEST_F(Flow, NewGameResetsCountersKeepsLevelAndField) {
    selectLevel(*w, TooHard);
    w->Form_Click();
    hit(*w, 1);
    tickClock(5);
    w->imgShoot[9]->show();
    w->tmrWinScore->setEnabled(false);
    rig.fakes.sound.calls.clear();
    w->cmdNew_Click();
    for (QLabel *counter : {w->lblScore, w->lblMiss, w->lblTime, w->hour, w->minute, w->second}) {
        EXPECT_EQ(counter->text(), "0");
    }
    EXPECT_EQ(w->bulletsLeft, 14);
    EXPECT_EQ(timerFlags(*w), PlayingAt(TooHard));
    EXPECT_FALSE(w->imgShoot[9]->isHidden());
    EXPECT_EQ(rig.fakes.sound.calls,
              QStringList({"close mymid", "close mymid", "open /opt/plinkard/snot.mid mymid", "play mymid"}));
    tickClock(1);
    EXPECT_EQ(w->lblTime->text(), "0:0:1");

    w->chkMusic->setChecked(false);
    rig.fakes.sound.calls.clear();
    w->cmdNew_Click();
    EXPECT_TRUE(rig.fakes.sound.calls.isEmpty());
}

// The clock rolls over at 60 seconds and 60 minutes.
TEST_F(Flow, ClockShowsHoursMinutesSeconds) {
    tickClock(59);
    EXPECT_EQ(w->lblTime->text(), "0:0:59");
    tickClock(1);
    EXPECT_EQ(w->lblTime->text(), "0:1:0");
    tickClock(3540);
    EXPECT_EQ(w->lblTime->text(), "1:0:0");
}

// F3 pauses with a system-modal box and restores exactly the selected level's timer.
TEST_F(Flow, PauseHaltsAndResumesTheSelectedLevel) {
    std::vector<bool> during;
    boxes().during = [&](const ShownBox &) { during = timerFlags(*w); };
    for (const int shift : {0, 1, 2}) {
        boxes().shown.clear();
        w->picPicture_KeyDown(114, shift);
        ASSERT_EQ(boxes().shown.size(), 1U);
        EXPECT_EQ(boxes().shown[0].prompt, "Paused.  Press OK to continue.");
        EXPECT_EQ(boxes().shown[0].title, "Paused");
        EXPECT_EQ(boxes().shown[0].style, 4096);
        EXPECT_EQ(during, std::vector<bool>({false, false, false, false, false, true}));
        EXPECT_EQ(timerFlags(*w), PlayingAt(Easy));
    }
    // A speed target just before the pause: its level is the one that resumes.
    hit(*w, 21);
    w->picPicture_KeyDown(114, 0);
    EXPECT_EQ(timerFlags(*w), PlayingAt(TooHard));
    boxes().shown.clear();
    w->picPicture_KeyDown(113, 0);
    w->picPicture_KeyDown(27, 0);
    EXPECT_TRUE(boxes().shown.empty());
}

// A real F3 on the panel pauses; after a click on a panel button the panel has the focus again.
TEST_F(Flow, FocusReturnsToThePanelAfterMouseUp) {
    w->show();
    QApplication::setActiveWindow(w);
    QTest::keyClick(w->picPicture, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(boxes().shown.size(), 1U);
    for (QWidget *control : std::initializer_list<QWidget *>{w->cmdNew, w->chkSounds, w->optLevel[2], w->chkMusic}) {
        control->setFocus();
        QTest::mouseClick(control, Qt::LeftButton);
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), w->picPicture);
    }
    EXPECT_TRUE(w->optLevel[2]->isChecked());
    w->hide();
}

// F3 while a control holds the focus passes up to the panel unused: it must not pause.
TEST_F(Flow, F3AwayFromThePanelDoesNothing) {
    w->show();
    QApplication::setActiveWindow(w);
    QTest::keyClick(w->picPicture, Qt::Key_Tab);
    QWidget *tabbed = QApplication::focusWidget();
    ASSERT_NE(tabbed, w->picPicture);
    for (QWidget *control : std::initializer_list<QWidget *>{tabbed, w->cmdNew, w->chkMusic}) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_F3);
    }
    EXPECT_TRUE(boxes().shown.empty());
    w->hide();
}

// The winning score: equal is not enough, above asks once, answered it stays quiet until re-armed.
TEST_F(Flow, WinningScoreAsksOnceUntilRearmed) {
    frmSettings &settings = rig.forms->settings();
    settings.txtWinScore->setText("1000");
    w->lblScore->setText("1000");
    w->tmrWinScore_Timer();
    EXPECT_TRUE(boxes().shown.empty());
    w->lblScore->setText("1001");
    int nested = 0;
    boxes().during = [&](const ShownBox &) {
        // The timer ticks again while its own box is open.
        w->tmrWinScore->fire();
        ++nested;
    };
    w->tmrWinScore->fire();
    boxes().during = nullptr;
    ASSERT_EQ(boxes().shown.size(), 1U);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(boxes().shown[0].prompt, "You've reached the winning score!  Do you wish to keep playing?");
    EXPECT_EQ(boxes().shown[0].title, "You made it!");
    EXPECT_EQ(boxes().shown[0].style, 52);
    EXPECT_FALSE(w->tmrWinScore->isEnabled());
    EXPECT_EQ(score(*w), "1001");

    // New Game re-arms it; the next game must pass the score again.
    w->cmdNew_Click();
    EXPECT_TRUE(w->tmrWinScore->isEnabled());
    w->tmrWinScore_Timer();
    EXPECT_EQ(boxes().shown.size(), 1U);

    // No winning score while its box is checked, or when the box is empty.
    w->lblScore->setText("5000");
    settings.chkWinScore->setChecked(true);
    w->tmrWinScore_Timer();
    settings.chkWinScore->setChecked(false);
    settings.txtWinScore->setText("");
    w->tmrWinScore_Timer();
    EXPECT_EQ(boxes().shown.size(), 1U);

    // Negative scores compare as negative numbers; long winning scores compare exactly.
    settings.txtWinScore->setText("-100");
    w->lblScore->setText("-95");
    w->tmrWinScore_Timer();
    EXPECT_EQ(boxes().shown.size(), 2U);
    w->tmrWinScore->setEnabled(true);
    settings.txtWinScore->setText("922337203685477580799999");
    w->lblScore->setText("9223372036854775807");
    w->tmrWinScore_Timer();
    EXPECT_EQ(boxes().shown.size(), 2U);
}

// "No" ends the game: a score for the table gets the name dialog, then the table, then a new game.
TEST_F(Flow, NoToTheWinningScoreEntersTheScoreAndStartsANewGame) {
    rig.forms->settings().txtWinScore->setText("100");
    w->lblScore->setText("50000");
    tickClock(75);
    boxes().answers = {MsgResult::No};
    bool sawTable = false;
    QTimer::singleShot(0, [&] {
        frmName &entry = rig.forms->name();
        entry.txtName->setText("Ada");
        QTimer::singleShot(0, [&] {
            frmScores &table = rig.forms->scores();
            sawTable = table.isVisible() && table.lblScore[0]->text() == "50000" &&
                       table.lblName[0]->text() == "Ada (0:1:15)" && !w->tmrTime->isEnabled();
            table.cmdClose->click();
        });
        entry.cmdOkay->click();
    });
    w->tmrWinScore_Timer();
    EXPECT_TRUE(sawTable);
    EXPECT_EQ(score(*w), "0");
    EXPECT_EQ(timerFlags(*w), PlayingAt(Easy));
    EXPECT_FALSE(rig.forms->isScoresLoaded());

    // Closed without Okay: nothing entered, play resumes, a new game starts.
    w->lblScore->setText("50000");
    w->tmrWinScore->setEnabled(true);
    boxes().answers = {MsgResult::No};
    QTimer::singleShot(0, [&] { rig.forms->name().close(); });
    w->tmrWinScore_Timer();
    EXPECT_FALSE(rig.forms->isScoresLoaded());
    EXPECT_EQ(score(*w), "0");
    EXPECT_EQ(timerFlags(*w), PlayingAt(Easy));

    // A score too low for the table goes straight to the new game.
    w->lblScore->setText("101");
    w->tmrWinScore->setEnabled(true);
    boxes().answers = {MsgResult::No};
    w->tmrWinScore_Timer();
    EXPECT_FALSE(rig.forms->isNameLoaded());
    EXPECT_EQ(score(*w), "0");
}

// Every close of the main window saves the four settings in order and unloads the other windows.
TEST_F(Flow, ClosingSavesFourSettingsAndUnloadsTheOthers) {
    w->chkSounds->setChecked(false);
    (void)rig.forms->name();
    rig.fakes.sound.calls.clear();
    w->cmdExit_Click();
    EXPECT_EQ(rig.fakes.store.writes, QStringList({"MIDI=/opt/plinkard/snot.mid", "WAVE=/opt/plinkard/mchgun.wav",
                                                   "MIDI ON-OFF=1", "WAVE ON-OFF=0"}));
    EXPECT_FALSE(rig.forms->isSettingsLoaded());
    EXPECT_FALSE(rig.forms->isNameLoaded());
    EXPECT_EQ(rig.fakes.sound.calls.last(), "close mymid");
}

TEST(FlowClose, CloseBoxSavesLikeExit) {
    GameRig rig;
    rig.fakes.store.set("MIDI", "/music/My Song.mid");
    frmPlinkard &w = rig.start();
    w.chkMusic->setChecked(false);
    w.show();
    w.close();
    EXPECT_EQ(rig.fakes.store.writes, QStringList({"MIDI=/music/My Song.mid", "WAVE=/opt/plinkard/mchgun.wav",
                                                   "MIDI ON-OFF=0", "WAVE ON-OFF=1"}));
}
