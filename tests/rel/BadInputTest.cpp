#include "fakes/GameRig.h"
#include "game/Ammunition.h"
#include "platform/ClickLabel.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "platform/QSettingsStore.h"
#include "platform/QtFiles.h"
#include "platform/Timer.h"
#include "scores/HighScoreTable.h"
#include "settings/StoredSettings.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct BadInput : ::testing::Test {
    GameRig rig;
    QString scorePath() const { return rig.fakes.files.folder + QStringLiteral("/scores.dat"); }
    int boxes(const QString &title) const {
        int n = 0;
        for (const ShownBox &b : rig.fakes.messages.shown) {
            n += b.title == title ? 1 : 0;
        }
        return n;
    }
};

std::vector<bool> motionFlags(const frmPlinkard &w) {
    return {w.tmrVeryEasy->isEnabled(), w.tmrEasy->isEnabled(), w.tmrHard->isEnabled(), w.tmrVeryHard->isEnabled()};
}
} // namespace

// A score file of a million lines starts the game like any other and the table takes its fixed lines.
TEST_F(BadInput, HugeScoreFileIsReadWhole) {
    QByteArray huge;
    huge.reserve(1'000'000 * 8);
    for (int i = 0; i < 1'000'000; ++i) {
        huge += QByteArray::number(1'000'000 + i) + '\n';
    }
    rig.fakes.files.files.insert(scorePath(), huge);
    rig.start();
    EXPECT_FALSE(rig.fakes.program.endedWith.has_value());
    EXPECT_EQ(boxes(QStringLiteral("Error!")), 0);
    ASSERT_EQ(rig.mod.ScoreLines.size(), 1'000'000);
    const ScoreTable table = tableFromLines(rig.mod.ScoreLines);
    EXPECT_EQ(table[0].score, QStringLiteral("1000003"));
    EXPECT_EQ(table[9].name, QStringLiteral("1000024"));

    // The real file service reads such a file whole as well.
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("scores.dat")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(huge), huge.size());
    file.close();
    QtFiles files;
    const auto read = files.readAll(file.fileName());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->size(), huge.size());
}

// NUL bytes, control bytes and bytes above 127 in the score file: start-up passes and every byte
// shows as its Latin-1 character; a lone CR ends a line.
TEST_F(BadInput, BinaryScoreFileStartsAndShowsItsBytes) {
    const QByteArray binary("\x00\x01\xff\r\x7f\r\n\r\x00\x80\xa0\xe9 99\r\x00\xfe", 18);
    rig.fakes.files.files.insert(scorePath(), binary);
    rig.start();
    EXPECT_FALSE(rig.fakes.program.endedWith.has_value());
    const QStringList &lines = rig.mod.ScoreLines;
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QString::fromLatin1(QByteArray("\x00\x01\xff", 3)));
    EXPECT_EQ(lines[3], QString::fromLatin1(QByteArray("\x00\x80\xa0\xe9 99", 7)));
    EXPECT_EQ(lines[4], QString::fromLatin1(QByteArray("\x00\xfe", 2)));
    // Place 1 is line 4; a text that is not a number ranks below any score entered.
    ScoreTable table = tableFromLines(lines);
    EXPECT_EQ(table[0].score, lines[3]);
    EXPECT_TRUE(insertScore(table, QStringLiteral("-5"), QStringLiteral("Ann")));
    EXPECT_EQ(table[0].score, QStringLiteral("-5"));
}

// F3 held down repeats the key: every repeat that reaches the panel pauses once, the clock and the
// motion stay stopped while its box is open, and afterwards play runs at the selected level.
TEST_F(BadInput, F3HeldDownPausesOncePerRepeat) {
    frmPlinkard &w = rig.start();
    w.optLevel[Hard]->setChecked(true);
    w.show();
    QApplication::setActiveWindow(&w);
    int whilePaused = 0;
    rig.fakes.messages.during = [&](const ShownBox &) {
        whilePaused += !w.tmrTime->isEnabled() && motionFlags(w) == std::vector<bool>(4, false) ? 1 : 0;
    };
    for (int i = 0; i < 30; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F3, Qt::NoModifier, QString(), i > 0);
        QCoreApplication::sendEvent(w.picPicture, &repeat);
    }
    EXPECT_EQ(boxes(QStringLiteral("Paused")), 30);
    EXPECT_EQ(whilePaused, 30);
    EXPECT_TRUE(w.tmrTime->isEnabled());
    EXPECT_TRUE(w.tmrWinScore->isEnabled());
    EXPECT_EQ(motionFlags(w), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(w.lblTime->text(), QStringLiteral("0:0:0"));
}

// Clicks faster than the ticks: each is a whole shot, so twenty clicks between two ticks empty the
// magazine once, then only click dry; the sign and prompt show once it is empty.
TEST_F(BadInput, ClicksFasterThanTheTicks) {
    frmPlinkard &w = rig.start();
    for (int i = 0; i < 20; ++i) {
        w.Form_Click();
    }
    EXPECT_EQ(w.bulletsLeft, 0);
    EXPECT_EQ(w.lblMiss->text(), QStringLiteral("14"));
    EXPECT_EQ(w.lblScore->text(), QStringLiteral("-1330"));
    EXPECT_FALSE(w.lblFlash->isHidden());
    EXPECT_EQ(w.lblReload->text(), QStringLiteral("CLICK TO RELOAD"));
    EXPECT_EQ(rig.fakes.sound.waves().count(rig.mod.AppFolder + QStringLiteral("miss.wav")), 6);
    // A motion tick afterwards changes none of it.
    w.tmrEasy_Timer();
    EXPECT_EQ(w.bulletsLeft, 0);
    EXPECT_EQ(w.lblMiss->text(), QStringLiteral("14"));
}

// A double click on a target: the first click hits and hides it, so the second lands on the field
// beneath and counts as a miss.
TEST_F(BadInput, DoubleClickOnATargetIsAHitThenAMiss) {
    frmPlinkard &w = rig.start();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ImageControl *target = w.imgShoot[5];
    target->move(100, 100);
    target->show();
    const QPoint centre = target->geometry().center();
    QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_TRUE(target->isHidden());
    EXPECT_EQ(w.lblScore->text(), QStringLiteral("5"));
    EXPECT_EQ(w.lblMiss->text(), QStringLiteral("1"));
    EXPECT_EQ(w.bulletsLeft, MagazineSize - 2);
}

// A configuration folder that does not exist yet: reads give the defaults and create nothing,
// the first write makes the folder and the file.
TEST_F(BadInput, MissingSettingsFolderIsCreatedOnFirstWrite) {
    using namespace StoredSettings;
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("not/yet/there"));
    QSettingsStore store(folder);
    EXPECT_EQ(store.read(App, Section, Midi, QStringLiteral("default")), QStringLiteral("default"));
    EXPECT_FALSE(QFileInfo::exists(folder));
    store.write(App, Section, Midi, QStringLiteral("/music/a.mid"));
    EXPECT_TRUE(QFileInfo(store.fileFor(App)).isFile());
    EXPECT_EQ(store.read(App, Section, Midi, QStringLiteral("default")), QStringLiteral("/music/a.mid"));
}
