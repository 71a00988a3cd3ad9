// SPDX-License-Identifier: MIT
#include "QtSoundSystem.h"

#include "FluidMusic.h"
#include "MidiSynth.h"
#include "WaveBank.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {
// Closing the outputs asks nothing of the server and decoders stop after their piece in hand; this
// is only the bound for what no one foresaw.
constexpr int CloseWithinMs = 500;
} // namespace

struct QtSoundSystem::Devices {
    std::unique_ptr<WaveBank> waves;
    std::unique_ptr<FluidMusic> music;
};

const char plinkard_sound_interface[] = PLINKARD_SOUND_INTERFACE;
SoundSystem *plinkard_create_sound_system() { return new QtSoundSystem; }

QtSoundSystem::QtSoundSystem() : m_thread(new QThread), m_context(new QObject), m_devices(new Devices) {
    m_thread->setObjectName(QStringLiteral("sound"));
    m_context->moveToThread(m_thread);
    m_thread->start();
    // Built on the sound thread, so that everything they own belongs to it.
    post([d = m_devices] {
        d->waves = std::make_unique<WaveBank>(defaultSound());
        d->music = std::make_unique<FluidMusic>(MidiSynth::defaultSoundFont());
    });
}

QtSoundSystem::~QtSoundSystem() { shutDown(); }

bool QtSoundSystem::shutDown() {
    if (m_context == nullptr) {
        return !m_leftBehind;
    }
    post([d = m_devices, context = m_context, thread = m_thread] {
        delete d;
        context->deleteLater(); // when the loop ends, not inside its own call
        thread->quit();
    });
    m_context = nullptr;
    m_leftBehind = !m_thread->wait(QDeadlineTimer(CloseWithinMs));
    if (!m_leftBehind) {
        delete m_thread;
    }
    // Otherwise the thread is left behind: whatever holds it, the program ends around it.
    return !m_leftBehind;
}

template <typename Fn> void QtSoundSystem::post(Fn &&fn) {
    if (m_context != nullptr) {
        QMetaObject::invokeMethod(m_context, std::forward<Fn>(fn), Qt::QueuedConnection);
    }
}

QString QtSoundSystem::defaultSound() { return QStringLiteral(":/sounds/default.wav"); }

void QtSoundSystem::openSequencer(const QString &file, const QString &alias) {
    post([d = m_devices, file, alias] { d->music->open(file, alias); });
}

void QtSoundSystem::playFromStart(const QString &alias) {
    post([d = m_devices, alias] { d->music->playFromStart(alias); });
}

void QtSoundSystem::close(const QString &alias) {
    post([d = m_devices, alias] { d->music->close(alias); });
}

void QtSoundSystem::playWave(const QString &file) {
    post([d = m_devices, file] { d->waves->play(file); });
}
