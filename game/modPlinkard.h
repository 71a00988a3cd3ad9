// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

class SoundSystem;
class Files;

// Program-wide state and the music and sound operations shared by every window.
class modPlinkard {
public:
    static constexpr auto MusicAlias = "mymid";

    modPlinkard(SoundSystem &sound, Files &files) : m_sound(sound), m_files(files) {}

    // The program's folder, absolute with its folders resolved, always ending in "/".
    QString AppFolder;
    // The lines of the score file, read once at start-up.
    QStringList ScoreLines;

    // Absolute form of an existing file or folder, its folders resolved and its own name kept; empty when
    // there is none.
    QString ShortPath(const QString &path) const;
    // Restarts the music with this file from its beginning; failures are silent.
    void PlayMidi(const QString &file);
    void StopMidi();
    // Starts the sound and returns at once.
    void PlayWave(const QString &file);

private:
    SoundSystem &m_sound;
    Files &m_files;
};
