// SPDX-License-Identifier: MIT
#include "platform/QSettingsStore.h"
#include "settings/StoredSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace StoredSettings;

// Catches the file in the wrong place, a key misspelt, a value not read back, or a damaged line costing more.
TEST(SettingsFile, RoundTripInTheUsersConfigFolder) {
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");
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
    qputenv("HOME", savedHome);
    savedConfig.isNull() ? void() : void(qputenv("XDG_CONFIG_HOME", savedConfig));
}
