// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>
#include <fluidsynth/types.h>

// A General MIDI synthesiser with one piece at a time, rendered on demand into 16-bit stereo.
// It has no audio output of its own, so it renders the same offline as behind a sound card.
class MidiSynth {
public:
    static constexpr int SampleRate = 44100;

    // The SoundFont FluidSynth is set up with, else that of Debian's General MIDI package; empty when none is there.
    static QString defaultSoundFont();
    // Whether the file begins as a standard MIDI file, or as a RIFF MIDI file (.rmi) that may hold one.
    static bool isMidiFile(const QString &file);

    // Without a usable SoundFont every note is silent, yet everything else works.
    explicit MidiSynth(const QString &soundFont);
    ~MidiSynth();
    MidiSynth(const MidiSynth &) = delete;
    MidiSynth &operator=(const MidiSynth &) = delete;

    bool hasSoundFont() const { return m_fontId >= 0; }

    // Plays this piece once from its beginning, replacing any other; false for a file that is no MIDI
    // file, or one too large to be music (over 4 MiB, or over 65,536 events).
    // The file is read whole here, so a later change to it does not reach the playing piece.
    bool start(const QString &file);
    // Silences the piece at once and forgets it.
    void stop();
    // A piece is loaded and has not reached its end.
    bool isPlaying() const;

    // Fills `frames` interleaved stereo frames, advancing the piece by that much time.
    void render(int16_t *stereo, int frames);

private:
    fluid_settings_t *m_settings = nullptr;
    fluid_synth_t *m_synth = nullptr;
    fluid_player_t *m_player = nullptr;
    int m_fontId = -1;
};
