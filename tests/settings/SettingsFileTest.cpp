// SPDX-License-Identifier: MIT
#include "fakes/FakeServices.h" // texts printed as texts
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

using namespace StoredSettings;

// Catches the file in the wrong place (a relative XDG_CONFIG_HOME counts as unset; a folder whose name is not UTF-8
// losing its bytes), a key misspelt, a value that a program keeping the same file with QSettings reads otherwise, or
// that the game misreads once QSettings wrote it, or a damaged line costing more.
TEST(SettingsFile, InTheUsersConfigFolderAsQSettingsReadsIt) {
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
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    EXPECT_TRUE(text.startsWith("[Plinkard]\n") && text.contains("\nMIDI=\"/home/Ann/My Music/Theme, Part 2.MID\"\n"))
        << text.toStdString();
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

// Catches a shared file changed beyond our own keys (another program's bytes, comments, line ends, byte-order mark), a
// damaged line costing more, a line end or an encoding misread, a garbage key written back, a file written that the
// next start refuses, or a bound of the file's size missed by a byte; a link replaced by a file (a dangling one too), a
// lock that holds a write up or leaves files behind, a run as root taking the user's file over or replacing one its
// owner may not write; or a save's writes reaching the disk one by one (a kill between two left half a save).
TEST(SettingsFile, SharedFileLinksLocksAndOwnersAsFound) {
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
        QByteArrayList out;
        for (const QFileInfo &entry : dir.entryInfoList(QDir::Files | QDir::System | QDir::Hidden, QDir::Name)) {
            struct stat info {};
            QFile file(entry.filePath());
            out << entry.fileName().toUtf8();
            if (entry.isSymLink()) {
                out.last() += " -> " + entry.symLinkTarget().section(u'/', -1).toUtf8();
            } else if (::stat(QFile::encodeName(entry.filePath()).constData(), &info) == 0 &&
                       file.open(QIODevice::ReadOnly)) {
                out.last() += ' ' + QByteArray::number(info.st_mode & 0777, 8) +
                              (info.st_uid == ::geteuid() ? " " : " foreign ") + file.readAll();
            }
        }
        return out.join('|').toStdString();
    };
    const auto file = [&](const QByteArray &bytes) {
        return std::function([&put, &ini, bytes] { return put(ini, bytes, 0644); });
    };
    const auto mode644 = [](const QByteArray &bytes) { return "Brindlecot.ini 644 " + bytes; };
    const QByteArray old = "[Plinkard]\nMIDI ON-OFF=0\n", written = "[Plinkard]\nMIDI ON-OFF=1\nWin Score=/J\xf6rg\n";
    const qint64 max = QSettingsStore::MaxFileBytes;
    const auto sized = [](const QByteArray &head, qint64 size) { return head + QByteArray(size - head.size(), 'x'); };
    int held = -1; // a lock that another writer holds
    // The folder before; "MIDI ON-OFF" as read from it; the folder after the game writes it "1" and "Win Score"
    // "/J\xf6rg" in one batch (none: as before). Keys may be escaped as QSettings writes them; ";" starts a comment
    // after a heading or a value. Files of the size the store takes, and a byte over it: read and written up to it.
    const std::vector<std::tuple<const char *, std::function<bool()>, QString, QByteArray>> rows{
        {"another program's lines", file("; theirs\n[Other]\nPlayer=J\xf6rg\n\n# note\n[Plinkard]\nMIDI ON-OFF=0\n"),
         "0", mode644("; theirs\n[Other]\nPlayer=J\xf6rg\n\n# note\n[Plinkard]\nMIDI ON-OFF=1\nWin Score=/J\xf6rg\n")},
        {"damaged lines", file("[Plinkard]\ngarbage\n\x01\xff\n[Plink\nMIDI ON-OFF=0\n"), "0",
         mode644("[Plinkard]\ngarbage\n\x01\xff\n[Plink\nMIDI ON-OFF=1\nWin Score=/J\xf6rg\n")},
        {"CR", file("[Plinkard]\rMIDI ON-OFF=a\rWAVE=b"), "a",
         mode644("[Plinkard]\rMIDI ON-OFF=1\rWAVE=b\rWin Score=/J\xf6rg\r")},
        {"a byte-order mark, CR LF", file("\xef\xbb\xbf[Plinkard]\r\nWAVE=b\r\n[Other]\r\nMIDI ON-OFF=c\r\n"),
         "<unset>",
         mode644("\xef\xbb\xbf[Plinkard]\r\nWAVE=b\r\nMIDI ON-OFF=1\r\nWin Score=/J\xf6rg\r\n[Other]\r\nMIDI "
                 "ON-OFF=c\r\n")},
        {"escaped keys", file("[Plinkard]\nMIDI%20ON-OFF=0\nWinning%20Score=5000\n"), "0",
         mode644("[Plinkard]\nMIDI%20ON-OFF=1\nWinning%20Score=5000\nWin%20Score=/J\xf6rg\n")},
        {"comments", file("[Plinkard] ; mine\nMIDI ON-OFF = 0 ; off\nWin Score=\"a;b\";c\n"), "0",
         mode644("[Plinkard] ; mine\nMIDI ON-OFF = 1 ; off\nWin Score=/J\xf6rg;c\n")},
        {"both forms", file("[Plinkard]\nMIDI ON-OFF=0\nMIDI%20ON-OFF=2\n"), "2",
         mode644("[Plinkard]\nMIDI ON-OFF=0\nMIDI%20ON-OFF=1\nWin%20Score=/J\xf6rg\n")},
        {"UTF-16", file(QByteArray("\xff\xfe[\0P\0]\0\n\0M\0I\0D\0I\0=\0a\0\n\0", 24)), "<unset>", {}},
        {"too large once written", file("[Other]\nData=" + QByteArray(max - 20, 'x') + "\n"), "<unset>", {}},
        {"at the bound", file(sized("[Plinkard]\nMIDI ON-OFF=0\nWin Score=/J\xf6rg\n;", max)), "0",
         mode644(sized("[Plinkard]\nMIDI ON-OFF=1\nWin Score=/J\xf6rg\n;", max))},
        {"a byte past", file(sized("[Plinkard]\nMIDI ON-OFF=0\n;", max + 1)), "<unset>", {}},
        {"link", [&] { return put(dir.filePath("real.ini"), old, 0644) && QFile::link("real.ini", ini); }, "0",
         "Brindlecot.ini -> real.ini|real.ini 644 " + written},
        {"dangling link", [&] { return QFile::link("made.ini", ini); }, "<unset>",
         "Brindlecot.ini -> made.ini|made.ini 600 " + written},
        {"lock: a dangling link", [&] { return put(ini, old, 0644) && QFile::link("nowhere", lock); }, "0",
         mode644(written) + "|Brindlecot.ini.lock -> nowhere"},
        {"lock of a killed writer",
         [&] { return put(ini, old, 0644) && put(lock, "999999999\nplinkard\nhost\n", 0644); }, "0", mode644(written)},
        {"lock held",
         [&] {
             held = put(ini, old, 0644) && put(lock, "1\n", 0644)
                        ? ::open(QFile::encodeName(lock).constData(), O_RDONLY)
                        : -1;
             return held >= 0 && ::flock(held, LOCK_EX) == 0;
         },
         "0", mode644(written) + "|Brindlecot.ini.lock 644 1\n"},
        {"read-only", [&] { return put(ini, old, 0400); }, "0", {}},
        {"another owner's, as root",
         [&] { return put(ini, old, 0640) && (!root || ::chown(QFile::encodeName(ini).constData(), 1234, 1234) == 0); },
         "0", (root ? "Brindlecot.ini 640 foreign " : "Brindlecot.ini 640 ") + written}};
    for (const auto &[name, before, onOff, after] : rows) {
        for (const QString &entry : dir.entryList(QDir::Files | QDir::System | QDir::Hidden)) {
            QFile::remove(dir.filePath(entry));
        }
        ASSERT_TRUE(before()) << name;
        const std::string found = listing();
        QSettingsStore store(dir.path());
        EXPECT_EQ(store.read(App, Section, MidiOnOff, "<unset>"), onOff) << name;
        QElapsedTimer clock;
        clock.start();
        {
            const SettingsStore::Batch both(store);
            store.write(App, Section, MidiOnOff, "1");
            EXPECT_EQ(listing(), found) << name << ": the first write of a batch on the disk alone";
            store.write(App, Section, WinScore, pathFromNative("/J\xf6rg"));
        }
        EXPECT_EQ(clock.elapsed() > 2000 ? "held up" : listing(), after.isNull() ? found : after.toStdString())
            << name; // by 3 s, before
        held >= 0 ? void(::close(std::exchange(held, -1))) : void();
    }
}
