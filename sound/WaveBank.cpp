#include "WaveBank.h"

#include "WaveStream.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>

namespace {
// A tenth of a second queued in the server. Shorter buffers underran on a busy two-core machine,
// where the sound server itself waits for the processor, and whole shots went missing.
constexpr qsizetype SinkBufferFrames = 4410;
constexpr int OpeningSilenceFrames = WaveSound::Rate / 10;
// The output closes once it has played silence this long, and opens again with the next sound.
constexpr int IdleMs = 5000;
} // namespace

WaveBank::WaveBank(const QString &defaultSound, bool withOutput, QObject *parent)
    : QObject(parent), m_defaultSound(defaultSound), m_stream(std::make_unique<WaveStream>()),
      m_withOutput(withOutput) {
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, &WaveBank::stopOutput);
}

WaveBank::~WaveBank() { stopOutput(); }

void WaveBank::play(const QString &file) {
    m_lastStarted = sourceFor(file);
    const std::shared_ptr<const WaveSound> sound = m_sounds.value(m_lastStarted);
    // A freshly opened output loses its first few hundredths of a second on a busy machine, so
    // the first sound waits that long; an open output starts a sound at once.
    m_stream->start(sound, m_withOutput && !m_sink ? OpeningSilenceFrames : 0);
    if (sound) {
        startOutput();
        m_idle.start(static_cast<int>(static_cast<qint64>(sound->frames()) * 1000 / WaveSound::Rate) + IdleMs);
    }
}

qsizetype WaveBank::loadedCount() const {
    return std::count_if(m_sounds.cbegin(), m_sounds.cend(), [](const auto &sound) { return sound != nullptr; });
}

QString WaveBank::sourceFor(const QString &file) {
    const auto known = m_sourceOf.constFind(file);
    if (known != m_sourceOf.cend()) {
        return *known;
    }
    QString source = file;
    if (auto sound = loadWave(file)) {
        m_sounds.insert(file, std::move(sound));
    } else {
        source = m_defaultSound;
        if (!m_sounds.contains(source)) {
            m_sounds.insert(source, loadWave(source));
        }
    }
    m_sourceOf.insert(file, source);
    return source;
}

void WaveBank::startOutput() {
    if (m_sink || !m_withOutput) {
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return; // silence
    }
    QAudioFormat format;
    format.setSampleRate(WaveSound::Rate);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    m_sink = std::make_unique<QAudioSink>(device, format);
    m_sink->setBufferSize(format.bytesForFrames(SinkBufferFrames));
    m_sink->start(m_stream.get());
}

void WaveBank::stopOutput() {
    m_idle.stop();
    if (m_sink) {
        m_sink->stop();
        m_sink.reset();
    }
}
