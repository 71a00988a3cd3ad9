// SPDX-License-Identifier: MIT
#pragma once

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
    // Fills `frames` stereo frames with what comes next, silence where the decoder has not got to
    // yet. Returns how many it filled: fewer than asked once the sound has ended.
    int read(int16_t *stereo, int frames);

private:
    mutable QMutex m_lock;
    std::shared_ptr<const WaveSound> m_sound;
    int m_next = 0; // next frame of m_sound
};
