#include "WaveStream.h"

#include <cstring>

namespace {
constexpr qint64 FrameBytes = 2 * static_cast<qint64>(sizeof(int16_t));
} // namespace

WaveStream::WaveStream(QObject *parent) : QIODevice(parent) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }

void WaveStream::start(std::shared_ptr<const WaveSound> sound) {
    const QMutexLocker lock(&m_lock);
    m_sound = std::move(sound);
    m_next = 0;
}

int WaveStream::framesLeft() const {
    const QMutexLocker lock(&m_lock);
    return m_sound ? static_cast<int>((m_sound->samples.size() - m_next) / 2) : 0;
}

qint64 WaveStream::bytesAvailable() const { return WaveSound::Rate * FrameBytes + QIODevice::bytesAvailable(); }

qint64 WaveStream::readData(char *data, qint64 maxSize) {
    const qint64 bytes = maxSize / FrameBytes * FrameBytes;
    qint64 copied = 0;
    {
        const QMutexLocker lock(&m_lock);
        if (m_sound) {
            const auto left = static_cast<qint64>((m_sound->samples.size() - m_next) * sizeof(int16_t));
            copied = std::min(bytes, left);
            std::memcpy(data, m_sound->samples.data() + m_next, static_cast<size_t>(copied));
            m_next += static_cast<size_t>(copied) / sizeof(int16_t);
            if (m_next >= m_sound->samples.size()) {
                m_sound.reset();
                m_next = 0;
            }
        }
    }
    std::memset(data + copied, 0, static_cast<size_t>(bytes - copied));
    return bytes;
}

qint64 WaveStream::writeData(const char * /*data*/, qint64 /*maxSize*/) { return -1; }
