// SPDX-License-Identifier: MIT
#include "modPlinkard.h"

#include "platform/Files.h"
#include "platform/SoundSystem.h"

QString modPlinkard::ShortPath(const QString &path) const { return m_files.existingPath(path); }

void modPlinkard::PlayMidi(const QString &file) {
    const QString alias = QString::fromLatin1(MusicAlias);
    // The file name travels as its own argument, so spaces in it are harmless.
    m_sound.close(alias);
    m_sound.openSequencer(file, alias);
    m_sound.playFromStart(alias);
}

void modPlinkard::StopMidi() { m_sound.close(QString::fromLatin1(MusicAlias)); }

void modPlinkard::PlayWave(const QString &file) { m_sound.playWave(file); }
