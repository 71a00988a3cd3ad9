// SPDX-License-Identifier: MIT
#include "WaveStream.h"

#include <algorithm>

void WaveStream::start(std::shared_ptr<const WaveSound> sound) {
    const QMutexLocker lock(&m_lock);
    m_sound = std::move(sound);
    m_next = 0;
}

std::shared_ptr<const WaveSound> WaveStream::sound() const {
    const QMutexLocker lock(&m_lock);
    return m_sound;
}

int WaveStream::framesLeft() const {
    const QMutexLocker lock(&m_lock);
    return m_sound ? m_sound->frames() - m_next : 0;
}

PulseOutput::Rendered WaveStream::read(int16_t *stereo, int frames) {
    const QMutexLocker lock(&m_lock);
    if (!m_sound) {
        return {0, true};
    }
    // The flag before the count: once complete, the count read after it is the whole sound.
    const bool complete = m_sound->complete();
    const int count = std::min(frames, m_sound->frames() - m_next);
    std::copy_n(m_sound->samples() + 2 * static_cast<ptrdiff_t>(m_next), 2 * static_cast<ptrdiff_t>(count), stereo);
    m_next += count;
    const bool ended = complete && m_next >= m_sound->frames();
    if (ended) {
        m_sound.reset();
        m_next = 0;
    }
    return {count, ended};
}
