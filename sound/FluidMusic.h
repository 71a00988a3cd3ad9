// SPDX-License-Identifier: MIT
#pragma once

#include "BackgroundLoad.h"

#include <QObject>
#include <QString>
#include <memory>

class MidiSynth;
class PulseOutput;

// The music device: a MIDI file opened under an alias, played from its start, closed. One alias
// is open at most, and every failure is silent. The synthesiser's SoundFont loads on a thread of
// its own, and a piece asked for meanwhile begins from its first note once it is in. A start renders
// the piece's beginning; the rest is rendered a quarter of a second at a time on the sound server
// connection's own thread, as the server asks for it, and not at all once the piece has ended and died away.
class FluidMusic final : public QObject {
    Q_OBJECT
public:
    explicit FluidMusic(const QString &soundFont, QObject *parent = nullptr);
    ~FluidMusic() override;

    void open(const QString &file, const QString &alias);
    void playFromStart(const QString &alias);
    void close(const QString &alias);

    // The alias now open; empty when none is.
    QString openAlias() const { return m_alias; }
    // Blocks until the synthesiser exists; it loads now if nothing asked for it yet.
    void waitUntilReady();
    // Null until the SoundFont has loaded.
    const MidiSynth *synth() const { return m_synth.get(); }

private:
    struct Loaded {
        std::unique_ptr<MidiSynth> synth;
        std::unique_ptr<PulseOutput> output; // renders synth while started
    };
    void startLoader();
    void startPiece();
    void stopPiece();
    void tellUnplayable(const QString &file, const char *why);

    QString m_soundFont;
    QString m_alias;
    QString m_file;
    bool m_playing = false;
    QString m_toldFile; // the last piece found unplayable
    std::unique_ptr<MidiSynth> m_synth;
    std::unique_ptr<PulseOutput> m_output; // renders m_synth while started
    int m_silentFrames = 0;                // rendered in a row after the last note; the output's thread only
    BackgroundLoad<Loaded> m_loader;       // last: what it loads refers to the members above
};
