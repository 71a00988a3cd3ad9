#include "FluidMusic.h"

#include "MidiSynth.h"
#include "SynthStream.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QEvent>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>

namespace {
// About a fifth of a second queued in the sound server: stopping the music is heard at once,
// and a busy moment on the user-interface thread does not starve the sink.
constexpr qsizetype SinkBufferFrames = MidiSynth::SampleRate / 5;
// Loading begins at the first paint, or after this long when nothing paints.
constexpr int LoadAtTheLatestMs = 300;
} // namespace

FluidMusic::FluidMusic(const QString &soundFont, QObject *parent) : QObject(parent), m_soundFont(soundFont) {}

FluidMusic::~FluidMusic() {
    if (m_loader != nullptr) {
        m_loader->wait();
        delete m_loader;
    }
    // The sink reads from the stream, which renders the synthesiser: tear down in that order.
    if (m_sink) {
        m_sink->stop();
    }
    m_sink.reset();
    m_stream.reset();
}

void FluidMusic::open(const QString &file, const QString &alias) {
    // An alias that is in use stays with its piece, as a second open of it fails.
    if (!m_alias.isEmpty() || alias.isEmpty() || !MidiSynth::isMidiFile(file)) {
        return;
    }
    m_alias = alias;
    m_file = file;
    m_playing = false;
    beginLoading();
}

void FluidMusic::playFromStart(const QString &alias) {
    if (m_alias.isEmpty() || alias != m_alias) {
        return;
    }
    m_playing = true;
    startPiece();
}

void FluidMusic::close(const QString &alias) {
    if (m_alias.isEmpty() || alias != m_alias) {
        return;
    }
    m_alias.clear();
    m_file.clear();
    m_playing = false;
    stopPiece();
}

void FluidMusic::waitUntilReady() {
    startLoader();
    takeLoadedSynth();
}

void FluidMusic::beginLoading() {
    if (m_synth || m_loader != nullptr || m_waitingForPaint) {
        return;
    }
    // Loading the library and the SoundFont competes with the window's first paint for the
    // processor and for the dynamic linker, so it waits for that paint.
    if (QCoreApplication::instance() == nullptr) {
        startLoader();
        return;
    }
    m_waitingForPaint = true;
    QCoreApplication::instance()->installEventFilter(this);
    QTimer::singleShot(LoadAtTheLatestMs, this, &FluidMusic::startLoader);
}

bool FluidMusic::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Paint && m_waitingForPaint) {
        QMetaObject::invokeMethod(this, &FluidMusic::startLoader, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void FluidMusic::startLoader() {
    if (m_waitingForPaint) {
        m_waitingForPaint = false;
        QCoreApplication::instance()->removeEventFilter(this);
    }
    if (m_synth || m_loader != nullptr) {
        return;
    }
    const QString font = m_soundFont;
    m_loader = QThread::create([this, font] { m_loaded = std::make_unique<MidiSynth>(font); });
    connect(m_loader, &QThread::finished, this, &FluidMusic::takeLoadedSynth, Qt::QueuedConnection);
    m_loader->start();
}

void FluidMusic::takeLoadedSynth() {
    if (m_loader == nullptr) {
        return;
    }
    m_loader->wait();
    delete m_loader;
    m_loader = nullptr;
    m_synth = std::move(m_loaded);
    if (!m_synth) {
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (!device.isNull()) {
        QAudioFormat format;
        format.setSampleRate(MidiSynth::SampleRate);
        format.setChannelCount(2);
        format.setSampleFormat(QAudioFormat::Int16);
        m_stream = std::make_unique<SynthStream>(*m_synth);
        m_sink = std::make_unique<QAudioSink>(device, format);
        m_sink->setBufferSize(format.bytesForFrames(SinkBufferFrames));
    }
    if (m_playing) {
        startPiece();
    }
}

void FluidMusic::startPiece() {
    if (!m_synth) {
        return; // the piece starts when the synthesiser is ready
    }
    if (m_sink) {
        m_sink->stop(); // drops what the server still holds of the last piece
    }
    if (!m_synth->start(m_file)) {
        return;
    }
    if (m_sink) {
        m_sink->start(m_stream.get());
    }
}

void FluidMusic::stopPiece() {
    if (m_sink) {
        m_sink->stop();
    }
    if (m_synth) {
        m_synth->stop();
    }
}
