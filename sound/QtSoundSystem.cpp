// SPDX-License-Identifier: MIT
#include "QtSoundSystem.h"

#include "FluidMusic.h"
#include "MidiSynth.h"
#include "WaveBank.h"

#include <QAudioDevice>
#include <QMediaDevices>

SoundSystem *plinkard_create_sound_system() { return new QtSoundSystem; }

QtSoundSystem::QtSoundSystem() : m_context(new QObject) {
    m_thread.setObjectName(QStringLiteral("sound"));
    m_context->moveToThread(&m_thread);
    m_thread.start();
    // Built on the sound thread, so that their timers and sinks belong to it.
    post([this] {
        m_waves = new WaveBank(defaultSound());
        m_music = new FluidMusic(MidiSynth::defaultSoundFont());
    });
}

QtSoundSystem::~QtSoundSystem() {
    QMetaObject::invokeMethod(
        m_context,
        [this] {
            delete m_music;
            delete m_waves;
            delete m_context;
        },
        Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

template <typename Fn> void QtSoundSystem::post(Fn &&fn) {
    QMetaObject::invokeMethod(m_context, std::forward<Fn>(fn), Qt::QueuedConnection);
}

QString QtSoundSystem::defaultSound() { return QStringLiteral(":/sounds/default.wav"); }

int QtSoundSystem::outputDeviceCount() { return static_cast<int>(QMediaDevices::audioOutputs().size()); }

void QtSoundSystem::openSequencer(const QString &file, const QString &alias) {
    post([this, file, alias] { m_music->open(file, alias); });
}

void QtSoundSystem::playFromStart(const QString &alias) {
    post([this, alias] { m_music->playFromStart(alias); });
}

void QtSoundSystem::close(const QString &alias) {
    post([this, alias] { m_music->close(alias); });
}

void QtSoundSystem::playWave(const QString &file) {
    post([this, file] { m_waves->play(file); });
}
