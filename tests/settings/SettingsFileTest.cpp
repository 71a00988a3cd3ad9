// SPDX-License-Identifier: MIT
#include "platform/QSettingsStore.h"
#include "platform/RegularFile.h"
#include "settings/StoredSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <thread>

using namespace StoredSettings;

// Catches the file in the wrong place (a relative XDG_CONFIG_HOME counts as unset), a key misspelt, a value not
// read back, or a damaged line costing more; and in the table, a shared file changed beyond our own keys (another
// program's bytes, comments, line ends, byte-order mark), a line end or an encoding misread, a garbage key written
// back, a file written that the next start refuses, or a bound of the file's size missed by a byte; a configuration
// folder whose name is not UTF-8 losing its bytes.
TEST(SettingsFile, RoundTripInTheUsersConfigFolderAndSharedFileTable) {
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", "relative/config");
    const std::vector<std::pair<QString, QString>> values{{Midi, "/home/Ann/My Music/Theme, Part 2.MID"},
                                                          {Wave, " blank around "},
                                                          {WinningScore, "\"q\" \\b"},
                                                          {WinScore, "line\nbreak\ttab\x01"},
                                                          {ChangeSpeed, "Ünï ♪"},
                                                          {ExtraPoints, QString()},
                                                          {MidiOnOff, "a=b;c#d [e]"}};
    for (const auto &[key, value] : values) {
        QSettingsStore().write(App, Section, key, value);
    }
    QFile file(home.filePath(".config/Brindlecot.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.startsWith("[Plinkard]\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nMIDI=\"/home/Ann/My Music/Theme, Part 2.MID\"\n")) << text.toStdString();
    file.write("garbage without equals\n\x01\xff\n[Plinkard\n");
    file.close();
    for (const auto &[key, value] : values) {
        EXPECT_EQ(QSettingsStore().read(App, Section, key, "<unset>"), value) << key.toStdString();
    }
    // The file before, "MIDI ON-OFF" as read from it, the file after it is written "1" and "Win Score" "/J\xf6rg"
    // (none: as before). Keys may be escaped as QSettings writes them; ";" starts a comment after a heading or a value.
    // Files of the size the store takes, and a byte over it: read and written up to it, never past it.
    const qint64 max = QSettingsStore::MaxFileBytes;
    const auto sized = [](const QByteArray &head, qint64 size) { return head + QByteArray(size - head.size(), 'x'); };
    const std::vector<std::tuple<QByteArray, QString, QByteArray>> rows{
        {"; theirs\n[Other]\nPlayer=J\xf6rg\n\n# note\n[Plinkard]\nMIDI ON-OFF=0\n", "0",
         "; theirs\n[Other]\nPlayer=J\xf6rg\n\n# note\n[Plinkard]\nMIDI ON-OFF=1\nWin Score=/J\xf6rg\n"},
        {"[Plinkard]\rMIDI ON-OFF=a\rWAVE=b", "a", "[Plinkard]\rMIDI ON-OFF=1\rWAVE=b\rWin Score=/J\xf6rg\r"},
        {"\xef\xbb\xbf[Plinkard]\r\nWAVE=b\r\n[Other]\r\nMIDI ON-OFF=c\r\n", "<unset>",
         "\xef\xbb\xbf[Plinkard]\r\nWAVE=b\r\nMIDI ON-OFF=1\r\nWin Score=/J\xf6rg\r\n[Other]\r\nMIDI ON-OFF=c\r\n"},
        {"[Plinkard]\nMIDI%20ON-OFF=0\nWinning%20Score=5000\n", "0",
         "[Plinkard]\nMIDI%20ON-OFF=1\nWinning%20Score=5000\nWin%20Score=/J\xf6rg\n"},
        {"[Plinkard] ; mine\nMIDI ON-OFF = 0 ; off\nWin Score=\"a;b\";c\n", "0",
         "[Plinkard] ; mine\nMIDI ON-OFF = 1 ; off\nWin Score=/J\xf6rg;c\n"},
        {"[Plinkard]\nMIDI ON-OFF=0\nMIDI%20ON-OFF=2\n", "2",
         "[Plinkard]\nMIDI ON-OFF=0\nMIDI%20ON-OFF=1\nWin%20Score=/J\xf6rg\n"},
        {QByteArray("\xff\xfe[\0P\0]\0\n\0M\0I\0D\0I\0=\0a\0\n\0", 24), "<unset>", {}}, // UTF-16
        {"[Other]\nData=" + QByteArray(QSettingsStore::MaxFileBytes - 20, 'x') + "\n", "<unset>", {}},
        {sized("[Plinkard]\nMIDI ON-OFF=0\n;", max), "0", sized("[Plinkard]\nMIDI ON-OFF=1\n;", max)}, // at the bound
        {sized("[Plinkard]\nMIDI ON-OFF=0\n;", max + 1), "<unset>", {}}};                              // a byte past
    for (const auto &[before, onOff, after] : rows) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(before) == before.size() && (file.close(), true));
        EXPECT_EQ(QSettingsStore().read(App, Section, MidiOnOff, "<unset>"), onOff) << before.left(40).toStdString();
        QSettingsStore().write(App, Section, MidiOnOff, "1");
        QSettingsStore().write(App, Section, WinScore, pathFromNative("/J\xf6rg"));
        EXPECT_EQ(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), after.isNull() ? before : after);
        file.close();
    }
    // A program keeping the same file with QSettings reads what the game wrote, and the game what it wrote.
    file.remove();
    for (const auto &[key, value] : values) {
        QSettingsStore().write(App, Section, key, value);
    }
    QSettings theirs(file.fileName(), QSettings::IniFormat);
    for (const auto &[key, value] : values) {
        EXPECT_EQ(theirs.value(Section + u'/' + key).toString(), value) << "QSettings reading " << key.toStdString();
        theirs.setValue(Section + u'/' + key, value + "+");
    }
    theirs.sync();
    for (const auto &[key, value] : values) {
        EXPECT_EQ(QSettingsStore().read(App, Section, key, "<unset>"), value + "+") << key.toStdString();
    }
    const QByteArray odd = QFile::encodeName(home.path()) + "/J\xf6rg"; // a configuration folder not in UTF-8
    qputenv("XDG_CONFIG_HOME", odd);
    QSettingsStore().write(App, Section, Midi, "/x");
    EXPECT_EQ(::access((odd + "/Brindlecot.ini").constData(), R_OK), 0) << "not written in its folder";
    qputenv("HOME", savedHome);
    savedConfig.isNull() ? void(qunsetenv("XDG_CONFIG_HOME")) : void(qputenv("XDG_CONFIG_HOME", savedConfig));
}

