#include "fakes/GameRig.h"
#include "game/Ammunition.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "platform/QSettingsStore.h"
#include "platform/Timer.h"
#include "scores/frmScores.h"
#include "settings/StoredSettings.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QByteArray numbered(int from, int count) {
    QByteArray data;
    for (int i = 0; i < count; ++i) {
        data += QByteArray::number(from + i) + '\n';
    }
    return data;
}
} // namespace

// Catches an odd score file ending the game or shown wrongly: each starts it, and the table shows line 4
// as place 1 and line 25 as the tenth name, byte for byte as Latin-1.
TEST(BadInput, OddScoreFilesStartTheGame) {
    const QByteArray binary("\x00\x01\xff\r\x7f\r\n\r\x00\x80\xa0\xe9 99\r\x00\xfe", 18);
    const std::vector<std::tuple<const char *, QByteArray, qsizetype, QString, QString>> rows{
        {"empty", {}, 0, "", ""},
        {"short", numbered(1, 8), 8, "4", ""},
        {"binary", binary, 5, QString::fromLatin1(QByteArray("\x00\x80\xa0\xe9 99", 7)), ""},
        {"huge", numbered(1'000'000, 1'000'000), 1'000'000, "1000003", "1000024"},
    };
    for (const auto &[name, bytes, lines, place1, name10] : rows) {
        GameRig rig;
        rig.fakes.files.files.insert("/opt/plinkard/scores.dat", bytes);
        rig.start();
        EXPECT_FALSE(rig.fakes.program.endedWith.has_value()) << name;
        EXPECT_EQ(rig.mod.ScoreLines.size(), lines) << name;
        frmScores &table = rig.forms->scores();
        table.fill(rig.mod.ScoreLines);
        EXPECT_EQ(table.lblScore[0]->text(), place1) << name;
        EXPECT_EQ(table.lblName[9]->text(), name10) << name;
    }
}

// Catches a pause that lets a repeat through or resumes the wrong level: F3 held down pauses once per
// repeat, with the clock and motion stopped each time, and play goes on at the selected level.
TEST(BadInput, F3HeldDownPausesOncePerRepeat) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    w.optLevel[Hard]->setChecked(true);
    w.show();
    QApplication::setActiveWindow(&w);
    int stopped = 0;
    rig.fakes.messages.during = [&](const ShownBox &box) {
        stopped += box.title == "Paused" && !w.tmrTime->isEnabled() && !w.tmrHard->isEnabled() ? 1 : 0;
    };
    for (int i = 0; i < 30; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F3, Qt::NoModifier, QString(), i > 0);
        QCoreApplication::sendEvent(w.picPicture, &repeat);
    }
    EXPECT_EQ(stopped, 30);
    EXPECT_TRUE(w.tmrTime->isEnabled() && w.tmrHard->isEnabled() && !w.tmrEasy->isEnabled());
}

// Catches a double click counted twice on the target: the first click hits it, the second is a miss.
TEST(BadInput, DoubleClickOnATargetIsAHitThenAMiss) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ImageControl *target = w.imgShoot[5];
    target->move(100, 100);
    target->show();
    QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, target->geometry().center());
    EXPECT_TRUE(target->isHidden());
    EXPECT_EQ(w.lblScore->text() + " " + w.lblMiss->text(), "5 1");
    EXPECT_EQ(w.bulletsLeft, MagazineSize - 2);
}

// Catches a store that cannot start from nothing: reads give defaults, the first write makes the folder.
TEST(BadInput, MissingSettingsFolderIsCreatedOnFirstWrite) {
    using namespace StoredSettings;
    QTemporaryDir dir;
    QSettingsStore store(dir.filePath("not/yet/there"));
    EXPECT_EQ(store.read(App, Section, Midi, "default"), "default");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("not")));
    store.write(App, Section, Midi, "/music/a.mid");
    EXPECT_EQ(store.read(App, Section, Midi, "default"), "/music/a.mid");
}
