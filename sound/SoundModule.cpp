// SPDX-License-Identifier: MIT
#include "SoundModule.h"

#include "SoundModuleFingerprint.h"
#include "platform/QtFiles.h"
#include "platform/RegularFile.h"
#include "platform/SoundServerProbe.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QEvent>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <array>

namespace {
// Loading begins at the first paint, or after this long when nothing paints; on a busy machine
// the first paint itself can take a second.
constexpr int LoadAtTheLatestMs = 3000;

QString besideProgram() { return QtFiles().programFolder() + QStringLiteral("/libplinkard_soundmodule.so"); }

struct Fingerprint {
    qint64 size;
    const char *sha256;
};
// The module as built and as the package installs it, stripped.
constexpr auto BuiltModule = std::to_array<Fingerprint>({PLINKARD_BUILT_SOUND_MODULE});

// A truncated module is mapped past its end, and the dynamic linker's first touch of the missing
// pages kills the game with SIGBUS; a module of another build may not fit the program at all.
bool isBuiltModule(QFile &file) {
    const qint64 size = file.size();
    if (std::none_of(BuiltModule.begin(), BuiltModule.end(), [size](const Fingerprint &f) { return f.size == size; })) {
        return false;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) {
        return false;
    }
    const QByteArray hex = hash.result().toHex();
    return std::any_of(BuiltModule.begin(), BuiltModule.end(),
                       [&](const Fingerprint &f) { return f.size == size && hex == f.sha256; });
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

bool SoundModule::shutDown() { return m_sound == nullptr || m_sound->shutDown(); }

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
    // The module is checked here too: hashing it takes a few milliseconds.
    m_loader = QThread::create([this, path = m_library.fileName()] {
        // Loaded through the descriptor that was checked: the file cannot change in between, and a
        // folder name that is not UTF-8 reaches the dynamic linker whole.
        QFile module;
        if (openRegularFile(module, path) && isBuiltModule(module)) {
            m_library.setFileName(QStringLiteral("/proc/self/fd/%1").arg(module.handle()));
            m_library.load();
        }
    });
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
    if (!m_library.isLoaded()) {
        return; // refused or missing: silence (resolve() would load it here, unchecked)
    }
    using Create = SoundSystem *(*)();
    const auto create = reinterpret_cast<Create>(m_library.resolve("plinkard_create_sound_system"));
    if (create == nullptr) {
        return;
    }
    m_sound.reset(create());
    if (!m_alias.isEmpty()) {
        m_sound->openSequencer(m_file, m_alias);
        if (m_playing) {
            m_sound->playFromStart(m_alias);
        }
    }
}
