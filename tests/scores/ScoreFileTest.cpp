#include "scores/ScoreFile.h"
#include "fakes/GameRig.h"
#include "platform/QtFiles.h"
#include "scores/HighScoreTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString ScorePath = QStringLiteral("/opt/plinkard/scores.dat");

QByteArray numberedLines(int count) {
    QByteArray data;
    for (int i = 1; i <= count; ++i) {
        data += "line " + QByteArray::number(i) + "\r\n";
    }
    return data;
}

bool writeFile(const QString &path, const QByteArray &data) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}
} // namespace

// Every line end the file may use splits lines the same way, and no end adds an empty line.
TEST(ScoreFileLines, SplitOnEachLineEnd) {
    const QStringList abc{"a", "b", "c"};
    EXPECT_EQ(splitScoreLines("a\r\nb\r\nc\r\n"), abc);
    EXPECT_EQ(splitScoreLines("a\rb\rc\r"), abc);
    EXPECT_EQ(splitScoreLines("a\nb\nc\n"), abc);
    EXPECT_EQ(splitScoreLines("a\r\nb\nc"), abc);
    EXPECT_EQ(splitScoreLines("a\r\n\r\n\rb\n\n"), QStringList({"a", "", "", "b", ""}));
    EXPECT_EQ(splitScoreLines("\r\n"), QStringList({""}));
    EXPECT_TRUE(splitScoreLines("").isEmpty());
}

// Bytes above 127 are 8-bit text and read as Latin-1, never dropped or replaced.
TEST(ScoreFileLines, HighBytesReadAsLatin1) {
    const QStringList lines = splitScoreLines("Ren\xe9\r\n\xc4sa \xff\r\n");
    EXPECT_EQ(lines, QStringList({QStringLiteral("Ren\u00e9"), QStringLiteral("\u00c4sa \u00ff")}));
}

// Places come from fixed lines; lines the file lacks show as blanks, lines after 25 are kept unused.
TEST(ScoreFileLines, PlacesFromFixedLines) {
    const ScoreTable full = tableFromLines(splitScoreLines(numberedLines(30)));
    EXPECT_EQ(full[0].score, "line 4");
    EXPECT_EQ(full[9].score, "line 13");
    EXPECT_EQ(full[0].name, "line 16");
    EXPECT_EQ(full[9].name, "line 25");

    const ScoreTable few = tableFromLines(splitScoreLines(numberedLines(8)));
    EXPECT_EQ(few[4].score, "line 8");
    EXPECT_EQ(few[5].score, "");
    for (const ScorePlace &place : few) {
        EXPECT_EQ(place.name, "");
    }
    for (const ScorePlace &place : tableFromLines({})) {
        EXPECT_TRUE(place.score.isEmpty() && place.name.isEmpty());
    }
}

// LoadScores keeps every line of the file, in order, and reports success.
TEST(LoadScores, KeepsEveryLine) {
    for (const int count : {25, 30, 8, 0}) {
        GameRig rig;
        rig.fakes.files.files[ScorePath] = numberedLines(count);
        rig.start();
        EXPECT_EQ(rig.mod.ScoreLines.size(), count);
        EXPECT_EQ(rig.mod.ScoreLines.value(count - 1), count > 0 ? QString("line %1").arg(count) : QString());
        EXPECT_TRUE(rig.fakes.messages.shown.empty()) << count;
        EXPECT_FALSE(rig.fakes.program.endedWith) << count;
    }
}

// An empty name, a missing file and an unreadable one all fail and leave ScoreLines untouched.
TEST(LoadScores, FailuresLeaveTheLinesAlone) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    const QStringList before = rig.mod.ScoreLines;
    ASSERT_EQ(before.size(), 25);
    EXPECT_FALSE(w.LoadScores(QString()));
    EXPECT_FALSE(w.LoadScores(QStringLiteral("/opt/plinkard/other.dat")));
    rig.fakes.files.unreadable << ScorePath;
    EXPECT_FALSE(w.LoadScores(ScorePath));
    EXPECT_EQ(rig.mod.ScoreLines, before);
}

// Without a readable score file the game says so once, ends at once and saves nothing.
TEST(StartUpCheck, MissingOrUnreadableFileEndsTheProgram) {
    for (const bool missing : {true, false}) {
        GameRig rig;
        if (missing) {
            rig.fakes.files.files.remove(ScorePath);
        } else {
            rig.fakes.files.unreadable << ScorePath;
        }
        rig.start();
        ASSERT_EQ(rig.fakes.messages.shown.size(), 1U);
        const ShownBox &box = rig.fakes.messages.shown.front();
        EXPECT_EQ(box.prompt,
                  "Error!  scores.dat was not found.  Plinkard high scores will not operate with out this file.");
        EXPECT_EQ(box.title, "Error!");
        EXPECT_EQ(box.style, 48);
        EXPECT_TRUE(rig.fakes.program.endedWith.has_value());
        EXPECT_TRUE(rig.fakes.store.writes.isEmpty());
        EXPECT_TRUE(rig.mod.ScoreLines.isEmpty());
    }
}

// Only a file beside the program counts; the music may already play when the check fails.
TEST(StartUpCheck, LooksBesideTheProgram) {
    GameRig rig;
    rig.fakes.files.files.remove(ScorePath);
    rig.fakes.files.files.insert(QStringLiteral("/elsewhere/scores.dat"), numberedLines(25));
    rig.start();
    EXPECT_EQ(rig.fakes.messages.shown.size(), 1U);
    EXPECT_EQ(rig.fakes.sound.calls.filter("open").size(), 1);
}

// The real file service: only an ordinary, readable file counts as the score file.
TEST(QtFilesScoreFile, OnlyAReadableOrdinaryFileCounts) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QtFiles files;
    const QString path = dir.filePath(QStringLiteral("scores.dat"));
    EXPECT_FALSE(files.isRegularFile(path));
    EXPECT_FALSE(files.isRegularFile(QString()));

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("scores.dat")));
    EXPECT_FALSE(files.isRegularFile(path));
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("scores.dat")));

    const QByteArray bytes = numberedLines(25) + "\xe9";
    ASSERT_TRUE(writeFile(path, bytes));
    EXPECT_TRUE(files.isRegularFile(path));
    EXPECT_EQ(files.readAll(path), bytes);
    ASSERT_TRUE(writeFile(path, QByteArray()));
    EXPECT_EQ(files.readAll(path), QByteArray());

    // A file whose reading fails (procfs refuses reads at address 0) is not a score file.
    const QString failing = dir.filePath(QStringLiteral("failing.dat"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), failing));
    EXPECT_TRUE(files.isRegularFile(failing));
    EXPECT_FALSE(files.readAll(failing).has_value());
}

// A file without read permission cannot be read; root reads anything, so that case is skipped there.
TEST(QtFilesScoreFile, NoPermissionMeansNoRead) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("scores.dat"));
    ASSERT_TRUE(writeFile(path, numberedLines(25)));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly)) {
        GTEST_SKIP() << "permissions do not stop this user; covered through FakeFiles.unreadable";
    }
    EXPECT_FALSE(QtFiles().readAll(path).has_value());
}
