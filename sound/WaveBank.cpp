// SPDX-License-Identifier: MIT
#include "WaveBank.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>
#include <algorithm>

namespace {
// The server's buffer starts at a hundredth of a second and doubles each time it runs dry in the
// middle of a sound, up to a tenth: a quiet machine keeps the short one, a busy one loses no shot.
constexpr qint32 FirstBufferFrames = WaveSound::Rate / 100;
constexpr qint32 MaxBufferFrames = WaveSound::Rate / 10;
} // namespace

// The audio sink in push mode, on the output thread, open for the whole run: no shot waits for an
// opening, and a sink that has run dry or is suspended starts the next sound at once. Writing at
// the click, rather than waiting for the sink's pull timer, saves up to a period per shot.
class WaveOutput final : public QObject {
public:
    explicit WaveOutput(WaveStream &stream) : m_stream(stream) {
        m_feed.setTimerType(Qt::PreciseTimer);
        connect(&m_feed, &QTimer::timeout, this, &WaveOutput::feed);
    }

    void open(const QAudioDevice &device) {
        QAudioFormat format;
        format.setSampleRate(WaveSound::Rate);
        format.setChannelCount(2);
        format.setSampleFormat(QAudioFormat::Int16);
        m_sink = std::make_unique<QAudioSink>(device, format);
        // Comes from the server's thread when it has played all it was given.
        connect(m_sink.get(), &QAudioSink::stateChanged, this, &WaveOutput::stateChanged);
        restart();
        m_sink->suspend(); // until the first sound
    }

    void close() {
        m_feed.stop();
        m_restarting = true;
        m_sink.reset();
        m_io = nullptr;
    }

    // Writes what the server has room for; while a sound has more, again after half a buffer.
    void feed() {
        if (!m_io) {
            return;
        }
        if (m_sink->state() == QAudio::SuspendedState && m_stream.framesLeft() > 0) {
            m_restarting = true;
            m_sink->resume();
            m_restarting = false;
        }
        m_stream.writeTo(*m_io, m_sink->bytesFree());
        m_midSound = m_stream.framesLeft() > 0;
        if (!m_midSound) {
            m_feed.stop();
        } else if (!m_feed.isActive()) {
            m_feed.start(m_periodMs);
        }
    }

private:
    void stateChanged(QAudio::State state) {
        // Only a buffer that is empty counts, whatever the report says; restarting it then drops nothing.
        if (state != QAudio::IdleState || m_restarting || m_sink->bytesFree() < m_sink->bufferSize()) {
            return;
        }
        // Running dry after a sound's end is the output's rest: suspended, the sink's own timer no
        // longer wakes this thread 50 times a second, and it resumes at once.
        if (!m_midSound) {
            m_sink->suspend();
            return;
        }
        // In the middle of one it is an under-run.
        if (m_frames >= MaxBufferFrames) {
            return;
        }
        m_frames = std::min(m_frames * 2, MaxBufferFrames);
        restart();
        feed();
    }

    // The buffer size applies from the sink's start.
    void restart() {
        m_restarting = true;
        m_sink->stop();
        m_sink->setBufferSize(m_sink->format().bytesForFrames(m_frames));
        m_io = m_sink->start();
        m_restarting = false;
        const auto bufferMs = m_sink->format().durationForBytes(static_cast<qint32>(m_sink->bufferSize())) / 1000;
        m_periodMs = std::max(2, static_cast<int>(bufferMs / 2));
        if (m_feed.isActive()) {
            m_feed.start(m_periodMs);
        }
    }

    WaveStream &m_stream;
    std::unique_ptr<QAudioSink> m_sink;
    QIODevice *m_io = nullptr; // the sink's, while it is started
    QTimer m_feed{this};
    qint32 m_frames = FirstBufferFrames;
    int m_periodMs = 5;
    bool m_midSound = false;
    bool m_restarting = false;
};

WaveBank::WaveBank(const QString &defaultSound, bool withOutput) : m_defaultSound(defaultSound) {
    if (!withOutput) {
        return;
    }
    // Asked here: the media layer's device list belongs to the caller's thread.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return; // silence
    }
    m_output = std::make_unique<WaveOutput>(m_stream);
    m_thread.setObjectName(QStringLiteral("shots"));
    m_output->moveToThread(&m_thread);
    m_thread.start();
    QMetaObject::invokeMethod(
        m_output.get(), [out = m_output.get(), device] { out->open(device); }, Qt::QueuedConnection);
}

WaveBank::~WaveBank() {
    if (m_output) {
        QMetaObject::invokeMethod(
            m_output.get(), [out = m_output.get()] { out->close(); }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
}

void WaveBank::play(const QString &file) {
    std::shared_ptr<const WaveSound> sound = decoded(file);
    m_lastStarted = file;
    if (!sound) {
        if (!m_defaultLoaded) {
            m_default = loadWave(m_defaultSound);
            m_defaultLoaded = true;
        }
        sound = m_default;
        m_lastStarted = m_defaultSound;
    }
    m_stream.start(std::move(sound));
    if (m_output) {
        QMetaObject::invokeMethod(
            m_output.get(), [out = m_output.get()] { out->feed(); }, Qt::QueuedConnection);
    }
}

std::shared_ptr<const WaveSound> WaveBank::decoded(const QString &file) {
    // Size and time belong to the key, so a file that appears later or is edited plays as it is now.
    const QFileInfo info(file);
    const bool exists = !file.isEmpty() && info.exists();
    const qint64 size = exists ? info.size() : -1;
    const QDateTime modified = exists ? info.lastModified() : QDateTime();
    const auto known = m_decoded.constFind(file);
    if (known != m_decoded.cend() && known->size == size && known->modified == modified) {
        return known->sound;
    }
    auto sound = exists ? loadWave(file) : nullptr;
    m_decoded.insert(file, {size, modified, sound});
    return sound;
}
