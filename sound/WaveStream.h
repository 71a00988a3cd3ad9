// SPDX-License-Identifier: MIT
#pragma once

#include "WaveFile.h"

#include <QMutex>
#include <memory>

class QIODevice;

// The sound now playing and how much of it has gone to the output. Starting a sound replaces the
// one still playing at once. The game starts sounds while the output's own thread writes them.
class WaveStream final {
public:
    void start(std::shared_ptr<const WaveSound> sound);
    // The sound still being written, if any.
    std::shared_ptr<const WaveSound> sound() const;
    // Frames of the current sound not yet handed to the output.
    int framesLeft() const;
    // Hands the output at most `maxBytes` of what is left; returns the bytes it took.
    qint64 writeTo(QIODevice &out, qint64 maxBytes);

private:
    mutable QMutex m_lock;
    std::shared_ptr<const WaveSound> m_sound;
    size_t m_next = 0;    // next sample of m_sound
    quint64 m_serial = 0; // counts starts, so a write never advances a newer sound
};
