#include "platform/QSettingsStore.h"
#include "settings/StoredSettings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace StoredSettings;

namespace {
QByteArray fileText(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putFile(const QString &path, const QByteArray &data) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
}

QSettings::SettingsMap parsed(const QByteArray &text) {
    QByteArray copy = text;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QSettings::SettingsMap map;
    QSettingsStore::readIni(buffer, map);
    return map;
}

ino_t inodeOf(const QString &path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

const QString Unset = QStringLiteral("<default>");

// Only the settings file in `folder`: no temporary file stays behind.
QStringList filesIn(const QString &folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden); }

struct StoreInTempFolder : ::testing::Test {
    QTemporaryDir dir;
    QSettingsStore store{dir.path()};
    QString file() const { return dir.path() + "/Brindlecot.ini"; }
    QString get(const QString &key, const QString &def = Unset) { return store.read(App, Section, key, def); }
    void put(const QString &key, const QString &value) { store.write(App, Section, key, value); }
};
} // namespace

// The file lands in $XDG_CONFIG_HOME, named after the application, with the keys spelt as named.
TEST(SettingsFile, LivesInTheUsersConfigFolderWithKeysAsNamed) {
    QTemporaryDir config;
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QSettingsStore store;
    store.write(App, Section, WinningScore, "250");
    store.write(App, Section, MidiOnOff, "0");
    if (saved.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", saved);
    }
    EXPECT_EQ(fileText(config.path() + "/Brindlecot.ini"),
              QByteArray("[Plinkard]\nMIDI ON-OFF=0\nWinning Score=250\n"));
}

// Every key keeps exactly the text written, whatever characters a path may hold.
TEST_F(StoreInTempFolder, EveryKeyRoundTripsExactly) {
    const std::vector<std::pair<QString, QString>> values{{Midi, "/home/Ann/My Music/Theme, Part 2.MID"},
                                                          {Wave, " /leading and trailing blank "},
                                                          {WinningScore, "\"quoted\" \\back\\slash"},
                                                          {WinScore, "line\nbreak\ttab\x01"},
                                                          {ChangeSpeed, "Ünïcödé ♪"},
                                                          {ExtraPoints, QString()},
                                                          {MidiOnOff, "a=b;c#d [e]"},
                                                          {WaveOnOff, "@Variant(x) 1"}};
    for (const auto &[key, value] : values) {
        put(key, value);
    }
    QSettingsStore fresh(dir.path());
    const QSettings::SettingsMap onDisk = parsed(fileText(file()));
    for (const auto &[key, value] : values) {
        EXPECT_EQ(fresh.read(App, Section, key, Unset), value) << key.toStdString();
        EXPECT_EQ(onDisk.value(Section + u'/' + key).toString(), value) << key.toStdString();
    }
    // An ordinary path stays readable in the file as it is.
    EXPECT_TRUE(fileText(file()).contains("MIDI=/home/Ann/My Music/Theme, Part 2.MID\n"));
}

// Nothing stored: every read gives its default, and reading creates no file.
TEST_F(StoreInTempFolder, EmptyStoreGivesDefaultsAndReadingWritesNothing) {
    EXPECT_EQ(get(Midi, "/opt/p/snot.mid"), "/opt/p/snot.mid");
    EXPECT_EQ(get(WinningScore, DefaultWinningScore), DefaultWinningScore);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    // Another section or application does not answer for ours.
    store.write(App, "Other", Midi, "x");
    store.write("Other", Section, Midi, "y");
    EXPECT_EQ(get(Midi), Unset);
}

// A write is on disk when it returns, by itself, without a later flush.
TEST_F(StoreInTempFolder, WritesReachTheDiskAtOnce) {
    put(WinScore, "1");
    EXPECT_EQ(fileText(file()), QByteArray("[Plinkard]\nWin Score=1\n"));
    put(WinScore, "0");
    EXPECT_EQ(fileText(file()), QByteArray("[Plinkard]\nWin Score=0\n"));
}

