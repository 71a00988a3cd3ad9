// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <memory>

// A sound ready for the output: 16-bit stereo frames at the output's rate, interleaved. Its room is
// set when decoding begins, so a decoder may add frames while the output reads those before them.
class WaveSound {
public:
    static constexpr int Rate = 44100;

    explicit WaveSound(int capacityFrames);

    const int16_t *samples() const { return m_samples.get(); }
    // Frames decoded so far; all of them once complete.
    int frames() const { return m_frames.load(std::memory_order_acquire); }
    bool complete() const { return m_complete.load(std::memory_order_acquire); }

    // The decoder's side: room for `room()` more frames at `end()`, made readable by `add`.
    int room() const { return m_capacity - frames(); }
    int16_t *end() { return m_samples.get() + 2 * static_cast<ptrdiff_t>(frames()); }
    void add(int frames) { m_frames.fetch_add(frames, std::memory_order_release); }
    void finish() { m_complete.store(true, std::memory_order_release); }

private:
    // Left untouched until written, so the room of a long sound costs memory only as it is decoded.
    std::unique_ptr<int16_t[]> m_samples;
    int m_capacity;
    std::atomic<int> m_frames{0};
    std::atomic<bool> m_complete{false};
};

// A WAV file in any encoding libsndfile knows (PCM of any width, float, µ-law, A-law, IMA and MS
// ADPCM, ...), in any number of channels and at any rate, decoded a bounded piece at a time into the
// sound it plays as: at most a minute of it, stereo at the output's rate, whatever the file holds.
class WaveDecoder {
public:
    // Opens the file and decodes its first piece. Null for anything else: missing, not a regular
    // file, empty, corrupt or not WAV, which the caller replaces by the default sound.
    static std::unique_ptr<WaveDecoder> open(const QString &file);
    ~WaveDecoder(); // what is decoded by then is the whole sound
    WaveDecoder(const WaveDecoder &) = delete;
    WaveDecoder &operator=(const WaveDecoder &) = delete;

    std::shared_ptr<const WaveSound> sound() const { return m_sound; }
    // Decodes the next piece; false once the sound is complete.
    bool decodePiece();

private:
    struct Impl;
    explicit WaveDecoder(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
    std::shared_ptr<WaveSound> m_sound;
};

// The whole sound at once, as WaveDecoder decodes it; null where it gives none.
std::shared_ptr<const WaveSound> loadWave(const QString &file);
