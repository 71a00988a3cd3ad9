#include "FluidMusic.h"

#include "MidiSynth.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QThread>

namespace {
constexpr qint64 FrameBytes = 2 * static_cast<qint64>(sizeof(int16_t));
// The sink is topped up every tenth of a second and holds three tenths, so the music thread
// may come late by two of them before the music breaks off. Stopping flushes it.
constexpr int FeedMs = 100;
constexpr qsizetype SinkBufferFrames = MidiSynth::SampleRate * 3 / 10;
} // namespace

FluidMusic::FluidMusic(const QString &soundFont, QObject *parent) : QObject(parent), m_soundFont(soundFont) {
    m_feed.setInterval(FeedMs);
    connect(&m_feed, &QTimer::timeout, this, &FluidMusic::feed);
}

FluidMusic::~FluidMusic() {
    if (m_loader != nullptr) {
        m_loader->wait();
        delete m_loader;
    }
    stopPiece();
    m_sink.reset();
}

void FluidMusic::open(const QString &file, const QString &alias) {
    // An alias that is in use stays with its piece, as a second open of it fails.
    if (!m_alias.isEmpty() || alias.isEmpty() || !MidiSynth::isMidiFile(file)) {
        return;
    }
    m_alias = alias;
    m_file = file;
    m_playing = false;
    startLoader();
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

void FluidMusic::startLoader() {
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
    stopPiece(); // drops what the server still holds of the last piece
    if (!m_synth->start(m_file) || !m_sink) {
        return;
    }
    m_out = m_sink->start();
    feed();
    m_feed.start();
}

void FluidMusic::stopPiece() {
    m_feed.stop();
    if (m_sink) {
        m_sink->stop();
    }
    m_out = nullptr;
    if (m_synth) {
        m_synth->stop();
    }
}

void FluidMusic::feed() {
    if (m_out != nullptr && m_sink->state() == QAudio::StoppedState) {
        // The sink gave up (the sound server went away) and took its device with it.
        m_out = nullptr;
        m_feed.stop();
    }
    if (m_out == nullptr) {
        return;
    }
    const qsizetype frames = m_sink->bytesFree() / FrameBytes;
    if (frames <= 0) {
        return;
    }
    m_frames.resize(static_cast<size_t>(frames) * 2);
    m_synth->render(m_frames.data(), static_cast<int>(frames));
    m_out->write(reinterpret_cast<const char *>(m_frames.data()), frames * FrameBytes);
}
