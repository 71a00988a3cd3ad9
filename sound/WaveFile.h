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

// Reads a WAV file: RIFF/WAVE with PCM or float samples of 8, 16 or 32 bits in one or two channels,
// at any rate, with at least one frame of data. Null for anything else: missing, empty, corrupt,
// compressed or unusual files, which the caller replaces by the default sound.
std::shared_ptr<const WaveSound> loadWave(const QString &file);
