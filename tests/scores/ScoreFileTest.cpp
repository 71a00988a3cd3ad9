#include "fakes/GameRig.h"
#include "platform/QtFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Catches a start-up that reads the wrong file or drops lines: every line of scores.dat is kept.
TEST(StartUpCheck, KeepsEveryLineOfTheFileBesideTheProgram) {
    GameRig rig;
    QByteArray data;
    for (int i = 1; i <= 30; ++i) {
        data += "line " + QByteArray::number(i) + "\r\n";
    }
    rig.fakes.files.files["/opt/plinkard/scores.dat"] = data;
    rig.fakes.files.files["/elsewhere/scores.dat"] = "x";
    rig.start();
    EXPECT_EQ(rig.mod.ScoreLines.size(), 30);
    EXPECT_EQ(rig.mod.ScoreLines.last(), "line 30");
    EXPECT_TRUE(rig.fakes.messages.shown.empty());
}

// Catches a missing or unreadable file let through, or settings saved on the way out: one box, the end.
TEST(StartUpCheck, MissingOrUnreadableFileEndsTheProgram) {
    for (const bool missing : {true, false}) {
        GameRig rig;
        if (missing) {
            rig.fakes.files.files.remove("/opt/plinkard/scores.dat");
        } else {
            rig.fakes.files.unreadable << "/opt/plinkard/scores.dat";
        }
        rig.start();
        ASSERT_EQ(rig.fakes.messages.shown.size(), 1U);
        const ShownBox &box = rig.fakes.messages.shown.front();
        EXPECT_EQ(
            box.prompt + "|" + box.title + "|" + QString::number(box.style),
            "Error!  scores.dat was not found.  Plinkard high scores will not operate with out this file.|Error!|48");
        EXPECT_TRUE(rig.fakes.program.endedWith.has_value());
        EXPECT_TRUE(rig.fakes.store.writes.isEmpty());
    }
}

// Catches the real file service taking a folder or a failing read for the score file.
TEST(StartUpCheck, OnlyAReadableOrdinaryFileCounts) {
    QTemporaryDir dir;
    QtFiles files;
    const QString path = dir.filePath("scores.dat");
    EXPECT_FALSE(files.isRegularFile(path));
    ASSERT_TRUE(QDir(dir.path()).mkdir("scores.dat"));
    EXPECT_FALSE(files.isRegularFile(path));
    ASSERT_TRUE(QDir(dir.path()).rmdir("scores.dat"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("1\r\n\xe9") == 4);
    file.close();
    EXPECT_TRUE(files.isRegularFile(path));
    EXPECT_EQ(files.readAll(path), QByteArray("1\r\n\xe9"));
    // procfs refuses reads at address 0, so this read fails as a damaged disk would.
    ASSERT_TRUE(QFile::link("/proc/self/mem", dir.filePath("failing.dat")));
    EXPECT_FALSE(files.readAll(dir.filePath("failing.dat")).has_value());
}
