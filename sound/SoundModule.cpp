// SPDX-License-Identifier: MIT
#include "SoundModule.h"

#include "platform/SoundServerProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <QTimer>

namespace {
// Loading begins at the first paint, or after this long when nothing paints; on a busy machine
// the first paint itself can take a second.
constexpr int LoadAtTheLatestMs = 3000;

QString besideProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/libplinkard_soundmodule.so");
}
} // namespace

SoundModule::SoundModule(const QString &module) : m_library(module.isEmpty() ? besideProgram() : module) {
    // Bound in full on the loader thread rather than call by call on the threads that use it.
    m_library.setLoadHints(QLibrary::ResolveAllSymbolsHint | QLibrary::PreventUnloadHint);
    // Mapping the module's libraries competes with the first paint for the processor and for the
    // dynamic linker, so it waits for that paint.
    m_waitingForPaint = true;
    QCoreApplication::instance()->installEventFilter(this);
    QTimer::singleShot(LoadAtTheLatestMs, this, &SoundModule::startLoading);
}

SoundModule::~SoundModule() {
    if (m_loader != nullptr) {
        m_loader->wait();
        delete m_loader;
    }
    m_sound.reset(); // before the library: its code runs the destructor
}

int SoundModule::outputDeviceCount() { return soundServerCount(); }

void SoundModule::openSequencer(const QString &file, const QString &alias) {
    if (m_sound) {
        m_sound->openSequencer(file, alias);
    } else if (m_alias.isEmpty() && !alias.isEmpty()) {
        m_alias = alias;
        m_file = file;
        m_playing = false;
    }
}

void SoundModule::playFromStart(const QString &alias) {
    if (m_sound) {
        m_sound->playFromStart(alias);
    } else if (!m_alias.isEmpty() && alias == m_alias) {
        m_playing = true;
    }
}

void SoundModule::close(const QString &alias) {
    if (m_sound) {
        m_sound->close(alias);
    } else if (!m_alias.isEmpty() && alias == m_alias) {
        m_alias.clear();
        m_file.clear();
        m_playing = false;
    }
}

void SoundModule::playWave(const QString &file) {
    loadNow();
    if (m_sound) {
        m_sound->playWave(file);
    }
}

bool SoundModule::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Paint && m_waitingForPaint) {
        // Behind whatever else the paint has posted, such as the flush of the window.
        QCoreApplication::postEvent(this, new QEvent(QEvent::User), Qt::LowEventPriority);
    }
    return QObject::eventFilter(watched, event);
}

void SoundModule::customEvent(QEvent *event) {
    if (event->type() == QEvent::User) {
        startLoading();
    }
}

void SoundModule::startLoading() {
    if (m_waitingForPaint) {
        m_waitingForPaint = false;
        QCoreApplication::instance()->removeEventFilter(this);
    }
    if (m_tried) {
        return;
    }
    m_tried = true;
    // The dynamic linker maps and relocates some hundred libraries; the window goes on meanwhile.
    m_loader = QThread::create([this] { m_library.load(); });
    connect(m_loader, &QThread::finished, this, &SoundModule::takeModule, Qt::QueuedConnection);
    m_loader->start();
}

void SoundModule::loadNow() {
    if (!m_tried) {
        startLoading();
    }
    takeModule();
}

void SoundModule::takeModule() {
    if (m_loader == nullptr) {
        return;
    }
    m_loader->wait();
    delete m_loader;
    m_loader = nullptr;
    using Create = SoundSystem *(*)();
    const auto create = reinterpret_cast<Create>(m_library.resolve("plinkard_create_sound_system"));
    if (create == nullptr) {
        return; // no module: silence
    }
    m_sound.reset(create());
    if (!m_alias.isEmpty()) {
        m_sound->openSequencer(m_file, m_alias);
        if (m_playing) {
            m_sound->playFromStart(m_alias);
        }
    }
}
