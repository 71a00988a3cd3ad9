// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

// A sound ready for the output: 16-bit stereo frames at the output's rate, interleaved.
struct WaveSound {
    static constexpr int Rate = 44100;
    std::vector<int16_t> samples;
    int frames() const { return static_cast<int>(samples.size() / 2); }
};

// Reads a WAV file in any encoding libsndfile knows (PCM of any width, float, µ-law, A-law, IMA and
// MS ADPCM, ...), in any number of channels and at any rate, with at least one frame. Null for
// anything else: missing, empty, corrupt or not WAV, which the caller replaces by the default sound.
std::shared_ptr<const WaveSound> loadWave(const QString &file);
