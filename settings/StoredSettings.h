// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class Files;
class SettingsStore;

// Names under which the game keeps its settings, and how stored texts become values.
namespace StoredSettings {
inline const QString App = QStringLiteral("Brindlecot");
inline const QString Section = QStringLiteral("Plinkard");

inline const QString Midi = QStringLiteral("MIDI");
inline const QString Wave = QStringLiteral("WAVE");
inline const QString WinningScore = QStringLiteral("Winning Score");
inline const QString WinScore = QStringLiteral("Win Score");
inline const QString ChangeSpeed = QStringLiteral("Change Speed");
inline const QString ExtraPoints = QStringLiteral("Extra Points");
inline const QString MidiOnOff = QStringLiteral("MIDI ON-OFF");
inline const QString WaveOnOff = QStringLiteral("WAVE ON-OFF");

inline const QString DefaultWinningScore = QStringLiteral("100000000");

// Where an earlier package kept the program and the files beside it (the Debian package 1.0.0). A stored path
// into it names nothing once the package is upgraded.
inline const QString FormerProgramFolder = QStringLiteral("/usr/lib/plinkard/");

// The music and shot-sound files in force: the stored paths, or by default the files in the
// program's folder (which ends with "/"). An empty folder here would store bare names that every
// later run looks for in its working folder. A stored file of the former program folder that is gone
// is the same file in today's folder, or the default when that has none.
QString musicFile(SettingsStore &store, Files &files, const QString &appFolder);
QString shotFile(SettingsStore &store, Files &files, const QString &appFolder);

// A stored check-box value: "0" or "1" (blanks around allowed); anything else gives the default.
int checkValue(const QString &stored, int defaultValue);

// A stored winning score: digits "0" to "9" only (or empty, no winning score); anything else,
// also what the key filter lets through above code 126, gives the default.
QString winningScore(const QString &stored);
} // namespace StoredSettings
