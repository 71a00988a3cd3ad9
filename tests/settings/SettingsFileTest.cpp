// SPDX-License-Identifier: MIT
#include "platform/QSettingsStore.h"
#include "platform/RegularFile.h"
#include "settings/StoredSettings.h"

#include "fakes/FakeServices.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace StoredSettings;

// Catches the file in the wrong place (a relative XDG_CONFIG_HOME counts as unset), a key misspelt, a value not
// read back, or a damaged line costing more; and in the table, a shared file changed beyond our own keys (another
// program's bytes, comments, line ends, byte-order mark), a line end or an encoding misread, a garbage key written
// back, a file written that the next start refuses; a bound of the file's size missed by a byte; the file as users keep
// it (blanks around "=", a link, its mode, read-only) read otherwise or replaced.
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
    EXPECT_TRUE(text.contains("\nMIDI=/home/Ann/My Music/Theme, Part 2.MID\n")) << text.toStdString();
    file.write("garbage without equals\n\x01\xff\n[Plinkard\n");
    file.close();
    for (const auto &[key, value] : values) {
        EXPECT_EQ(QSettingsStore().read(App, Section, key, "<unset>"), value) << key.toStdString();
    }
    // The file before, MIDI as read from it, the file after MIDI "/x" and WAVE "/J\xf6rg" are written (none: as
    // before); files at the size the store takes, or one byte over it as read or as written, are padded thus.
    const qint64 max = QSettingsStore::MaxFileBytes;
    const auto sized = [](const QByteArray &head, qint64 size) { return head + QByteArray(size - head.size(), 'x'); };
    const std::vector<std::tuple<QByteArray, QString, QByteArray>> rows{
        {"; theirs\n[Other]\nPlayer=J\xf6rg\n\n# note\n[Plinkard]\nMIDI=a\n", "a",
         "; theirs\n[Other]\nPlayer=J\xf6rg\n\n# note\n[Plinkard]\nMIDI=/x\nWAVE=/J\xf6rg\n"},
        {"[Plinkard]\rMIDI=a\rWAVE=b", "a", "[Plinkard]\rMIDI=/x\rWAVE=/J\xf6rg"},
        {"\xef\xbb\xbf[Plinkard]\r\nWAVE=b\r\n[Other]\r\nMIDI=c\r\n", "<unset>",
         "\xef\xbb\xbf[Plinkard]\r\nWAVE=/J\xf6rg\r\nMIDI=/x\r\n[Other]\r\nMIDI=c\r\n"},
        {QByteArray("\xff\xfe[\0P\0]\0\n\0M\0I\0D\0I\0=\0a\0\n\0", 24), "<unset>", {}},    // UTF-16
        {" [ Plinkard ] \n MIDI = a \n", "a", " [ Plinkard ] \nMIDI=/x\nWAVE=/J\xf6rg\n"}, // blanks by hand
        {sized("[Plinkard]\nMIDI=a\n;", max), "a", {}},           // read at the bound, written one byte past it
        {sized("[Plinkard]\nMIDI=a\n;", max + 1), "<unset>", {}}, // read one byte past it
        {sized("[Plinkard]\nMIDI=ab\n;", max - 11), "ab", sized("[Plinkard]\nMIDI=/x\nWAVE=/J\xf6rg\n;", max)}};
    for (const auto &[before, midi, after] : rows) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(before) == before.size() && (file.close(), true));
        EXPECT_EQ(QSettingsStore().read(App, Section, Midi, "<unset>"), midi) << before.left(40).toStdString();
        QSettingsStore().write(App, Section, Midi, "/x");
        QSettingsStore().write(App, Section, Wave, pathFromNative("/J\xf6rg"));
        EXPECT_EQ(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), after.isNull() ? before : after);
        file.close();
        EXPECT_EQ(QSettingsStore().read(App, Section, Wave, "<unset>") == pathFromNative("/J\xf6rg"), !after.isNull());
    }
    // As users keep it: through a link, which stays one, to a file whose mode stays; without write permission it is
    // left alone (by root too), and still read.
    const QByteArray kept = QFile::encodeName(home.filePath(".config/kept.ini"));
    ASSERT_TRUE(file.remove() && QFile::link(kept, file.fileName()) && file.open(QIODevice::WriteOnly) &&
                file.write("[Plinkard]\n") > 0 && (file.close(), true));
    for (const mode_t mode : {0640, 0440}) {
        ::chmod(kept.constData(), mode);
        QSettingsStore().write(App, Section, Midi, mode == 0640 ? "/x" : "/y");
        struct stat info {};
        ::stat(kept.constData(), &info);
        EXPECT_EQ(
            std::tuple(QFileInfo(file).isSymLink(), info.st_mode & 0777, QSettingsStore().read(App, Section, Midi, "")),
            std::tuple(true, mode, QString("/x"))); // a link to a file of that mode, read whatever the mode
    }
    qputenv("HOME", savedHome);
    savedConfig.isNull() ? void(qunsetenv("XDG_CONFIG_HOME")) : void(qputenv("XDG_CONFIG_HOME", savedConfig));
}