// A batch is one file replacement: the disk keeps the old file until it ends, reads see the new values, nesting joins.
TEST_F(StoreInTempFolder, BatchedWritesReachTheDiskTogether) {
    put(Midi, "/old.mid");
    const QByteArray old = fileText(file());
    const ino_t oldInode = inodeOf(file());
    {
        const SettingsStore::Batch save(store);
        put(Midi, "/new.mid");
        put(WaveOnOff, "0");
        {
            const SettingsStore::Batch inner(store);
            put(WinScore, "1");
        }
        put(Midi, "/newer.mid");
        EXPECT_EQ(fileText(file()), old);
        EXPECT_EQ(inodeOf(file()), oldInode);
        EXPECT_EQ(get(Midi), "/newer.mid");
        EXPECT_EQ(get(WinScore), "1");
        EXPECT_EQ(get(Wave), Unset);
    }
    EXPECT_EQ(fileText(file()), QByteArray("[Plinkard]\nMIDI=/newer.mid\nWAVE ON-OFF=0\nWin Score=1\n"));
    put(Wave, "/w.wav");
    EXPECT_TRUE(fileText(file()).contains("WAVE=/w.wav\n"));
}

// A damaged file costs only its damaged lines; a write then leaves a clean file.
TEST_F(StoreInTempFolder, DamagedFileGivesDefaultsForWhatCannotBeRead) {
    QByteArray damaged("\xEF\xBB\xBFgarbage without equals\n");
    damaged += QByteArray("\x00\x01\xFF\xFE", 4) + " binary\n[Plinkard\n=no key\n";
    damaged += "[Plinkard]\r\nWin Score = 1 \r\nChange Speed\r\n; MIDI=/commented\n";
    putFile(file(), damaged);
    EXPECT_EQ(get(WinScore), "1");
    EXPECT_EQ(get(ChangeSpeed), Unset);
    EXPECT_EQ(get(Midi), Unset);
    put(Wave, "/w.wav");
    EXPECT_EQ(fileText(file()), QByteArray("[Plinkard]\nWAVE=/w.wav\nWin Score=1\n"));

    putFile(file(), QByteArray(4096, '\0'));
    EXPECT_EQ(get(WinScore), Unset);
}

// A file that cannot be read (here: a folder in its place) gives the defaults; writes fail quietly.
TEST_F(StoreInTempFolder, UnreadableFileGivesDefaults) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("Brindlecot.ini"));
    EXPECT_EQ(get(Midi), Unset);
    put(Midi, "/x.mid");
    EXPECT_EQ(get(Midi), Unset);
    EXPECT_TRUE(QFileInfo(file()).isDir());
}

// A folder that cannot be written, even by root (a file stands in its way), loses only the new write.
TEST(SettingsFile, UnwritableFolderGivesDefaultsAndNeverFails) {
    QTemporaryDir dir;
    putFile(dir.path() + "/blocker", "a file, not a folder");
    QSettingsStore store(dir.path() + "/blocker/config");
    store.write(App, Section, Midi, "/x.mid");
    EXPECT_EQ(store.read(App, Section, Midi, Unset), Unset);
}

// A read-only file (root drops to "nobody" for this) is read; a write holds for this run only.
TEST(SettingsFile, ReadOnlyFileKeepsItsValues) {
    QTemporaryDir dir;
    QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
    const QString path = dir.path() + "/Brindlecot.ini";
    const QByteArray stored("[Plinkard]\nWin Score=1\n");
    putFile(path, stored);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(10);
        }
        QSettingsStore store(dir.path());
        const bool readStored = store.read(App, Section, WinScore, "0") == "1";
        store.write(App, Section, Midi, "/x.mid");
        const bool heldForTheRun = store.read(App, Section, Midi, Unset) == u"/x.mid";
        _exit((readStored ? 0 : 1) | (heldForTheRun ? 0 : 2));
    }
    ASSERT_GT(child, 0);
    int status = -1;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: stored value not read, 2: the write did not hold for the run";
    EXPECT_EQ(fileText(path), stored);
    EXPECT_EQ(filesIn(dir.path()), QStringList{"Brindlecot.ini"});
}

