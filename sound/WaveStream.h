// SPDX-License-Identifier: MIT
#pragma once

#include "PulseOutput.h"
#include "WaveFile.h"

#include <QMutex>
#include <memory>

// The sound now playing and how much of it has gone to the output. Starting a sound replaces the
// one still playing at once. The game starts sounds while the output's own thread reads them.
class WaveStream final {
public:
    void start(std::shared_ptr<const WaveSound> sound);
    // The sound still being read, if any.
    std::shared_ptr<const WaveSound> sound() const;
    // Frames of the current sound decoded and not yet handed to the output.
    int framesLeft() const;
    // Fills at most `frames` stereo frames with what comes next, as far as the decoder has got.
    PulseOutput::Rendered read(int16_t *stereo, int frames);

private:
    mutable QMutex m_lock;
    std::shared_ptr<const WaveSound> m_sound;
    int m_next = 0; // next frame of m_sound
};
