// SPDX-License-Identifier: MIT
#include "FluidMusic.h"

#include "MidiSynth.h"
#include "PulseOutput.h"
#include "SoundLog.h"

#include <algorithm>
#include <utility>

namespace {
// The server holds a second and asks for a quarter at a time, so the rendering may come late by
// three quarters of a second on a busy machine before the music breaks off. Stopping drops what it holds.
constexpr PulseOutput::Buffer MusicBuffer{1000, 250, 0, false};
// Once the piece has played its last note, this much silence (FluidSynth's dither aside) means the
// last voices and the reverb have died away: the output rests until the next piece.
constexpr int SilentFramesAtEnd = MidiSynth::SampleRate / 4;
constexpr int DitherLevel = 2;

bool silent(const int16_t *stereo, int frames) {
    return std::all_of(stereo, stereo + 2 * static_cast<ptrdiff_t>(frames),
                       [](int16_t v) { return v >= -DitherLevel && v <= DitherLevel; });
}
} // namespace

FluidMusic::FluidMusic(const QString &soundFont, QObject *parent) : QObject(parent), m_soundFont(soundFont) {}

FluidMusic::~FluidMusic() {
    stopPiece();
    m_output.reset();
}

void FluidMusic::open(const QString &file, const QString &alias) {
    // An alias that is in use stays with its piece, as a second open of it fails.
    if (!m_alias.isEmpty() || alias.isEmpty()) {
        return;
    }
    if (!MidiSynth::isMidiFile(file)) {
        tellUnplayable(file, "is missing, unreadable or no MIDI file");
        return;
    }
    m_alias = alias;
    m_file = file;
    m_playing = false;
    startLoader();
}

void FluidMusic::playFromStart(const QString &alias) {
    if (m_alias.isEmpty() || alias != m_alias) {
        return;
    }
    m_playing = true;
    startPiece();
}

void FluidMusic::close(const QString &alias) {
    if (m_alias.isEmpty() || alias != m_alias) {
        return;
    }
    m_alias.clear();
    m_file.clear();
    m_playing = false;
    stopPiece();
}

void FluidMusic::waitUntilReady() {
    startLoader();
    m_loader.finish();
}

void FluidMusic::startLoader() {
    // The SoundFont and the connection to the sound server both take a while; neither holds up this thread.
    m_loader.start(
        this,
        [this, font = m_soundFont] {
            Loaded loaded;
            loaded.synth = std::make_unique<MidiSynth>(font);
            loaded.output = std::make_unique<PulseOutput>(
                "Plinkard music", MidiSynth::SampleRate, MusicBuffer,
                [this, synth = loaded.synth.get()](int16_t *stereo, int frames) {
                    const bool ending = !synth->isPlaying();
                    synth->render(stereo, frames);
                    m_silentFrames = ending && silent(stereo, frames) ? m_silentFrames + frames : 0;
                    return PulseOutput::Rendered{frames, m_silentFrames >= SilentFramesAtEnd};
                });
            return loaded;
        },
        [this](Loaded loaded) {
            if (!loaded.synth->hasSoundFont()) {
                qCInfo(lcSound, "No SoundFont (%s): the music is silent",
                       m_soundFont.isEmpty() ? "none is installed" : qUtf8Printable(m_soundFont + " cannot be loaded"));
            }
            m_synth = std::move(loaded.synth);
            m_output = std::move(loaded.output);
            if (m_playing) {
                startPiece();
            }
        });
}

void FluidMusic::startPiece() {
    if (!m_synth) {
        return; // the piece starts when the synthesiser is ready
    }
    stopPiece(); // drops what the server still holds of the last piece
    m_silentFrames = 0;
    if (!m_synth->start(m_file)) {
        tellUnplayable(m_file, "cannot be played (unreadable, too large or damaged)");
    } else if (m_output) {
        m_output->start();
    }
}

void FluidMusic::tellUnplayable(const QString &file, const char *why) {
    // Once for a file, not at every new game.
    if (file != std::exchange(m_toldFile, file)) {
        qCInfo(lcSound, "No music: the piece \"%s\" %s", qUtf8Printable(file), why);
    }
}

void FluidMusic::stopPiece() {
    // The output first: once it has stopped, nothing renders the synthesiser behind our back.
    if (m_output) {
        m_output->stop();
    }
    if (m_synth) {
        m_synth->stop();
    }
}