// A write replaces the file whole, never in place: a reader of the old file still reads it complete.
TEST_F(StoreInTempFolder, WriteReplacesTheFileWhole) {
    put(Midi, "/old.mid");
    const QByteArray before = fileText(file());
    const ino_t oldInode = inodeOf(file());
    QFile oldReader(file());
    ASSERT_TRUE(oldReader.open(QIODevice::ReadOnly));
    put(Midi, "/new/and/longer/name.mid");
    EXPECT_NE(inodeOf(file()), oldInode);
    EXPECT_EQ(oldReader.readAll(), before);
    EXPECT_EQ(fileText(file()), QByteArray("[Plinkard]\nMIDI=/new/and/longer/name.mid\n"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{"Brindlecot.ini"});
}

// A killed writer's half-written temporary file and stale lock are ignored; the next write goes through.
TEST_F(StoreInTempFolder, KilledWritersLeftoversAreIgnored) {
    put(Midi, "/complete.mid");
    putFile(file() + ".aB3xYz", "[Plinkard]\nMIDI=/half-wri");
    // A lock held by a process that no longer runs.
    const pid_t gone = fork();
    if (gone == 0) {
        _exit(0);
    }
    ASSERT_GT(gone, 0);
    waitpid(gone, nullptr, 0);
    putFile(file() + ".lock", QString::number(gone).toUtf8() + "\nplinkard\n" + QSysInfo::machineHostName().toUtf8() +
                                  "\n" + QSysInfo::machineUniqueId() + "\n" + QSysInfo::bootUniqueId() + "\n");
    EXPECT_EQ(get(Midi), "/complete.mid");
    put(Wave, "/w.wav");
    EXPECT_EQ(fileText(file()), QByteArray("[Plinkard]\nMIDI=/complete.mid\nWAVE=/w.wav\n"));
    EXPECT_FALSE(QFile::exists(file() + ".lock"));
}

// A writer killed at any moment leaves the old or the new file complete, and every read meanwhile too.
TEST_F(StoreInTempFolder, WriterKilledAtAnyMomentLeavesACompleteFile) {
    const QString longValue = QString(3000, u'7');
    auto complete = [&](const QByteArray &text) {
        const QSettings::SettingsMap map = parsed(text);
        return text.endsWith('\n') && map.size() == 2 && map.value(Section + u'/' + WinningScore) == longValue &&
               map.value(Section + u'/' + Midi).toString().startsWith(u'/');
    };
    put(WinningScore, longValue);
    put(Midi, "/0");
    int tornReads = 0;
    for (int round = 0; round < 12; ++round) {
        const pid_t writer = fork();
        if (writer == 0) {
            QSettingsStore own(dir.path());
            for (int i = 1;; ++i) {
                own.write(App, Section, Midi, u'/' + QString::number(i).repeated(i % 40 + 1));
            }
        }
        ASSERT_GT(writer, 0);
        // Wait for a few writes of this writer (each round a different number), reading all along.
        QByteArray last = fileText(file());
        int changes = 0;
        for (long reads = 0; changes < round % 4 + 1 && reads < 2'000'000; ++reads) {
            const QByteArray now = fileText(file());
            tornReads += complete(now) ? 0 : 1;
            if (now != last) {
                ++changes;
                last = now;
            }
        }
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);
        EXPECT_EQ(changes, round % 4 + 1) << "the writer stalled in round " << round;
        EXPECT_TRUE(complete(fileText(file()))) << "round " << round;
    }
    EXPECT_EQ(tornReads, 0);
    EXPECT_EQ(get(WinningScore), longValue);
}
