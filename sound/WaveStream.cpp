// SPDX-License-Identifier: MIT
#include "WaveStream.h"

#include <QIODevice>
#include <algorithm>

namespace {
constexpr qint64 FrameBytes = 2 * static_cast<qint64>(sizeof(int16_t));
} // namespace

void WaveStream::start(std::shared_ptr<const WaveSound> sound) {
    const QMutexLocker lock(&m_lock);
    m_sound = std::move(sound);
    m_next = 0;
    ++m_serial;
}

std::shared_ptr<const WaveSound> WaveStream::sound() const {
    const QMutexLocker lock(&m_lock);
    return m_sound;
}

int WaveStream::framesLeft() const {
    const QMutexLocker lock(&m_lock);
    return m_sound ? static_cast<int>((m_sound->samples.size() - m_next) / 2) : 0;
}

qint64 WaveStream::writeTo(QIODevice &out, qint64 maxBytes) {
    std::shared_ptr<const WaveSound> sound;
    size_t next = 0;
    quint64 serial = 0;
    {
        const QMutexLocker lock(&m_lock);
        sound = m_sound;
        next = m_next;
        serial = m_serial;
    }
    if (!sound) {
        return 0;
    }
    // The write itself runs unlocked: a shot started meanwhile need not wait for the output.
    const auto left = static_cast<qint64>(sound->samples.size() - next) * static_cast<qint64>(sizeof(int16_t));
    const qint64 bytes = std::min(left, maxBytes / FrameBytes * FrameBytes);
    const qint64 written =
        bytes > 0 ? out.write(reinterpret_cast<const char *>(sound->samples.data() + next), bytes) : 0;
    if (written <= 0) {
        return 0;
    }
    const QMutexLocker lock(&m_lock);
    if (serial == m_serial) {
        m_next += static_cast<size_t>(written / FrameBytes * 2);
        if (m_next >= m_sound->samples.size()) {
            m_sound.reset();
            m_next = 0;
        }
    }
    return written;
}
