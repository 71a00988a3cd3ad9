#include "WaveStream.h"

#include <cstring>

namespace {
constexpr qint64 FrameBytes = 2 * static_cast<qint64>(sizeof(int16_t));
} // namespace

WaveStream::WaveStream(QObject *parent) : QIODevice(parent) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }

void WaveStream::start(std::shared_ptr<const WaveSound> sound, int silentFrames) {
    const QMutexLocker lock(&m_lock);
    m_sound = std::move(sound);
    m_next = 0;
    m_silence = m_sound ? 2 * static_cast<qint64>(std::max(0, silentFrames)) : 0;
}

int WaveStream::framesLeft() const {
    const QMutexLocker lock(&m_lock);
    return m_sound ? static_cast<int>((m_sound->samples.size() - m_next) / 2) : 0;
}

qint64 WaveStream::bytesAvailable() const { return WaveSound::Rate * FrameBytes + QIODevice::bytesAvailable(); }

qint64 WaveStream::readData(char *data, qint64 maxSize) {
    const qint64 bytes = maxSize / FrameBytes * FrameBytes;
    std::memset(data, 0, static_cast<size_t>(bytes));
    const QMutexLocker lock(&m_lock);
    const qint64 lead = std::min(bytes, m_silence * static_cast<qint64>(sizeof(int16_t)));
    m_silence -= lead / static_cast<qint64>(sizeof(int16_t));
    if (m_sound && m_silence == 0) {
        const auto left = static_cast<qint64>((m_sound->samples.size() - m_next) * sizeof(int16_t));
        const qint64 copied = std::min(bytes - lead, left);
        std::memcpy(data + lead, m_sound->samples.data() + m_next, static_cast<size_t>(copied));
        m_next += static_cast<size_t>(copied) / sizeof(int16_t);
        if (m_next >= m_sound->samples.size()) {
            m_sound.reset();
            m_next = 0;
        }
    }
    return bytes;
}

qint64 WaveStream::writeData(const char * /*data*/, qint64 /*maxSize*/) { return -1; }
