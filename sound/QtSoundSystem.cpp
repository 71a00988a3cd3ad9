#include "QtSoundSystem.h"

#include "MidiSynth.h"

#include <QAudioDevice>
#include <QMediaDevices>

QtSoundSystem::QtSoundSystem() : m_music(MidiSynth::defaultSoundFont()), m_waves(defaultSound()) {}

QString QtSoundSystem::defaultSound() { return QStringLiteral(":/sounds/default.wav"); }

int QtSoundSystem::outputDeviceCount() { return static_cast<int>(QMediaDevices::audioOutputs().size()); }

void QtSoundSystem::openSequencer(const QString &file, const QString &alias) { m_music.open(file, alias); }

void QtSoundSystem::playFromStart(const QString &alias) { m_music.playFromStart(alias); }

void QtSoundSystem::close(const QString &alias) { m_music.close(alias); }

void QtSoundSystem::playWave(const QString &file) { m_waves.play(file); }