// Catches a link replaced by a file (a dangling one too), a lock that holds a write up or leaves files behind, and a
// run as root taking the user's file over or replacing one its owner may not write.
TEST(SettingsFile, LinksLocksAndOwnersAsFound) {
    const bool root = ::geteuid() == 0;
    QTemporaryDir temp;
    const QDir dir(temp.path());
    const QString ini = dir.filePath("Brindlecot.ini"), lock = ini + ".lock";
    const auto put = [](const QString &path, const QByteArray &bytes, int mode) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
               ::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0;
    };
    const auto listing = [&] { // each entry: a link's target, or a file's mode, a foreign owner and its bytes
        QStringList out;
        for (const QFileInfo &entry : dir.entryInfoList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name)) {
            struct stat info {};
            QFile file(entry.filePath());
            out << entry.fileName() + (entry.isSymLink() ? " -> " + entry.symLinkTarget().section(u'/', -1)
                                       : ::stat(QFile::encodeName(entry.filePath()).constData(), &info) == 0 &&
                                               file.open(QIODevice::ReadOnly)
                                           ? QString(" %1%2 ")
                                                     .arg(info.st_mode & 0777, 0, 8)
                                                     .arg(info.st_uid == ::geteuid() ? "" : " foreign") +
                                                 file.readAll()
                                           : " ?");
        }
        return out.join(u'|');
    };
    const QByteArray old = "[Plinkard]\nMIDI=a\n";
    std::thread holder;
    // Before the game writes MIDI "/x", and the folder after.
    const std::vector<std::tuple<const char *, std::function<bool()>, QString>> rows{
        {"link", [&] { return put(dir.filePath("real.ini"), old, 0644) && QFile::link("real.ini", ini); },
         "Brindlecot.ini -> real.ini|real.ini 644 [Plinkard]\nMIDI=/x\n"},
        {"dangling link", [&] { return QFile::link("made.ini", ini); },
         "Brindlecot.ini -> made.ini|made.ini 600 [Plinkard]\nMIDI=/x\n"},
        {"lock: a dangling link", [&] { return put(ini, old, 0644) && QFile::link("nowhere", lock); },
         "Brindlecot.ini 644 [Plinkard]\nMIDI=/x\n|Brindlecot.ini.lock -> nowhere"},
        {"lock of a killed writer",
         [&] { return put(ini, old, 0644) && put(lock, "999999999\nplinkard\nhost\n", 0644); },
         "Brindlecot.ini 644 [Plinkard]\nMIDI=/x\n"},
        {"lock held a second longer",
         [&] {
             const int fd = put(ini, old, 0644) && put(lock, "1\n", 0644)
                                ? ::open(QFile::encodeName(lock).constData(), O_RDONLY)
                                : -1;
             holder = std::thread([fd, name = QFile::encodeName(lock)] {
                 std::this_thread::sleep_for(std::chrono::seconds(1));
                 ::unlink(name.constData());
                 ::close(fd);
             });
             return fd >= 0 && ::flock(fd, LOCK_EX) == 0;
         },
         "Brindlecot.ini 644 [Plinkard]\nMIDI=/x\n|Brindlecot.ini.lock 644 1\n"},
        {"read-only", [&] { return put(ini, old, 0400); }, "Brindlecot.ini 400 [Plinkard]\nMIDI=a\n"},
        {"another owner's, as root",
         [&] { return put(ini, old, 0640) && (!root || ::chown(QFile::encodeName(ini).constData(), 1234, 1234) == 0); },
         root ? "Brindlecot.ini 640 foreign [Plinkard]\nMIDI=/x\n" : "Brindlecot.ini 640 [Plinkard]\nMIDI=/x\n"}};
    for (const auto &[name, before, after] : rows) {
        for (const QString &entry : dir.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
            QFile::remove(dir.filePath(entry));
        }
        ASSERT_TRUE(before()) << name;
        QElapsedTimer clock;
        clock.start();
        QSettingsStore(dir.path()).write(App, Section, Midi, "/x");
        EXPECT_EQ(clock.elapsed() > 2000 ? "held up" : listing().toStdString(), after.toStdString())
            << name; // by 3 s, before
        if (holder.joinable()) {
            holder.join();
        }
    }
}
